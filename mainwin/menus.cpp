#include "mainwin/menus.h"

namespace mainwin {

namespace {
using A = ActionId;
using K = MenuEntry::Kind;

MenuEntry C(A id) { return {K::Command, id}; }
const MenuEntry kSep{K::Separator, A::SelectAll};
const MenuEntry kMoveCopy{K::MoveCopy, A::SelectAll};
const MenuEntry kBookmarks{K::Bookmarks, A::SelectAll};
}  // namespace

const std::vector<MenuLayout>& MainMenuLayout() {
  static const std::vector<MenuLayout> menus = {
      {"ファイル(&F)",
       {C(A::AddFile), C(A::SaveToFile), C(A::SaveToFile_GroupItems), kSep, C(A::GroupImport), C(A::GroupExport), kSep,
        C(A::Print), C(A::PrintGroupItems), kSep, C(A::Close)}},
      {"編集(&E)",
       {C(A::Undo), C(A::Redo), kSep, C(A::Copy), C(A::Cut), C(A::Paste), C(A::PasteBox), C(A::SelectAll),
        C(A::DelLine), kSep, C(A::insert), C(A::ReadOnly), C(A::TimeStamp)}},
      {"検索(&S)", {C(A::Find), C(A::FindFw), C(A::FindBk), kSep, C(A::Replace)}},
      {"グループ(&G)",
       {C(A::GroupAdd), C(A::GroupInsert), C(A::GroupDel), C(A::GroupMultiDelete), C(A::GroupCopy), kSep,
        C(A::EditorEdit_Group), C(A::GroupEdit), C(A::GroupTitleStyleClear), kSep, C(A::GroupMoveOneUp),
        C(A::GroupMoveOneDown), kSep, C(A::ReOpenGroup)}},
      {"アイテム(&I)",
       {C(A::ItemAdd),
        C(A::ItemInsert),
        C(A::ItemDel),
        C(A::ItemMultiDelete),
        C(A::ItemCopy),
        kSep,
        C(A::ItemEdit),
        C(A::ItemNameFromText),
        C(A::ItemNameFromSelText),
        C(A::ItemTitleStyleClear),
        kSep,
        C(A::ItemMoveOneUp),
        C(A::ItemMoveOneDown),
        kSep,
        C(A::OpenFormEditor),
        C(A::OpenFormEditor_GroupItems),
        kSep,
        C(A::ReOpenItem),
        kSep,
        kMoveCopy}},
      {"表示(&V)", {C(A::HistoryBk), C(A::HistoryFw), kSep, C(A::EditEditor)}},
      {"その他(&T)", {{K::About, A::SelectAll}}},
  };
  return menus;
}

const std::vector<MenuEntry>& GroupPopupLayout() {
  static const std::vector<MenuEntry> m = {
      C(A::GroupEdit), C(A::GroupTitleStyleClear), kSep,           C(A::GroupAdd), C(A::GroupInsert),
      C(A::GroupDel),  C(A::GroupMultiDelete),     C(A::GroupCopy)};
  return m;
}

const std::vector<MenuEntry>& ItemPopupLayout() {
  static const std::vector<MenuEntry> m = {C(A::ItemEdit),
                                           C(A::ItemNameFromText),
                                           C(A::ItemTitleStyleClear),
                                           kSep,
                                           C(A::ItemAdd),
                                           C(A::ItemInsert),
                                           C(A::ItemDel),
                                           C(A::ItemMultiDelete),
                                           C(A::ItemCopy),
                                           kSep,
                                           C(A::OpenFormEditor),
                                           C(A::OpenFormEditor_GroupItems),
                                           kSep,
                                           C(A::AddFile),
                                           C(A::SaveToFile),
                                           C(A::SaveToFile_GroupItems),
                                           kSep,
                                           kMoveCopy};
  return m;
}

const std::vector<MenuEntry>& EditorPopupLayout() {
  static const std::vector<MenuEntry> m = {kBookmarks,
                                           kSep,
                                           C(A::Undo),
                                           C(A::Redo),
                                           C(A::ReOpenItem),
                                           kSep,
                                           C(A::Copy),
                                           C(A::Cut),
                                           C(A::Paste),
                                           C(A::PasteBox),
                                           C(A::SelectAll),
                                           C(A::DelLine),
                                           kSep,
                                           C(A::Find),
                                           C(A::FindFw),
                                           C(A::FindBk),
                                           C(A::Replace),
                                           kSep,
                                           C(A::ItemNameFromText),
                                           C(A::ItemNameFromSelText),
                                           kSep,
                                           C(A::OpenFormEditor)};
  return m;
}

const std::vector<MenuEntry>& ToolBar1Layout() {
  static const std::vector<MenuEntry> m = {C(A::AddFile),
                                           C(A::SaveToFile),
                                           kSep,
                                           C(A::Print),
                                           kSep,
                                           C(A::Copy),
                                           C(A::Cut),
                                           C(A::Paste),
                                           kSep,
                                           C(A::HistoryBk),
                                           C(A::HistoryFw),
                                           kSep,
                                           C(A::Undo),
                                           C(A::Redo),
                                           kSep,
                                           C(A::Find),
                                           C(A::FindFw),
                                           C(A::FindBk),
                                           C(A::Replace),
                                           kSep,
                                           C(A::TimeStamp),
                                           kSep,
                                           C(A::EditEditor),
                                           C(A::WordWrap_Non),
                                           C(A::WordWrap_User),
                                           C(A::WordWrap_Width),
                                           kSep,
                                           C(A::ReadOnly)};
  return m;
}

const std::vector<MenuEntry>& ToolBar2Layout() {
  static const std::vector<MenuEntry> m = {
      {K::Blank, A::SelectAll}, C(A::GroupMoveOneUp),   C(A::GroupMoveOneDown), C(A::GroupAdd),   C(A::GroupInsert),
      C(A::GroupCopy),          C(A::GroupEdit),        C(A::EditorEdit_Group), C(A::GroupDel),   kSep,
      C(A::ItemMoveOneUp),      C(A::ItemMoveOneDown),  C(A::ItemAdd),          C(A::ItemInsert), C(A::ItemCopy),
      C(A::ItemEdit),           C(A::ItemNameFromText), C(A::OpenFormEditor),   C(A::ItemDel)};
  return m;
}

}  // namespace mainwin
