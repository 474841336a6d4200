// The main window's commands: the actions' handlers, and the commands that change the group and
// item lists as lists (add, insert, delete one or several, copy, move, edit, reset styles, name
// from text), with the stores, lists, editor and history they touch, in their order.
#include <exception>

#include "codec/cp932.h"
#include "mainwin/mainform.h"

namespace mainwin {

namespace {
constexpr const char* kNewGroupName = "\x90\x56\x8B\x4B\x83\x4F\x83\x8B\x81\x5B\x83\x76";  // 新規グループ
constexpr const char* kNewItemName = "\x90\x56\x8B\x4B\x83\x41\x83\x43\x83\x65\x83\x80";   // 新規アイテム
constexpr int kWholeGroup = store::THistoryCollection::kWholeGroup;

// Sets a flag for a scope and clears it on every way out.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

std::string NameForMessage(const std::string& cp932) { return codec::Cp932ToUtf8(cp932); }
}  // namespace

// ---- dispatch

bool MainFormCore::HasHandler(ActionId id) {
  switch (id) {
    case ActionId::Find:
    case ActionId::FindFw:
    case ActionId::FindBk:
    case ActionId::Replace:
    case ActionId::Print:
    case ActionId::PrintGroupItems:
    case ActionId::Close:
    case ActionId::GroupImport:
    case ActionId::GroupExport:
    case ActionId::AddFile:
    case ActionId::SaveToFile:
    case ActionId::SaveToFile_GroupItems:
    case ActionId::OpenFormEditor:
    case ActionId::OpenFormEditor_GroupItems: return false;
    default: return true;
  }
}

bool MainFormCore::Execute(ActionId id) {
  switch (id) {
    case ActionId::SelectAll: Action_SelectAllExecute(); break;
    case ActionId::Copy: Action_CopyExecute(); break;
    case ActionId::Cut: Action_CutExecute(); break;
    case ActionId::Paste: Action_PasteExecute(); break;
    case ActionId::PasteBox: Action_PasteBoxExecute(); break;
    case ActionId::DelLine: Action_DelLineExecute(); break;
    case ActionId::insert: Action_insertExecute(); break;
    case ActionId::Undo: Action_UndoExecute(); break;
    case ActionId::Redo: Action_RedoExecute(); break;
    case ActionId::HistoryBk: Action_HistoryBkExecute(); break;
    case ActionId::HistoryFw: Action_HistoryFwExecute(); break;
    case ActionId::TimeStamp: Action_TimeStampExecute(); break;
    case ActionId::ReadOnly: Action_ReadOnlyExecute(); break;
    case ActionId::EditEditor: Action_EditEditorExecute(); break;
    case ActionId::EditEditor_TimeOpen: Action_EditEditor_TimeOpenExecute(); break;
    case ActionId::EditorEdit_Group: Action_EditorEdit_GroupExecute(); break;
    case ActionId::WordWrap_Non:
    case ActionId::WordWrap_User:
    case ActionId::WordWrap_Width: Action_WordWrap_NonExecute(Spec(id).tag); break;
    case ActionId::GroupAdd: Action_GroupAddExecute(); break;
    case ActionId::GroupInsert: Action_GroupInsertExecute(); break;
    case ActionId::GroupDel: Action_GroupDelExecute(); break;
    case ActionId::GroupMultiDelete: Action_GroupMultiDeleteExecute(); break;
    case ActionId::GroupEdit: Action_GroupEditExecute(); break;
    case ActionId::GroupCopy: Action_GroupCopyExecute(); break;
    case ActionId::GroupMoveOneUp: Action_GroupMoveOneUpExecute(); break;
    case ActionId::GroupMoveOneDown: Action_GroupMoveOneDownExecute(); break;
    case ActionId::GroupTitleStyleClear: Action_GroupTitleStyleClearExecute(); break;
    case ActionId::ReOpenGroup: Action_ReOpenGroupExecute(); break;
    case ActionId::ItemAdd: Action_ItemAddExecute(); break;
    case ActionId::ItemInsert: Action_ItemInsertExecute(); break;
    case ActionId::ItemDel: Action_ItemDelExecute(); break;
    case ActionId::ItemMultiDelete: Action_ItemMultiDeleteExecute(); break;
    case ActionId::ItemEdit: Action_ItemEditExecute(); break;
    case ActionId::ItemCopy: Action_ItemCopyExecute(); break;
    case ActionId::ItemTitleStyleClear: Action_ItemTitleStyleClearExecute(); break;
    case ActionId::ReOpenItem: Action_ReOpenItemExecute(); break;
    case ActionId::ItemMoveOneUp: Action_ItemMoveOneUpExecute(); break;
    case ActionId::ItemMoveOneDown: Action_ItemMoveOneDownExecute(); break;
    case ActionId::ItemNameFromText: Action_ItemNameFromTextExecute(); break;
    case ActionId::ItemNameFromSelText: Action_ItemNameFromSelTextExecute(); break;
    default: return false;
  }
  return true;
}

// ---- editing and settings

void MainFormCore::Action_PasteBoxExecute() { editor_.ExecuteMenu(editor::MenuAction::PasteBox); }

void MainFormCore::EditSettingsGlobal(int page) {
  const store::TColor oldGroup = main_.GroupFontColor;
  const store::TColor oldItem = main_.ItemFontColor;
  if (host_.RunEditorSettings(page, false)) ReplaceListColors(oldGroup, oldItem);
}

void MainFormCore::Action_EditorEdit_GroupExecute() {
  if (group_list_.ItemIndex() < 0) return;
  host_.RunEditorSettings(kSettingsDefaultPage, true);
  UpdateWrapState();
}

void MainFormCore::ReplaceListColors(store::TColor oldGroupColour, store::TColor oldItemColour) {
  groups_->ReplaceColor(oldGroupColour, main_.GroupFontColor);
  items_->ReplaceColor(oldItemColour, main_.ItemFontColor);
  RepaintLists();
}

void MainFormCore::RepaintLists() {
  for (ListBoxKor* list : {&group_list_, &item_list_})
    if (list->View()) list->View()->Repaint();
}

void MainFormCore::WithinLists(const std::function<void()>& fn) {
  SuppressGroupClick = true;
  SuppressItemClick = true;
  try {
    fn();
  } catch (const std::exception& e) {
    SuppressGroupClick = SuppressItemClick = false;
    host_.ShowError(e.what());
    return;
  }
  SuppressGroupClick = SuppressItemClick = false;
}

// ---- adding

void MainFormCore::Action_GroupInsertExecute() {
  const int g = group_list_.ItemIndex();
  AddGroupEntry(g, g);
}

void MainFormCore::AddGroupEntry(int newIndex, int current) {
  EntryFields f{kNewGroupName, main_.GroupFontColor, 0};
  if (!host_.RunEntryDialog("グループ追加", f)) return;
  const int item = item_list_.ItemIndex();
  StoreEditorIntoItem(item, false);
  if (current >= 0 && !SaveItemsOf(current)) {
    // The items in memory are the only copy of that group (an insert would empty them).
    LoadItemIntoEditor(item);
    return;
  }
  FlagScope suppress(SuppressStore);
  try {
    const int s = groups_->Add(newIndex, current, f.style, f.colour, f.name);
    if (s < 0) return;
    const int position = groups_->DisplayIndexOf(s);
    groups_->SelIndex = position;
    // Groups below an inserted one moved down a place in the history too.
    RecordHistoryInsert(position, kWholeGroup);
    if (position == current) {
      item_list_.Clear();
      ClearEditor();
    }
    RefreshGroupList(-1);
    GroupSettings().Enabled = false;
    ApplyEditorSettings();
  } catch (const std::exception& e) {
    host_.ShowError(e.what());
  }
}

void MainFormCore::Action_ItemAddExecute() { AddItemEntry(true, items_->Count(), kNewItemName); }

void MainFormCore::Action_ItemInsertExecute() {
  const int g = group_list_.ItemIndex();
  const int i = item_list_.ItemIndex();
  if (g < 0 || i < 0) return;
  history_.PushBack(g, i);
  UpdateHistoryActions();
  AddItemEntry(true, i, kNewItemName);
}

bool MainFormCore::AddItemEntry(bool ask, int newIndex, const std::string& defaultName) {
  const int g = group_list_.ItemIndex();
  if (g < 0) return false;
  EntryFields f{defaultName, main_.ItemFontColor, 0};
  if (ask && !host_.RunEntryDialog("アイテム追加", f)) return false;
  RecordHistoryInsert(g, newIndex);
  StoreEditorIntoItem(item_list_.ItemIndex(), false);
  const int s = items_->Add(newIndex, -1, f.style, f.colour, f.name);
  if (s < 0) return false;
  const int position = items_->DisplayIndexOf(s);
  {
    FlagScope suppress(SuppressStore);
    ReloadItemList(position);
    items_->SelIndex = position;
  }
  host_.SetEditorEnabled(true);
  return true;
}

// ---- deleting

void MainFormCore::Action_GroupDelExecute() {
  const int g = group_list_.ItemIndex();
  if (g < 0 || g >= groups_->Count()) return;
  const std::string name = NameForMessage(groups_->EntryAt(g).Name);
  if (!host_.Ask({"グループの削除", "グループ：　" + name + "　を削除します", BoxIcon::Warning})) return;
  history_.NoteDelete(g, kWholeGroup);
  groups_->Delete(g);
  group_list_.RemoveItem(g);
  AfterGroupsDeleted();
}

void MainFormCore::AfterGroupsDeleted() {
  SuppressGroupClick = true;
  groups_->SelIndex = -1;
  group_list_.SetItemIndex(-1);
  // The notification took the flag; when none came it must not swallow the user's next click.
  SuppressGroupClick = false;
  group_list_.SetPrevIndex(-1);
  item_list_.Clear();
  ClearEditor();
  RefreshGroupList(-1);
  UpdateHistoryActions();
  host_.SetEditorEnabled(false);
}

void MainFormCore::Action_ItemDelExecute() {
  const int g = group_list_.ItemIndex();
  const int i = item_list_.ItemIndex();
  if (i < 0 || i >= items_->Count()) return;
  const std::string name = NameForMessage(items_->EntryAt(i).Name);
  if (!host_.Ask({"アイテムの削除", "アイテム：　" + name + "　を削除します", BoxIcon::Warning})) return;
  history_.NoteDelete(g, i);
  items_->Delete(i);
  item_list_.RemoveItem(i);
  AfterItemsDeleted();
}

void MainFormCore::AfterItemsDeleted() {
  SuppressItemClick = true;
  ClearEditor();
  items_->SelIndex = -1;
  item_list_.SetItemIndex(-1);
  SuppressItemClick = false;
  item_list_.SetPrevIndex(-1);
  UpdateHistoryActions();
  host_.SetEditorEnabled(false);
}

namespace {
const Question kMultiDeleteConfirmation{"複数削除の確認", "本当にいいですか？", BoxIcon::Information};
}

void MainFormCore::Action_GroupMultiDeleteExecute() {
  const std::vector<std::string> names = groups_->RefreshNameStrings();
  std::vector<int> selected;
  if (!host_.RunMultiDeleteDialog(names, selected)) return;
  const std::vector<int> order = DeletionOrder(std::move(selected), groups_->Count());
  if (order.empty() || !host_.Ask(kMultiDeleteConfirmation)) return;
  // Deleting any group empties the item list in memory, so the open group's work goes to its
  // file first, also when that group stays.
  if (!SaveOpenGroup()) return;
  for (int p : order) {
    history_.NoteDelete(p, kWholeGroup);
    groups_->Delete(p);
    group_list_.RemoveItem(p);
  }
  AfterGroupsDeleted();
}

void MainFormCore::Action_ItemMultiDeleteExecute() {
  const int g = group_list_.ItemIndex();
  const std::vector<std::string> names = items_->RefreshNameStrings();
  std::vector<int> selected;
  if (!host_.RunMultiDeleteDialog(names, selected)) return;
  const std::vector<int> order = DeletionOrder(std::move(selected), items_->Count());
  if (order.empty() || !host_.Ask(kMultiDeleteConfirmation)) return;
  // The editor is emptied afterwards: what was typed into an item that stays goes into its record.
  StoreEditorIntoItem(item_list_.ItemIndex(), false);
  for (int p : order) {
    history_.NoteDelete(g, p);
    items_->Delete(p);
    item_list_.RemoveItem(p);
  }
  AfterItemsDeleted();
}

// ---- copying and moving

void MainFormCore::Action_GroupCopyExecute() {
  const int g = group_list_.ItemIndex();
  if (g < 0) return;
  const int item = item_list_.ItemIndex();
  WithinLists([&] { CopyGroupEntry(item, g, g); });
}

void MainFormCore::Action_ItemCopyExecute() {
  const int i = item_list_.ItemIndex();
  if (i < 0) return;
  WithinLists([&] { CopyItemEntry(i, i); });
}

void MainFormCore::MoveEntryUp(int listTag, int i) {
  if (i <= 0) return;
  const bool group = listTag == kGroupListTag;
  if (i >= (group ? groups_->Count() : items_->Count())) return;
  WithinLists([&] { group ? MoveGroupWithin(i, i - 1) : MoveItemWithin(i, i - 1); });
}

void MainFormCore::MoveEntryDown(int listTag, int i) {
  const bool group = listTag == kGroupListTag;
  if (i < 0 || i >= (group ? groups_->Count() : items_->Count()) - 1) return;
  WithinLists([&] { group ? MoveGroupWithin(i, i + 1) : MoveItemWithin(i, i + 1); });
}

// ---- editing entries

void MainFormCore::EditEntry(int listTag) {
  const bool group = listTag == kGroupListTag;
  ListBoxKor& list = group ? group_list_ : item_list_;
  store::TRootComponent& entries = group ? static_cast<store::TRootComponent&>(*groups_) : *items_;
  const int p = list.ItemIndex();
  if (p < 0 || p >= entries.Count()) return;
  const store::EntryAttributes a = entries.GetEntry(p);
  EntryFields f{a.name, a.colour, a.style};
  if (!host_.RunEntryDialog(group ? "グループ編集" : "アイテム編集", f)) return;
  entries.SetEntry(p, f.name, f.style, f.colour);
  if (group) {
    RefreshGroupList(p);
  } else {
    RefillItemList(p);
  }
  RepaintLists();
}

void MainFormCore::Action_GroupTitleStyleClearExecute() {
  if (!host_.Ask({"タイトル表示設定のリセット", "グループ名の表示書式をすべてクリアします", BoxIcon::Question})) return;
  groups_->ResetStyles(main_.GroupFontColor);
  RepaintLists();
}

void MainFormCore::Action_ItemTitleStyleClearExecute() {
  if (!host_.Ask({"タイトル表示設定のリセット", "選択グループ内の全アイテム名の表示書式をすべてクリアします",
                  BoxIcon::Question}))
    return;
  items_->ResetStyles(main_.ItemFontColor);
  RepaintLists();
}

void MainFormCore::RenameSelectedItem(const std::string& name) {
  const int i = item_list_.ItemIndex();
  if (i < 0 || i >= items_->Count()) return;
  const store::EntryAttributes a = items_->GetEntry(i);
  items_->SetEntry(i, name, a.style, a.colour);
  RefillItemList(i);
}

void MainFormCore::Action_ItemNameFromTextExecute() {
  if (item_list_.ItemIndex() < 0) return;
  editor::TEditorStrings& lines = editor_.Lines();
  if (auto name = NameFromLines(lines.Count(), [&lines](int k) { return lines.Get(k); })) RenameSelectedItem(*name);
}

void MainFormCore::Action_ItemNameFromSelTextExecute() {
  if (item_list_.ItemIndex() < 0) return;
  if (auto name = NameFromSelection(editor_.SelText())) RenameSelectedItem(*name);
}

}  // namespace mainwin
