// The main window's rules without a screen: it owns the data folder's records, the group and item
// lists and the history, keeps the two list controls' bookkeeping, and runs the cycle that binds
// the selected item to the editor (write-back, saving and loading item files, history, settings,
// wrap modes, status texts, time stamps, reopening, links, dragging entries). The Qt window
// implements MainFormHost and forwards its events here.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/editormodel.h"
#include "editorsettings/editorpropdat.h"
#include "editorsettings/timestamp.h"
#include "mainwin/actions.h"
#include "mainwin/commands.h"
#include "mainwin/damaged.h"
#include "mainwin/layout.h"
#include "mainwin/listbox.h"
#include "store/datafolder.h"
#include "store/entries.h"
#include "store/history.h"
#include "store/settings.h"

namespace mainwin {

enum class WrapMode { None, User, Width };

// What the rules need from the window besides the editor model and the two lists.
class MainFormHost {
 public:
  virtual ~MainFormHost() = default;
  // The editor control's whole width, whether it shows a vertical scroll bar now, and the
  // platform's vertical scroll-bar arrow height.
  virtual int EditorWidth() const = 0;
  virtual bool EditorVerticalBarShown() const = 0;
  virtual int ScrollBarArrowHeight() const = 0;
  virtual void SetEditorEnabled(bool on) = 0;
  // Checks the wrap mode's action and presses its tool button (exactly one is down).
  virtual void ShowWrapMode(WrapMode mode) = 0;
  virtual void SetActionEnabled(ActionId id, bool on) = 0;
  virtual void SetActionChecked(ActionId id, bool on) = 0;
  // Status bar panel 0..6; UTF-8.
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // The standard error box (UTF-8, may hold "\r\n").
  virtual void ShowError(const std::string& text) = 0;
  // A message box that asks; true for OK.
  virtual bool Ask(const Question& question) = 0;
  // The entry dialog with `caption` (UTF-8), opened on `fields` and filled back on OK.
  virtual bool RunEntryDialog(const std::string& caption, EntryFields& fields) = 0;
  // The multi-delete dialog over `names` (code page 932): true when the user pressed OK with at
  // least one entry selected; `selected` then holds their positions.
  virtual bool RunMultiDeleteDialog(const std::vector<std::string>& names, std::vector<int>& selected) = 0;
  // The editor settings dialog on the main editor, opened on `page` (kSettingsDefaultPage or a
  // page number plus one), for the open group's own settings when `perGroup`; true for OK.
  virtual bool RunEditorSettings(int page, bool perGroup) = 0;
  // Hands a link to the desktop ("OPEN").
  virtual void OpenLink(const std::string& target) = 0;
};

// One entry of the time-stamp menu (after its "カスタマイズ" entry and separator).
struct TimeStampMenuEntry {
  std::string caption;  // code page 932: the current date and time in that format
  int tag;              // position in the format list
  bool checked;         // the format the time-stamp command uses
};

// Mouse cursor the rules want over the editor; Editor leaves the editor's own.
enum class EditorCursor { Editor, IBeam, Hand, Arrow };

class MainFormCore {
 public:
  // `dataFolder` ends with "/". The editor model and the host outlive the core.
  MainFormCore(std::string dataFolder, editor::EditorModel& editor, MainFormHost& host);
  ~MainFormCore();
  MainFormCore(const MainFormCore&) = delete;
  MainFormCore& operator=(const MainFormCore&) = delete;

  // ---- run-time objects
  const store::DataFolder& Folder() const { return folder_; }
  store::TMainDataClass& MainData() { return main_; }
  store::TListDataClass& ListData() { return list_; }
  store::TRootComponent_Group& Groups() { return *groups_; }
  store::TRootComponent_Item& Items() { return *items_; }
  store::THistoryCollection& History() { return history_; }
  ListBoxKor& GroupList() { return group_list_; }
  ListBoxKor& ItemList() { return item_list_; }
  editor::EditorModel& Editor() { return editor_; }
  MainFormHost& Host() { return host_; }
  editorsettings::TEditorPropDat& GlobalSettings();
  editorsettings::TEditorPropDat& GroupSettings();
  // The open group's own settings when enabled, else the global ones.
  editorsettings::TEditorPropDat& ActiveSettings();

  // Window state flags (never stored).
  bool SuppressGroupClick = false;
  bool SuppressItemClick = false;
  bool SuppressStore = false;
  bool SuppressHistory = false;
  bool CtrlDown = false;

  // The clock of the time stamps (tests fix it).
  std::function<editorsettings::DateTime()> Clock = editorsettings::CurrentDateTime;

  // ---- lifecycle
  // Loads main.bin, list.bin, History.bin and group.bin. A file that fails to load is reported
  // once and start-up goes on with what was read.
  void FormCreate();
  // Fills the group list and opens the stored group and item, applies the editor settings, shows
  // the insert state and the history actions. (Shortcuts, fonts and the icon are the window's.)
  void FormShow();
  // Stores the geometry, saves group.bin and the open group's item file.
  void FormClose(const WindowGeometry& window, SplitSizes splits);
  // Saves main.bin, list.bin and History.bin.
  void FormDestroy();

