// A main window for the find commands without a screen: a real editor model, a data folder with
// groups and items, and a host and dialogs that record what the commands asked for.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "codec/cp932.h"
#include "editor/editormodel.h"
#include "search/findcommands.h"
#include "search/qt/editormodelfind.h"
#include "store/datafolder.h"
#include "store/entries.h"
#include "store/testutil.h"

namespace findtest {

using namespace search;

inline std::string Sjis(const std::string& utf8) { return codec::Utf8ToCp932(utf8).bytes; }

struct Message {
  std::string caption, text;
  MessageIcon icon;
  QuestionButtons buttons = QuestionButtons::OkCancel;  // questions only
};

class Window : public FindHost, public FindDialogs {
 public:
  Window() {
    editor.SetMetrics(8, 16);
    editor.Resize(800, 600);
  }

  // ---- the data: groups, each with named items (name, text), saved to their files
  void AddGroup(const std::string& name, const std::vector<std::pair<std::string, std::string>>& items) {
    const int g = groups.Count();
    ASSERT_GE(groups.Add(g, -1, 0, 0, name), 0);
    store::TRootComponent_Item list(folder, nullptr);
    for (const auto& [n, t] : items) {
      const int at = list.Count();
      ASSERT_GE(list.Add(at, -1, 0, 0, n), 0);
      list.ItemAt(at).ItemText = t;
    }
    groups.SaveItems(g, &list);
  }
  // Opens group g and item i as the lists would.
  void Open(int g, int i) {
    ASSERT_TRUE(SelectGroup(g));
    ASSERT_TRUE(SelectItem(i));
  }
  // Caret at a byte offset, or a selection from it.
  void Select(std::int64_t from, std::int64_t length = 0) {
    editor.SetSelStart(from);
    if (length > 0) editor.SetSelLength(length);
  }

  // ---- FindHost
  FindEditor& Editor() override { return find_editor; }
  std::vector<std::string>& SearchHistory() override { return history; }
  bool FindWarning() const override { return find_warning; }
  store::TRootComponent_Group& Groups() override { return groups; }
  int SelectedGroup() const override { return open_group; }
  store::TRootComponent_Item& OpenGroupItems() override { return items; }
  void StoreOpenItem() override {
    ++stores;
    if (open_item >= 0 && editor.Modified()) items.ItemAt(open_item).ItemText = editor.Text();
  }
  bool SaveOpenGroup() override {
    StoreOpenItem();
    ++saves;
    if (open_group >= 0) groups.SaveItems(open_group, &items);
    return save_succeeds;
  }
  bool SelectGroup(int g) override {
    selections.push_back("group " + std::to_string(g));
    if (g < 0 || g >= groups.Count()) return false;
    if (open_group >= 0) SaveOpenGroup();
    open_group = g;
    open_item = -1;
    editor.Clear();
    groups.LoadItems(g, &items);
    return true;
  }
  bool SelectItem(int i) override {
    selections.push_back("item " + std::to_string(i));
    if (i >= items.Count()) return false;
    open_item = i;
    editor.SetText(i < 0 ? std::string() : items.ItemAt(i).ItemText);
    editor.SetModified(false);
    return true;
  }
  void FocusGroupList() override { focus = "groups"; }
  void FocusEditor() override { focus = "editor"; }
  bool Ask(const std::string& caption, const std::string& text, QuestionButtons buttons, MessageIcon icon) override {
    questions.push_back({caption, text, icon, buttons});
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text;
      return false;
    }
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override {
    messages.push_back({caption, text, icon});
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }

  // ---- FindDialogs
  bool RunFindDialog(FindDialogValues& values, const std::vector<std::string>& h) override {
    dialog_in.push_back(values);
    EXPECT_EQ(&h, &history);
    // What the user changes in the dialog (before OK or Cancel).
    if (dialog_user) dialog_user(values);
    return dialog_ok;
  }
  void ShowReplaceDialog(const std::string& findText, const std::string& replaceText) override {
    replace_shown.push_back({findText, replaceText});
  }
  void ShowResults(std::unique_ptr<FindGrid> grid) override { results.push_back(std::move(grid)); }

  testutil::TempDir dir;
  store::DataFolder folder{dir.Path() + "/"};
  store::TRootComponent_Item items{folder, nullptr};
  store::TRootComponent_Group groups{folder, nullptr, items};
  editor::EditorModel editor;
  search::qt::EditorModelFind find_editor{editor};
  FindCommands commands{*this, *this};

  int open_group = -1, open_item = -1;
  bool find_warning = true;
  bool save_succeeds = true;
  std::vector<std::string> history;
  std::deque<bool> answers;
  std::vector<Message> questions, messages;
  std::vector<std::string> errors, selections;
  std::string focus;
  int stores = 0, saves = 0;

  bool dialog_ok = true;
  std::function<void(FindDialogValues&)> dialog_user;
  std::vector<FindDialogValues> dialog_in;
  std::vector<std::pair<std::string, std::string>> replace_shown;
  std::vector<std::unique_ptr<FindGrid>> results;
};

}  // namespace findtest
