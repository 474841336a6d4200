// Page layout on a recording canvas: frame and margins, columns and pages, header and footer,
// page and line ranges, line numbers, colours and the progress callback.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/fountain.h"
#include "fake_canvas.h"
#include "print/stringsprinter.h"

using namespace print;
using printtest::FakeCanvas;

namespace {

std::vector<std::string> NumberedLines(int n, const std::string& prefix = "line") {
  std::vector<std::string> lines;
  for (int i = 1; i <= n; ++i) lines.push_back(prefix + std::to_string(i));
  return lines;
}

TEST(PrintFrame, MarginsCountFromThePaperEdge) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  FakeCanvas c;

  // The whole sheet printable: margins are the body's distance from the page picture's edge.
  PageFrame f = p.ComputeFrame(printtest::A4At254(), c, 10);
  EXPECT_EQ(f.width, 2100);
  EXPECT_EQ(f.height, 2970);
  EXPECT_EQ(f.body, (PrintRect{100, 100, 2000, 2870}));

  // A printable area smaller than the sheet, taken as centred on it: the unprintable strips are
  // part of the margins.
  PrinterMetrics m = printtest::A4At254();
  m.offsets.reset();
  m.printableWidth = 2000;
  m.printableHeight = 2901;
  EXPECT_EQ(ComputePaperOffsets(m), (PaperOffsets{50, 34, 50, 35}));
  f = p.ComputeFrame(m, c, 10);
  EXPECT_EQ(f.body, (PrintRect{50, 66, 1950, 2836}));

  // Landscape exchanges the paper's sides.
  m.landscape = true;
  m.printableWidth = 2900;
  m.printableHeight = 2000;
  EXPECT_EQ(ComputePaperOffsets(m), (PaperOffsets{35, 50, 35, 50}));

  // A margin narrower than the unprintable strip starts the body at the printable edge.
  p.SetMarginLeft(2);
  f = p.ComputeFrame(m, c, 10);
  EXPECT_EQ(f.body.left, 0);
}

TEST(PrintFrame, WithoutAPrinterTheScreenResolutionAndPaperSizeServe) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  FakeCanvas c;
  PrinterMetrics m;
  m.hasPrinter = false;
  m.screenDpi = 96;
  m.paper = {210, 297};
  EXPECT_DOUBLE_EQ(ScreenToPrinterRatio(m), 1.0);
  const PageFrame f = p.ComputeFrame(m, c, 1);
  EXPECT_EQ(f.width, 794);  // 210 mm at 96 dpi
  EXPECT_EQ(f.height, 1123);
  EXPECT_EQ(f.body.left, 38);
  EXPECT_EQ(f.offsets, PaperOffsets{});
}

TEST(PrintFrame, FontSizeFollowsThePrinterResolution) {
  TStringsPrinter p;
  ApplyInitialPrintSettings(p);  // 9 points
  FakeCanvas c;
  PrinterMetrics m = printtest::A4At254();
  m.dpi = 600;
  p.ComputeFrame(m, c, 1);
  EXPECT_EQ(c.pixelHeight, 75);  // 9 / 72 inch at 600 dpi
  EXPECT_DOUBLE_EQ(ScreenToPrinterRatio(m), 96.0 / 600);
}

TEST(PrintFrame, BandsLineNumbersAndColumns) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  FakeCanvas c;  // line 40, cell 20
  p.SetHeader("h");
  p.SetHeaderAlign(haLeft);
  p.SetFooter("f");
  p.SetFooterAlign(haNone);  // no band without an alignment
  p.SetLineNumber(true);
  p.SetColumnCount(2);
  const PageFrame f = p.ComputeFrame(printtest::A4At254(), c, 250);
  EXPECT_EQ(f.headerBand, (PrintRect{100, 100, 2000, 160}));
  EXPECT_EQ(f.footerBand.Height(), 0);
  EXPECT_EQ(f.footerBand.top, 2870);
  EXPECT_EQ(f.lineNumberWidth, (3 + 2) * 20);  // 250 lines: three digits
  EXPECT_EQ(f.textLeft, 200);
  // (2000 - 200 - (100 + 100)) / 2
  EXPECT_EQ(f.columnWidth, 800);
  EXPECT_EQ(f.ColumnTextLeft(1), 200 + 100 + 100 + 800);

  // Numbering from 99,999 needs room for six digits although there are only five lines.
  p.SetFirstLineNumber(99999);
  EXPECT_EQ(p.ComputeFrame(printtest::A4At254(), c, 5).lineNumberWidth, (6 + 2) * 20);
}

