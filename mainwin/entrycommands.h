// The commands that change the group and item lists as lists: add, insert, delete one or several,
// copy, move one place, edit, reset styles, name an item from its text, drag an entry within a
// list or an item to another group, and the move/copy sub-menus.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "mainwin/commandhost.h"
#include "mainwin/commandtable.h"
#include "mainwin/listbox.h"
#include "mainwin/session.h"

namespace mainwin {

// The window's lists and dialogs as the entry commands change them.
class EntryHost : public CommandHost {
 public:
  virtual ListBoxKor& GroupList() = 0;
  virtual ListBoxKor& ItemList() = 0;
  // Fill the group list and select `sel` (-1: the stored selection); fill the item list anew or
  // keeping its bookkeeping, selecting `sel`.
  virtual void RefreshGroupList(int sel) = 0;
  virtual void ReloadItemList(int sel) = 0;
  virtual void RefillItemList(int sel) = 0;
  virtual void RepaintLists() = 0;
  // Runs `fn` with both lists' notifications swallowed (the change selects entries itself); a
  // failure is reported.
  virtual void WithinLists(const std::function<void()>& fn) = 0;
  // The bookkeeping after groups or items were removed: nothing selected, the editor empty.
  virtual void AfterGroupsDeleted() = 0;
  virtual void AfterItemsDeleted() = 0;
  virtual void ApplyEditorSettings() = 0;
  virtual void SetEditorEnabled(bool on) = 0;
  // The entry dialog with `caption` (UTF-8) on `fields`, filled back on OK.
  virtual bool RunEntryDialog(const std::string& caption, EntryFields& fields) = 0;
  // The multi-delete dialog over `names`: true for OK with a selection, its positions in `selected`.
  virtual bool RunMultiDeleteDialog(const std::vector<std::string>& names, std::vector<int>& selected) = 0;
};

class EntryCommands {
 public:
  EntryCommands(Session& session, EntryHost& host) : s_(session), host_(host) {}

  void Register(CommandTable& table);

  // Asks for a new group and adds it at `newIndex`; `current` is the selected group. Inserting
  // (newIndex == current) gives the open, now emptied item list to the new group.
  void AddGroupEntry(int newIndex, int current);
  // Adds an item at `newIndex` of the open group, asking for its attributes when `ask`; the new
  // item is opened. False when cancelled or without an open group.
  bool AddItemEntry(bool ask, int newIndex, const std::string& defaultName);
  void InsertGroup();
  void InsertItem();
  void DeleteGroup();
  void DeleteItem();
  void DeleteGroups();
  void DeleteItems();
  void CopyGroup();
  void CopyItem();
  // The entry dialog on the selected entry of the list with `listTag`.
  void EditEntry(int listTag);
  void MoveEntryUp(int listTag, int i);
  void MoveEntryDown(int listTag, int i);
  void ClearGroupStyles();
  void ClearItemStyles();
  void NameItemFromText();
  void NameItemFromSelection();

  // ---- dragging entries (the acceptance rules are in listbox.h)
  // Drops the source list's selected entry on entry `target` of the target list (-1: below the last).
  void DropEntry(int sourceTag, int targetTag, int target, bool ctrl);
  // The move/copy sub-menus: group names in list order; enabled while an item is selected.
  std::vector<std::string> MoveCopyTargets();
  bool MoveCopyEnabled() const { return host_.OpenItem() >= 0; }
  void MoveCopyItemToGroup(int target, bool move);

 private:
  void CopyGroupEntry(int item, int from, int to);
  void CopyItemEntry(int from, int to);
  void ItemToOtherGroup(int s, int target, bool move, bool recordHistory);
  void MoveGroupWithin(int s, int t);
  void MoveItemWithin(int s, int t);
  // Names the selected item `name` keeping its colour and style.
  void RenameSelectedItem(const std::string& name);

  Session& s_;
  EntryHost& host_;
};

}  // namespace mainwin
