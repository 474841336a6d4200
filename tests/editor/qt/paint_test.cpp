// What the widget paints: characters in their cells, the selection, marks, ruler, bars, dotted
// underlines, and which parts it repaints after an edit.
#include <QApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>

#include "editor/qt/editorcolor.h"
#include "search/bufferfinder.h"
#include "testutil.h"

using editor::qt::TEditor;
using testutil::CountColor;
using testutil::CountNonWhite;
using testutil::Cp932;
using testutil::Grab;
using testutil::ShownEditor;

namespace {

QRect Cell(TEditor& w, int row, int col, int cells = 1) {
  const auto& l = w.Model().Layout();
  return QRect(w.Model().ColX(col), w.Model().RowY(row), cells * l.char_width, l.text_height);
}

// The viewport's pixels as the window shows them (not a fresh rendering).
QImage Shown(TEditor& w) {
  const QPoint at = w.viewport()->mapTo(w.window(), QPoint(0, 0));
  return w.screen()
      ->grabWindow(w.window()->winId(), at.x(), at.y(), w.viewport()->width(), w.viewport()->height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

QColor Q(store::TColor c) { return editor::qt::ToQColor(c, QPalette()); }

// Collects the regions the viewport paints.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget* w) { w->installEventFilter(this); }
  QRegion region;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(e)->region();
    return false;
  }
};

}  // namespace

class PaintTest : public QObject {
  Q_OBJECT

 private slots:
  void charactersSitInTheirCells() {
    auto w = ShownEditor(Cp932(QStringLiteral("W 漢\tx")));
    const QImage img = Grab(*w);
    QVERIFY(CountNonWhite(img, Cell(*w, 0, 0)) > 0);
    QCOMPARE(CountNonWhite(img, Cell(*w, 0, 1)), 0);
    QVERIFY(CountNonWhite(img, Cell(*w, 0, 2, 2)) > 0);
    QCOMPARE(CountNonWhite(img, Cell(*w, 0, 4, 4)), 0);  // the tab's cells
    QVERIFY(CountNonWhite(img, Cell(*w, 0, 8)) > 0);     // "x" at the tab stop
  }