TEST(PrintFrame, BoldFontOrStyledColouringNarrowsTheWrapWidth) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  FakeCanvas c;
  EXPECT_EQ(p.ComputeFrame(printtest::A4At254(), c, 1).wrapWidth, 1900);
  store::TFont f = p.Font();
  f.Style = store::fsItalic;
  p.SetFont(f);
  EXPECT_EQ(p.ComputeFrame(printtest::A4At254(), c, 1).wrapWidth, 1880);

  f.Style = 0;
  p.SetFont(f);
  editor::TEditorFountain fountain;
  p.SetFountain(&fountain);
  EXPECT_EQ(p.ComputeFrame(printtest::A4At254(), c, 1).wrapWidth, 1900);
  fountain.Colors().Url.SetStyle(store::fsBold);
  EXPECT_EQ(p.ComputeFrame(printtest::A4At254(), c, 1).wrapWidth, 1880);
}

TEST(PrintPages, TwoColumnsFillTheFirstToTheFooterThenTheSecondBeforeANewPage) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetColumnCount(2);
  p.SetFooter("-%p-");
  p.SetFooterAlign(haCenter);
  FakeCanvas c;
  // Column top 100, footer band top 2870 - 60 = 2810: rows at y = 100 + 40k while y + 40 <= 2810,
  // which is 67 rows a column.
  const int perColumn = 67;
  const auto lines = NumberedLines(2 * perColumn + 3);
  ASSERT_TRUE(p.Render(lines, printtest::A4At254(), c));
  EXPECT_EQ(c.pages, 2);
  EXPECT_EQ(c.openPages, 0);

  const auto* last1 = c.Find("line" + std::to_string(perColumn));
  const auto* first2 = c.Find("line" + std::to_string(perColumn + 1));
  const auto* last2 = c.Find("line" + std::to_string(2 * perColumn));
  const auto* nextPage = c.Find("line" + std::to_string(2 * perColumn + 1));
  ASSERT_TRUE(last1 && first2 && last2 && nextPage);
  EXPECT_EQ(last1->page, 1);
  EXPECT_EQ(last1->x, 100);
  EXPECT_LE(last1->y + 40, 2810);
  EXPECT_EQ(first2->page, 1);
  EXPECT_EQ(first2->x, 1100);  // 100 + column gap 100 + column width 900
  EXPECT_EQ(first2->y, 100);
  EXPECT_EQ(last2->page, 1);
  EXPECT_EQ(last2->y, last1->y);
  EXPECT_EQ(nextPage->page, 2);
  EXPECT_EQ(nextPage->x, 100);
  EXPECT_EQ(nextPage->y, 100);
  // Rows are clipped to their column.
  EXPECT_EQ(first2->clip, (PrintRect{1100, 100, 2000, 140}));
}

TEST(PrintPages, LineSpacingMovesRowsApart) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetMarginLine(2);  // 20 pixels
  FakeCanvas c;
  ASSERT_TRUE(p.Render({"a", "b"}, printtest::A4At254(), c));
  EXPECT_EQ(c.Find("b")->y - c.Find("a")->y, 60);
}

TEST(PrintPages, ARowTallerThanTheBodyStillPrintsOnePerPage) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetMarginTop(100);
  p.SetMarginBottom(100);
  p.SetMarginLine(100);  // row pitch 1040 > body 970
  FakeCanvas c;
  ASSERT_TRUE(p.Render({"a", "b", "c"}, printtest::A4At254(), c));
  EXPECT_EQ(c.pages, 3);
}

TEST(PrintPages, HeaderAndFooterPlaceholdersAndAlignment) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetHeader("%y/%m/%d %t %f");
  p.SetHeaderAlign(haRight);
  p.SetFooter("-%p-");
  p.SetFooterAlign(haCenter);
  p.SetFileName("memo");
  FakeCanvas c;
  ASSERT_TRUE(p.Render({"text"}, printtest::A4At254(), c));

  const std::string header = "2024/3/5 9:07:03 memo";
  const auto* h = c.Find(header);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->x, 2000 - 20.0 * header.size());
  EXPECT_EQ(h->y, 100);
  const auto* f = c.Find("-1-");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->x, 100 + (1900 - 60) / 2.0);
  EXPECT_EQ(f->y, 2870 - 40);  // standing on the body's bottom
  // The body starts below the header band.
  EXPECT_EQ(c.Find("text")->y, 160);
}

