// Helpers of the main window's rule tests: a temporary data folder seeded through the store, a
// recording host, file dialogs and window answered by the test, list views that keep what they
// were told, and a started core with its commands.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "codec/cp932.h"
#include "editor/editormodel.h"
#include "editorsettings/editorpropdat.h"
#include "mainwin/maincommands.h"
#include "mainwin/mainform.h"
#include "store/datafolder.h"
#include "store/entries.h"
// Relative, so that every test folder that uses this fixture finds it.
#include "../store/testutil.h"

namespace mwtest {

inline std::string Sjis(const std::string& utf8) { return codec::Utf8ToCp932(utf8).bytes; }
inline std::string Utf8(const std::string& cp932) { return codec::Cp932ToUtf8(cp932); }

class TempDir {
 public:
  TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "sorame-mw-XXXXXX").string();
    path_ = mkdtemp(templ.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }
  std::string Data() const { return path_ + "/UserData/"; }

 private:
  std::string path_;
};

using testutil::ReadAll;
using testutil::WriteAll;

// A group with its items (UTF-8 names and texts).
struct SeedItem {
  std::string name;
  std::string text;
  int line = 0;
};
struct SeedGroup {
  std::string name;
  std::vector<SeedItem> items;
  int selIndex = 0;
};

// Writes group.bin and the item files the way the program does.
inline void Seed(const std::string& dataDir, const std::vector<SeedGroup>& groups, int groupSel = 0) {
  store::DataFolder folder(dataDir);
  folder.EnsureExists();
  store::TRootComponent_Item items(folder, editorsettings::EditorSettingsFactory());
  store::TRootComponent_Group list(folder, editorsettings::EditorSettingsFactory(), items);
  for (const SeedGroup& g : groups) list.Add(list.Count(), -1, 0, 0, Sjis(g.name));
  for (size_t gi = 0; gi < groups.size(); ++gi) {
    store::TRootComponent_Item group(folder, editorsettings::EditorSettingsFactory());
    for (const SeedItem& it : groups[gi].items) {
      group.Add(group.Count(), -1, 0, 0, Sjis(it.name));
      group.ItemAt(group.Count() - 1).ItemText = Sjis(it.text);
      group.ItemAt(group.Count() - 1).Line = it.line;
    }
    group.SelIndex = groups[gi].items.empty() ? -1 : groups[gi].selIndex;
    list.SaveItems(static_cast<int>(gi), &group);
  }
  list.SelIndex = groupSel;
  list.SaveToFile("group.bin");
}

// What a list control was told.
class FakeListView : public mainwin::ListBoxView {
 public:
  std::vector<std::string> rows;
  int selection = -1;
  int top = 0;
  int clientHeight = 200;
  int extent = -1;
  int charWidth = 7;
  int repaints = 0;

  void SetRows(const std::vector<std::string>& names) override { rows = names; }
  void ShowSelection(int row) override { selection = row; }
  int TopRow() const override { return top; }
  void SetTopRow(int row) override { top = row; }
  int ClientHeight() const override { return clientHeight; }
  int TextWidth(const std::string& cp932) const override { return static_cast<int>(cp932.size()) * charWidth; }
  void SetHorizontalExtent(int pixels) override { extent = pixels; }
  void Repaint() override { ++repaints; }
};

