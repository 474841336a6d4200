// The find commands' windows on Qt.
#include "search/qt/finddialogs.h"

#include <QMessageBox>
#include <QWidget>

#include "codec/qt/qtcp932.h"
#include "search/qt/findgridform.h"
#include "search/qt/formsearch.h"
#include "search/qt/replacedialog.h"

namespace search::qt {

using codec::qt::MessageText;

FindDialogsQt::FindDialogsQt(QWidget* window) : QObject(window), window_(window) {}

FindDialogsQt::~FindDialogsQt() = default;

bool FindDialogsQt::RunFindDialog(FindDialogValues& values, const std::vector<std::string>& history) {
  return search::qt::RunFindDialog(window_, values, history);
}

void FindDialogsQt::ShowReplaceDialog(const std::string& findText, const std::string& replaceText) {
  if (replace_ == nullptr) {
    replace_ = new TReplaceDialog(window_);
    connect(replace_, &TReplaceDialog::buttonPressed, this, [this](ReplaceButton button) {
      if (commands_ != nullptr && replace_ != nullptr) commands_->ReplaceDialogButton(button, replace_->Values());
    });
  }
  replace_->SetTexts(findText, replaceText);
  replace_->show();
  replace_->raise();
  replace_->activateWindow();
}

void FindDialogsQt::ShowResults(std::unique_ptr<FindGrid> grid) {
  // The window may outlive this object by a moment while the main window is torn down.
  QPointer<FindDialogsQt> self(this);
  auto* form = new TFindGridForm(
      std::move(grid),
      [self](const FindGrid& g, int row) {
        if (self != nullptr && self->commands_ != nullptr) self->commands_->OpenRow(g, row);
      },
      window_);
  last_results_ = form;
  form->show();
}

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void ShowFindMessage(QWidget* parent, const std::string& caption, const std::string& text, MessageIcon icon) {
  QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), MessageText(text), QMessageBox::Ok, parent);
  box.exec();
}

bool AskFindQuestion(QWidget* parent, const std::string& caption, const std::string& text, QuestionButtons buttons,
                     MessageIcon icon) {
  const bool yesNo = buttons == QuestionButtons::YesNo;
  const auto yes = yesNo ? QMessageBox::Yes : QMessageBox::Ok;
  const auto no = yesNo ? QMessageBox::No : QMessageBox::Cancel;
  QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), MessageText(text), yes | no, parent);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  return box.exec() == yes;
}

}  // namespace search::qt
