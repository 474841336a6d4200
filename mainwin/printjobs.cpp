#include "mainwin/printjobs.h"

#include "print/grouplines.h"

namespace mainwin {

void PrintCommands::Register(CommandTable& t) {
  t.Register(ActionId::Print, [this] {
    if (host_.OpenItem() >= 0) host_.RunPrint(OpenItemJob());
  });
  t.Register(ActionId::PrintGroupItems, [this] {
    if (host_.OpenGroup() < 0) return;
    if (const std::optional<PrintJob> job = GroupItemsJob()) host_.RunPrint(*job);
  });
}

PrintJob PrintCommands::OpenItemJob() {
  PrintJob job;
  editor::TEditorStrings& lines = s_.Editor().Lines();
  const int count = lines.Count();
  job.lines.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) job.lines.push_back(lines.Get(i));
  job.itemName = s_.ItemName(host_.OpenItem());
  job.groupName = s_.GroupName(host_.OpenGroup());
  return job;
}

std::optional<PrintJob> PrintCommands::GroupItemsJob() {
  if (!StoreOpenItemAsking(s_, host_, "印刷する前に開いているアイテムを保存します")) return std::nullopt;
  store::TRootComponent_Item& items = s_.Items();
  std::vector<std::string> texts;
  texts.reserve(static_cast<size_t>(items.Count()));
  for (int i = 0; i < items.Count(); ++i) texts.push_back(items.ItemAt(i).ItemText);
  PrintJob job;
  job.lines = print::GroupItemLines(texts);
  job.itemName = s_.ItemName(host_.OpenItem());
  job.groupName = s_.GroupName(host_.OpenGroup());
  return job;
}

}  // namespace mainwin
