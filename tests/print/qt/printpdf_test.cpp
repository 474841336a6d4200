// Real pages: Japanese text rendered through QPrinter into a PDF file, turned into PNG images by
// pdftoppm and measured; odd pages only and copies change the number of PDF pages.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "codec/cp932.h"
#include "print/qt/picturecanvas.h"
#include "print/qt/printjob.h"

using namespace print;
using namespace print::qt;

namespace {

std::string Sjis(const char* utf8) { return codec::Utf8ToCp932(utf8).bytes; }

int PdfPages(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {pdf});
  if (!p.waitForFinished(30000)) return -1;
  const QString out = QString::fromUtf8(p.readAllStandardOutput());
  const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The first page as an image at `dpi`.
QImage FirstPageImage(const QString& pdf, int dpi, const QString& prefix) {
  QProcess p;
  p.start(QStringLiteral("pdftoppm"),
          {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
           QStringLiteral("1"), QStringLiteral("-png"), pdf, prefix});
  if (!p.waitForFinished(60000)) return {};
  QDir dir = QFileInfo(prefix).dir();
  const QStringList found = dir.entryList({QFileInfo(prefix).fileName() + QStringLiteral("*.png")});
  return found.isEmpty() ? QImage() : QImage(dir.filePath(found.first()));
}

// Bounding box of the dark pixels inside `area`.
QRect DarkBox(const QImage& img, const QRect& area) {
  int l = INT_MAX, t = INT_MAX, r = -1, b = -1;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(img.pixel(x, y)) < 128) {
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
      }
  return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

void A4Pdf(QPrinter& printer, const QString& file) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
}

}  // namespace

class PrintPdfTest : public QObject {
  Q_OBJECT
 private slots:
  void japaneseTextOnA4() {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = dir.filePath(QStringLiteral("memo.pdf"));
    A4Pdf(printer, pdf);
    TStringsPrinter s;
    ApplyInitialPrintSettings(s);
    s.SetFileName(Sjis("買い物メモ"));
    s.SetLineNumber(true);
    s.Clock = [] { return PrintDateTime{2024, 3, 5, 9, 7, 3}; };
    const std::vector<std::string> lines = {
        Sjis("ソラメtext の印刷テスト"), "", Sjis("\t牛乳 2本、卵 1パック、食パン"),
        Sjis("長い行は右端で折り返されます。") + std::string(6, 'x') +
            Sjis("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"),
        "The quick brown fox jumps over the lazy dog, and the dog does not mind at all today."};
    QVERIFY(Print(s, printer, lines));
    QCOMPARE(PdfPages(pdf), 1);

    const int dpi = 100;
    const QImage img = FirstPageImage(pdf, dpi, dir.filePath(QStringLiteral("page")));
    QVERIFY(!img.isNull());
    // A4 at 100 dpi.
    QVERIFY(qAbs(img.width() - 827) <= 1);
    QVERIFY(qAbs(img.height() - 1169) <= 1);
    const auto px = [&](double mm) { return qRound(mm * dpi / 25.4); };
    const QRect all = DarkBox(img, img.rect());
    QVERIFY(!all.isNull());
    // Everything lies within the 15 mm margins.
    QVERIFY2(all.left() >= px(15) - 1, qPrintable(QString::number(all.left())));
    QVERIFY2(all.top() >= px(15) - 1, qPrintable(QString::number(all.top())));
    QVERIFY2(all.right() <= img.width() - px(15), qPrintable(QString::number(all.right())));
    QVERIFY2(all.bottom() <= img.height() - px(15), qPrintable(QString::number(all.bottom())));
    // The header reaches the right margin; the line numbers start at the left one.
    QVERIFY(all.right() >= img.width() - px(15) - px(3));
    QVERIFY(all.left() <= px(15) + px(4));
    // The footer "-1-" is centred: a small box around the middle of the bottom band.
    const QRect footer = DarkBox(img, QRect(0, img.height() - px(15) - px(6), img.width(), px(6)));
    QVERIFY(!footer.isNull());
    QVERIFY2(qAbs(footer.center().x() - img.width() / 2) <= px(2), qPrintable(QString::number(footer.center().x())));
    QVERIFY(footer.width() < px(10));
    // The long line wraps: text reaches near the right margin on several rows.
    const QRect body = DarkBox(img, QRect(0, px(25), img.width(), px(40)));
    QVERIFY(body.right() >= img.width() - px(15) - px(5));

    // Copies to look at.
    const QString sample = QDir::temp().filePath(QStringLiteral("sorame-print-sample"));
    img.save(sample + QStringLiteral(".png"));
    QFile::remove(sample + QStringLiteral(".pdf"));
    QFile::copy(pdf, sample + QStringLiteral(".pdf"));
    qInfo("sample page: %s.png, .pdf", qPrintable(sample));
  }