class FakeHost : public mainwin::MainFormHost {
 public:
  int editorWidth = 600;
  bool verticalBar = true;
  int arrow = 17;
  bool editorEnabled = false;
  mainwin::WrapMode wrapMode = mainwin::WrapMode::None;
  std::map<mainwin::ActionId, bool> enabled, checked;
  std::map<int, std::string> status;
  std::vector<std::string> errors;
  // Message boxes: every question asked, answered by confirmAnswer.
  std::vector<mainwin::Question> questions;
  std::vector<std::string> confirmations;  // their captions
  bool confirmAnswer = true;
  std::vector<std::string> opened;
  // The entry dialog: the captions and fields it was opened with; `entryDialog` plays the user
  // (by default OK without changes).
  std::vector<std::string> entryCaptions;
  std::vector<mainwin::EntryFields> entryShown;
  std::function<bool(mainwin::EntryFields&)> entryDialog = [](mainwin::EntryFields&) { return true; };
  // The multi-delete dialog: the names it listed; the user's answer.
  std::vector<std::vector<std::string>> multiDeleteNames;
  bool multiDeleteOk = true;
  std::vector<int> multiDeleteSelection;
  // The editor settings dialog: (page, per group) of every run; its answer.
  std::vector<std::pair<int, bool>> settingsRuns;
  std::function<bool(int, bool)> settingsDialog = [](int, bool) { return false; };

  int EditorWidth() const override { return editorWidth; }
  bool EditorVerticalBarShown() const override { return verticalBar; }
  int ScrollBarArrowHeight() const override { return arrow; }
  void SetEditorEnabled(bool on) override { editorEnabled = on; }
  void ShowWrapMode(mainwin::WrapMode mode) override { wrapMode = mode; }
  void SetActionEnabled(mainwin::ActionId id, bool on) override { enabled[id] = on; }
  void SetActionChecked(mainwin::ActionId id, bool on) override { checked[id] = on; }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  bool Ask(const mainwin::Question& q) override {
    questions.push_back(q);
    confirmations.push_back(q.caption);
    return confirmAnswer;
  }
  bool RunEntryDialog(const std::string& caption, mainwin::EntryFields& fields) override {
    entryCaptions.push_back(caption);
    entryShown.push_back(fields);
    return entryDialog(fields);
  }
  bool RunMultiDeleteDialog(const std::vector<std::string>& names, std::vector<int>& selected) override {
    multiDeleteNames.push_back(names);
    selected = multiDeleteSelection;
    return multiDeleteOk && !selected.empty();
  }
  bool RunEditorSettings(int page, bool perGroup) override {
    settingsRuns.emplace_back(page, perGroup);
    return settingsDialog(page, perGroup);
  }
  void OpenLink(const std::string& target) override { opened.push_back(target); }
  // The close question: its texts, and the user (by default Cancel); the folder dialog's answer
  // (empty: cancelled).
  std::vector<std::string> closeQuestions;
  std::function<mainwin::CloseChoice()> closeDialog = [] { return mainwin::CloseChoice::Cancel; };
  std::string folderAnswer;
  std::vector<std::string> notices, statusMessages;
  mainwin::CloseChoice AskUnsavedClose(const std::string& text) override {
    closeQuestions.push_back(text);
    return closeDialog();
  }
  std::string ChooseFolderForUnsaved() override { return folderAnswer; }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  void ShowStatusMessage(const std::string& text) override { statusMessages.push_back(text); }
};

// While it lives, no file grows past `bytes`: saves fail as on a full disk, whoever runs the test.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limited = old_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() { Lift(); }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  void Lift() { setrlimit(RLIMIT_FSIZE, &old_); }

 private:
  rlimit old_{};
};

// The dialogs answered by the test: each call takes the next answer (none left: cancelled).
class FakeFiles : public mainwin::FileExchangeHost {
 public:
  std::vector<std::vector<std::string>> openAnswers;
  std::vector<std::string> saveAnswers, importAnswers;
  std::vector<std::string> proposed;  // names the save dialogs offered
  std::vector<std::string> opened;
  bool openSucceeds = true;

  std::vector<std::string> OpenTextFiles() override { return Take(openAnswers); }
  std::string SaveTextFile(const std::string& fileName) override {
    proposed.push_back(fileName);
    return Take(saveAnswers);
  }
  std::string SaveExportFile(const std::string& fileName) override {
    proposed.push_back(fileName);
    return Take(saveAnswers);
  }
  std::string OpenExportFile() override { return Take(importAnswers); }
  bool OpenWithDesktop(const std::string& path) override {
    opened.push_back(path);
    return openSucceeds;
  }

