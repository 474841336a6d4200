// The main window's own rules without a screen: the two list controls' bookkeeping and clicks
// (which switch groups and items through the session), the editor's presentation (settings, wrap
// mode, insert and read-only state, status panels, which actions are enabled), the editor's mouse
// and keys, and the order of the window's life (records loaded, shown, closed, saved). The data
// and the item cycle are the session's (session.h); the commands are in their modules, which see
// the window through the host interfaces implemented here. The Qt window implements MainFormHost
// and forwards its events here.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/editormodel.h"
#include "mainwin/actions.h"
#include "mainwin/commands.h"
#include "mainwin/editcommands.h"
#include "mainwin/entrycommands.h"
#include "mainwin/historycommands.h"
#include "mainwin/layout.h"
#include "mainwin/listbox.h"
#include "mainwin/session.h"
#include "mainwin/settingscommands.h"

namespace mainwin {

enum class WrapMode { None, User, Width };

// A close whose save failed: what the user chose.
enum class CloseChoice {
  Retry,              // save again (space was freed, the folder was made writable)
  SaveElsewhere,      // the unsaved groups go to exchange files in a folder the user picks
  QuitWithoutSaving,  // what could not be saved is lost
  Cancel,             // the window stays, nothing lost
};
// Whether the close can ask the user; a termination signal or the end of the desktop session
// cannot, and what could not be saved goes to the recovery folder.
enum class CloseMode { Interactive, Unattended };

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
  // The question of a close that could not save (`text` UTF-8 names the files and reasons).
  virtual CloseChoice AskUnsavedClose(const std::string& text) = 0;
  // A folder for the groups a close could not save; empty when the user cancelled.
  virtual std::string ChooseFolderForUnsaved() = 0;
  // A notice that does not stop the user's work (UTF-8).
  virtual void ShowNotice(const std::string& text) = 0;
  // A short message in the status bar for a while (UTF-8).
  virtual void ShowStatusMessage(const std::string& text) = 0;
};

// Mouse cursor the rules want over the editor; Editor leaves the editor's own.
enum class EditorCursor { Editor, IBeam, Hand, Arrow };

