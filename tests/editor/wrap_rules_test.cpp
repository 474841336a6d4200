// Cutting one logical line into rows: columns, double-byte characters, word break, hanging
// punctuation, kinsoku and the final empty row.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/wrap.h"
#include "editor/wrapoption.h"

namespace editor {
namespace {

// Code page 932 characters used below.
const std::string kA = "\x82\xA0";        // あ
const std::string kMaru = "\x81\x42";     // 。
const std::string kKagi = "\x81\x75";     // 「
const std::string kKagiEnd = "\x81\x76";  // 」

std::string Rep(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

// Widths in columns of the rows of `line`, with their attributes: "20~20~2|".
std::string Cut(const WrapRules& rules, const std::string& line) {
  WrapEngine engine(rules);
  std::vector<RowCut> cuts;
  engine.CutLine(line, cuts);
  EXPECT_EQ(engine.CountRows(line), static_cast<int>(cuts.size()));
  std::string out;
  for (const RowCut& c : cuts) {
    out +=
        std::to_string(DisplayWidth(std::string_view(line).substr(c.offset, c.length), rules.TabWidth, rules.WrapByte));
    out += c.attr == rowWrapped ? '~' : '|';
  }
  return out;
}

WrapRules Rules(int wrap_byte) {
  TEditorWrapOption o;
  o.SetWrapByte(wrap_byte);
  return WrapRules::From(o, true, 8);
}

struct WrapCase {
  const char* name;
  int wrap_byte;
  bool word_break, follow_punctuation, leading, follow_ret_mark;
  std::string line;
  std::string expected;
};

TEST(WrapRules, CutsLinesByTheRules) {
  const std::vector<WrapCase> cases = {
      {"narrow line is one row", 20, false, false, false, false, Rep("a", 19), "19|"},
      {"130 letters at 60", 60, false, false, false, false, Rep("a", 130), "60~60~10|"},
      {"21 double-byte at 20", 20, false, false, false, false, Rep(kA, 21), "20~20~2|"},
      {"double-byte never split", 20, false, false, false, false, "a" + Rep(kA, 21), "19~20~4|"},
      {"exact width, ret mark off", 20, false, false, false, false, Rep("a", 20), "20~0|"},
      {"exact width, ret mark on", 20, false, false, false, true, Rep("a", 20), "20|"},
      {"punctuation off", 20, false, false, false, false, Rep("a", 20) + kMaru + kMaru + "bb", "20~6|"},
      {"punctuation hangs two columns", 20, false, true, false, false, Rep("a", 20) + kMaru + kMaru + "bb", "22~4|"},
      {"punctuation never past two columns", 20, false, true, false, false, Rep("a", 20) + "," + kMaru + "b", "21~3|"},
      {"word break after the space", 20, true, false, false, false, Rep("a", 18) + " " + Rep("b", 10), "19~10|"},
      {"word break off cuts the word", 20, false, false, false, false, Rep("a", 18) + " " + Rep("b", 10), "20~9|"},
      {"long word at a third", 30, true, false, false, false, Rep("a", 50), "10~10~30~0|"},
      {"long word, ret mark on", 30, true, false, false, true, Rep("a", 50), "10~10~30|"},
      {"word break after double-byte", 20, true, false, false, false, Rep("a", 10) + kA + Rep("b", 12), "12~12|"},
      {"opening bracket moves down", 20, false, false, true, false, Rep("a", 18) + kKagi + "bb", "18~4|"},
      {"opening bracket stays without leading", 20, false, false, false, false, Rep("a", 18) + kKagi + "bb", "20~2|"},
      {"closing bracket pulls one down", 20, false, false, true, false, Rep("a", 20) + kKagiEnd + "b", "19~4|"},
      {"pulling stops at four fifths", 20, false, false, true, false, Rep("a", 16) + Rep(kKagiEnd, 4) + "b", "16~9|"},
      {"closing bracket needs two columns after", 20, false, false, true, false, Rep("a", 20) + ")", "20~1|"},
      {"tab pads only to the row end", 20, false, false, false, false, Rep("a", 17) + "\tbcd", "20~3|"},
  };
  for (const WrapCase& c : cases) {
    WrapRules r = Rules(c.wrap_byte);
    r.WordBreak = c.word_break;
    r.FollowPunctuation = c.follow_punctuation;
    r.Leading = c.leading;
    r.FollowRetMark = c.follow_ret_mark;
    EXPECT_EQ(Cut(r, c.line), c.expected) << c.name;
  }
}

TEST(WrapRules, WordWrapOffKeepsOneRowPerLine) {
  WrapRules r = Rules(20);
  r.WordWrap = false;
  EXPECT_EQ(Cut(r, Rep("a", 300)), "300|");
  TEditorStringList rows;
  WrapEngine(r).WrapText("a\r\nb\rc\nd\r\n", rows);
  ASSERT_EQ(rows.Count(), 4);
  EXPECT_EQ(rows.Get(3), "d");
}

TEST(WrapRules, DelimiterSetIsAParameter) {
  WrapRules r = Rules(20);
  r.WordBreak = true;
  const std::string line = Rep("a", 18) + "-" + Rep("b", 10);
  EXPECT_EQ(Cut(r, line), "19~10|");
  r.Delimiters.reset('-');  // '-' now belongs to words: no break opportunity, cut at a third
  EXPECT_EQ(Cut(r, line), "6~6~17|");
}

TEST(ColumnAttributes, CodesEveryColumn) {
  struct Case {
    std::string text;
    int tab, wrap;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"a b\t" + kA + "\xB1,", 8, 0, "1212333345120"},
      {Rep("a", 17) + "\tb", 8, 20, Rep("1", 17) + "2331" + "0"},
      {Rep("a", 17) + "\tb", 8, 0, Rep("1", 17) + "2333333" + "10"},
      {"\t", 4, 0, "23330"},
      {"_@\x7F\xA1\xA5\xA6\xDF\xFD", 8, 0, "122221120"},
      {"ab\x82", 8, 0, "1110"},             // a lead byte without trail counts as one column
      {Rep("a", 30), 8, 20, Rep("1", 23)},  // built only to WrapByte + 3 with word wrap
  };
  for (const Case& c : cases) EXPECT_EQ(ColumnAttributes(c.text, c.tab, c.wrap), c.expected) << c.text;
  EXPECT_EQ(ColumnAttributes(Rep("a", 1200), 8, 0).size(), 1000u);
}

TEST(ColumnAttributes, DisplayWidthCountsColumns) {
  EXPECT_EQ(DisplayWidth("abc", 8, 0), 3);
  EXPECT_EQ(DisplayWidth(kA + "a", 8, 0), 3);
  EXPECT_EQ(DisplayWidth("a\tb", 8, 0), 9);
  EXPECT_EQ(DisplayWidth("a\tb", 4, 0), 5);
  EXPECT_EQ(DisplayWidth(Rep("a", 17) + "\t", 8, 20), 20);
  EXPECT_EQ(DisplayWidth(Rep("a", 17) + "\t", 8, 0), 24);
}

TEST(CharSet, DoubleByteCharactersMatchOnlyWhole) {
  CharSet s(kMaru + ",");
  EXPECT_TRUE(s.Contains(kMaru, 0));
  EXPECT_TRUE(s.Contains(",", 0));
  EXPECT_FALSE(s.Contains("\x81", 0));       // lead byte alone
  EXPECT_FALSE(s.Contains("\x81\x43", 0));   // another character with the same lead byte
  EXPECT_FALSE(s.Contains("B", 0));          // the trail byte of 。 on its own
  EXPECT_FALSE(s.Contains("x" + kMaru, 2));  // a trail byte position is never a character start here
}

// Random lines under random rules: rows rebuild the line, no row splits a character, rows keep
// within WrapByte + 2 columns, and no row but the last is empty.
TEST(WrapRules, RandomLinesKeepTheInvariants) {
  std::mt19937 rng(12345);
  const std::vector<std::string> atoms = {"a", "b", " ", "\t", ",", ".", kA, kMaru, kKagi, kKagiEnd, "\xB1", "("};
  for (int iter = 0; iter < 3000; ++iter) {
    WrapRules r = Rules(20 + static_cast<int>(rng() % 40));
    r.WordBreak = rng() & 1;
    r.FollowPunctuation = rng() & 1;
    r.Leading = rng() & 1;
    r.FollowRetMark = rng() & 1;
    r.TabWidth = 2 * (1 + static_cast<int>(rng() % 4));
    std::string line;
    const int len = static_cast<int>(rng() % 200);
    for (int i = 0; i < len; ++i) line += atoms[rng() % atoms.size()];
    WrapEngine engine(r);
    std::vector<RowCut> cuts;
    engine.CutLine(line, cuts);
    std::string joined;
    for (size_t i = 0; i < cuts.size(); ++i) {
      const std::string_view row = std::string_view(line).substr(cuts[i].offset, cuts[i].length);
      ASSERT_EQ(cuts[i].offset, joined.size());
      joined += row;
      ASSERT_LE(DisplayWidth(row, r.TabWidth, r.WrapByte), r.WrapByte + 2) << line;
      if (i + 1 < cuts.size()) {
        ASSERT_EQ(cuts[i].attr, rowWrapped);
        ASSERT_FALSE(row.empty());
      } else {
        ASSERT_EQ(cuts[i].attr, rowLineBreak);
      }
      // The row ends on a character boundary of the line.
      size_t p = 0;
      while (p < joined.size())
        p += (static_cast<unsigned char>(line[p]) >= 0x81 && static_cast<unsigned char>(line[p]) <= 0x9F) ? 2 : 1;
      ASSERT_EQ(p, joined.size()) << line;
    }
    ASSERT_EQ(joined, line);
    ASSERT_EQ(engine.CountRows(line), static_cast<int>(cuts.size()));
  }
}

}  // namespace
}  // namespace editor
