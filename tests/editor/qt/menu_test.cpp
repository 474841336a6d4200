// The built-in pop-up menu as a Qt menu: its entries, enabling in read-only mode, and a host's
// own menu taking its place.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>

#include "testutil.h"

using testutil::ShownEditor;
using testutil::Text;

namespace {

QAction* Find(QMenu* menu, const QString& text) {
  for (QAction* a : menu->actions())
    if (a->text() == text) return a;
  return nullptr;
}

}  // namespace

class MenuTest : public QObject {
  Q_OBJECT

 private slots:
  void entriesAndShortcuts() {
    auto w = ShownEditor("abc");
    std::unique_ptr<QMenu> menu(w->CreateBuiltinMenu(nullptr));
    QStringList texts;
    for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(texts, QStringList({"マーク設定", "マークジャンプ", "-", "元に戻す(&U)", "やり直し(&R)", "-",
                                 "切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "Box貼り付け(&B)", "削除(&D)", "-",
                                 "すべて選択(&A)", "-", "Box選択モード(&K)"}));
    QCOMPARE(Find(menu.get(), "コピー(&C)")->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    QMenu* marks = Find(menu.get(), "マーク設定")->menu();
    QVERIFY(marks);
    QCOMPARE(marks->actions().size(), 10);
    QCOMPARE(marks->actions().at(3)->shortcut(), QKeySequence(QStringLiteral("Shift+Ctrl+3")));
  }

  void readOnlyDisablesEditingButNotCopy() {
    auto w = ShownEditor("abc");
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    w->Model().TypeText("z");  // something to undo
    w->Model().Select({0, 0}, {0, 2});
    w->Model().SetReadOnly(true);
    std::unique_ptr<QMenu> menu(w->CreateBuiltinMenu(nullptr));
    for (const char* text : {"元に戻す(&U)", "切り取り(&T)", "貼り付け(&P)", "Box貼り付け(&B)", "削除(&D)"})
      QVERIFY2(!Find(menu.get(), QString::fromUtf8(text))->isEnabled(), text);
    QVERIFY(Find(menu.get(), "コピー(&C)")->isEnabled());
    QVERIFY(Find(menu.get(), "すべて選択(&A)")->isEnabled());
    w->Model().SetReadOnly(false);
    menu.reset(w->CreateBuiltinMenu(nullptr));
    for (const char* text : {"元に戻す(&U)", "切り取り(&T)", "貼り付け(&P)", "Box貼り付け(&B)", "削除(&D)"})
      QVERIFY2(Find(menu.get(), QString::fromUtf8(text))->isEnabled(), text);
  }

  void triggeringAnEntryRunsIt() {
    auto w = ShownEditor("abc");
    std::unique_ptr<QMenu> menu(w->CreateBuiltinMenu(nullptr));
    Find(menu.get(), "すべて選択(&A)")->trigger();
    QCOMPARE(w->Model().SelText(), std::string("abc"));
    menu.reset(w->CreateBuiltinMenu(nullptr));
    Find(menu.get(), "削除(&D)")->trigger();
    QCOMPARE(Text(*w), std::string());
    // Mark 3 on the caret row, shown checked the next time.
    w->Model().SetText("one\r\ntwo");
    w->Model().SetRowCol(1, 0);
    menu.reset(w->CreateBuiltinMenu(nullptr));
    Find(menu.get(), "マーク設定")->menu()->actions().at(3)->trigger();
    QVERIFY(w->Model().MarkInUse(3));
    QCOMPARE(w->Model().RowMarks(1), uint16_t(1u << 3));
    menu.reset(w->CreateBuiltinMenu(nullptr));
    QVERIFY(Find(menu.get(), "マーク設定")->menu()->actions().at(3)->isChecked());
    QVERIFY(!Find(menu.get(), "マーク設定")->menu()->actions().at(2)->isChecked());
  }

  void hostMenuTakesOverTheShortcuts() {
    auto w = ShownEditor("abc");
    w->Model().SelectAll();
    QMenu host;
    w->SetPopupMenu(&host);
    QCOMPARE(w->PopupMenu(), &host);
    QVERIFY(!w->Model().MenuShortcuts());
    // Ctrl+K would switch box mode through the built-in menu's shortcut.
    QTest::keyClick(w.get(), Qt::Key_K, Qt::ControlModifier);
    QVERIFY(!w->Model().BoxSelection());
    w->SetPopupMenu(nullptr);
    QVERIFY(w->Model().MenuShortcuts());
    QTest::keyClick(w.get(), Qt::Key_K, Qt::ControlModifier);
    QVERIFY(w->Model().BoxSelection());
  }
};

QTEST_MAIN(MenuTest)
#include "menu_test.moc"