  void oddPagesOnlyAndCopies() {
    QTemporaryDir dir;
    TStringsPrinter s;
    ApplyInitialPrintSettings(s);
    s.SetMarginLine(40);  // a few rows a page
    std::vector<std::string> lines;
    for (int i = 1; i <= 30; ++i) lines.push_back("line " + std::to_string(i));

    QPrinter all(QPrinter::HighResolution);
    A4Pdf(all, dir.filePath(QStringLiteral("all.pdf")));
    TMetaFileList pages;
    QVERIFY(RenderPages(s, all, lines, PrintingCaption(), pages));
    const int count = static_cast<int>(pages.size());
    QVERIFY(count >= 4);
    QVERIFY(PrintRenderedPages(s, all, pages));
    QCOMPARE(PdfPages(dir.filePath(QStringLiteral("all.pdf"))), count);

    s.SetPageOption(poOdd);
    QPrinter odd(QPrinter::HighResolution);
    A4Pdf(odd, dir.filePath(QStringLiteral("odd.pdf")));
    QVERIFY(PrintRenderedPages(s, odd, pages));
    QCOMPARE(PdfPages(dir.filePath(QStringLiteral("odd.pdf"))), (count + 1) / 2);

    // A PDF file makes no copies itself: the pages come twice.
    s.SetPageOption(poBoth);
    QPrinter two(QPrinter::HighResolution);
    A4Pdf(two, dir.filePath(QStringLiteral("two.pdf")));
    two.setCopyCount(2);
    QVERIFY(PrintRenderedPages(s, two, pages));
    QCOMPARE(PdfPages(dir.filePath(QStringLiteral("two.pdf"))), 2 * count);
  }

  void measuredWidthsMatchWhatIsDrawn() {
    // A row measured on the picture at 1200 dpi must land where the measurement says when it is
    // played back at another resolution.
    TMetaFileList pages;
    PictureCanvas canvas(1200, pages);
    store::TFont font;
    font.Name = Sjis("ＭＳ ゴシック");
    canvas.SetFont(font, 150, 0);
    const std::string text = Sjis("あいうえおABCDE漢字");
    const double width = canvas.TextWidth(text);
    QVERIFY(qAbs(width - 75 * 19) < 2);  // seven full-width and five half-width characters
    canvas.StartPage(3000, 600);
    canvas.FillRect({0, 0, 3000, 600}, store::clWhite);
    canvas.DrawText(100, 100, {0, 0, 3000, 600}, text, store::clBlack, store::clNone);
    canvas.EndPage();
    auto play = [&](double scale) {
      QImage img(qRound(3000 * scale), qRound(600 * scale), QImage::Format_RGB32);
      img.fill(Qt::white);
      QPainter p(&img);
      DrawPagePicture(p, *pages[0], QRectF(0, 0, img.width(), img.height()));
      p.end();
      return DarkBox(img, img.rect());
    };
    const QRect full = play(1.0);
    const QRect small = play(0.1);
    QVERIFY(!full.isNull() && !small.isNull());
    // Ink ends a little before the advance (the last glyph's side bearing), never after it.
    QVERIFY2(full.right() <= 100 + width && full.right() >= 100 + width - 40,
             qPrintable(QString::number(full.right())));
    QVERIFY2(qAbs(full.left() - 100) <= 20, qPrintable(QString::number(full.left())));
    // Played at a tenth, the text keeps its place and length.
    QVERIFY2(qAbs(small.left() - full.left() / 10.0) <= 1.5, qPrintable(QString::number(small.left())));
    QVERIFY2(qAbs(small.right() - full.right() / 10.0) <= 1.5, qPrintable(QString::number(small.right())));
  }
};

QTEST_MAIN(PrintPdfTest)
#include "printpdf_test.moc"
