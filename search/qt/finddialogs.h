// The find commands' windows on Qt: the find dialog, the main window's one replace dialog and the
// result windows; and the message boxes the commands ask the main window for.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "search/findcommands.h"
#include "search/qt/findgridform.h"
#include "search/qt/replacedialog.h"

class QWidget;

namespace search::qt {

class FindDialogsQt final : public QObject, public FindDialogs {
  Q_OBJECT

 public:
  // Dialogs and result windows open over `window` (the main window).
  explicit FindDialogsQt(QWidget* window);
  ~FindDialogsQt() override;

  // Where the replace dialog's buttons and opened result rows go; set once after both exist.
  void Attach(FindCommands* commands) { commands_ = commands; }

  bool RunFindDialog(FindDialogValues& values, const std::vector<std::string>& history) override;
  void ShowReplaceDialog(const std::string& findText, const std::string& replaceText) override;
  void ShowResults(std::unique_ptr<FindGrid> grid) override;

  // The replace dialog once it has been shown, else nullptr.
  TReplaceDialog* ReplaceDialog() const { return replace_; }
  // The result window shown last (nullptr once it is closed).
  TFindGridForm* LastResults() const { return last_results_; }

 private:
  QWidget* window_;
  FindCommands* commands_ = nullptr;
  QPointer<TReplaceDialog> replace_;
  QPointer<TFindGridForm> last_results_;
};

// The message boxes of FindHost, for the main window to forward to (texts UTF-8).
void ShowFindMessage(QWidget* parent, const std::string& caption, const std::string& text, MessageIcon icon);
bool AskFindQuestion(QWidget* parent, const std::string& caption, const std::string& text, QuestionButtons buttons,
                     MessageIcon icon);

}  // namespace search::qt
