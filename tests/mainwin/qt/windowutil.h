// Helpers of the window tests: recorded message boxes, a window on a temporary data folder, rows
// of the lists as the user clicks them.
#pragma once

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/qt/oleddeditor.h"
#include "fixture.h"
#include "mainwin/qt/listbox_kor.h"
#include "mainwin/qt/mainform.h"

namespace wintest {

// Message boxes answered by the test; the dialogs run for real unless a script is given.
class RecordingBoxes : public mainwin::qt::MessageBoxes {
 public:
  struct Asked {
    QString caption, text;
    mainwin::BoxIcon icon;
    bool cancel;
  };
  QStringList errors, notices, confirmations;
  QList<Asked> asked;
  QList<QUrl> opened;
  bool openSucceeds = true;
  bool answer = true;
  bool yesAnswer = true;
  QStringList findMessages;
  int abouts = 0;
  // The entry dialog's user: OK with these changes; unset runs the real dialog.
  std::function<bool(mainwin::EntryFields&)> entryScript;
  QStringList entryCaptions;
  // The multi-delete dialog's user: the positions chosen; unset runs the real dialog.
  std::optional<std::vector<int>> multiDeleteScript;

  void Error(QWidget*, const QString& text) override { errors << text; }
  void Notice(QWidget*, const QString& text) override { notices << text; }
  bool Ask(QWidget*, const QString& caption, const QString& text, mainwin::BoxIcon icon, bool cancel) override {
    confirmations << caption;
    asked.push_back({caption, text, icon, cancel});
    return answer;
  }
  bool EntryDialog(QWidget* parent, const QString& caption, mainwin::EntryFields& fields, int& replaced) override {
    entryCaptions << caption;
    if (!entryScript) return MessageBoxes::EntryDialog(parent, caption, fields, replaced);
    return entryScript(fields);
  }
  bool MultiDeleteDialog(QWidget* owner, const std::vector<std::string>& names, std::vector<int>& selected) override {
    if (!multiDeleteScript) return MessageBoxes::MultiDeleteDialog(owner, names, selected);
    selected = *multiDeleteScript;
    return !selected.empty();
  }
  void About(QWidget*) override { ++abouts; }
  // The close question: its texts, the answers in turn (none left: Cancel); the folder dialog's
  // answers likewise (none left: cancelled); the notices.
  QStringList closeQuestions, folderAnswers, informed;
  QList<mainwin::CloseChoice> closeAnswers;
  mainwin::CloseChoice UnsavedClose(QWidget*, const QString& text) override {
    closeQuestions << text;
    return closeAnswers.isEmpty() ? mainwin::CloseChoice::Cancel : closeAnswers.takeFirst();
  }
  QString ChooseFolder(QWidget*, const QString&) override {
    return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
  }
  void Inform(QWidget*, const QString& text) override { informed << text; }
  bool OpenUrl(const QUrl& url) override {
    opened << url;
    return openSucceeds;
  }
  bool AskYesNo(QWidget*, const QString& caption, const QString& text, mainwin::BoxIcon icon) override {
    confirmations << caption;
    asked.push_back({caption, text, icon, false});
    return yesAnswer;
  }
  // The find commands' boxes: recorded, questions answered by `answer`.
  void FindMessage(QWidget*, const std::string& caption, const std::string& text, search::MessageIcon) override {
    findMessages << QString::fromStdString(caption) + QLatin1Char(':') + QString::fromStdString(text);
  }
  bool FindQuestion(QWidget*, const std::string& caption, const std::string& text, search::QuestionButtons,
                    search::MessageIcon) override {
    findMessages << QString::fromStdString(caption) + QLatin1Char(':') + QString::fromStdString(text);
    return answer;
  }
  // File dialogs: the next answers in order (an empty list or text: cancelled), and their captions.
  QList<QStringList> openFilesAnswers;
  QStringList openFileAnswers, saveFileAnswers, fileDialogs, proposedNames;
  QStringList OpenFiles(QWidget*, const QString& caption, const QString&) override {
    fileDialogs << caption;
    return openFilesAnswers.isEmpty() ? QStringList() : openFilesAnswers.takeFirst();
  }
  QString OpenFile(QWidget*, const QString& caption, const QString&) override {
    fileDialogs << caption;
    return openFileAnswers.isEmpty() ? QString() : openFileAnswers.takeFirst();
  }
  QString SaveFile(QWidget*, const QString& caption, const QString&, const QString& fileName, const QString&,
                   bool) override {
    fileDialogs << caption;
    proposedNames << fileName;
    return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.takeFirst();
  }
};

struct Window {
  // "$temp.txt" and the recovery folder go to the data folder's parent, never beside the test
  // program or into the user's home.
  explicit Window(const std::string& dataDir, bool show = true) {
    const QString data = QString::fromStdString(dataDir);
    const QString parent = QDir::cleanPath(data + QStringLiteral("/.."));
    form = std::make_unique<mainwin::qt::TMainForm>(
        mainwin::qt::MainFormOptions{data, &boxes, parent, parent + QStringLiteral("/recovery/")});
    if (show) Show();
  }
  void Show() {
    form->show();
    QApplication::setActiveWindow(form.get());
    (void)QTest::qWaitForWindowExposed(form.get());
    Settle();
  }
  // Lets the idle update and the start-up timer run.
  static void Settle() {
    for (int i = 0; i < 5; ++i) {
      QApplication::processEvents();
      QTest::qWait(15);
    }
  }
  void Close() {
    form->close();
    form.reset();
  }
  void ClickRow(mainwin::qt::TListBox_kor* list, int row) {
    const QRect r = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    Settle();
  }
  std::string Text() const { return mwtest::Utf8(form->MainEditor->Model().Text()); }
  void Type(const QString& text) {
    form->MainEditor->setFocus();
    // keyClicks takes Latin-1 only; typed Japanese arrives as key events carrying the text.
    for (QChar ch : text) {
      const Qt::Key key = ch.unicode() < 0x80 ? Qt::Key(ch.toUpper().unicode()) : Qt::Key_unknown;
      QTest::sendKeyEvent(QTest::Click, form->MainEditor, key, QString(ch), Qt::NoModifier);
    }
    Settle();
  }
  QString Panel(int i) const { return form->StatusPanel(i)->text(); }

  RecordingBoxes boxes;
  std::unique_ptr<mainwin::qt::TMainForm> form;
};

}  // namespace wintest
