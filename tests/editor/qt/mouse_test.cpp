// Mouse, wheel and scroll bars through the widget: clicks put the caret on the clicked cell,
// dragging and Shift+click select, double click takes a token, the left bars select rows, the
// cursor follows the area, and the wheel and scroll bars move the view.
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QWheelEvent>

#include "testutil.h"

using editor::Position;
using editor::qt::TEditor;
using testutil::ShownEditor;

namespace {

QPoint CellLeft(TEditor& w, int row, int col) {
  return {w.Model().ColX(col) + 1, w.Model().RowY(row) + w.Model().Layout().row_pitch / 2};
}

void Mouse(TEditor& w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QMouseEvent e(type, at, w.viewport()->mapToGlobal(at), button, buttons, mods);
  QApplication::sendEvent(w.viewport(), &e);
}

std::string Lines(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "line " + std::to_string(i) + "\r\n";
  return s;
}

}  // namespace

class MouseTest : public QObject {
  Q_OBJECT

 private slots:
  void clickDragAndShiftClick() {
    auto w = ShownEditor("abcdef\r\nghijkl\r\nmnopqr");
    QTest::mouseClick(w->viewport(), Qt::LeftButton, Qt::NoModifier, CellLeft(*w, 1, 3));
    QCOMPARE(w->Model().CaretPos(), (Position{1, 3}));
    QVERIFY(!w->Model().Selected());
    // Press, move, release: the selection runs from the press to the release.
    Mouse(*w, QEvent::MouseButtonPress, CellLeft(*w, 0, 1), Qt::LeftButton, Qt::LeftButton);
    Mouse(*w, QEvent::MouseMove, CellLeft(*w, 0, 3), Qt::NoButton, Qt::LeftButton);
    Mouse(*w, QEvent::MouseMove, CellLeft(*w, 1, 2), Qt::NoButton, Qt::LeftButton);
    Mouse(*w, QEvent::MouseButtonRelease, CellLeft(*w, 1, 2), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(w->Model().SelText(), std::string("bcdef\r\ngh"));
    // Shift+click extends it.
    QTest::mouseClick(w->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellLeft(*w, 2, 1));
    QCOMPARE(w->Model().SelText(), std::string("bcdef\r\nghijkl\r\nm"));
  }

  void draggingTheSelectionMovesOrCopiesIt() {
    auto w = ShownEditor("abc def\r\nxyz");
    w->Model().Select({0, 0}, {0, 3});
    Mouse(*w, QEvent::MouseButtonPress, CellLeft(*w, 0, 1), Qt::LeftButton, Qt::LeftButton);
    Mouse(*w, QEvent::MouseMove, CellLeft(*w, 1, 2), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(w->viewport()->cursor().shape(), Qt::DragMoveCursor);
    Mouse(*w, QEvent::MouseButtonRelease, CellLeft(*w, 1, 2), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(w->Model().Text(), std::string(" def\r\nxyabcz"));
    // With Ctrl the text is copied.
    w->Model().Select({0, 1}, {0, 4});
    Mouse(*w, QEvent::MouseButtonPress, CellLeft(*w, 0, 2), Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    Mouse(*w, QEvent::MouseMove, CellLeft(*w, 1, 0), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    Mouse(*w, QEvent::MouseButtonRelease, CellLeft(*w, 1, 0), Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    QCOMPARE(w->Model().Text(), std::string(" def\r\ndefxyabcz"));
  }

  void doubleClickSelectsTheToken() {
    auto w = ShownEditor("see http://example.jp/a now");
    QTest::mouseDClick(w->viewport(), Qt::LeftButton, Qt::NoModifier, CellLeft(*w, 0, 10));
    QCOMPARE(w->Model().SelText(), std::string("http://example.jp/a"));
  }

  void clickLeftOfTheTextSelectsTheRow() {
    auto w = ShownEditor("abc\r\ndefg\r\nhi");
    w->Model().Leftbar().SetVisible(true);
    const auto& l = w->Model().Layout();
    QTest::mouseClick(w->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(l.leftbar_left + 2, w->Model().RowY(1) + l.row_pitch / 2));
    QCOMPARE(w->Model().SelText(), std::string("defg\r\n"));
  }

  void cursorFollowsTheArea() {
    auto w = ShownEditor("abcdef\r\nghi");
    w->Model().Leftbar().SetVisible(true);
    w->Model().Select({0, 0}, {0, 3});
    const auto& l = w->Model().Layout();
    Mouse(*w, QEvent::MouseMove, CellLeft(*w, 1, 1), Qt::NoButton, Qt::NoButton);
    QCOMPARE(w->viewport()->cursor().shape(), Qt::IBeamCursor);
    Mouse(*w, QEvent::MouseMove, CellLeft(*w, 0, 1), Qt::NoButton, Qt::NoButton);
    QCOMPARE(w->viewport()->cursor().shape(), Qt::ArrowCursor);  // over the selection
    Mouse(*w, QEvent::MouseMove, QPoint(l.leftbar_left + 2, w->Model().RowY(1) + 2), Qt::NoButton, Qt::NoButton);
    QCOMPARE(w->viewport()->cursor().shape(), Qt::BitmapCursor);  // the editor's right arrow
    Mouse(*w, QEvent::MouseMove, QPoint(l.text_left + 30, l.ruler_top + 2), Qt::NoButton, Qt::NoButton);
    QCOMPARE(w->viewport()->cursor().shape(), Qt::ArrowCursor);
  }

  void wheelAndScrollBarsMoveTheView() {
    auto w = ShownEditor(Lines(300));
    QSignalSpy top(w.get(), &TEditor::topRowChanged);
    QWheelEvent down(QPointF(50, 50), w->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w->viewport(), &down);
    QVERIFY(w->Model().TopRow() > 0);
    QVERIFY(top.count() > 0);
    QCOMPARE(w->verticalScrollBar()->value(), w->Model().TopRow());
    // A half notch from a fine-grained wheel waits for the other half.
    const int after_notch = w->Model().TopRow();
    QWheelEvent half(QPointF(50, 50), w->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 60),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w->viewport(), &half);
    QCOMPARE(w->Model().TopRow(), after_notch);
    QApplication::sendEvent(w->viewport(), &half);
    QVERIFY(w->Model().TopRow() < after_notch);
    // Dragging the scroll bar scrolls the rows; the caret stays where it was.
    const Position caret = w->Model().CaretPos();
    w->verticalScrollBar()->setValue(150);
    QCOMPARE(w->Model().TopRow(), 150);
    QCOMPARE(w->Model().CaretPos(), caret);
    // The model's own scrolling moves the bar.
    w->Model().SetTopRow(40);
    QCOMPARE(w->verticalScrollBar()->value(), 40);
  }

  void scrollBarsFollowTheScrollBarsProperty() {
    auto w = ShownEditor(Lines(100));
    QCOMPARE(w->Model().ScrollBars(), editor::ssBoth);
    QVERIFY(w->verticalScrollBar()->isVisible());
    QVERIFY(w->horizontalScrollBar()->isVisible());
    const int with_bars = w->viewport()->width();
    w->Model().SetScrollBars(editor::ssNone);
    QApplication::processEvents();
    QVERIFY(!w->verticalScrollBar()->isVisible());
    QVERIFY(!w->horizontalScrollBar()->isVisible());
    QCOMPARE(w->viewport()->width(), with_bars + w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w.get()));
    // The model lays the text out for the new size.
    QCOMPARE(w->Model().Layout().width, w->viewport()->width());
    w->Model().SetScrollBars(editor::ssVertical);
    QApplication::processEvents();
    QVERIFY(w->verticalScrollBar()->isVisible());
    QVERIFY(!w->horizontalScrollBar()->isVisible());
  }

  void draggingBelowTheViewScrollsOnItsOwn() {
    auto w = ShownEditor(Lines(300), QSize(400, 200));
    Mouse(*w, QEvent::MouseButtonPress, CellLeft(*w, 1, 1), Qt::LeftButton, Qt::LeftButton);
    Mouse(*w, QEvent::MouseMove, QPoint(50, w->viewport()->height() + 20), Qt::NoButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w->Model().TopRow() > 3, 2000);
    Mouse(*w, QEvent::MouseButtonRelease, QPoint(50, w->viewport()->height() + 20), Qt::LeftButton, Qt::NoButton);
    const int top = w->Model().TopRow();
    QTest::qWait(200);
    QCOMPARE(w->Model().TopRow(), top);  // stops with the release
    QVERIFY(w->Model().Selected());
  }

  void caretShowsOnlyWithFocus() {
    auto w = ShownEditor("abc");
    QVERIFY(w->hasFocus());
    QVERIFY(w->Model().CaretRect().visible);
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    QApplication::setActiveWindow(&other);
    other.setFocus();
    QApplication::processEvents();
    QVERIFY(!w->hasFocus());
    QVERIFY(!w->Model().CaretRect().visible);
  }

  void drawLineIsEmittedPerPaintedRow() {
    auto w = ShownEditor("abc\r\n" + testutil::Cp932(QStringLiteral("日本")));
    QSignalSpy spy(w.get(), &TEditor::drawLine);
    w->viewport()->repaint();
    QVERIFY(spy.count() >= 2);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("abc"));
    QCOMPARE(spy.at(0).at(3).toInt(), 0);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("日本"));
    QCOMPARE(spy.at(1).at(2).toInt(), w->Model().RowY(1));
  }
};

QTEST_MAIN(MouseTest)
#include "mouse_test.moc"
