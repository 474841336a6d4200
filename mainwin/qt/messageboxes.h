// The main window's modal boxes and dialogs and its one way out to the desktop, in one place so
// tests can answer them instead of a user.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <string>
#include <vector>

#include "mainwin/commands.h"
#include "mainwin/mainform.h"
#include "search/findcommands.h"

class QMessageBox;
class QWidget;

namespace mainwin::qt {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // The standard error box.
  virtual void Error(QWidget* parent, const QString& text);
  // A plain message with OK (the store's notices).
  virtual void Notice(QWidget* parent, const QString& text);
  // A question with its caption, icon and buttons (OK and Cancel, or OK alone); true for OK.
  virtual bool Ask(QWidget* parent, const QString& caption, const QString& text, BoxIcon icon, bool cancel);
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& caption, const QString& text, BoxIcon icon);
  // The find commands' boxes (texts UTF-8); FindQuestion is true for OK or Yes.
  virtual void FindMessage(QWidget* parent, const std::string& caption, const std::string& text,
                           search::MessageIcon icon);
  virtual bool FindQuestion(QWidget* parent, const std::string& caption, const std::string& text,
                            search::QuestionButtons buttons, search::MessageIcon icon);
  // File dialogs; an empty result when cancelled. `filter` is in Qt's form ("name (*.ext);;...").
  virtual QStringList OpenFiles(QWidget* parent, const QString& caption, const QString& filter);
  virtual QString OpenFile(QWidget* parent, const QString& caption, const QString& filter);
  // Proposes `fileName`; `defaultSuffix` is added to a name without extension; asks before
  // overwriting when `confirmOverwrite`.
  virtual QString SaveFile(QWidget* parent, const QString& caption, const QString& filter, const QString& fileName,
                           const QString& defaultSuffix, bool confirmOverwrite);
  // The entry dialog (TGroupEditForm) with `caption`, opened on `fields`; filled back on OK, with
  // the number of typed characters that became "?".
  virtual bool EntryDialog(QWidget* parent, const QString& caption, EntryFields& fields, int& replaced);
  // The multi-delete dialog (TForm_MultiDelete1) over `names` (code page 932), placed relative to
  // `owner`; true when OK was pressed with at least one entry selected.
  virtual bool MultiDeleteDialog(QWidget* owner, const std::vector<std::string>& names, std::vector<int>& selected);
  // The About box.
  virtual void About(QWidget* parent);
  // The question of a close that could not save: retry, save elsewhere, quit without saving,
  // cancel (also Escape).
  virtual mainwin::CloseChoice UnsavedClose(QWidget* parent, const QString& text);
  // A folder for the unsaved groups; empty when cancelled.
  virtual QString ChooseFolder(QWidget* parent, const QString& caption);
  // A notice that leaves the user's work alone: not modal, not taking the focus; a second one
  // while the first is open is added to it.
  virtual void Inform(QWidget* parent, const QString& text);
  // Hands a file or link to the desktop; false when nothing could open it.
  virtual bool OpenUrl(const QUrl& url);

 private:
  QPointer<QMessageBox> notice_;
};

}  // namespace mainwin::qt
