// Helpers of the window tests: recorded message boxes, a window on a temporary data folder, rows
// of the lists as the user clicks them.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "editor/qt/oleddeditor.h"
#include "fixture.h"
#include "mainwin/qt/listbox_kor.h"
#include "mainwin/qt/mainform.h"

namespace wintest {

class RecordingBoxes : public mainwin::qt::MessageBoxes {
 public:
  QStringList errors, notices, confirmations;
  QList<QUrl> opened;
  bool answer = true;
  void Error(QWidget*, const QString& text) override { errors << text; }
  void Notice(QWidget*, const QString& text) override { notices << text; }
  bool ConfirmWarning(QWidget*, const QString& caption, const QString&) override {
    confirmations << caption;
    return answer;
  }
  void OpenUrl(const QUrl& url) override { opened << url; }
};

struct Window {
  explicit Window(const std::string& dataDir, bool show = true) {
    form = std::make_unique<mainwin::qt::TMainForm>(mainwin::qt::MainFormOptions{QString::fromStdString(dataDir), &boxes});
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
