// The preview window: page label and navigation, the three zoom modes, the sheet drawn with its
// unprintable strips, hand scrolling and the wheel.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QToolButton>

#include "print/qt/printpreview.h"

using namespace print;
using namespace print::qt;

namespace {

// Pages of 9000 x 13000 printer pixels at 1200 dpi, each with a black square of one inch in its
// top-left corner; the sheet has 100 unprintable pixels on every side.
struct Fixture {
  PrinterMetrics metrics;
  TMetaFileList pages;
  explicit Fixture(int count) {
    metrics.hasPrinter = true;
    metrics.dpi = 1200;
    metrics.screenDpi = 96;
    metrics.offsets = PaperOffsets{100, 100, 100, 100};
    for (int i = 0; i < count; ++i) {
      pages.push_back(std::make_unique<PagePicture>(1200, QSize(9000, 13000)));
      QPainter p(pages.back().get());
      p.fillRect(QRect(0, 0, 9000, 13000), Qt::white);
      p.fillRect(QRect(0, 0, 1200, 1200), Qt::black);
    }
  }
};

}  // namespace

class PrintPreviewTest : public QObject {
  Q_OBJECT
 private slots:
  void pageLabelAndNavigation() {
    Fixture f(3);
    TFormStringsPrinterPreview w(f.metrics, f.pages);
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("Preview"));
    QCOMPARE(w.PageLabel()->text(), QString::asprintf("%3d / %3d", 1, 3));
    QCOMPARE(w.PageLabel()->text(), QStringLiteral("  1 /   3"));
    QVERIFY(!w.FirstButton()->isEnabled());
    QVERIFY(!w.PreviousButton()->isEnabled());
    QVERIFY(w.NextButton()->isEnabled());
    QVERIFY(w.LastButton()->isEnabled());

    QTest::mouseClick(w.NextButton(), Qt::LeftButton);
    QCOMPARE(w.PageLabel()->text(), QStringLiteral("  2 /   3"));
    QVERIFY(w.FirstButton()->isEnabled() && w.NextButton()->isEnabled());
    QTest::mouseClick(w.LastButton(), Qt::LeftButton);
    QCOMPARE(w.PageLabel()->text(), QStringLiteral("  3 /   3"));
    QVERIFY(!w.NextButton()->isEnabled());
    QVERIFY(!w.LastButton()->isEnabled());
    QTest::mouseClick(w.PreviousButton(), Qt::LeftButton);
    QCOMPARE(w.PageIndex(), 1);
    QTest::mouseClick(w.FirstButton(), Qt::LeftButton);
    QCOMPARE(w.PageIndex(), 0);

    w.SetPageIndex(10);
    QCOMPARE(w.PageIndex(), 2);
    w.SetPageIndex(-4);
    QCOMPARE(w.PageIndex(), 0);
  }

  void opensAtActualSizeAsWideAsThePage() {
    Fixture f(1);
    TFormStringsPrinterPreview w(f.metrics, f.pages);
    w.show();
    QCOMPARE(w.Zoom(), TFormStringsPrinterPreview::zmActual);
    // (9000 + 200) x (13000 + 200) printer pixels at 96 / 1200.
    QCOMPARE(w.ImageSize(), QSize(736, 1056));
    const QRect screen = w.screen()->availableGeometry();
    const int bar = w.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QCOMPARE(w.width(), std::min(screen.width(), 736 + bar + 16 + 2 * w.Area()->frameWidth()));
    QCOMPARE(w.height(), screen.height() * 5 / 6);
  }

  void zoomModesFitTheArea() {
    Fixture f(1);
    TFormStringsPrinterPreview w(f.metrics, f.pages);
    w.show();
    w.resize(500, 400);
    QApplication::processEvents();
    const int bar = w.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int frame = 2 * w.Area()->frameWidth();

    QTest::mouseClick(w.AdjustWidthButton(), Qt::LeftButton);
    QCOMPARE(w.Zoom(), TFormStringsPrinterPreview::zmWidth);
    QCOMPARE(w.ImageSize().width(), w.Area()->width() - frame - bar);
    QCOMPARE(w.ImageSize().height(), qRound(w.ImageSize().width() * 13200.0 / 9200));
    QCOMPARE(w.Area()->verticalScrollBar()->value(), 0);

    QTest::mouseClick(w.AdjustHeightButton(), Qt::LeftButton);
    QCOMPARE(w.ImageSize().height(), w.Area()->height() - frame - bar);
    QCOMPARE(w.ImageSize().width(), qRound(w.ImageSize().height() * 9200.0 / 13200));
    QCOMPARE(w.Sheet()->cursor().shape(), Qt::ArrowCursor);  // it fits

    QTest::mouseClick(w.ActualSizeButton(), Qt::LeftButton);
    QCOMPARE(w.ImageSize(), QSize(736, 1056));
    QCOMPARE(w.Sheet()->cursor().shape(), Qt::OpenHandCursor);  // larger than the area
  }

  void sheetShowsThePictureInsideTheUnprintableStrips() {
    Fixture f(1);
    TFormStringsPrinterPreview w(f.metrics, f.pages);
    w.show();
    QCOMPARE(w.PictureRect(), QRectF(8, 8, 720, 1040));
    const QImage img = w.Sheet()->grab().toImage();
    // The inch square: 96 screen pixels from (8, 8).
    QCOMPARE(qGray(img.pixel(8 + 48, 8 + 48)), 0);
    QCOMPARE(qGray(img.pixel(8 + 90, 8 + 90)), 0);
    QVERIFY(qGray(img.pixel(8 + 100, 8 + 100)) > 200);
    QVERIFY(qGray(img.pixel(4, 50)) > 200);  // the unprintable strip stays white
  }

  void handAndWheelScroll() {
    Fixture f(1);
    TFormStringsPrinterPreview w(f.metrics, f.pages);
    w.show();
    w.resize(400, 300);
    QApplication::processEvents();
    QVERIFY(w.ImageLargerThanArea());
    QScrollBar* h = w.Area()->horizontalScrollBar();
    QScrollBar* v = w.Area()->verticalScrollBar();
    h->setValue(100);
    v->setValue(100);
    // The content follows the hand: dragging left and up scrolls right and down.
    QTest::mousePress(w.Sheet(), Qt::LeftButton, {}, QPoint(200, 200));
    QMouseEvent move(QEvent::MouseMove, QPointF(170, 150), w.Sheet()->mapToGlobal(QPointF(170, 150)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Sheet(), &move);
    QCOMPARE(h->value(), 130);
    QCOMPARE(v->value(), 150);
    QTest::mouseRelease(w.Sheet(), Qt::LeftButton, {}, QPoint(170, 150));

    QWheelEvent wheel(QPointF(50, 50), w.Sheet()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.Sheet(), &wheel);
    QCOMPARE(v->value(), 270);
    QCOMPARE(h->value(), 130);

    // Any zoom change goes back to the top left.
    QTest::mouseClick(w.ActualSizeButton(), Qt::LeftButton);
    QCOMPARE(v->value(), 0);
    QCOMPARE(h->value(), 0);
  }
};

QTEST_MAIN(PrintPreviewTest)
#include "printpreview_test.moc"
