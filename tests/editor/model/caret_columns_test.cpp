// Where the caret may stand: column normalisation in both directions, row limits, wrap limits.
#include <gtest/gtest.h>

#include <string>

#include "fake_viewport.h"

namespace editor::testing {
namespace {

const std::string kA = "\x82\xa0";  // あ, two columns

struct ColumnCase {
  const char* name;
  std::string text;
  bool in_tab;
  int from, to, expected;
};

class CaretColumnTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(CaretColumnTest, MovesOutOfCharactersInTheDirectionOfTheMove) {
  const ColumnCase& c = GetParam();
  Editor e(c.text);
  e.model.Caret().SetInTab(c.in_tab);
  e.model.SetRowCol(0, c.from);
  e.model.SetCol(c.to);
  EXPECT_EQ(e.model.Col(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CaretColumnTest,
                         ::testing::Values(ColumnCase{"TrailRight", "a" + kA + "b", false, 0, 2, 3},
                                           ColumnCase{"TrailLeft", "a" + kA + "b", false, 3, 2, 1},
                                           ColumnCase{"TabFillRight", "\tx", false, 0, 3, 8},
                                           ColumnCase{"TabFillLeft", "\tx", false, 8, 3, 0},
                                           ColumnCase{"InTabStays", "\tx", true, 0, 3, 3},
                                           ColumnCase{"SecondTabAfterText", "ab\tx", false, 0, 5, 8},
                                           ColumnCase{"LeadIsFine", "a" + kA + "b", false, 0, 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaretColumns, NeverBetweenTheBytesOfACharacterWhateverTheRoute) {
  Editor e("x" + kA + kA + "\ty" + kA);
  for (int c = 0; c <= 20; ++c) {
    e.model.SetRowCol(0, c);
    const int col = e.model.Col();
    // The byte under the caret starts a character.
    const int byte = e.model.CaretByte();
    const std::string row = e.model.RowText(0);
    int b = 0;
    while (b < byte && b < static_cast<int>(row.size()))
      b += (static_cast<unsigned char>(row[b]) >= 0x81 && static_cast<unsigned char>(row[b]) <= 0x9F) ? 2 : 1;
    EXPECT_EQ(b, std::min<int>(byte, static_cast<int>(row.size()))) << "column " << c << " -> " << col;
    EXPECT_FALSE(col >= 6 && col <= 7) << "inside the tab's fill: " << col;
  }
}

TEST(CaretColumns, FreeCaretOffPullsBackAndKeepCaretRestores) {
  const std::string text = std::string(40, 'x') + "\r\n" + std::string(10, 'y') + "\r\n" + std::string(40, 'z');
  for (const bool keep : {false, true}) {
    Editor e(text);
    e.model.Caret().SetFreeCaret(false);
    e.model.Caret().SetKeepCaret(keep);
    e.model.SetRowCol(0, 30);
    e.Key(keys::kDown);
    EXPECT_EQ(e.Caret(), (Position{1, 10}));
    e.Key(keys::kDown);
    EXPECT_EQ(e.Caret(), (Position{2, keep ? 30 : 10})) << "KeepCaret " << keep;
  }
}

TEST(CaretColumns, KeepCaretIsForgottenByAHorizontalMove) {
  Editor e(std::string(40, 'x') + "\r\n" + std::string(10, 'y') + "\r\n" + std::string(40, 'z'));
  e.model.Caret().SetFreeCaret(false);
  e.model.Caret().SetKeepCaret(true);
  e.model.SetRowCol(0, 30);
  e.Key(keys::kDown);
  e.Key(keys::kLeft);
  e.Key(keys::kDown);
  EXPECT_EQ(e.Caret(), (Position{2, 9}));
}

TEST(CaretColumns, FreeRowKeepsTheColumnDuringVerticalMoves) {
  Editor e(std::string(40, 'x') + "\r\n" + std::string(10, 'y') + "\r\n");
  e.model.Caret().SetFreeCaret(false);
  e.model.Caret().SetFreeRow(true);
  e.model.SetRowCol(0, 30);
  e.Key(keys::kDown);
  EXPECT_EQ(e.Caret(), (Position{1, 30}));
  // A horizontal move pulls it back.
  e.model.SetCol(31);
  EXPECT_EQ(e.model.Col(), 10);
}

TEST(CaretColumns, FreeCaretOnStaysBeyondTheEnd) {
  Editor e("ab\r\ncd");
  e.model.SetRowCol(0, 30);
  e.Key(keys::kDown);
  EXPECT_EQ(e.Caret(), (Position{1, 30}));
}

TEST(CaretRows, SetRowStopsAtTheLastCaretRow) {
  Editor without("ab");
  without.model.SetRow(5);
  EXPECT_EQ(without.model.Row(), 0);
  Editor with("ab\r\n");
  with.model.SetRow(5);
  EXPECT_EQ(with.model.Row(), 1);
  with.model.SetRow(-3);
  EXPECT_EQ(with.model.Row(), 0);
}

TEST(CaretColumns, ColumnLimitIs1000Or1001AfterADoubleByteCharacter) {
  Editor empty("");
  empty.model.SetCol(5000);
  EXPECT_EQ(empty.model.Col(), 1000);
  Editor wide(std::string(999, 'a') + kA + "b");
  wide.model.SetCol(1001);
  EXPECT_EQ(wide.model.Col(), 1001);
  wide.model.SetCol(0);
  wide.model.SetCol(1000);  // the trail of the character at 999-1000
  EXPECT_EQ(wide.model.Col(), 1001);
  Editor narrow(std::string(1200, 'a'));
  narrow.model.SetCol(1001);
  EXPECT_EQ(narrow.model.Col(), 1000);
}

TEST(CaretColumns, WordWrapLimitsTheColumn) {
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.SetText(std::string(25, 'a') + "\r\nb");
  ASSERT_EQ(e.model.RowAttributeOf(0), rowWrapped);
  // Never at the end of a wrapped row: that is the start of the next one.
  e.model.SetRowCol(0, 20);
  EXPECT_EQ(e.Caret(), (Position{0, 19}));
  // Elsewhere at most WrapByte - 1, or the row's width when wider.
  e.model.SetRowCol(1, 30);
  EXPECT_EQ(e.Caret(), (Position{1, 19}));
  e.model.SetRowCol(2, 30);
  EXPECT_EQ(e.Caret(), (Position{2, 19}));
}

TEST(CaretColumns, WrappedRowEndingInADoubleByteCharacter) {
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  std::string line;
  for (int i = 0; i < 15; ++i) line += kA;
  e.model.SetText(line);
  ASSERT_EQ(e.model.RowText(0).size(), 20u);
  e.model.SetRowCol(0, 25);
  EXPECT_EQ(e.Caret(), (Position{0, 18}));
}

TEST(CaretPixels, PointMapsToTheNearestBoundaryAndBack) {
  Editor e("abc\r\n" + kA + "x");
  const EditorLayout& l = e.model.Layout();
  EXPECT_EQ(e.model.PosFromPoint(e.X(2) + 1, e.Y(0)), (Position{0, 2}));
  EXPECT_EQ(e.model.PosFromPoint(e.X(2) + l.char_width - 1, e.Y(0)), (Position{0, 3}));
  // Right half of a double-byte character: after it; left half: before it.
  EXPECT_EQ(e.model.PosFromPoint(e.X(1) + 1, e.Y(1)), (Position{1, 2}));
  EXPECT_EQ(e.model.PosFromPoint(e.X(0) + l.char_width + 2, e.Y(1)), (Position{1, 2}));
  EXPECT_EQ(e.model.PosFromPoint(e.X(0) + l.char_width / 2 - 1, e.Y(1)), (Position{1, 0}));
  // Above the text and left of it clamp, and so do points far outside the window.
  EXPECT_EQ(e.model.PosFromPoint(0, 0), (Position{0, 0}));
  EXPECT_EQ(e.model.PosFromPoint(INT32_MIN, INT32_MIN), (Position{0, 0}));
  EXPECT_EQ(e.model.PosFromPoint(INT32_MAX, INT32_MAX).row, 1);
  e.model.SetRowCol(1, 2);
  EXPECT_EQ(e.view.caret.x, e.X(2));
  EXPECT_EQ(e.view.caret.y, e.model.RowY(1));
  EXPECT_TRUE(e.view.caret.visible);
}

}  // namespace
}  // namespace editor::testing