  // ---- lists
  void RefreshGroupList(int sel);
  // Clear, put in the item store's names, select `sel` (a notification follows).
  void ReloadItemList(int sel);
  // Replace the names keeping PrevIndex and CurIndex, then select `sel`.
  void RefillItemList(int sel);
  // The lists' notifications.
  void GroupClick();
  void ItemClick();

  // ---- item editing
  // Returns false when the group being left could not be saved; the selection then stays on it.
  bool SwitchGroup(int g, int sel);
  void LoadItemIntoEditor(int i);
  void StoreEditorIntoItem(int i, bool keep);
  void RecordHistoryPosition(int g, int i);
  void RecordHistoryInsert(int g, int i);
  void ApplyEditorSettings();
  void UpdateWrapState();
  // Action_WordWrap_Non/User/Width by their tags 48, 49, 50.
  void WordWrapExecute(int tag);
  void ToggleInsert();
  void ToggleReadOnly();
  // Panel 2 and the insert action's check from the editor's overwrite mode.
  void ShowInsertState();

  // ---- time stamps
  std::vector<TimeStampMenuEntry> TimeStampMenu() const;
  void ChooseTimeStamp(int position) { main_.TimeIndex = position; }
  void InsertTimeStamp();

  // ---- history and reopening
  void HistoryBack() { HistoryStep(true); }
  void HistoryForward() { HistoryStep(false); }
  void ReOpenItem();
  void ReOpenGroup();
  void UpdateHistoryActions();

  // ---- the editor's mouse and keys
  // Wheel steps (positive: away from the user, i.e. up); one row each.
  void Wheel(int steps);
  void EditorMousePress(editor::MouseButton button, editor::Modifiers mods);
  void EditorKeyPress(editor::KeyCode key, editor::Modifiers mods);
  EditorCursor EditorMouseMove(int x, int y);
  // True when the double click opened a link or fell on the left margin (the editor does nothing).
  bool EditorDoubleClick(int x, int y);
  const std::string& LinkTarget() const { return link_target_; }

  // ---- dragging entries (the acceptance rules are in listbox.h)
  // Drops the source list's selected entry on entry `target` of the target list (-1: below the last).
  void DropEntry(int sourceTag, int targetTag, int target, bool ctrl);
  // The move/copy sub-menus: group names in list order; enabled while an item is selected.
  std::vector<std::string> MoveCopyTargets();
  bool MoveCopyEnabled() const { return item_list_.ItemIndex() >= 0; }
  void MoveCopyItemToGroup(int target, bool move);
  void CopyGroupEntry(int item, int from, int to);
  void CopyItemEntry(int from, int to);

  // ---- commands: the actions' handlers
  // Runs the handler of action `id`; false when the core has none for it (the window's own
  // commands, and those of find, print and file exchange).
  bool Execute(ActionId id);
  static bool HasHandler(ActionId id);

  void Action_SelectAllExecute() { editor_.SelectAll(); }
  void Action_CopyExecute() { editor_.CopyToClipboard(); }
  void Action_CutExecute() { editor_.CutToClipboard(); }
  void Action_PasteExecute() { editor_.PasteFromClipboard(); }
  // Box paste of the clipboard's text at the caret, whatever format it carries.
  void Action_PasteBoxExecute();
  void Action_DelLineExecute() { editor_.DeleteRow(editor_.Row()); }
  void Action_insertExecute() { ToggleInsert(); }
  void Action_UndoExecute() { editor_.Undo(); }
  void Action_RedoExecute() { editor_.Redo(); }
  void Action_TimeStampExecute() { InsertTimeStamp(); }
  void Action_ReadOnlyExecute() { ToggleReadOnly(); }
  // The three word-wrap commands, told apart by their tags.
  void Action_WordWrap_NonExecute(int tag) { WordWrapExecute(tag); }
  void Action_HistoryBkExecute() { HistoryBack(); }
  void Action_HistoryFwExecute() { HistoryForward(); }
  void Action_EditEditorExecute() { EditSettingsGlobal(kSettingsDefaultPage); }
  void Action_EditEditor_TimeOpenExecute() { EditSettingsGlobal(kSettingsTimeStampPage); }
  void Action_EditorEdit_GroupExecute();

