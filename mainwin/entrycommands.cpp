// The entry commands, with the stores, lists, editor and history they touch, in their order.
#include "mainwin/entrycommands.h"

#include <exception>

#include "codec/cp932.h"

namespace mainwin {

namespace {
constexpr const char* kNewGroupName = "\x90\x56\x8B\x4B\x83\x4F\x83\x8B\x81\x5B\x83\x76";  // 新規グループ
constexpr const char* kNewItemName = "\x90\x56\x8B\x4B\x83\x41\x83\x43\x83\x65\x83\x80";   // 新規アイテム
constexpr int kWholeGroup = store::THistoryCollection::kWholeGroup;

std::string NameForMessage(const std::string& cp932) { return codec::Cp932ToUtf8(cp932); }
}  // namespace

void EntryCommands::Register(CommandTable& t) {
  t.Register(ActionId::GroupAdd, [this] { AddGroupEntry(s_.Groups().Count(), host_.OpenGroup()); });
  t.Register(ActionId::GroupInsert, [this] { InsertGroup(); });
  t.Register(ActionId::GroupDel, [this] { DeleteGroup(); });
  t.Register(ActionId::GroupMultiDelete, [this] { DeleteGroups(); });
  t.Register(ActionId::GroupEdit, [this] { EditEntry(kGroupListTag); });
  t.Register(ActionId::GroupCopy, [this] { CopyGroup(); });
  t.Register(ActionId::GroupMoveOneUp, [this] { MoveEntryUp(kGroupListTag, host_.OpenGroup()); });
  t.Register(ActionId::GroupMoveOneDown, [this] { MoveEntryDown(kGroupListTag, host_.OpenGroup()); });
  t.Register(ActionId::GroupTitleStyleClear, [this] { ClearGroupStyles(); });
  t.Register(ActionId::ItemAdd, [this] { AddItemEntry(true, s_.Items().Count(), kNewItemName); });
  t.Register(ActionId::ItemInsert, [this] { InsertItem(); });
  t.Register(ActionId::ItemDel, [this] { DeleteItem(); });
  t.Register(ActionId::ItemMultiDelete, [this] { DeleteItems(); });
  t.Register(ActionId::ItemEdit, [this] { EditEntry(kItemListTag); });
  t.Register(ActionId::ItemCopy, [this] { CopyItem(); });
  t.Register(ActionId::ItemMoveOneUp, [this] { MoveEntryUp(kItemListTag, host_.OpenItem()); });
  t.Register(ActionId::ItemMoveOneDown, [this] { MoveEntryDown(kItemListTag, host_.OpenItem()); });
  t.Register(ActionId::ItemTitleStyleClear, [this] { ClearItemStyles(); });
  t.Register(ActionId::ItemNameFromText, [this] { NameItemFromText(); });
  t.Register(ActionId::ItemNameFromSelText, [this] { NameItemFromSelection(); });
}

// ---- adding

void EntryCommands::InsertGroup() {
  const int g = host_.OpenGroup();
  AddGroupEntry(g, g);
}

void EntryCommands::AddGroupEntry(int newIndex, int current) {
  EntryFields f{kNewGroupName, s_.MainData().GroupFontColor, 0};
  if (!host_.RunEntryDialog("グループ追加", f)) return;
  const int item = host_.OpenItem();
  s_.StoreEditorIntoItem(item, false);
  if (current >= 0 && !s_.SaveItemsOf(current)) {
    // The items in memory are the only copy of that group (an insert would empty them).
    s_.LoadItemIntoEditor(item);
    return;
  }
  const Session::Hold hold = s_.HoldStore();
  try {
    const int s = s_.Groups().Add(newIndex, current, f.style, f.colour, f.name);
    if (s < 0) return;
    const int position = s_.Groups().DisplayIndexOf(s);
    s_.Groups().SelIndex = position;
    // Groups below an inserted one moved down a place in the history too.
    s_.RecordHistoryInsert(position, kWholeGroup);
    if (position == current) {
      host_.ItemList().Clear();
      s_.ClearEditor();
    }
    host_.RefreshGroupList(-1);
    s_.GroupSettings().Enabled = false;
    host_.ApplyEditorSettings();
  } catch (const std::exception& e) {
    host_.ShowError(e.what());
  }
}

void EntryCommands::InsertItem() {
  const int g = host_.OpenGroup();
  const int i = host_.OpenItem();
  if (g < 0 || i < 0) return;
  s_.History().PushBack(g, i);
  s_.HistoryChanged();
  AddItemEntry(true, i, kNewItemName);
}

bool EntryCommands::AddItemEntry(bool ask, int newIndex, const std::string& defaultName) {
  const int g = host_.OpenGroup();
  if (g < 0) return false;
  EntryFields f{defaultName, s_.MainData().ItemFontColor, 0};
  if (ask && !host_.RunEntryDialog("アイテム追加", f)) return false;
  s_.RecordHistoryInsert(g, newIndex);
  s_.StoreEditorIntoItem(host_.OpenItem(), false);
  const int s = s_.Items().Add(newIndex, -1, f.style, f.colour, f.name);
  if (s < 0) return false;
  const int position = s_.Items().DisplayIndexOf(s);
  {
    const Session::Hold hold = s_.HoldStore();
    host_.ReloadItemList(position);
    s_.Items().SelIndex = position;
  }
  host_.SetEditorEnabled(true);
  return true;
}

// ---- deleting

void EntryCommands::DeleteGroup() {
  const int g = host_.OpenGroup();
  if (g < 0 || g >= s_.Groups().Count()) return;
  const std::string name = NameForMessage(s_.Groups().EntryAt(g).Name);
  if (!host_.Ask({"グループの削除", "グループ：　" + name + "　を削除します", BoxIcon::Warning})) return;
  s_.History().NoteDelete(g, kWholeGroup);
  s_.DeleteGroup(g);
  host_.GroupList().RemoveItem(g);
  host_.AfterGroupsDeleted();
}

void EntryCommands::DeleteItem() {
  const int g = host_.OpenGroup();
  const int i = host_.OpenItem();
  if (i < 0 || i >= s_.Items().Count()) return;
  const std::string name = NameForMessage(s_.Items().EntryAt(i).Name);
  if (!host_.Ask({"アイテムの削除", "アイテム：　" + name + "　を削除します", BoxIcon::Warning})) return;
  s_.History().NoteDelete(g, i);
  s_.Items().Delete(i);
  host_.ItemList().RemoveItem(i);
  host_.AfterItemsDeleted();
}

namespace {
const Question kMultiDeleteConfirmation{"複数削除の確認", "本当にいいですか？", BoxIcon::Information};
}

void EntryCommands::DeleteGroups() {
  const std::vector<std::string> names = s_.Groups().RefreshNameStrings();
  std::vector<int> selected;
  if (!host_.RunMultiDeleteDialog(names, selected)) return;
  const std::vector<int> order = DeletionOrder(std::move(selected), s_.Groups().Count());
  if (order.empty() || !host_.Ask(kMultiDeleteConfirmation)) return;
  // Deleting any group empties the item list in memory, so the open group's work goes to its
  // file first, also when that group stays.
  if (!s_.SaveGroup(host_.OpenGroup(), host_.OpenItem())) return;
  for (int p : order) {
    s_.History().NoteDelete(p, kWholeGroup);
    s_.DeleteGroup(p);
    host_.GroupList().RemoveItem(p);
  }
  host_.AfterGroupsDeleted();
}

void EntryCommands::DeleteItems() {
  const int g = host_.OpenGroup();
  const std::vector<std::string> names = s_.Items().RefreshNameStrings();
  std::vector<int> selected;
  if (!host_.RunMultiDeleteDialog(names, selected)) return;
  const std::vector<int> order = DeletionOrder(std::move(selected), s_.Items().Count());
  if (order.empty() || !host_.Ask(kMultiDeleteConfirmation)) return;
  // The editor is emptied afterwards: what was typed into an item that stays goes into its record.
  s_.StoreEditorIntoItem(host_.OpenItem(), false);
  for (int p : order) {
    s_.History().NoteDelete(g, p);
    s_.Items().Delete(p);
    host_.ItemList().RemoveItem(p);
  }
  host_.AfterItemsDeleted();
}

// ---- copying and moving

void EntryCommands::CopyGroup() {
  const int g = host_.OpenGroup();
  if (g < 0) return;
  const int item = host_.OpenItem();
  host_.WithinLists([&] { CopyGroupEntry(item, g, g); });
}

void EntryCommands::CopyItem() {
  const int i = host_.OpenItem();
  if (i < 0) return;
  host_.WithinLists([&] { CopyItemEntry(i, i); });
}

void EntryCommands::MoveEntryUp(int listTag, int i) {
  if (i <= 0) return;
  const bool group = listTag == kGroupListTag;
  if (i >= (group ? s_.Groups().Count() : s_.Items().Count())) return;
  host_.WithinLists([&] { group ? MoveGroupWithin(i, i - 1) : MoveItemWithin(i, i - 1); });
}

void EntryCommands::MoveEntryDown(int listTag, int i) {
  const bool group = listTag == kGroupListTag;
  if (i < 0 || i >= (group ? s_.Groups().Count() : s_.Items().Count()) - 1) return;
  host_.WithinLists([&] { group ? MoveGroupWithin(i, i + 1) : MoveItemWithin(i, i + 1); });
}

// ---- editing entries

void EntryCommands::EditEntry(int listTag) {
  const bool group = listTag == kGroupListTag;
  ListBoxKor& list = group ? host_.GroupList() : host_.ItemList();
  store::TRootComponent& entries = group ? static_cast<store::TRootComponent&>(s_.Groups()) : s_.Items();
  const int p = list.ItemIndex();
  if (p < 0 || p >= entries.Count()) return;
  const store::EntryAttributes a = entries.GetEntry(p);
  EntryFields f{a.name, a.colour, a.style};
  if (!host_.RunEntryDialog(group ? "グループ編集" : "アイテム編集", f)) return;
  entries.SetEntry(p, f.name, f.style, f.colour);
  if (group) {
    host_.RefreshGroupList(p);
  } else {
    host_.RefillItemList(p);
  }
  host_.RepaintLists();
}

void EntryCommands::ClearGroupStyles() {
  if (!host_.Ask({"タイトル表示設定のリセット", "グループ名の表示書式をすべてクリアします", BoxIcon::Question})) return;
  s_.Groups().ResetStyles(s_.MainData().GroupFontColor);
  host_.RepaintLists();
}

void EntryCommands::ClearItemStyles() {
  if (!host_.Ask({"タイトル表示設定のリセット", "選択グループ内の全アイテム名の表示書式をすべてクリアします",
                  BoxIcon::Question}))
    return;
  s_.Items().ResetStyles(s_.MainData().ItemFontColor);
  host_.RepaintLists();
}

void EntryCommands::RenameSelectedItem(const std::string& name) {
  const int i = host_.OpenItem();
  if (i < 0 || i >= s_.Items().Count()) return;
  const store::EntryAttributes a = s_.Items().GetEntry(i);
  s_.Items().SetEntry(i, name, a.style, a.colour);
  host_.RefillItemList(i);
}

void EntryCommands::NameItemFromText() {
  if (host_.OpenItem() < 0) return;
  editor::TEditorStrings& lines = s_.Editor().Lines();
  if (auto name = NameFromLines(lines.Count(), [&lines](int k) { return lines.Get(k); })) RenameSelectedItem(*name);
}

void EntryCommands::NameItemFromSelection() {
  if (host_.OpenItem() < 0) return;
  if (auto name = NameFromSelection(s_.Editor().SelText())) RenameSelectedItem(*name);
}

// ---- dragging entries

void EntryCommands::DropEntry(int sourceTag, int targetTag, int target, bool ctrl) {
  if (target == -1 || !AcceptsEntryDrop(sourceTag, targetTag)) return;
  if (sourceTag == kItemListTag && targetTag == kGroupListTag) {
    const int s = host_.OpenItem();
    if (s < 0 || target >= s_.Groups().Count()) return;
    ItemToOtherGroup(s, target, !ctrl, true);
    return;
  }
  ListBoxKor& list = sourceTag == kGroupListTag ? host_.GroupList() : host_.ItemList();
  const int s = list.ItemIndex();
  if (s < 0 || target >= list.Count()) return;
  host_.WithinLists([&] {
    if (sourceTag == kGroupListTag) {
      if (ctrl) {
        CopyGroupEntry(host_.OpenItem(), s, target);
      } else {
        MoveGroupWithin(s, target);
      }
    } else {
      if (ctrl) {
        CopyItemEntry(s, target);
      } else {
        MoveItemWithin(s, target);
      }
    }
  });
}

void EntryCommands::MoveGroupWithin(int s, int t) {
  s_.Groups().MoveEntry(s, t);
  s_.History().NoteMove(t, store::THistoryCollection::kWholeGroup, s, store::THistoryCollection::kWholeGroup);
  host_.GroupList().MoveItem(s, t);
  host_.GroupList().SetItemIndex(t);
}

void EntryCommands::MoveItemWithin(int s, int t) {
  const int g = host_.OpenGroup();
  s_.Items().MoveEntry(s, t);
  s_.History().NoteMove(g, t, g, s);
  host_.ItemList().MoveItem(s, t);
  host_.ItemList().SetItemIndex(t);
}

void EntryCommands::CopyGroupEntry(int item, int from, int to) {
  if (item >= 0 && item < s_.Items().Count()) s_.Items().SetText(s_.Editor().Text(), item);
  if (!s_.SaveItemsOf(from)) return;
  s_.Groups().CopyEntry(from, to);
  // Entries at and after the new position moved down one place.
  s_.History().NoteInsert(to, store::THistoryCollection::kWholeGroup);
  host_.RefreshGroupList(to);
}

void EntryCommands::CopyItemEntry(int from, int to) {
  s_.Items().SetText(s_.Editor().Text(), from);
  const int before = s_.Items().Count();
  s_.Items().CopyEntry(from, to);
  if (s_.Items().Count() != before + 1) return;
  const int copy = s_.Items().SelIndex;
  const int source = copy <= from ? from + 1 : from;
  // The copy carries the text itself, so it does not depend on the editor's modified flag
  // (which a read-only editor refuses).
  s_.Items().ItemAt(copy).ItemText = s_.Items().ItemAt(source).ItemText;
  s_.History().NoteInsert(host_.OpenGroup(), copy);
  host_.RefillItemList(copy);
  s_.Editor().SetModified(true);
}

void EntryCommands::ItemToOtherGroup(int s, int target, bool move, bool recordHistory) {
  const int g = host_.OpenGroup();
  if (target == g) {
    // The open group's file would be overwritten by the list in memory at the next save: a copy
    // goes straight into the open list; moving an item into its own group changes nothing.
    if (move) return;
    s_.StoreEditorIntoItem(s, true);
    const int sel = s_.Items().SelIndex;
    s_.Items().CopyItemTo(s_.Items(), s);
    s_.Items().SelIndex = sel;
    host_.RefillItemList(s);
    return;
  }
  s_.StoreEditorIntoItem(s, false);
  int n = -1;
  try {
    n = s_.CopyItemToGroup(target, s);
  } catch (const std::exception& e) {
    host_.ShowError(e.what());
    s_.LoadItemIntoEditor(s);
    return;
  }
  if (!move) {
    s_.LoadItemIntoEditor(s);
    return;
  }
  if (recordHistory) s_.RecordHistoryPosition(g, s);
  s_.History().NoteMove(target, n, g, s);
  // The items after it moved up one place in the group it left.
  s_.History().NoteDelete(g, s);
  s_.Items().Delete(s);
  host_.ItemList().RemoveItem(s);
  host_.AfterItemsDeleted();
}

std::vector<std::string> EntryCommands::MoveCopyTargets() { return s_.Groups().RefreshNameStrings(); }

void EntryCommands::MoveCopyItemToGroup(int target, bool move) {
  const int s = host_.OpenItem();
  if (s < 0 || target < 0 || target >= s_.Groups().Count()) return;
  ItemToOtherGroup(s, target, move, false);
}

}  // namespace mainwin
