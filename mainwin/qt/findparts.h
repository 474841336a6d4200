// The main window's find and replace parts, built in the order they depend on one another: the
// main editor as the find commands see it, the dialogs, the window as their host, the commands.
#pragma once

#include "mainwin/qt/mainform.h"
#include "search/findcommands.h"
#include "search/qt/editormodelfind.h"
#include "search/qt/finddialogs.h"

namespace mainwin::qt {

class TMainForm::WindowFindHost final : public search::FindHost {
 public:
  WindowFindHost(TMainForm& window, search::FindEditor& editor) : window_(window), editor_(editor) {}

  search::FindEditor& Editor() override { return editor_; }
  std::vector<std::string>& SearchHistory() override;
  bool FindWarning() const override;
  store::TRootComponent_Group& Groups() override;
  int SelectedGroup() const override;
  store::TRootComponent_Item& OpenGroupItems() override;
  void StoreOpenItem() override;
  bool SaveOpenGroup() override;
  bool SelectGroup(int g) override;
  bool SelectItem(int i) override;
  void FocusGroupList() override;
  void FocusEditor() override;
  bool Ask(const std::string& caption, const std::string& text, search::QuestionButtons buttons,
           search::MessageIcon icon) override;
  void ShowMessage(const std::string& caption, const std::string& text, search::MessageIcon icon) override;
  void ShowError(const std::string& text) override;

 private:
  TMainForm& window_;
  search::FindEditor& editor_;
};

struct TMainForm::FindParts {
  FindParts(TMainForm& window, editor::EditorModel& model)
      : findEditor_(model),
        findDialogs_(new search::qt::FindDialogsQt(&window)),
        host_(window, findEditor_),
        find_(host_, *findDialogs_) {
    findDialogs_->Attach(&find_);
  }
  ~FindParts() { findDialogs_->Attach(nullptr); }
  FindParts(const FindParts&) = delete;
  FindParts& operator=(const FindParts&) = delete;

  // The main editor keeps its own hit style (hsSelect): a hit is the selection.
  search::qt::EditorModelFind findEditor_;
  search::qt::FindDialogsQt* findDialogs_;  // a child of the window
  WindowFindHost host_;
  search::FindCommands find_;
};

}  // namespace mainwin::qt