TEST(PrintPages, LimitedPageRangeNumbersPageStartPageAsTheFirstNumber) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetFooter("-%p-");
  p.SetFooterAlign(haCenter);
  p.SetRangeOption(roLimited);
  p.SetStartPage(3);
  p.SetFirstPageNumber(1);
  FakeCanvas c;
  // 67 rows a page above the footer band.
  ASSERT_TRUE(p.Render(NumberedLines(67 * 4), printtest::A4At254(), c));
  ASSERT_EQ(c.pages, 4);
  EXPECT_EQ(c.Find("--1-")->page, 1);
  EXPECT_EQ(c.Find("-0-")->page, 2);
  EXPECT_EQ(c.Find("-1-")->page, 3);
  EXPECT_EQ(c.Find("-2-")->page, 4);

  p.SetLastPage(3);
  const std::vector<PrintedPage> printed = p.PrintedPages(4);
  EXPECT_EQ(printed, (std::vector<PrintedPage>{{2, 1}}));
  p.SetLastPage(999999);
  EXPECT_EQ(p.PrintedPages(4), (std::vector<PrintedPage>{{2, 1}, {3, 2}}));

  // Without a range every page is printed, numbered from FirstPageNumber.
  p.SetRangeOption(roWhole);
  p.SetFirstPageNumber(10);
  EXPECT_EQ(p.PrintedPages(3), (std::vector<PrintedPage>{{0, 10}, {1, 11}, {2, 12}}));
}

TEST(PrintPages, OddAndEvenPages) {
  TStringsPrinter p;
  p.SetPageOption(poOdd);
  // Five pages: the last printed page is an odd one, so no blank sheet follows.
  EXPECT_EQ(p.PrintedPages(5), (std::vector<PrintedPage>{{0, 1}, {2, 3}, {4, 5}}));
  EXPECT_EQ(p.PrintedPages(4), (std::vector<PrintedPage>{{0, 1}, {2, 3}}));
  p.SetPageOption(poEven);
  EXPECT_EQ(p.PrintedPages(5), (std::vector<PrintedPage>{{1, 2}, {3, 4}}));
  // Parity goes by the printed number, not the position.
  p.SetFirstPageNumber(2);
  EXPECT_EQ(p.PrintedPages(3), (std::vector<PrintedPage>{{0, 2}, {2, 4}}));
  EXPECT_TRUE(TStringsPrinter().PrintedPages(0).empty());
}

TEST(PrintPages, LineNumbersOnlyOnTheFirstRowOfALine) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetLineNumber(true);
  p.SetWordBreak(false);
  FakeCanvas c;
  // Text width 1900 - number area (1 + 2) * 20 = 1840: 92 cells a row.
  const std::string longLine(200, 'x');
  ASSERT_TRUE(p.Render({"first", longLine, "third"}, printtest::A4At254(), c));
  std::vector<std::string> numbers;
  std::vector<int> numberY;
  for (const auto& t : c.texts)
    if (!t.text.empty() && t.text.back() == ':') {
      numbers.push_back(t.text);
      numberY.push_back(t.y);
    }
  EXPECT_EQ(numbers, (std::vector<std::string>{"1:", "2:", "3:"}));
  // Line 2 takes three rows; line 3's number stands on the fifth row.
  EXPECT_EQ(numberY, (std::vector<int>{100, 140, 260}));
  const auto* two = c.Find("2:");
  EXPECT_EQ(two->x + 40, 160);  // right-aligned against the text
  EXPECT_EQ(c.Find("third")->x, 160);
}

TEST(PrintPages, LineRangePrintsOnlyThoseLinesNumberedFromFirstLineNumber) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetLineNumber(true);
  p.SetLineRangeOption(roLimited);
  p.SetStartLine(10);
  p.SetLastLine(20);
  p.SetFirstLineNumber(100);
  FakeCanvas c;
  ASSERT_TRUE(p.Render(NumberedLines(30), printtest::A4At254(), c));
  std::vector<std::string> body, numbers;
  for (const auto& t : c.texts) (t.text.back() == ':' ? numbers : body).push_back(t.text);
  EXPECT_EQ(body.size(), 11u);
  EXPECT_EQ(body.front(), "line10");
  EXPECT_EQ(body.back(), "line20");
  EXPECT_EQ(numbers.front(), "100:");
  EXPECT_EQ(numbers.back(), "110:");
  EXPECT_EQ(c.Find("line10")->y, 100);  // the range starts at the top of the first page
  EXPECT_EQ(p.CurrentLine(), 110);

  // LastLine never set (0): the range runs to the end.
  TStringsPrinter q;
  printtest::PlainSettings(q);
  q.SetLineRangeOption(roLimited);
  q.SetStartLine(28);
  FakeCanvas d;
  ASSERT_TRUE(q.Render(NumberedLines(30), printtest::A4At254(), d));
  EXPECT_EQ(d.texts.size(), 3u);
}