  void colouredTokensAreRedrawnOpaquely() {
    // Blue link text over the row's default black text: only blends of blue and white may show,
    // never the black glyph edges underneath.
    auto w = ShownEditor("see http://example.jp/ok");
    const QImage img = Grab(*w);
    const QRect link = Cell(*w, 0, 4, 20);
    int blue = 0;
    for (int y = link.top(); y <= link.bottom(); ++y) {
      for (int x = link.left(); x <= link.right(); ++x) {
        const QRgb px = img.pixel(x, y);
        QVERIFY2(qBlue(px) == 255 && qRed(px) == qGreen(px), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        if (qRed(px) < 128) ++blue;
      }
    }
    QVERIFY(blue > 20);
  }

  void selectionIsPaintedInTheSelectColours() {
    auto w = ShownEditor("abcdef\r\nghi");
    w->Model().Select({0, 1}, {0, 4});
    QApplication::processEvents();
    const QImage img = Grab(*w);
    const QColor navy = Q(store::clNavy);
    const QRect sel = Cell(*w, 0, 1, 3);
    // Background navy with white glyphs: most pixels navy, some white.
    QVERIFY(CountColor(img, sel, navy) > sel.width() * sel.height() / 2);
    QVERIFY(CountColor(img, sel, Qt::white) > 0);
    QCOMPARE(CountColor(img, Cell(*w, 0, 0), navy), 0);
    QCOMPARE(CountColor(img, Cell(*w, 0, 4, 2), navy), 0);
    QCOMPARE(CountColor(img, Cell(*w, 1, 0, 3), navy), 0);
  }

  void searchHitsUseTheHitColours() {
    auto w = ShownEditor("one two one");
    w->Model().SetHitStyle(editor::hsDraw);
    w->Model().SetRowCol(0, 1);
    QVERIFY(w->Model().Search(search::BufferFinder("one", search::soForward)));
    QApplication::processEvents();
    const QImage img = Grab(*w);
    QVERIFY(CountColor(img, Cell(*w, 0, 8, 3), Q(store::clSilver)) > 0);
    QCOMPARE(CountColor(img, Cell(*w, 0, 8, 3), Q(store::clNavy)), 0);
  }

  void rowEndMarks() {
    auto w = ShownEditor("ab\r\ncd");
    w->Model().Marks().EofMark().SetVisible(true);
    QApplication::processEvents();
    const QImage img = Grab(*w);
    // Return mark (gray) after "ab", "[EOF]" (olive) after "cd".
    QVERIFY(CountColor(img, Cell(*w, 0, 2), Q(store::clGray)) > 3);
    QVERIFY(CountColor(img, Cell(*w, 1, 2, 5), Q(store::clOlive)) > 10);
    QCOMPARE(CountColor(img, Cell(*w, 0, 2, 5), Q(store::clOlive)), 0);
  }

  void wrappedRowsShowTheWrapMark() {
    auto w = ShownEditor(std::string(70, 'a') + "\r\nb");
    QVERIFY(w->Model().WordWrap());
    QCOMPARE(w->Model().RowAttributeOf(0), editor::rowWrapped);
    QApplication::processEvents();
    const QImage img = Grab(*w);
    const int width = static_cast<int>(w->Model().RowView(0).size());
    QVERIFY(CountColor(img, Cell(*w, 0, width), Q(store::clGray)) > 3);
  }

  void caretRowUnderline() {
    auto w = ShownEditor("a\r\nb\r\nc");
    w->Model().SetRowCol(1, 0);
    QApplication::processEvents();
    const QImage img = Grab(*w);
    const auto& l = w->Model().Layout();
    const int y1 = w->Model().RowY(1) + l.row_pitch - 1;
    const int y0 = w->Model().RowY(0) + l.row_pitch - 1;
    const int x = l.text_left + 5 * l.char_width;
    QCOMPARE(img.pixelColor(x, y1), Q(store::clGray));
    QCOMPARE(img.pixelColor(x, y0), QColor(Qt::white));
  }

  void rulerLineNumbersAndBookmarks() {
    auto w = ShownEditor("a\r\nb\r\nc");
    w->Model().Leftbar().SetVisible(true);
    w->Model().Imagebar().SetVisible(true);
    w->Model().SetMark(1, 3);
    QApplication::processEvents();
    const QImage img = Grab(*w);
    const auto& l = w->Model().Layout();
    QVERIFY(l.ruler_height > 0);
    const QRect ruler(l.text_left, l.ruler_top, 20 * l.char_width, l.ruler_height);
    QVERIFY(CountColor(img, ruler, Q(store::clSilver)) > ruler.width() * ruler.height() / 3);
    QVERIFY(testutil::CountDark(img, ruler) > 20);  // the scale and digits
    // Digits in the line-number bar of each row.
    for (int row = 0; row < 3; ++row) {
      const QRect bar(l.leftbar_left, w->Model().RowY(row), l.leftbar_width - 1, l.text_height);
      QVERIFY2(testutil::CountDark(img, bar) > 5, qPrintable(QString::number(row)));
    }
    // The bookmark image on row 1 only: its light badge colour.
    const QColor badge(0xFF, 0xFF, 0xE0);
    QVERIFY(CountColor(img, QRect(l.imagebar_left, w->Model().RowY(1), l.imagebar_width, l.row_pitch), badge) > 20);
    QCOMPARE(CountColor(img, QRect(l.imagebar_left, w->Model().RowY(0), l.imagebar_width, l.row_pitch), badge), 0);
  }

  void underlinedTokensGetADottedLine() {
    auto w = ShownEditor("see http://example.jp/x now");
    w->Model().View().Colors().Url.SetStyle(store::fsUnderline);
    QApplication::processEvents();
    const QImage img = Grab(*w);
    const auto& l = w->Model().Layout();
    const int y = w->Model().RowY(0) + l.text_height - 1;
    const QColor blue = Q(store::clBlue);
    const int x0 = w->Model().ColX(4);
    const int x1 = w->Model().ColX(4 + 19);  // "http://example.jp/x"
    int on = 0;
    for (int x = x0; x < x1; ++x) {
      const QColor px = img.pixelColor(x, y);
      const bool even = (x - w->Model().ColX(0)) % 2 == 0;
      if (px == blue) ++on;
      QCOMPARE(px == blue, even);
    }
    QCOMPARE(on, (x1 - x0) / 2);
    // Nothing under the words that are not links.
    QCOMPARE(CountColor(img, QRect(w->Model().ColX(0), y, 3 * l.char_width, 1), blue), 0);
  }

  void anEditRepaintsOnlyTheChangedRows() {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    auto w = ShownEditor(text, QSize(640, 600));
    w->Model().SetRowCol(5, 2);
    QApplication::processEvents();
    PaintRecorder rec(w->viewport());
    QTest::keyClicks(w.get(), QStringLiteral("x"));
    QApplication::processEvents();
    const auto& l = w->Model().Layout();
    const QRect rows(0, l.text_top, w->viewport()->width(), w->viewport()->height() - l.text_top);
    const QRect painted_rows = rec.region.intersected(rows).boundingRect();
    QVERIFY(painted_rows.contains(QRect(l.text_left, w->Model().RowY(5), 4 * l.char_width, l.text_height)));
    QVERIFY2(painted_rows.height() <= 2 * l.row_pitch, "typing repaints its row, not the screen");
    // A new line scrolls the rows below instead of repainting them.
    rec.region = QRegion();
    QTest::keyClick(w.get(), Qt::Key_Return);
    QApplication::processEvents();
    // Rows 5 and 6 are new, the old row 7 (now 8) was asked for before the move.
    const QRect text_area(l.text_left, w->Model().RowY(9), w->viewport()->width() - l.text_left, 10 * l.row_pitch);
    QVERIFY2(!rec.region.intersects(text_area), "rows below the edit moved, not repainted");
    // What is on the screen after moving rows equals a fresh paint of everything.
    const QImage shown = Shown(*w);
    const QImage fresh = Grab(*w);
    QCOMPARE(shown.size(), fresh.size());
    QVERIFY(shown == fresh);
    QVERIFY(CountNonWhite(fresh, Cell(*w, 10, 0, 4)) > 0);
  }

  void scrollingUpAndUndoingAPasteLeaveNoStaleRows() {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    auto w = ShownEditor(text, QSize(640, 400));
    auto same = [&] {
      QApplication::processEvents();
      return Shown(*w) == Grab(*w);
    };
    w->Model().SetTopRow(6);
    QVERIFY(same());
    w->Model().SetTopRow(3);
    QVERIFY2(same(), "scrolled up");
    w->Model().SetText("first line\r\n");
    w->Model().SetRowCol(1, 0);
    w->Model().InsertText("AAA\nBBB\nCCC\n");
    QVERIFY(same());
    w->Model().Undo();
    QVERIFY2(same(), "undo of a multi-line paste");
  }
};

QTEST_MAIN(PaintTest)
#include "paint_test.moc"