 private:
  template <class T>
  static T Take(std::vector<T>& v) {
    if (v.empty()) return T();
    T t = v.front();
    v.erase(v.begin());
    return t;
  }
};

// The platform window's part of the commands: print jobs kept, closes counted.
class FakeWindow : public mainwin::WindowCommandHost {
 public:
  std::vector<mainwin::PrintJob> printed;
  int closes = 0;
  void RunPrint(const mainwin::PrintJob& job) override { printed.push_back(job); }
  void CloseWindow() override { ++closes; }
};

// A core on a data folder with an editor laid out like the main window's, and the window's
// commands ("$temp.txt" at `outsideEditorFile`, beside the data folder by default).
struct App {
  explicit App(const std::string& dataDir, const std::string& outsideEditorFile = {}) {
    editor.ApplyMainValues();
    editor.SetMetrics(8, 16);
    editor.Resize(600, 400);
    core = std::make_unique<mainwin::MainFormCore>(dataDir, editor, host);
    core->GroupList().SetView(&groupView);
    core->ItemList().SetView(&itemView);
    commands = std::make_unique<mainwin::MainCommands>(
        *core, window, files, outsideEditorFile.empty() ? dataDir + "../$temp.txt" : outsideEditorFile);
  }
  void Start() {
    core->FormCreate();
    core->FormShow();
  }
  // True when the window closed (the user did not cancel).
  bool Close(mainwin::CloseMode mode = mainwin::CloseMode::Interactive) {
    if (!core->FormClose({}, {}, mode)) return false;
    core->FormDestroy();
    return true;
  }
  // The user clicks a row.
  void ClickGroup(int g) { core->GroupList().UserSelected(g); }
  void ClickItem(int i) { core->ItemList().UserSelected(i); }
  void Type(const std::string& utf8) { editor.TypeText(Sjis(utf8)); }
  std::string Text() const { return Utf8(editor.Text()); }
  // Runs a command as its action would; false when it has no handler.
  bool Run(mainwin::ActionId id) { return commands->Run(id); }
  mainwin::Session& Data() { return core->Data(); }
  mainwin::FileCommands& Files() { return commands->Files(); }

  editor::EditorModel editor;
  FakeHost host;
  FakeListView groupView, itemView;
  FakeFiles files;
  FakeWindow window;
  std::unique_ptr<mainwin::MainFormCore> core;
  std::unique_ptr<mainwin::MainCommands> commands;
};

// Items of group g as stored on disk: name -> text (UTF-8).
inline std::vector<SeedItem> StoredItems(const std::string& dataDir, int g) {
  store::DataFolder folder(dataDir);
  store::TRootComponent_Item current(folder, editorsettings::EditorSettingsFactory());
  store::TRootComponent_Group groups(folder, editorsettings::EditorSettingsFactory(), current);
  groups.LoadFromFile("group.bin");
  store::TRootComponent_Item items(folder, editorsettings::EditorSettingsFactory());
  groups.LoadItems(g, &items);
  std::vector<SeedItem> out;
  for (int i = 0; i < items.Count(); ++i)
    out.push_back({Utf8(items.ItemAt(i).Name), Utf8(items.ItemAt(i).ItemText), items.ItemAt(i).Line});
  return out;
}

inline std::vector<std::string> StoredGroupNames(const std::string& dataDir) {
  store::DataFolder folder(dataDir);
  store::TRootComponent_Item current(folder, editorsettings::EditorSettingsFactory());
  store::TRootComponent_Group groups(folder, editorsettings::EditorSettingsFactory(), current);
  groups.LoadFromFile("group.bin");
  std::vector<std::string> out;
  for (const auto& n : groups.RefreshNameStrings()) out.push_back(Utf8(n));
  return out;
}

}  // namespace mwtest