TEST(PrintPages, ColoursFollowThePrintMode) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetHeader("H");
  p.SetHeaderAlign(haLeft);
  p.SetBkColor(store::clYellow);
  p.SetHeaderColor(store::clRed);
  store::TFont f = p.Font();
  f.Color = store::clBlue;
  p.SetFont(f);

  struct Case {
    TStringsPrinterPrintMode mode;
    store::TColor page, header, body;
  };
  for (Case k : {Case{pmColorToken, store::clYellow, store::clRed, store::clBlue},
                 Case{pmThreeColor, store::clYellow, store::clRed, store::clBlue},
                 Case{pmBW, store::clWhite, store::clBlack, store::clBlack},
                 Case{pmBWFontStyle, store::clWhite, store::clBlack, store::clBlack}}) {
    p.SetPrintMode(k.mode);
    FakeCanvas c;
    ASSERT_TRUE(p.Render({"body"}, printtest::A4At254(), c));
    ASSERT_EQ(c.fills.size(), 1u);
    EXPECT_EQ(c.fills[0].second, k.page) << k.mode;
    EXPECT_EQ(c.Find("H")->color, k.header) << k.mode;
    EXPECT_EQ(c.Find("body")->color, k.body) << k.mode;
  }
}

TEST(PrintPages, AttachedColouringDrawsTokensInTheirColours) {
  editor::TEditorFountain fountain;
  fountain.SetUrl(true);
  fountain.Colors().Url.SetColor(store::clRed);
  fountain.Colors().Url.SetBkColor(store::clSilver);
  fountain.Colors().Url.SetStyle(store::fsUnderline);

  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetFountain(&fountain);
  FakeCanvas c;
  ASSERT_TRUE(p.Render({"see http://x.jp now"}, printtest::A4At254(), c));
  const auto* url = c.Find("http://x.jp");
  ASSERT_NE(url, nullptr);
  EXPECT_EQ(url->color, store::clRed);
  EXPECT_EQ(url->background, store::clSilver);
  EXPECT_EQ(url->style, store::fsUnderline);
  EXPECT_EQ(url->x, 100 + 4 * 20);
  const auto* see = c.Find("see");
  ASSERT_NE(see, nullptr);
  EXPECT_EQ(see->background, store::clNone);  // the default background shows the page
  EXPECT_EQ(see->style, 0);

  // Black and white with the tokens' styles.
  p.SetPrintMode(pmBWFontStyle);
  FakeCanvas bw;
  ASSERT_TRUE(p.Render({"see http://x.jp now"}, printtest::A4At254(), bw));
  EXPECT_EQ(bw.Find("http://x.jp")->color, store::clBlack);
  EXPECT_EQ(bw.Find("http://x.jp")->background, store::clNone);
  EXPECT_EQ(bw.Find("http://x.jp")->style, store::fsUnderline);

  // Three colours ignore the definition: the row is one text in body colours.
  p.SetPrintMode(pmThreeColor);
  FakeCanvas three;
  ASSERT_TRUE(p.Render({"see http://x.jp now"}, printtest::A4At254(), three));
  EXPECT_NE(three.Find("see http://x.jp now"), nullptr);
}

TEST(PrintPages, ATokenCutByTheWrapKeepsItsColourOnTheNextRow) {
  editor::TEditorFountain fountain;
  fountain.SetUrl(true);
  fountain.Colors().Url.SetColor(store::clRed);
  TStringsPrinter p;
  printtest::PlainSettings(p);
  p.SetMarginLeft(80);
  p.SetMarginRight(100);  // 300 pixels: 15 cells
  p.SetFountain(&fountain);
  FakeCanvas c;
  ASSERT_TRUE(p.Render({"http://example.jp/abcdefghij"}, printtest::A4At254(), c));
  ASSERT_EQ(c.texts.size(), 2u);
  EXPECT_EQ(c.texts[0].text, "http://example.");
  EXPECT_EQ(c.texts[1].text, "jp/abcdefghij");
  EXPECT_EQ(c.texts[0].color, store::clRed);
  EXPECT_EQ(c.texts[1].color, store::clRed);
}

TEST(PrintPages, ProgressReportsEveryRowAndCancels) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  std::vector<int> seen;
  FakeCanvas c;
  ASSERT_TRUE(p.Render(NumberedLines(5), printtest::A4At254(), c, [&](int pct) {
    seen.push_back(pct);
    return true;
  }));
  EXPECT_EQ(seen, (std::vector<int>{0, 25, 50, 75, 100}));

  seen.clear();
  FakeCanvas one;
  ASSERT_TRUE(p.Render({"x"}, printtest::A4At254(), one, [&](int pct) {
    seen.push_back(pct);
    return true;
  }));
  EXPECT_EQ(seen, (std::vector<int>{100}));

  FakeCanvas cancelled;
  int calls = 0;
  EXPECT_FALSE(p.Render(NumberedLines(10), printtest::A4At254(), cancelled, [&](int) { return ++calls < 3; }));
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(cancelled.texts.size(), 2u);
}

TEST(PrintPages, EmptyListGivesOneBlankPage) {
  TStringsPrinter p;
  printtest::PlainSettings(p);
  FakeCanvas c;
  ASSERT_TRUE(p.Render({}, printtest::A4At254(), c));
  EXPECT_EQ(c.pages, 1);
  EXPECT_EQ(c.openPages, 0);
}

}  // namespace
