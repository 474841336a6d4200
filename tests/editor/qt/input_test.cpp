// Keys, text and input-method commits reach the model through the widget, converted to code
// page 932; the input method is told where the caret is.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include "editor/undo.h"
#include "testutil.h"

using editor::qt::TEditor;
using testutil::Cp932;
using testutil::ShownEditor;
using testutil::Text;

namespace {

void Commit(TEditor& w, const QString& text) {
  QInputMethodEvent e;
  e.setCommitString(text);
  QApplication::sendEvent(&w, &e);
}

void TypeKey(TEditor& w, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(&w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(&w, &release);
}

size_t UndoEntries(TEditor& w) { return w.Model().Document().UndoObj().UndoList().size(); }

}  // namespace

class InputTest : public QObject {
  Q_OBJECT

 private slots:
  void typingArrowsAndShiftSelection() {
    auto w = ShownEditor();
    QTest::keyClicks(w.get(), QStringLiteral("hello"));
    QCOMPARE(Text(*w), std::string("hello"));
    QCOMPARE(w->Model().Col(), 5);
    QTest::keyClick(w.get(), Qt::Key_Left);
    QTest::keyClick(w.get(), Qt::Key_Left);
    QCOMPARE(w->Model().Col(), 3);
    QTest::keyClick(w.get(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(w.get(), Qt::Key_Left, Qt::ShiftModifier);
    QVERIFY(w->Model().Selected());
    QCOMPARE(w->Model().SelText(), std::string("el"));
    // Typing replaces the selection.
    QTest::keyClicks(w.get(), QStringLiteral("E"));
    QCOMPARE(Text(*w), std::string("hElo"));
    QVERIFY(!w->Model().Selected());
    // Enter splits the row, BackSpace joins it again, Home and End move within the row.
    QTest::keyClick(w.get(), Qt::Key_Return);
    QCOMPARE(Text(*w), std::string("hE\r\nlo"));
    QCOMPARE(w->Model().Row(), 1);
    QTest::keyClick(w.get(), Qt::Key_End);
    QCOMPARE(w->Model().Col(), 2);
    QTest::keyClick(w.get(), Qt::Key_Up);
    QCOMPARE(w->Model().Row(), 0);
    QTest::keyClick(w.get(), Qt::Key_Down);
    QTest::keyClick(w.get(), Qt::Key_Home);
    QTest::keyClick(w.get(), Qt::Key_Backspace);
    QCOMPARE(Text(*w), std::string("hElo"));
    QTest::keyClick(w.get(), Qt::Key_Delete);
    QCOMPARE(Text(*w), std::string("hEo"));
  }

  void tabIsTypedNotAFocusMove() {
    auto w = ShownEditor();
    QTest::keyClick(w.get(), Qt::Key_Tab);
    QTest::keyClicks(w.get(), QStringLiteral("x"));
    QCOMPARE(Text(*w), std::string("\tx"));
    QCOMPARE(w->Model().Col(), 9);
  }

  void doubleByteTextFromKeysIsOneCharacter() {
    auto w = ShownEditor();
    TypeKey(*w, 0, QStringLiteral("あ"));
    QCOMPARE(Text(*w), std::string("\x82\xA0"));
    QCOMPARE(w->Model().Col(), 2);
    QCOMPARE(UndoEntries(*w), size_t(1));
  }

  void unmappableTextBecomesQuestionMarkAndIsReported() {
    auto w = ShownEditor();
    QSignalSpy spy(w.get(), &TEditor::charactersReplaced);
    TypeKey(*w, 0, QStringLiteral("한"));
    QCOMPARE(Text(*w), std::string("?"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 1);
    Commit(*w, QStringLiteral("a😀b€"));
    QCOMPARE(Text(*w), std::string("?a?b?"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), 2);
  }

  void inputMethodCommitIsOneEdit() {
    auto w = ShownEditor("ab");
    w->Model().SetRowCol(0, 1);
    const size_t before = UndoEntries(*w);
    Commit(*w, QStringLiteral("日本語"));
    QCOMPARE(Text(*w), "a" + Cp932(QStringLiteral("日本語")) + "b");
    QCOMPARE(w->Model().Col(), 7);
    QCOMPARE(UndoEntries(*w), before + 1);
    w->Model().Undo();
    QCOMPARE(Text(*w), std::string("ab"));
    // A preedit alone changes nothing.
    QInputMethodEvent pre(QStringLiteral("にほ"), {});
    QApplication::sendEvent(w.get(), &pre);
    QCOMPARE(Text(*w), std::string("ab"));
  }

  void readOnlyIgnoresTextButMovesTheCaret() {
    auto w = ShownEditor("abc");
    w->Model().SetReadOnly(true);
    QSignalSpy replaced(w.get(), &TEditor::charactersReplaced);
    QTest::keyClicks(w.get(), QStringLiteral("xyz"));
    TypeKey(*w, 0, QStringLiteral("한"));
    QCOMPARE(replaced.count(), 0);  // nothing was inserted, so nothing was replaced
    Commit(*w, QStringLiteral("日本"));
    QTest::keyClick(w.get(), Qt::Key_Delete);
    QCOMPARE(Text(*w), std::string("abc"));
    QTest::keyClick(w.get(), Qt::Key_End);
    QCOMPARE(w->Model().Col(), 3);
  }

  void cursorRectangleFollowsTheCaretAndIncludesTheBars() {
    auto w = ShownEditor("0123456789\r\nabc");
    const auto& l = w->Model().Layout();
    const QRect r0 = w->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QVERIFY(r0.height() > 0);
    QTest::keyClick(w.get(), Qt::Key_Right);
    QTest::keyClick(w.get(), Qt::Key_Right);
    QTest::keyClick(w.get(), Qt::Key_Right);
    const QRect r3 = w->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QCOMPARE(r3.x() - r0.x(), 3 * l.char_width);
    QCOMPARE(r3.y(), r0.y());
    QTest::keyClick(w.get(), Qt::Key_Down);
    const QRect down = w->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QCOMPARE(down.y() - r3.y(), l.row_pitch);
    // The text starts right of the margin and the bars, and below the ruler.
    QVERIFY(r0.x() >= l.text_left);
    QVERIFY(r0.y() >= l.text_top);
    const int without_bar = r0.x();
    w->Model().Leftbar().SetVisible(true);
    w->Model().SetRowCol(0, 0);
    const QRect with_bar = w->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QVERIFY(w->Model().Layout().leftbar_width > 0);
    QCOMPARE(with_bar.x() - without_bar, w->Model().Layout().leftbar_width);
    // Widget coordinates: the frame is counted as well.
    QCOMPARE(with_bar.topLeft(), QPoint(w->Model().CaretRect().x, w->Model().CaretRect().y) + w->viewport()->pos());
    QCOMPARE(w->inputMethodQuery(Qt::ImEnabled).toBool(), true);
    QCOMPARE(w->inputMethodQuery(Qt::ImFont).value<QFont>(), w->EditorQFont());
  }

  void surroundingTextIsTheCaretRow() {
    auto w = ShownEditor(Cp932(QStringLiteral("一行目\r\nあいう")));
    w->Model().SetRowCol(1, 4);
    QCOMPARE(w->inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("あいう"));
    QCOMPARE(w->inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
  }
};

QTEST_MAIN(InputTest)
#include "input_test.moc"