class MainFormCore final : private SessionHost,
                           public EntryHost,
                           public HistoryHost,
                           public SettingsRunHost,
                           public EditHost {
 public:
  // `dataFolder` ends with "/". The editor model and the host outlive the core.
  MainFormCore(std::string dataFolder, editor::EditorModel& editor, MainFormHost& host);
  ~MainFormCore() override;
  MainFormCore(const MainFormCore&) = delete;
  MainFormCore& operator=(const MainFormCore&) = delete;

  // The data folder's records, the stores and the item cycle.
  Session& Data() { return session_; }
  const Session& Data() const { return session_; }
  ListBoxKor& GroupList() override { return group_list_; }
  ListBoxKor& ItemList() override { return item_list_; }
  editor::EditorModel& Editor() { return editor_; }
  MainFormHost& Host() { return host_; }

  // ---- lifecycle
  // Loads the records (see Session::LoadRecords), cleans up after earlier runs and sync tools
  // (Session::CleanUpAtStart) and tells of text an earlier close wrote to the recovery folder.
  void FormCreate();
  // Fills the group list and opens the stored group and item, applies the editor settings, shows
  // the insert state and the history actions. (Shortcuts, fonts and the icon are the window's.)
  void FormShow();
  // Stores the geometry and saves group.bin, the open group's item file and the settings records.
  // When the notes cannot be saved, an interactive close asks (retry, save the unsaved groups
  // elsewhere, quit without saving, cancel) and an unattended one writes them to the recovery
  // folder. False when the user cancelled: the window stays and nothing is lost.
  bool FormClose(const WindowGeometry& window, SplitSizes splits, CloseMode mode = CloseMode::Interactive);
  // Saves main.bin, list.bin and History.bin unless a close did.
  void FormDestroy() {
    if (!session_.Closed()) session_.SaveRecords();
  }
  // The recovery folder's root (see RecoveryRoot); empty: no recovery folder.
  void SetRecoveryRoot(std::string root) { recovery_root_ = std::move(root); }

  // ---- changes made elsewhere
  // Files of the data folder changed on disk: takes them in (Session::TakeOutsideChanges) and
  // shows the lists again, the open group and item kept by NameID, the editor untouched unless
  // its item changed elsewhere only.
  void TakeOutsideChanges();

  // ---- where the user is (CommandHost)
  int OpenGroup() const override { return group_list_.ItemIndex(); }
  int OpenItem() const override { return item_list_.ItemIndex(); }
  void ShowError(const std::string& text) override { host_.ShowError(text); }
  bool Ask(const Question& question) override { return host_.Ask(question); }

  // ---- lists
  void RefreshGroupList(int sel) override;
  // Clear, put in the item store's names, select `sel` (a notification follows).
  void ReloadItemList(int sel) override;
  // Replace the names keeping PrevIndex and CurIndex, then select `sel`.
  void RefillItemList(int sel) override;
  void RepaintLists() override;
  // The lists' notifications.
  void GroupClick();
  void ItemClick();
  void WithinLists(const std::function<void()>& fn) override;
  void AfterGroupsDeleted() override;
  void AfterItemsDeleted() override;
  bool SelectPosition(int g, int i, bool& missing) override;
  // Whether the next notification of a list would be swallowed (set only while the rules change
  // the lists themselves).
  bool GroupClicksSwallowed() const { return swallow_group_click_; }
  bool ItemClicksSwallowed() const { return swallow_item_click_; }

  // ---- item editing
  // Returns false when the group being left could not be saved; the selection then stays on it.
  bool SwitchGroup(int g, int sel);
  // Writes the open item back and saves the open group's item file (before group-level commands
  // that read item files).
  bool SaveOpenGroup() { return session_.SaveGroup(OpenGroup(), OpenItem()); }

  // ---- the editor's presentation
  void ApplyEditorSettings() override;
  void UpdateWrapState() override;
  void ShowInsertState() override;
  void ShowReadOnlyState() override;
  void SetEditorEnabled(bool on) override { host_.SetEditorEnabled(on); }
  bool RunEntryDialog(const std::string& caption, EntryFields& fields) override {
    return host_.RunEntryDialog(caption, fields);
  }
  bool RunMultiDeleteDialog(const std::vector<std::string>& names, std::vector<int>& selected) override {
    return host_.RunMultiDeleteDialog(names, selected);
  }
  bool RunEditorSettings(int page, bool perGroup) override { return host_.RunEditorSettings(page, perGroup); }
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

 private:
  // SessionHost
  void HistoryChanged() override { UpdateHistoryActions(); }
  void ShowMergeNotice(const std::string& text) override;
  void OpenItemsMerged() override;

  // The lists after their entries changed underneath: group g and item i selected, the editor
  // reloaded when its item's text changed elsewhere.
  void ShowListsAgain(int g, int i);
  bool SaveUnsavedElsewhere(const CloseReport& report);
  // Writes the unsaved groups to the recovery folder; the message saying so.
  std::string WriteRecoveryOf(const CloseReport& report);

  // Swallows the named lists' next notifications for a scope, and none after it.
  class Swallowing {
   public:
    Swallowing(bool& a, bool* b = nullptr);
    ~Swallowing();
    Swallowing(const Swallowing&) = delete;
    Swallowing& operator=(const Swallowing&) = delete;

   private:
    bool& a_;
    bool* b_;
  };

  editor::EditorModel& editor_;
  MainFormHost& host_;
  Session session_;
  ListBoxKor group_list_{kGroupListTag};
  ListBoxKor item_list_{kItemListTag};
  bool swallow_group_click_ = false;
  bool swallow_item_click_ = false;
  bool shown_ = false;
  bool leaving_ = false;  // a group is being left: its list need not be shown again
  std::string link_target_;
  std::string recovery_root_;
};

// The close question's text: the files not saved with their reasons, and the four answers.
std::string UnsavedCloseText(const std::vector<std::string>& failures);

// "%5d 行:%4d 桁" with the caret's display row and column, counted from 1.
std::string CaretStatusText(int row, int col);
// The right-edge wrap column: (editor width - gutter - c div 2 - v) div c; -1 when c is 0.
int WidthWrapByte(int editorWidth, int gutterWidth, int charWidth, int verticalArrow);

}  // namespace mainwin
