// The window's find and print commands as the user reaches them: Ctrl+F through the find dialog,
// F3 and Shift+F3 moving the selection, a group search and a full-text search opening their
// result windows, a row opened in the window; Ctrl+P and "まとめて印刷" reaching the print command
// with the lines and names they print.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include "editor/qt/oleddeditor.h"
#include "print/stringsprinter.h"
#include "search/qt/finddialogs.h"
#include "search/qt/findgridform.h"
#include "search/qt/formsearch.h"
#include "windowutil.h"

using mainwin::ActionId;
using wintest::Window;

namespace {

std::vector<mwtest::SeedGroup> Groups() {
  return {{"果物", {{"朝", "apple banana apple cherry apple"}, {"昼", "no fruit\r\nan apple here"}, {"夜", "none"}}, 0},
          {"野菜", {{"畑", "tomato\r\ngreen apple"}}, 0}};
}

// Answers the next find dialog with `text` in `range`, forward.
void AnswerFindDialog(const QString& text, int range) {
  QTimer::singleShot(0, [text, range] {
    auto* f = qobject_cast<search::qt::TFormSearch*>(QApplication::activeModalWidget());
    QVERIFY(f != nullptr);
    f->Edit_Text->setText(text);
    f->RadioButton_Forward->setChecked(true);
    f->RadioButton_Range[range]->setChecked(true);
    f->Button_OK->click();
  });
}

struct Printed {
  int runs = 0;
  std::vector<std::string> lines;
  std::string item, group;
  const print::TStringsPrinter* settings = nullptr;
  std::string header, folder;
  QWidget* parent = nullptr;
};

class WindowFindPrint : public QObject {
  Q_OBJECT

 private slots:
  void ctrlFFindsAndF3MovesTheSelection() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    auto& f = *w.form;
    editor::EditorModel& m = f.MainEditor->Model();
    for (ActionId id : {ActionId::Find, ActionId::FindFw, ActionId::FindBk, ActionId::Replace})
      QVERIFY(f.Action(id)->isEnabled());
    f.MainEditor->setFocus();
    AnswerFindDialog(QStringLiteral("apple"), search::srOpenItem);
    QTest::keyClick(f.MainEditor, Qt::Key_F, Qt::ControlModifier);
    Window::Settle();
    // Without a window manager the window does not become active again by itself.
    QApplication::setActiveWindow(&f);
    QCOMPARE(m.SelStart(), int64_t{0});
    QCOMPARE(m.SelLength(), int64_t{5});
    QTest::keyClick(f.MainEditor, Qt::Key_F3);
    QCOMPARE(m.SelStart(), int64_t{13});
    QTest::keyClick(f.MainEditor, Qt::Key_F3);
    QCOMPARE(m.SelStart(), int64_t{26});
    QTest::keyClick(f.MainEditor, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(m.SelStart(), int64_t{13});
    QCOMPARE(m.SelLength(), int64_t{5});
    QVERIFY(w.boxes.findMessages.isEmpty());
    // On to the last one, then nothing further down: the not-found message, the selection stays.
    QTest::keyClick(f.MainEditor, Qt::Key_F3);
    QTest::keyClick(f.MainEditor, Qt::Key_F3);
    QCOMPARE(m.SelStart(), int64_t{26});
    QCOMPARE(w.boxes.findMessages.size(), 1);
    QTest::keyClick(f.MainEditor, Qt::Key_F3);
    QCOMPARE(m.SelStart(), int64_t{26});
    QCOMPARE(w.boxes.findMessages.size(), 2);
    QVERIFY(w.boxes.findMessages[0].startsWith(QStringLiteral("検索結果:これより下に検索文字列")));
    // The search text went into the history of list.bin.
    QCOMPARE(f.Core().Data().ListData().SearchHistoryList, std::vector<std::string>{"apple"});
  }

  void groupSearchOpensResultsAndARowOpensItsItem() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    auto& f = *w.form;
    AnswerFindDialog(QStringLiteral("apple"), search::srGroupItems);
    f.Action(ActionId::Find)->trigger();
    Window::Settle();
    search::qt::TFindGridForm* results = f.FindDialogs().LastResults();
    QVERIFY(results != nullptr);
    QVERIFY(results->isVisible());
    QCOMPARE(results->Grid().HitCount(), 4);
    QCOMPARE(results->StatusPanel[0]->text(), QStringLiteral("グループ内検索"));
    // The fourth hit is in the second item, on its second line.
    QCOMPARE(results->StringGrid->item(3, 4)->text(), QStringLiteral("昼"));
    results->StringGrid->setCurrentCell(3, 0);
    results->Button_Open->click();
    Window::Settle();
    QCOMPARE(f.Core().ItemList().ItemIndex(), 1);
    QCOMPARE(w.Text(), std::string("no fruit\r\nan apple here"));
    QCOMPARE(f.MainEditor->Model().SelStart(), int64_t{13});
    QCOMPARE(f.MainEditor->Model().SelText(), std::string("apple"));
    QVERIFY(results->isVisible());
  }

