#include "mainwin/printjobs.h"

#include "print/grouplines.h"

namespace mainwin {

PrintJob OpenItemPrintJob(MainFormCore& core) {
  PrintJob job;
  editor::TEditorStrings& lines = core.Editor().Lines();
  const int count = lines.Count();
  job.lines.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) job.lines.push_back(lines.Get(i));
  job.itemName = core.SelectedItemName();
  job.groupName = core.SelectedGroupName();
  return job;
}

std::optional<PrintJob> GroupItemsPrintJob(MainFormCore& core) {
  if (!core.StoreOpenItemAsking("印刷する前に開いているアイテムを保存します")) return std::nullopt;
  store::TRootComponent_Item& items = core.Items();
  std::vector<std::string> texts;
  texts.reserve(static_cast<size_t>(items.Count()));
  for (int i = 0; i < items.Count(); ++i) texts.push_back(items.ItemAt(i).ItemText);
  PrintJob job;
  job.lines = print::GroupItemLines(texts);
  job.itemName = core.SelectedItemName();
  job.groupName = core.SelectedGroupName();
  return job;
}

}  // namespace mainwin
