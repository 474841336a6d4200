// Cutting source lines into printed rows: tab expansion, double-byte characters, word break and
// the piece measured in pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/cp932.h"
#include "print/printrows.h"

using namespace print;

namespace {

// Ten pixels a byte.
double Cells(std::string_view s) { return 10.0 * s.size(); }

std::string Sjis(const char* utf8) { return codec::Utf8ToCp932(utf8).bytes; }

std::vector<std::string> Texts(const std::vector<PrintRow>& rows) {
  std::vector<std::string> out;
  for (const PrintRow& r : rows) out.push_back(r.text);
  return out;
}

std::vector<PrintRow> Cut(std::string_view line, int cells, bool wordBreak, int tab = 8,
                          const TextMeasure& measure = Cells) {
  std::vector<PrintRow> rows;
  CutPrintLine(line, 0, {cells * 10.0, tab, wordBreak}, measure, rows);
  return rows;
}

TEST(PrintRowsTabs, ExpandToTheNextMultipleCountingDoubleByteCharactersTwice) {
  ExpandedLine e = ExpandTabs("a\tb", 4);
  EXPECT_EQ(e.text, "a   b");
  EXPECT_EQ(e.tabRunEnd, (std::vector<int>{-1, 4, 4, 4, -1}));
  EXPECT_EQ(ExpandTabs(Sjis("あ\tx"), 4).text, Sjis("あ  x"));
  EXPECT_EQ(ExpandTabs("\t\t", 2).text, "    ");
  EXPECT_EQ(ExpandTabs("\t\t", 2).tabRunEnd, (std::vector<int>{2, 2, 4, 4}));
  EXPECT_EQ(ExpandTabs("abcdefgh\t", 8).text, "abcdefgh        ");
}

TEST(PrintRowsCut, ShortAndEmptyLinesAreOneRow) {
  auto rows = Cut("", 10, true);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].text, "");
  EXPECT_EQ(rows[0].attr, editor::rowLineBreak);
  rows = Cut("exactly10!", 10, true);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].attr, editor::rowLineBreak);
}

TEST(PrintRowsCut, WordBreakCutsEnglishAfterSpaces) {
  const std::string s = "the quick brown fox jumps over the lazy dog";
  const auto rows = Cut(s, 12, true);
  EXPECT_EQ(Texts(rows), (std::vector<std::string>{"the quick ", "brown fox ", "jumps over ", "the lazy dog"}));
  for (size_t i = 0; i + 1 < rows.size(); ++i) EXPECT_EQ(rows[i].attr, editor::rowWrapped);
  EXPECT_EQ(rows.back().attr, editor::rowLineBreak);

  // Without word break the rows are simply as full as they can be.
  EXPECT_EQ(Texts(Cut(s, 12, false)),
            (std::vector<std::string>{"the quick br", "own fox jump", "s over the l", "azy dog"}));
}

TEST(PrintRowsCut, JapaneseBreaksAtAnyFittingCharacterNeverInsideOne) {
  const std::string s = Sjis("あいうえおかきくけこ");
  // Seven cells hold three double-byte characters.
  EXPECT_EQ(Texts(Cut(s, 7, true)),
            (std::vector<std::string>{Sjis("あいう"), Sjis("えおか"), Sjis("きくけ"), Sjis("こ")}));
  EXPECT_EQ(Texts(Cut(s, 7, false)), Texts(Cut(s, 7, true)));
}

TEST(PrintRowsCut, WordBreakMovesBackToADoubleByteCharacterOrKeepsAnUnbrokenRun) {
  // The cut falls inside "abcdefgh": back to just after 本.
  EXPECT_EQ(Texts(Cut(Sjis("日本abcdefgh"), 8, true)), (std::vector<std::string>{Sjis("日本"), "abcdefgh"}));
  // A run without a space stays cut where it fits.
  EXPECT_EQ(Texts(Cut("abcdefghijkl", 5, true)), (std::vector<std::string>{"abcde", "fghij", "kl"}));
  // A control character ends a word as a space does.
  EXPECT_EQ(Texts(Cut("ab\x01"
                      "cdefg",
                      5, true)),
            (std::vector<std::string>{"ab\x01", "cdefg"}));
}

TEST(PrintRowsCut, ATabAtTheCutKeepsTheSpacesThatFitAndTheNextRowStartsAfterIt) {
  // "abcd" then four spaces of the tab, then "x"; six cells cut inside the tab.
  const auto rows = Cut("abcd\tx", 6, true);
  EXPECT_EQ(Texts(rows), (std::vector<std::string>{"abcd  ", "x"}));
  // A tab that ends the line: its remaining spaces are dropped and the row ends the line.
  const auto tail = Cut("abcd\t", 6, false);
  EXPECT_EQ(Texts(tail), (std::vector<std::string>{"abcd  "}));
  EXPECT_EQ(tail.back().attr, editor::rowLineBreak);
}

TEST(PrintRowsCut, PiecesAreMeasuredInPixels) {
  // A proportional font: W is twenty pixels, i five.
  auto proportional = [](std::string_view s) {
    double w = 0;
    for (char c : s) w += c == 'W' ? 20 : 5;
    return w;
  };
  EXPECT_EQ(Texts(Cut("WWWWiiii", 6, false, 8, proportional)), (std::vector<std::string>{"WWW", "Wiiii"}));
  EXPECT_EQ(Texts(Cut("iiiiiiiiiiiiiiiiW", 6, false, 8, proportional)),
            (std::vector<std::string>{"iiiiiiiiiiii", "iiiiW"}));
}

TEST(PrintRowsCut, ACharacterWiderThanTheRowStillTakesARow) {
  EXPECT_EQ(Texts(Cut(Sjis("漢字"), 1, true)), (std::vector<std::string>{Sjis("漢"), Sjis("字")}));
  // A lead byte cut off at the end of the line is one byte.
  EXPECT_EQ(Texts(Cut("abc\x82", 2, false)), (std::vector<std::string>{"ab", "c\x82"}));
}

TEST(PrintRowsCut, RowsCarryTheirSourceLineIndex) {
  const auto rows = CutPrintRows({"short", "a long line to cut", ""}, {60, 8, true}, Cells);
  std::vector<int> indexes;
  for (const PrintRow& r : rows) indexes.push_back(r.line);
  EXPECT_EQ(indexes, (std::vector<int>{0, 1, 1, 1, 2}));
  EXPECT_EQ(Texts(rows), (std::vector<std::string>{"short", "a long", " line ", "to cut", ""}));
}

}  // namespace