  void fullTextSearchOpensARowInAnotherGroup() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    auto& f = *w.form;
    w.Type(QStringLiteral("x"));  // FindWarning asks before the group is saved
    w.boxes.answer = true;
    AnswerFindDialog(QStringLiteral("green"), search::srAllItems);
    f.Action(ActionId::Find)->trigger();
    Window::Settle();
    QVERIFY(
        w.boxes.findMessages.contains(QStringLiteral("データ保存の確認:検索する前に開いているグループを保存します")));
    search::qt::TFindGridForm* results = f.FindDialogs().LastResults();
    QVERIFY(results != nullptr);
    QCOMPARE(results->Grid().HitCount(), 1);
    results->StringGrid->setCurrentCell(0, 0);
    results->OpenCurrentRow();
    Window::Settle();
    QCOMPARE(f.Core().GroupList().ItemIndex(), 1);
    QCOMPARE(f.Core().ItemList().ItemIndex(), 0);
    QCOMPARE(f.MainEditor->Model().SelText(), std::string("green"));
    // The group left kept the typing in its file.
    QCOMPARE(mwtest::StoredItems(dir.Data(), 0)[0].text, std::string("xapple banana apple cherry apple"));
  }

  void replaceOpensTheWindowsOneReplaceDialog() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    auto& f = *w.form;
    QVERIFY(f.FindDialogs().ReplaceDialog() == nullptr);
    QTest::keyClick(f.MainEditor, Qt::Key_R, Qt::ControlModifier);
    Window::Settle();
    auto* replace = f.FindDialogs().ReplaceDialog();
    QVERIFY(replace != nullptr);
    QVERIFY(replace->isVisible());
    f.Action(ActionId::Replace)->trigger();
    QCOMPARE(f.FindDialogs().ReplaceDialog(), replace);
  }

  void printReachesThePrintCommandWithTheEditorsLines() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    auto& f = *w.form;
    Printed p;
    f.PrintCommand = [&p](print::TStringsPrinter& settings, const store::DataFolder& folder,
                          const std::vector<std::string>& lines, const std::string& item, const std::string& group,
                          QWidget* parent) {
      ++p.runs;
      p.lines = lines;
      p.item = item;
      p.group = group;
      p.settings = &settings;
      p.header = settings.Header();
      p.folder = folder.Path();
      p.parent = parent;
      return true;
    };
    w.ClickRow(f.ListBox_Item, 1);
    w.Type(QStringLiteral("Z"));
    QVERIFY(f.Action(ActionId::Print)->isEnabled());
    QTest::keyClick(f.MainEditor, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(p.runs, 1);
    QCOMPARE(p.lines, (std::vector<std::string>{"Zno fruit", "an apple here"}));
    QCOMPARE(p.item, mwtest::Sjis("昼"));
    QCOMPARE(p.group, mwtest::Sjis("果物"));
    // The window's own settings, with their first values, and its data folder.
    QCOMPARE(p.settings, &f.PrintSettings());
    QCOMPARE(p.header, std::string("%y/%m/%d %t %f"));
    QCOMPARE(p.folder, f.Core().Data().Folder().Path());
    QCOMPARE(p.parent, static_cast<QWidget*>(&f));

    // All items: the open one is written back after the question.
    QVERIFY(f.Action(ActionId::PrintGroupItems)->isEnabled());
    w.boxes.answer = true;
    f.Action(ActionId::PrintGroupItems)->trigger();
    QCOMPARE(p.runs, 2);
    QCOMPARE(w.boxes.asked.last().caption, QStringLiteral("データ保存の確認"));
    QCOMPARE(w.boxes.asked.last().text, QStringLiteral("印刷する前に開いているアイテムを保存します"));
    QCOMPARE(p.lines,
             (std::vector<std::string>{"apple banana apple cherry apple", "Zno fruit", "an apple here", "none"}));
    QCOMPARE(p.item, mwtest::Sjis("昼"));
    QVERIFY(!f.MainEditor->Model().Modified());
    // Cancel stops before printing.
    w.Type(QStringLiteral("Q"));
    w.boxes.answer = false;
    f.Action(ActionId::PrintGroupItems)->trigger();
    QCOMPARE(p.runs, 2);
    QVERIFY(f.MainEditor->Model().Modified());
  }
};

}  // namespace

QTEST_MAIN(WindowFindPrint)
#include "window_find_print_test.moc"
