// TMainForm: the program's window. It builds the control tree (tool bars, status panels, list
// pane with its splitters, the editor), lays out the four list arrangements, carries geometry and
// split positions between runs, builds the menus and tool bars from the action list, and
// translates Qt's events into calls on MainFormCore, which holds the window's rules, and binds
// every action to the command table (MainCommands). Message boxes, dialogs and the desktop's
// "open" go through MessageBoxes. The find parts, printing and the file dialogs the commands use
// are in mainform_commands.cpp.
#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QTimer>
#include <QUrl>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "mainwin/filecommands.h"
#include "mainwin/maincommands.h"
#include "mainwin/mainform.h"
#include "mainwin/menus.h"
#include "mainwin/qt/messageboxes.h"
#include "print/stringsprinter.h"
#include "store/reporter.h"

class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class QActionGroup;

namespace editor::qt {
class TOleddEditor;
}
namespace search {
class FindCommands;
}
namespace search::qt {
class FindDialogsQt;
}

namespace mainwin::qt {

class TListBox_kor;
class TPanel_Drop;

struct MainFormOptions {
  QString dataFolder;             // the data folder, ending with "/"
  MessageBoxes* boxes = nullptr;  // nullptr: Qt's message boxes; not owned
  // The folder of "$temp.txt"; empty: the folder holding the data folder (see OutsideEditorFile).
  QString outsideEditorFolder{};
  // Where a close that cannot ask writes what it could not save; empty: under $XDG_STATE_HOME.
  QString recoveryRoot{};
};

// One line on standard error, for what nobody is there to read in a box (a close at termination).
void ToStandardError(const std::string& text);

class TMainForm : public QMainWindow,
                  private MainFormHost,
                  private store::Reporter,
                  private FileExchangeHost,
                  private WindowCommandHost {
  Q_OBJECT

 public:
  // Creates the controls and runs the creation steps: records loaded, layout and geometry applied.
  explicit TMainForm(const MainFormOptions& options, QWidget* parent = nullptr);
  // Runs the close steps if they have not run, then saves main.bin, list.bin and History.bin.
  ~TMainForm() override;

  MainFormCore& Core() { return *core_; }
  MainCommands& Commands() { return *commands_; }

  // ---- controls
  editor::qt::TOleddEditor* MainEditor = nullptr;
  TListBox_kor* ListBox_Group = nullptr;
  TListBox_kor* ListBox_Item = nullptr;
  TPanel_Drop* Panel_Drop_Item = nullptr;
  QWidget* Panel_center = nullptr;
  QWidget* Panel_Left = nullptr;
  QWidget* Panel_Group = nullptr;
  QWidget* Panel_Right = nullptr;
  QSplitter* Splitter1 = nullptr;
  QSplitter* Splitter_ListBox = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QToolBar* ToolBar2 = nullptr;
  QMenu* PopupMenu_Time = nullptr;
  QMenu* PopupMenu_Group = nullptr;
  QMenu* PopupMenu_Item = nullptr;
  QMenu* PopupMenu_Editor = nullptr;
  QMenu* Menu_Item = nullptr;         // the main menu's "アイテム(&I)"
  QAction* MenuItem_About = nullptr;  // "バージョン情報"
  QTimer Timer1;
  QLabel* StatusPanel(int panel) const { return panels_[static_cast<size_t>(panel)]; }

  // ---- actions: every command of the action list exists; a command is enabled by the rule only
  // when the command table has a handler for it.
  QAction* Action(ActionId id) const { return actions_[static_cast<size_t>(id)]; }
  bool Wired(ActionId id) const { return commands_ && commands_->Table().Has(id); }
  // The shortcut a stored text stands for; empty for an empty or unknown text.
  static QKeySequence ShortcutOf(const std::string& text);

  // The editor settings dialog, once it exists: runs it on `page` (kSettingsDefaultPage or a page
  // number plus one), for the open group's own settings when `perGroup`; true for OK. Until it is
  // set, the settings commands show nothing.
  std::function<bool(int page, bool perGroup)> EditorSettingsRunner;

  // ---- the find commands and windows, printing
  search::FindCommands& Find();
  search::qt::FindDialogsQt& FindDialogs();
  print::TStringsPrinter& PrintSettings() { return print_settings_; }
  // The print command around the print dialog (print::qt::RunPrintCommand unless a test puts
  // another): settings, data folder, lines, item and group names (code page 932), parent.
  using PrintRunner =
      std::function<bool(print::TStringsPrinter&, const store::DataFolder&, const std::vector<std::string>&,
                         const std::string&, const std::string&, QWidget*)>;
  PrintRunner PrintCommand;

  // ---- layout and geometry
  void ApplyListLayout();
  void SetDefaultListSizes();
  void StoreWindowGeometry();
  void StoreSplitPositions();
  void RestoreSplitPositions();
  void ApplyListFontSizes();
  // The list pane's and the group panel's extents as they are now.
  SplitSizes CurrentSplitSizes() const;

  // ---- menus
  // Removes the entries tagged above 9999 and appends the move/copy sub-menus.
  void BuildMoveCopyMenu(QMenu* menu);
  void BuildTimeStampMenu();
  // The bookmark commands of the editor's pop-up menu, in the order of the editor's own menu.
  const std::vector<QAction*>& BookmarkActions() const { return bookmark_actions_; }

  // The coalesced action update: runs once after the event loop goes idle.
  void RequestActionUpdate();
  // The close steps (geometry, group.bin, the open group's items, the settings records), once
  // they succeed. `unattended`: nobody can answer a question (see MainFormCore::FormClose).
  // False when the user cancelled the close.
  bool RunCloseSteps(bool unattended);
  // From now on nobody answers: a termination signal, the end of the desktop session. Closes do
  // not ask, errors go to the standard error output.
  void SetUnattended() { unattended_ = true; }
  // The data folder's watcher saw a change; after a quiet moment the changes are taken in.
  void DataFolderChanged();
  // Takes in the changes made elsewhere now, unless a dialog, menu or drag is running (then a
  // little later).
  void TakeOutsideChanges();

 signals:
  // A double click on a list (tag 10 groups, 20 items): the entry dialog's cue.
  void entryEditRequested(int tag);
  // Files dropped on the item list's panel (OnDropFiles).
  void filesDropped(const QStringList& files);

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // MainFormHost
  int EditorWidth() const override;
  bool EditorVerticalBarShown() const override;
  int ScrollBarArrowHeight() const override;
  void SetEditorEnabled(bool on) override;
  void ShowWrapMode(WrapMode mode) override;
  void SetActionEnabled(ActionId id, bool on) override;
  void SetActionChecked(ActionId id, bool on) override;
  void SetStatusText(int panel, const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool Ask(const Question& question) override;
  bool RunEntryDialog(const std::string& caption, EntryFields& fields) override;
  bool RunMultiDeleteDialog(const std::vector<std::string>& names, std::vector<int>& selected) override;
  bool RunEditorSettings(int page, bool perGroup) override;
  void OpenLink(const std::string& target) override;
  CloseChoice AskUnsavedClose(const std::string& text) override;
  std::string ChooseFolderForUnsaved() override;
  void ShowNotice(const std::string& text) override;
  void ShowStatusMessage(const std::string& text) override;
  // store::Reporter
  void ShowMessage(const std::string& text) override;
  // FileExchangeHost
  std::vector<std::string> OpenTextFiles() override;
  std::string SaveTextFile(const std::string& fileName) override;
  std::string SaveExportFile(const std::string& fileName) override;
  std::string OpenExportFile() override;
  bool OpenWithDesktop(const std::string& path) override;
  // WindowCommandHost
  void RunPrint(const PrintJob& job) override;
  void CloseWindow() override { close(); }

  class WindowFindHost;
  struct FindParts;
  // The find parts and the command table, once the editor and core exist; every action is bound
  // to the table.
  void BuildCommandParts(const MainFormOptions& options);

  void BuildControls();
  void BuildActions();
  // Installs the editor settings dialog as EditorSettingsRunner.
  void WireEditorSettings();
  void BuildToolBars();
  void BuildMenus();
  void FillMenu(QMenu* menu, const std::vector<MenuEntry>& entries);
  void AddBookmarkMenus(QMenu* menu);
  // The editor's bookmark shortcuts, each unless one of the window's actions has the same keys.
  void ApplyBookmarkShortcuts();
  void ShowCharactersReplaced(int count);
  void BuildStatusBar();
  void RestoreGeometry();
  void ApplySplitSizes(SplitSizes sizes);
  void ApplyPendingSplit();
  void UpdateSplitterMinimums();
  void ApplyShortCuts();
  void SetEditorIcon();
  bool EditorViewportEvent(QEvent* e);
  bool EditorEvent(QEvent* e);
  // Watches the data folder, group.bin and the open group's item file (`again`: the files anew,
  // since a file replaced by a rename is another file).
  void WatchDataFiles(bool again);

  std::unique_ptr<MessageBoxes> own_boxes_;
  MessageBoxes* boxes_ = nullptr;
  std::unique_ptr<MainFormCore> core_;
  std::unique_ptr<FindParts> find_;
  std::unique_ptr<MainCommands> commands_;
  print::TStringsPrinter print_settings_;
  std::array<QAction*, kActionCount> actions_{};
  std::vector<QAction*> bookmark_actions_;
  QActionGroup* wrap_group_ = nullptr;
  std::array<QLabel*, 7> panels_{};
  QTimer idle_;
  // Split sizes waiting for the first layout: the defaults (nullopt inside) or stored positions.
  std::optional<std::optional<SplitSizes>> pending_split_;
  QFileSystemWatcher watcher_;
  QTimer outside_;               // the quiet moment after the watcher's last report
  QElapsedTimer outside_burst_;  // since the first report of a burst
  bool shown_ = false;
  bool closed_ = false;
  bool unattended_ = false;
  bool in_wrap_update_ = false;
  bool resending_ = false;
  int wheel_remainder_ = 0;
};

}  // namespace mainwin::qt