  void Action_GroupAddExecute() { AddGroupEntry(groups_->Count(), group_list_.ItemIndex()); }
  void Action_GroupInsertExecute();
  void Action_GroupDelExecute();
  void Action_GroupMultiDeleteExecute();
  void Action_GroupEditExecute() { EditEntry(kGroupListTag); }
  void Action_GroupCopyExecute();
  void Action_GroupMoveOneUpExecute() { MoveEntryUp(kGroupListTag, group_list_.ItemIndex()); }
  void Action_GroupMoveOneDownExecute() { MoveEntryDown(kGroupListTag, group_list_.ItemIndex()); }
  void Action_GroupTitleStyleClearExecute();
  void Action_ReOpenGroupExecute() { ReOpenGroup(); }
  void Action_ItemAddExecute();
  void Action_ItemInsertExecute();
  void Action_ItemDelExecute();
  void Action_ItemMultiDeleteExecute();
  void Action_ItemEditExecute() { EditEntry(kItemListTag); }
  void Action_ItemCopyExecute();
  void Action_ItemTitleStyleClearExecute();
  void Action_ReOpenItemExecute() { ReOpenItem(); }
  void Action_ItemMoveOneUpExecute() { MoveEntryUp(kItemListTag, item_list_.ItemIndex()); }
  void Action_ItemMoveOneDownExecute() { MoveEntryDown(kItemListTag, item_list_.ItemIndex()); }
  void Action_ItemNameFromTextExecute();
  void Action_ItemNameFromSelTextExecute();

  // ---- entry commands
  // Asks for a new group and adds it at `newIndex`; `current` is the selected group. Inserting
  // (newIndex == current) gives the open, now emptied item list to the new group.
  void AddGroupEntry(int newIndex, int current);
  // Adds an item at `newIndex` of the open group, asking for its attributes when `ask`; the new
  // item is opened. False when cancelled or without an open group.
  bool AddItemEntry(bool ask, int newIndex, const std::string& defaultName);
  // The entry dialog on the selected entry of the list with `listTag`.
  void EditEntry(int listTag);
  void MoveEntryUp(int listTag, int i);
  void MoveEntryDown(int listTag, int i);
  // After a global run of the settings dialog closed with OK: entries drawn in a list's old
  // default colour follow the new one (the open group's items only), and both lists repaint.
  void ReplaceListColors(store::TColor oldGroupColour, store::TColor oldItemColour);

  // ---- action update (idle)
  ActionConditions Conditions() const;
  // Enabling of every action, panels 0, 1 and 4, the editor's enabled state.
  void UpdateActionStates();
  // Panels 5 and 6.
  void UpdateCaretStatus();
  void ActionListUpdate() {
    UpdateActionStates();
    UpdateCaretStatus();
  }
  std::string StatusText(int panel) const;

  // Saves the open group's items now (before group-level commands that read item files).
  bool SaveOpenGroup();
  // Before a command that reads the open group's item records: when FindWarning is on and the
  // editor holds changes, asks `question` ("データ保存の確認", OK/Cancel), false for Cancel; then
  // writes the editor back into the selected item and loads it again.
  bool StoreOpenItemAsking(const std::string& question);
  // The list texts of the selected group and item, empty when none is selected.
  std::string SelectedGroupName();
  std::string SelectedItemName();

 private:
  void HistoryStep(bool back);
  void EditSettingsGlobal(int page);
  // The bookkeeping after groups were removed from the list: nothing selected, lists and editor empty.
  void AfterGroupsDeleted();
  // After items were removed: editor cleared, nothing selected.
  void AfterItemsDeleted();
  // Runs `fn` with both lists' notifications swallowed (the changes select entries themselves);
  // the flags are cleared on every way out, a failure is reported.
  void WithinLists(const std::function<void()>& fn);
  // Names the selected item `name` keeping its colour and style.
  void RenameSelectedItem(const std::string& name);
  void RepaintLists();
  // Selects (g, i) through the lists; false with `missing` when the position does not exist.
  bool SelectPosition(int g, int i, bool& missing);
  void ItemToOtherGroup(int s, int target, bool move, bool recordHistory);
  void MoveGroupWithin(int s, int t);
  void MoveItemWithin(int s, int t);
  void ClearEditor();
  // Reports a load failure once per file and notes it as damaged.
  void LoadFailed(const std::string& file, const std::exception& e);
  template <class Fn>
  bool LoadReporting(const std::string& file, Fn fn);
  template <class Fn>
  bool SaveReporting(const std::string& file, Fn fn);
  bool LoadItemsOf(int g);
  bool SaveItemsOf(int g);

  store::DataFolder folder_;
  editor::EditorModel& editor_;
  MainFormHost& host_;
  store::TMainDataClass main_;
  store::TListDataClass list_;
  std::unique_ptr<store::TRootComponent_Item> items_;
  std::unique_ptr<store::TRootComponent_Group> groups_;
  store::THistoryCollection history_;
  ListBoxKor group_list_{kGroupListTag};
  ListBoxKor item_list_{kItemListTag};
  DamagedFiles damaged_{folder_};
  std::string link_target_;
};

// "%5d 行:%4d 桁" with the caret's display row and column, counted from 1.
std::string CaretStatusText(int row, int col);
// The right-edge wrap column: (editor width - gutter - c div 2 - v) div c; -1 when c is 0.
int WidthWrapByte(int editorWidth, int gutterWidth, int charWidth, int verticalArrow);

}  // namespace mainwin
