// Fonts, the column grid, row-end pictures and clipboard data of the editor widget, without the
// widget itself.
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTest>

#include "codec/cp932.h"
#include "editor/qt/celltext.h"
#include "editor/qt/editorcolor.h"
#include "editor/qt/editorfont.h"
#include "editor/qt/editormime.h"
#include "editor/qt/rowmarks.h"
#include "testutil.h"

using namespace editor::qt;

class CellsTest : public QObject {
  Q_OBJECT

 private slots:
  void storedFaceNamesResolveToIpaFonts_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("family");
    QTest::newRow("MS Gothic") << QStringLiteral("ＭＳ ゴシック") << QStringLiteral("IPAGothic");
    QTest::newRow("FixedSys") << QStringLiteral("FixedSys") << QStringLiteral("IPAGothic");
    QTest::newRow("MS PGothic") << QStringLiteral("ＭＳ Ｐゴシック") << QStringLiteral("IPAPGothic");
  }
  void storedFaceNamesResolveToIpaFonts() {
    QFETCH(QString, stored);
    QFETCH(QString, family);
    store::TFont rec;
    rec.Name = testutil::Cp932(stored);
    rec.Height = -16;
    QCOMPARE(QFontInfo(FontFromRecord(rec)).family(), family);
  }

  void oddPixelSizesBecomeEven() {
    store::TFont rec;
    rec.Name = "FixedSys";
    rec.Height = -15;
    QCOMPARE(FontFromRecord(rec).pixelSize(), 16);
    rec.Height = -12;
    QCOMPARE(FontFromRecord(rec).pixelSize(), 12);
  }

  void fixedPitchIsMeasured() {
    // fontconfig calls both dual width; only the gothic one keeps every character on the grid.
    QVERIFY(IsMeasuredFixedPitch(QStringLiteral("IPAGothic")));
    QVERIFY(!IsMeasuredFixedPitch(QStringLiteral("IPAPGothic")));
    QVERIFY(!IsMeasuredFixedPitch(QStringLiteral("No Such Family Anywhere")));
    const QStringList list = MeasuredFixedPitchFamilies();
    QVERIFY(list.contains(QStringLiteral("IPAGothic")));
    QVERIFY(!list.contains(QStringLiteral("IPAPGothic")));
  }

  void cellWidthIsTheHalfWidthAdvance() {
    store::TFont rec;
    rec.Name = "FixedSys";
    rec.Height = -16;
    const QFont f = FontFromRecord(rec);
    const CellMetrics m = MeasureCells(f);
    QFontMetrics fm(f);
    QCOMPARE(m.cellWidth, fm.horizontalAdvance(QLatin1Char('0')));
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("漢")), 2 * m.cellWidth);
    QVERIFY(m.textHeight >= m.ascent + m.descent);
  }

  void rowLayoutFollowsTheColumnRules() {
    RowCells cells;
    // "a", a double-byte character, a tab to column 4 (tab width 4), "b".
    cells.Layout("a\x8A\xBF\tb", 4, 0);
    QCOMPARE(cells.Count(), 4);
    QCOMPARE(cells.Column(0), 0);
    QCOMPARE(cells.Column(1), 1);
    QCOMPARE(cells.Cells(1), 2);
    QCOMPARE(cells.Char(1), u'漢');
    QCOMPARE(cells.Char(2), u'\0');  // the tab draws nothing
    QCOMPARE(cells.Column(3), 4);
    QCOMPARE(cells.Width(), 5);
    QCOMPARE(cells.ColumnOfByte(3), 3);
    QCOMPARE(cells.ColumnOfByte(4), 4);
    // With word wrap a tab also stops at the wrap width.
    cells.Layout("abcd\tx", 8, 6);
    QCOMPARE(cells.Column(5), 6);
  }

  void invalidBytesTakeOneReplacementCellAndTheRowGoesOn() {
    RowCells cells;
    // A lead byte followed by a space (no trail), a lone 0x80, then text.
    cells.Layout("\x81 \x80xy", 8, 0);
    QCOMPARE(cells.Char(0), char16_t(0xFFFD));
    QCOMPARE(cells.Column(0), 0);
    QCOMPARE(cells.Char(1), u' ');
    QCOMPARE(cells.Column(1), 1);
    QCOMPARE(cells.Char(2), char16_t(0xFFFD));
    QCOMPARE(cells.Char(3), u'x');
    QCOMPARE(cells.Column(3), 3);
    QCOMPARE(cells.Char(4), u'y');
    // A lead byte cut off at the end of the row.
    cells.Layout("ab\x81", 8, 0);
    QCOMPARE(cells.Count(), 3);
    QCOMPARE(cells.Char(2), char16_t(0xFFFD));
  }

  void rowsAreDrawnToAThousandBytes() {
    QCOMPARE(DrawnByteCount(std::string(1200, 'a')), 1000);
    QCOMPARE(DrawnByteCount(std::string(999, 'a') + "\x8A\xBF" + "zz"), 1001);
    QCOMPARE(DrawnByteCount(std::string(998, 'a') + "\x8A\xBF" + "zz"), 1000);
    // "＠" is 81 97: its trail byte has a lead byte's value and must not be taken for one.
    std::string at;
    for (int i = 0; i < 600; ++i) at += "\x81\x97";
    QCOMPARE(DrawnByteCount(at), 1000);
    QCOMPARE(DrawnByteCount("a" + at), 1001);
    RowCells cells;
    cells.Layout(std::string(1500, 'a'), 8, 0);
    QCOMPARE(cells.Count(), 1000);
  }

  // Whatever font draws a glyph (the replacement character comes from a fallback font, whichever
  // the desktop has), its ink stays in its own cells, also in cells narrower than the glyphs.
  void charactersLandInTheirCells_data() {
    QTest::addColumn<int>("extra");
    QTest::addColumn<int>("style");
    QTest::newRow("Margin.Character 2") << 2 << 0;
    QTest::newRow("cells narrower than the glyphs") << -5 << 0;
    QTest::newRow("bold, narrow cells") << -5 << int(store::fsBold);
  }
  void charactersLandInTheirCells() {
    QFETCH(int, extra);
    QFETCH(int, style);
    const QFont f = testutil::EditorFont();
    const CellMetrics m = MeasureCells(f);
    CellTextPainter painter;
    const int cw = m.cellWidth + extra;  // Margin.Character widens every cell
    painter.SetFont(f, cw, m.ascent);
    RowCells cells;
    cells.Layout("W \x8A\xBF\x81 W", 8, 0);  // "W", blank, 漢, invalid lead + blank, "W"
    QImage img(cw * 8, m.textHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
      QPainter p(&img);
      painter.Draw(p, cells, 0, 0, 0, 1000, Qt::black, static_cast<uint8_t>(style));
    }
    auto inked = [&](int col, int n) { return testutil::CountNonWhite(img, QRect(col * cw, 0, n * cw, m.textHeight)); };
    QVERIFY(inked(0, 1) > 0);
    QCOMPARE(inked(1, 1), 0);
    QVERIFY(inked(2, 2) > 0);
    QVERIFY(inked(4, 1) > 0);  // the replacement cell
    QCOMPARE(inked(5, 1), 0);
    QVERIFY(inked(6, 1) > 0);  // still on the grid after the invalid byte
    QCOMPARE(inked(7, 1), 0);
    // Only the bytes asked for are drawn.
    img.fill(Qt::white);
    {
      QPainter p(&img);
      painter.Draw(p, cells, 0, 0, 2, 4, Qt::black, static_cast<uint8_t>(style));
    }
    QCOMPARE(inked(0, 1), 0);
    QVERIFY(inked(2, 2) > 0);
    QCOMPARE(inked(6, 1), 0);
  }

  void dottedUnderlineAlternatesFromTheRowStart() {
    DottedLineCache cache(64);
    QImage img(40, 3, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
      QPainter p(&img);
      cache.Draw(p, 5, 1, 20, 0, Qt::red, Qt::yellow);
      cache.Draw(p, 25, 1, 10, 0, Qt::red, Qt::yellow);
    }
    QCOMPARE(cache.Size(), 1);
    for (int x = 5; x < 35; ++x) {
      const QColor expected = (x % 2 == 0) ? QColor(Qt::red) : QColor(Qt::yellow);
      QCOMPARE(img.pixelColor(x, 1), expected);
    }
    QCOMPARE(img.pixelColor(4, 1), QColor(Qt::white));
    QCOMPARE(img.pixelColor(35, 1), QColor(Qt::white));
    QCOMPARE(img.pixelColor(10, 0), QColor(Qt::white));
    {
      QPainter p(&img);
      cache.Draw(p, 0, 2, 10, 0, Qt::blue, Qt::white);
    }
    QCOMPARE(cache.Size(), 2);
  }

  void marksAndDigitsHaveInk() {
    QImage img(16, 18, QImage::Format_RGB32);
    for (auto draw : {&DrawReturnMark, &DrawWrapMark, &DrawHideMark}) {
      img.fill(Qt::white);
      {
        QPainter p(&img);
        draw(p, 0, 0, 17, 8, Qt::black);
      }
      const int ink = testutil::CountNonWhite(img, img.rect());
      QVERIFY(ink > 4);
      // Half a character wide: nothing beyond the first cell.
      QCOMPARE(testutil::CountNonWhite(img, QRect(8, 0, 8, 18)), 0);
    }
    for (int d = 0; d < 10; ++d) {
      const QImage& digit = DigitImages::Digit(d);
      QCOMPARE(digit.size(), QSize(8, 11));
      for (int e = 0; e < d; ++e) QVERIFY(digit != DigitImages::Digit(e));
    }
  }

  void storedColoursBecomeQtColours() {
    QPalette pal;
    pal.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
    QCOMPARE(ToQColor(0x0000FF, pal), QColor(255, 0, 0));  // low byte is red
    QCOMPARE(ToQColor(store::clNavy, pal), QColor(0, 0, 128));
    QCOMPARE(ToQColor(store::clNone, pal, Qt::green), QColor(Qt::green));
    QCOMPARE(ToQColor(store::clHighlight, pal), QColor(1, 2, 3));
    QCOMPARE(ToQColor(store::clWindowText, pal), pal.color(QPalette::Active, QPalette::Text));
  }

  void mimeDataKeepsTheExactBytes() {
    // ED 40 is an NEC/IBM duplicate: through Unicode it comes back as FA 5C.
    const std::string bytes = "a\xED\x40z\r\n\x82\xA0";
    QVERIFY(codec::Utf16ToCp932(codec::Cp932ToUtf16(bytes)).bytes != bytes);
    auto mime = MakeTextMime(bytes, true);
    QCOMPARE(mime->text(), QString::fromStdU16String(codec::Cp932ToUtf16(bytes)));
    QVERIFY(mime->hasFormat(QString::fromLatin1(kBoxMimeType)));
    const MimeText back = ReadTextMime(mime.get());
    QVERIFY(back.hasText);
    QVERIFY(back.box);
    QCOMPARE(back.bytes, bytes);
    QCOMPARE(back.replaced, 0);
    QVERIFY(!MakeTextMime("x", false)->hasFormat(QString::fromLatin1(kBoxMimeType)));
  }

  void unicodeFromOtherProgramsIsConvertedAndCounted() {
    QMimeData mime;
    mime.setText(QStringLiteral("日本語 한 😀"));
    const MimeText t = ReadTextMime(&mime);
    QVERIFY(t.hasText);
    QVERIFY(!t.box);
    QCOMPARE(t.bytes, std::string("\x93\xFA\x96\x7B\x8C\xEA ? ?"));
    QCOMPARE(t.replaced, 2);
    QMimeData empty;
    empty.setData(QStringLiteral("image/png"), "x");
    QVERIFY(!ReadTextMime(&empty).hasText);
  }
};

QTEST_MAIN(CellsTest)
#include "cells_test.moc"
