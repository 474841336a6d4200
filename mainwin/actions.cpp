#include "mainwin/actions.h"

#include <algorithm>
#include <cctype>

namespace mainwin {

namespace {
using A = ActionId;
using E = Enabling;
constexpr std::array<ActionSpec, kActionCount> kTable = {{
    {A::SelectAll, "Action_SelectAll", 1, "全て選択", "", "Ctrl+A", E::ItemSelected},
    {A::Copy, "Action_Copy", 2, "コピー", "", "Ctrl+C", E::SelectionNotEmpty},
    {A::Cut, "Action_Cut", 3, "切り取り", "", "Ctrl+X", E::SelectionNotEmpty},
    {A::Paste, "Action_Paste", 4, "貼り付け", "", "Ctrl+V", E::ItemSelected},
    {A::PasteBox, "Action_PasteBox", 5, "Box貼り付け", "", "Ctrl+B", E::ItemSelected},
    {A::DelLine, "Action_DelLine", 6, "一行削除", "", "", E::ItemSelected},
    {A::insert, "Action_insert", 7, "上書き", "", "Ins", E::ItemSelected},
    {A::Undo, "Action_Undo", 8, "元に戻す", "", "Ctrl+Z", E::ItemCanUndo},
    {A::Redo, "Action_Redo", 9, "やり直し", "", "Ctrl+Y", E::ItemCanRedo},
    {A::HistoryBk, "Action_HistoryBk", 10, "戻る", "", "", E::CanBack},
    {A::HistoryFw, "Action_HistoryFw", 11, "進む", "", "", E::CanForward},
    {A::Find, "Action_Find", 12, "検索...", "", "Ctrl+F", E::ItemSelected},
    {A::FindFw, "Action_FindFw", 13, "前方検索", "", "F3", E::ItemSelected},
    {A::FindBk, "Action_FindBk", 14, "後方検索", "", "Shift+F3", E::ItemSelected},
    {A::Replace, "Action_Replace", 15, "置き換え", "", "Ctrl+R", E::ItemSelected},
    {A::TimeStamp, "Action_TimeStamp", 16, "タイムスタンプ", "", "", E::ItemSelected},
    {A::ReadOnly, "Action_ReadOnly", 17, "書き込み不可", "", "", E::ItemSelected},
    {A::EditEditor, "Action_EditEditor", 18, "カスタマイズ", "", "", E::Always},
    {A::Print, "Action_Print", 19, "印刷...", "印刷", "Ctrl+P", E::ItemSelected},
    {A::Close, "Action_Close", 21, "終了", "", "", E::Always},
    {A::GroupImport, "Action_GroupImport", 22, "グループのインポート", "", "", E::Always},
    {A::GroupExport, "Action_GroupExport", 23, "グループのエクスポート", "", "", E::GroupSelected},
    {A::GroupAdd, "Action_GroupAdd", 24, "グループ追加", "", "", E::Always},
    {A::GroupInsert, "Action_GroupInsert", 25, "グループ挿入", "", "", E::GroupSelected},
    {A::GroupDel, "Action_GroupDel", 26, "グループ削除", "", "", E::GroupSelected},
    {A::GroupMultiDelete, "Action_GroupMultiDelete", 0, "グループまとめて削除", "まとめて削除（グループ）", "",
     E::Always},
    {A::GroupEdit, "Action_GroupEdit", 27, "クループ項目編集", "", "", E::GroupSelected},
    {A::GroupCopy, "Action_GroupCopy", 28, "グループをコピー", "", "", E::GroupSelected},
    {A::EditorEdit_Group, "Action_EditorEdit_Group", 29, "グループ独自のエディタ設定", "", "", E::GroupSelected},
    {A::GroupMoveOneUp, "Action_GroupMoveOneUp", 30, "一つ上へ", "グループを一つ上へ", "", E::GroupNotTop},
    {A::GroupMoveOneDown, "Action_GroupMoveOneDown", 31, "一つ下へ", "グループを一つ下へ", "", E::GroupNotBottom},
    {A::GroupTitleStyleClear, "Action_GroupTitleStyleClear", 32, "グループ名書式リセット", "", "", E::AnyGroup},
    {A::ReOpenGroup, "Action_ReOpenGroup", 33, "開き直す", "開き直す（グループ）", "", E::ItemSelected},
    {A::ItemAdd, "Action_ItemAdd", 34, "アイテム追加", "", "", E::GroupSelected},
    {A::ItemInsert, "Action_ItemInsert", 35, "アイテム挿入", "", "", E::ItemSelected},
    {A::ItemDel, "Action_ItemDel", 36, "アイテム削除", "", "", E::ItemSelected},
    {A::ItemMultiDelete, "Action_ItemMultiDelete", 0, "アイテムまとめて削除", "まとめて削除（アイテム）", "",
     E::Always},
    {A::ItemEdit, "Action_ItemEdit", 37, "アイテム項目編集", "", "", E::ItemSelected},
    {A::ItemCopy, "Action_ItemCopy", 38, "アイテムをコピー", "", "", E::ItemSelected},
    {A::ItemTitleStyleClear, "Action_ItemTitleStyleClear", 39, "アイテム名書式リセット", "", "", E::GroupSelected},
    {A::ReOpenItem, "Action_ReOpenItem", 40, "開き直す", "開き直す（アイテム）", "", E::ItemSelected},
    {A::ItemMoveOneUp, "Action_ItemMoveOneUp", 41, "一つ上へ", "アイテムを一つ上へ", "", E::ItemNotTop},
    {A::ItemMoveOneDown, "Action_ItemMoveOneDown", 42, "一つ下へ", "アイテムを一つ下へ", "", E::ItemNotBottom},
    {A::AddFile, "Action_AddFile", 43, "ファイルから追加", "", "", E::GroupSelected},
    {A::SaveToFile, "Action_SaveToFile", 44, "名前を付けて保存", "", "Ctrl+S", E::ItemSelected},
    {A::WordWrap_Non, "Action_WordWrap_Non", 48, "折り返さない", "", "", E::Always},
    {A::WordWrap_User, "Action_WordWrap_User", 49, "指定行で折り返し", "", "", E::Always},
    {A::WordWrap_Width, "Action_WordWrap_Width", 50, "右端で折り返し", "", "", E::Always},
    {A::PrintGroupItems, "Action_PrintGroupItems", 20, "まとめて印刷", "", "", E::GroupWithItems},
    {A::SaveToFile_GroupItems, "Action_SaveToFile_GroupItems", 45, "まとめて保存", "", "", E::GroupWithItems},
    {A::OpenFormEditor, "Action_OpenFormEditor", 46, "エディタで開く", "", "", E::ItemSelected},
    {A::OpenFormEditor_GroupItems, "Action_OpenFormEditor_GroupItems", 47, "まとめてエディタで開く", "", "",
     E::GroupWithItems},
    {A::ItemNameFromText, "Action_ItemNameFromText", 51, "最初の行からアイテム名",
     "テキスト最初の有効行からアイテム名を付ける", "", E::ItemSelected},
    {A::ItemNameFromSelText, "Action_ItemNameFromSelText", 52, "選択文字列からアイテム名",
     "選択文字列をアイテム名にする", "", E::SelectionNotEmpty},
    {A::EditEditor_TimeOpen, "Action_EditEditor_TimeOpen", 0, "カスタマイズ", "タイムスタンプの設定", "", E::Always},
}};

constexpr bool InListOrder() {
  for (int k = 0; k < kActionCount; ++k)
    if (static_cast<int>(kTable[static_cast<size_t>(k)].id) != k) return false;
  return true;
}
static_assert(InListOrder(), "the action table must follow the action list's order");
}  // namespace

const std::array<ActionSpec, kActionCount>& ActionTable() { return kTable; }

bool IsEnabled(Enabling rule, const ActionConditions& c) {
  const bool g = c.groupIndex >= 0;
  const bool i = c.itemIndex >= 0;
  switch (rule) {
    case Enabling::Always: return true;
    case Enabling::GroupSelected: return g;
    case Enabling::ItemSelected: return i;
    case Enabling::SelectionNotEmpty: return c.selLength > 0;
    case Enabling::GroupWithItems: return g && c.itemCount > 0;
    case Enabling::AnyGroup: return c.groupCount > 0;
    case Enabling::GroupNotTop: return g && c.groupIndex != 0;
    case Enabling::GroupNotBottom: return g && c.groupIndex != c.groupCount - 1;
    case Enabling::ItemNotTop: return i && c.itemIndex != 0;
    case Enabling::ItemNotBottom: return i && c.itemIndex != c.itemCount - 1;
    case Enabling::CanBack: return c.canBack;
    case Enabling::CanForward: return c.canForward;
    case Enabling::ItemCanUndo: return i && c.canUndo;
    case Enabling::ItemCanRedo: return i && c.canRedo;
  }
  return false;
}

void ListActionHints(std::vector<std::string>& list) {
  list.clear();
  for (const ActionSpec& a : ActionTable()) list.emplace_back(a.Hint());
}

}  // namespace mainwin
