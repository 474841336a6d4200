// Keys, text and input-method commits reach the model through the widget, converted to code
// page 932; the input method is told where the caret is.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextCharFormat>

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

// A preedit as fcitx5 with Mozc sends it while converting: the first `active` characters are the
// highlighted segment, the rest dash-underlined, the cursor at `cursor`.
void Preedit(TEditor& w, const QString& text, int active, int cursor, bool cursor_visible = true) {
  QList<QInputMethodEvent::Attribute> attrs;
  QTextCharFormat on;
  on.setBackground(QColor(0x30, 0x8c, 0xc6));
  on.setForeground(Qt::white);
  QTextCharFormat rest;
  rest.setUnderlineStyle(QTextCharFormat::DashUnderline);
  if (active > 0) attrs << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0, active, on);
  attrs << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, active, int(text.size()) - active, rest);
  attrs << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, cursor, cursor_visible ? 1 : 0, QVariant());
  QInputMethodEvent e(text, attrs);
  QApplication::sendEvent(&w, &e);
}

QRect Cells(TEditor& w, int row, int col, int n) {
  const auto& l = w.Model().Layout();
  return QRect(w.Model().ColX(col), w.Model().RowY(row), n * l.char_width, l.text_height);
}

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
    // Composing shows the "?" it will become; the count comes with the commit.
    Preedit(*w, QStringLiteral("😀あ"), 0, 3);
    QCOMPARE(std::string(w->Model().PaintInfo(0).text), "?a?b??" + Cp932(QStringLiteral("あ")));
    QCOMPARE(w->Model().CaretRect().x, w->Model().ColX(8));
    QCOMPARE(spy.count(), 2);
    Commit(*w, QStringLiteral("😀あ"));
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(2).at(0).toInt(), 1);
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
    QVERIFY(w->inputMethodQuery(Qt::ImHints).toInt() & Qt::ImhMultiLine);
  }

  void preeditIsLaidOutAtTheCaretWithTheInputMethodsLook() {
    const std::string text = Cp932(QStringLiteral("日本語の文章です。"));
    auto w = ShownEditor(text);
    w->Model().SetRowCol(0, 10);
    w->Model().SetModified(false);
    QApplication::processEvents();
    Preedit(*w, QStringLiteral("私の名前は"), 2, 0);
    QVERIFY(w->Model().Composing());
    QApplication::processEvents();
    const QImage img = testutil::Grab(*w);
    // 章です。 moved right by the ten columns of the preedit, still drawn.
    for (int col = 20; col < 28; col += 2)
      QVERIFY2(testutil::CountDark(img, Cells(*w, 0, col, 2)) > 3, qPrintable(QString::number(col)));
    // The active segment in the input method's colours, the rest dash-underlined, not highlighted.
    const QColor active(0x30, 0x8c, 0xc6);
    QVERIFY(testutil::CountColor(img, Cells(*w, 0, 10, 4), active) > Cells(*w, 0, 10, 4).width() * 4);
    QCOMPARE(testutil::CountColor(img, Cells(*w, 0, 14, 6), active), 0);
    const int line_y = w->Model().RowY(0) + w->Model().Layout().text_height - 1;
    QVERIFY(testutil::CountDark(img, QRect(w->Model().ColX(14), line_y, 6 * w->Model().Layout().char_width, 1)) > 10);
    // The candidate window goes where the input method's cursor is.
    QCOMPARE(w->inputMethodQuery(Qt::ImCursorRectangle).toRect().x(), w->Model().ColX(10) + w->viewport()->x());
    Preedit(*w, QStringLiteral("私の名前は"), 0, 2);
    QCOMPARE(w->inputMethodQuery(Qt::ImCursorRectangle).toRect().x(), w->Model().ColX(14) + w->viewport()->x());
    // Not in the document, the undo list or Modified; the commit is one step.
    QCOMPARE(Text(*w), text);
    QCOMPARE(UndoEntries(*w), size_t(0));
    QVERIFY(!w->Model().Modified());
    Commit(*w, QStringLiteral("私の名前は"));
    QVERIFY(!w->Model().Composing());
    QCOMPARE(Text(*w), Cp932(QStringLiteral("日本語の文私の名前は章です。")));
    QCOMPARE(UndoEntries(*w), size_t(1));
    w->Model().Undo();
    QCOMPARE(Text(*w), text);
  }

  void preeditAtTheEndOfAWrappedRowWraps() {
    // The main window's editor wraps at 60 columns.
    const std::string row = std::string(58, 'a');
    auto w = ShownEditor(row + "\r\nnext");
    w->Model().SetRowCol(0, 58);
    Preedit(*w, QStringLiteral("あいう"), 0, 3);
    QApplication::processEvents();
    QCOMPARE(w->Model().PaintRowCount(), 3);
    QCOMPARE(w->inputMethodQuery(Qt::ImCursorRectangle).toRect().y(), w->Model().RowY(1) + w->viewport()->y());
    const QImage img = testutil::Grab(*w);
    QVERIFY(testutil::CountDark(img, Cells(*w, 1, 0, 4)) > 5);   // いう on the next row
    QVERIFY(testutil::CountDark(img, Cells(*w, 2, 0, 4)) > 5);   // "next" a row lower
    QCOMPARE(testutil::CountDark(img, Cells(*w, 0, 60, 4)), 0);  // nothing past the wrap column
  }

  void preeditReplacesTheSelectionAndReconversionWorks() {
    // Select 日本 and press the reconversion key: the input method reads the selection, deletes it
    // through an empty replacement (fcitx5 discounts the selection), shows candidates, commits.
    // (Replacements that do remove text are counted in the model's tests.)
    auto w = ShownEditor(Cp932(QStringLiteral("日本語")));
    w->Model().Select({0, 0}, {0, 4});
    QCOMPARE(w->inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("日本語"));
    QCOMPARE(w->inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
    QCOMPARE(w->inputMethodQuery(Qt::ImAnchorPosition).toInt(), 0);
    QCOMPARE(w->inputMethodQuery(Qt::ImCurrentSelection).toString(), QStringLiteral("日本"));
    QCOMPARE(w->inputMethodQuery(Qt::ImAnchorRectangle).toRect().x(), w->Model().ColX(0) + w->viewport()->x());
    QInputMethodEvent nothing;
    nothing.setCommitString(QString(), 0, 0);
    QApplication::sendEvent(w.get(), &nothing);
    Preedit(*w, QStringLiteral("にほん"), 3, 0);
    QCOMPARE(std::string(w->Model().PaintInfo(0).text), Cp932(QStringLiteral("にほん語")));
    QCOMPARE(w->inputMethodQuery(Qt::ImCurrentSelection).toString(), QString());
    Commit(*w, QStringLiteral("二本"));
    QCOMPARE(Text(*w), Cp932(QStringLiteral("二本語")));
    QCOMPARE(UndoEntries(*w), size_t(1));
  }

  void readOnlyRefusesComposing() {
    auto w = ShownEditor("abc");
    w->Model().SetReadOnly(true);
    QCOMPARE(w->inputMethodQuery(Qt::ImEnabled).toBool(), false);
    Preedit(*w, QStringLiteral("あ"), 0, 1);
    QVERIFY(!w->Model().Composing());
    QCOMPARE(std::string(w->Model().PaintInfo(0).text), std::string("abc"));
    w->Model().SetReadOnly(false);
    QCOMPARE(w->inputMethodQuery(Qt::ImEnabled).toBool(), true);
  }

  void focusLostOrAClickEndsTheShownComposition() {
    auto w = ShownEditor("abc");
    QLineEdit other;
    other.show();
    w->Model().SetRowCol(0, 3);
    w->Model().SetModified(false);
    Preedit(*w, QStringLiteral("あい"), 0, 2);
    QVERIFY(w->Model().Composing());
    other.setFocus();
    QApplication::processEvents();
    QVERIFY(!w->Model().Composing());
    QCOMPARE(Text(*w), std::string("abc"));
    QVERIFY(!w->Model().Modified());
    // fcitx5 commits what it had right after the focus left: it lands once.
    Commit(*w, QStringLiteral("あい"));
    QCOMPARE(Text(*w), "abc" + Cp932(QStringLiteral("あい")));
    QCOMPARE(UndoEntries(*w), size_t(1));
    w->setFocus();
    Preedit(*w, QStringLiteral("う"), 0, 1);
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, QPoint(w->Model().ColX(1), w->Model().RowY(0) + 3));
    QVERIFY(!w->Model().Composing());
    QCOMPARE(w->Model().Col(), 1);
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
