#include "mainwin/historycommands.h"

#include <exception>

namespace mainwin {

void HistoryCommands::Register(CommandTable& t) {
  t.Register(ActionId::HistoryBk, [this] { HistoryBack(); });
  t.Register(ActionId::HistoryFw, [this] { HistoryForward(); });
  t.Register(ActionId::ReOpenItem, [this] { ReOpenItem(); });
  t.Register(ActionId::ReOpenGroup, [this] { ReOpenGroup(); });
  t.Register(ActionId::TimeStamp, [this] { InsertTimeStamp(); });
}

// ---- history and reopening

void HistoryCommands::HistoryStep(bool back) {
  const Session::Hold hold = s_.HoldHistory();
  const int a = host_.OpenGroup();
  const int b = host_.OpenItem();
  store::THistoryCollection& history = s_.History();
  const store::HistoryPosition none{-1, -1};
  store::HistoryPosition p;
  do {
    p = back ? history.Back(a, b) : history.Forward(a, b);
  } while (p != none && p == store::HistoryPosition{a, b});
  if (p != none) {
    bool missing = false;
    try {
      if (!host_.SelectPosition(p.group, p.item, missing) && missing) history.NoteDelete(p.group, p.item);
    } catch (const std::exception& e) {
      host_.ShowError(e.what());
    }
  }
  s_.HistoryChanged();
}

void HistoryCommands::ReOpenItem() { s_.LoadItemIntoEditor(host_.OpenItem()); }

void HistoryCommands::ReOpenGroup() {
  if (!host_.Ask({"グループの開き直し", "グループを開いた時の状態に戻ります\r\n本当に開き直してよろしいですか？",
                  BoxIcon::Warning}))
    return;
  const int g = host_.OpenGroup();
  if (g < 0) return;
  s_.ClearEditor();
  s_.LoadItemsOf(g);
  host_.ReloadItemList(s_.Items().SelIndex);
  s_.LoadItemIntoEditor(host_.OpenItem());
  host_.ApplyEditorSettings();
  host_.SetEditorEnabled(host_.OpenItem() >= 0);
}

// ---- time stamps

std::vector<TimeStampMenuEntry> HistoryCommands::TimeStampMenu() const {
  const editorsettings::DateTime now = clock_();
  std::vector<TimeStampMenuEntry> entries;
  const auto& formats = s_.ListData().TimeStampMenuList;
  entries.reserve(formats.size());
  for (size_t k = 0; k < formats.size(); ++k) {
    const int tag = static_cast<int>(k);
    entries.push_back({editorsettings::FormatDateTime(formats[k], now), tag, tag == s_.MainData().TimeIndex});
  }
  return entries;
}

void HistoryCommands::InsertTimeStamp() {
  store::TMainDataClass& data = s_.MainData();
  if (data.TimeIndex == -1) data.TimeIndex = 0;
  const auto& formats = s_.ListData().TimeStampMenuList;
  if (data.TimeIndex < 0 || static_cast<size_t>(data.TimeIndex) >= formats.size()) {
    host_.ShowError("リストのインデックスが範囲を超えています (" + std::to_string(data.TimeIndex) + ")");
    return;
  }
  s_.Editor().SetSelText(editorsettings::FormatDateTime(formats[static_cast<size_t>(data.TimeIndex)], clock_()));
}

}  // namespace mainwin
