// Caret keys, Delete, Shift-extension and Ctrl word moves.
#include <gtest/gtest.h>

#include <string>

#include "fake_viewport.h"

namespace editor::testing {
namespace {

const std::string kA = "\x82\xa0";  // あ

std::string Lines(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "line" + std::to_string(i) + "\r\n";
  return s;
}

struct MoveCase {
  const char* name;
  std::string text;
  Position from;
  KeyCode key;
  Modifiers mods;
  bool next_line;
  bool free_caret;
  Position expected;
};

class CaretKeyTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(CaretKeyTest, MovesTheCaret) {
  const MoveCase& c = GetParam();
  Editor e(c.text);
  e.model.Caret().SetNextLine(c.next_line);
  e.model.Caret().SetFreeCaret(c.free_caret);
  e.model.SetRowCol(c.from.row, c.from.col);
  ASSERT_EQ(e.Caret(), c.from);
  e.Key(c.key, c.mods);
  EXPECT_EQ(e.Caret(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CaretKeyTest,
    ::testing::Values(
        MoveCase{"Home", "abc\r\ndef", {1, 2}, keys::kHome, kModNone, false, true, {1, 0}},
        MoveCase{"CtrlHome", "abc\r\ndef", {1, 2}, keys::kHome, kModCtrl, false, true, {0, 0}},
        MoveCase{"End", "abc\r\ndef", {0, 1}, keys::kEnd, kModNone, false, true, {0, 3}},
        MoveCase{"CtrlEndTextEnd", "abc\r\ndef", {0, 1}, keys::kEnd, kModCtrl, false, true, {1, 3}},
        MoveCase{"CtrlEndAfterBreak", "abc\r\ndef\r\n", {0, 1}, keys::kEnd, kModCtrl, false, true, {2, 0}},
        MoveCase{"LeftAtStartStays", "ab\r\ncd", {1, 0}, keys::kLeft, kModNone, false, true, {1, 0}},
        MoveCase{"LeftAtStartNextLine", "ab\r\ncd", {1, 0}, keys::kLeft, kModNone, true, true, {0, 2}},
        MoveCase{"RightAtEndFree", "ab\r\ncd", {0, 2}, keys::kRight, kModNone, false, true, {0, 3}},
        MoveCase{"RightAtEndFixed", "ab\r\ncd", {0, 2}, keys::kRight, kModNone, false, false, {0, 2}},
        MoveCase{"RightAtEndNextLine", "ab\r\ncd", {0, 2}, keys::kRight, kModNone, true, false, {1, 0}},
        MoveCase{"RightNeverPassesTextEnd", "ab\r\ncd", {1, 2}, keys::kRight, kModNone, true, false, {1, 2}},
        MoveCase{"LeftOverDoubleByte", "a" + kA + "b", {0, 3}, keys::kLeft, kModNone, false, true, {0, 1}},
        MoveCase{"RightOverDoubleByte", "a" + kA + "b", {0, 1}, keys::kRight, kModNone, false, true, {0, 3}},
        MoveCase{"LeftOverTab", "\tx", {0, 8}, keys::kLeft, kModNone, false, true, {0, 0}},
        MoveCase{"RightOverTab", "\tx", {0, 0}, keys::kRight, kModNone, false, true, {0, 8}},
        MoveCase{"DownNotFromTextEnd", "ab\r\ncd", {1, 1}, keys::kDown, kModNone, false, true, {1, 1}},
        MoveCase{"DownToRowAfterBreak", "ab\r\n", {0, 1}, keys::kDown, kModNone, false, false, {1, 0}},
        MoveCase{"UpFromTop", "ab\r\ncd", {0, 1}, keys::kUp, kModNone, false, true, {0, 1}},
        MoveCase{"CtrlRightWords", "foo bar, baz", {0, 0}, keys::kRight, kModCtrl, false, true, {0, 4}},
        MoveCase{"CtrlRightSkipsSymbol", "foo bar, baz", {0, 4}, keys::kRight, kModCtrl, false, true, {0, 9}},
        MoveCase{"CtrlRightToEnd", "foo bar, baz\r\nx", {0, 9}, keys::kRight, kModCtrl, false, true, {0, 12}},
        MoveCase{"CtrlRightNextRow", "foo\r\n  x", {0, 3}, keys::kRight, kModCtrl, false, true, {1, 2}},
        MoveCase{"CtrlLeftWords", "foo bar, baz", {0, 12}, keys::kLeft, kModCtrl, false, true, {0, 9}},
        MoveCase{"CtrlLeftSkipsSymbol", "foo bar, baz", {0, 9}, keys::kLeft, kModCtrl, false, true, {0, 4}},
        MoveCase{"CtrlLeftToLineStartRow", "  foo", {0, 2}, keys::kLeft, kModCtrl, false, true, {0, 0}},
        MoveCase{"CtrlLeftStopsAtLineEnd", "ab\r\ncd", {1, 0}, keys::kLeft, kModCtrl, false, true, {0, 2}},
        MoveCase{"CtrlRightJapaneseRuns",
                 "\x8a\xbf\x8e\x9a\x82\xa9\x82\xc8\x83\x4a\x83\x69",
                 {0, 0},
                 keys::kRight,
                 kModCtrl,
                 false,
                 true,
                 {0, 4}},
        MoveCase{"CtrlLeftJapaneseRuns",
                 "\x8a\xbf\x8e\x9a\x82\xa9\x82\xc8\x83\x4a\x83\x69",
                 {0, 12},
                 keys::kLeft,
                 kModCtrl,
                 false,
                 true,
                 {0, 8}}),
    [](const auto& info) { return std::string(info.param.name); });

class WrappedKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    e.model.WrapOption().SetWrapByte(20);
    e.model.SetWordWrap(true);
    e.model.SetText(std::string(30, 'a') + "\r\nb");
    ASSERT_EQ(e.model.RowAttributeOf(0), rowWrapped);
  }
  Editor e;
};

TEST_F(WrappedKeys, RightAndLeftCrossAWrapPointWithoutNextLine) {
  e.model.SetRowCol(0, 19);
  e.Key(keys::kRight);
  EXPECT_EQ(e.Caret(), (Position{1, 0}));
  e.Key(keys::kLeft);
  EXPECT_EQ(e.Caret(), (Position{0, 19}));
}

TEST_F(WrappedKeys, EndOfAWrappedRowStaysBeforeItsLastCharacter) {
  e.Key(keys::kEnd);
  EXPECT_EQ(e.Caret(), (Position{0, 19}));
}

TEST_F(WrappedKeys, CtrlRightGoesToTheNextRowOfAWrappedLine) {
  e.model.SetRowCol(0, 5);
  e.Key(keys::kRight, kModCtrl);
  EXPECT_EQ(e.Caret(), (Position{1, 0}));
}

TEST(VerticalKeys, RepeatAcceleratesOnlyAtTheEdgeOfTheView) {
  Editor e(Lines(200));
  e.model.SetRow(20);
  e.Key(keys::kDown, kModNone, true);
  EXPECT_EQ(e.model.Row(), 21);
  e.model.SetRow(39);
  ASSERT_EQ(e.model.TopRow(), 0);
  e.Key(keys::kDown, kModNone, true);
  EXPECT_EQ(e.model.Row(), 41);
  EXPECT_EQ(e.model.TopRow(), 2);
  e.Key(keys::kDown, kModNone, false);
  EXPECT_EQ(e.model.Row(), 42);
  e.model.SetRow(e.model.TopRow());
  e.Key(keys::kUp, kModNone, true);
  EXPECT_EQ(e.model.Row(), 1);
  EXPECT_EQ(e.model.TopRow(), 1);
}

TEST(VerticalKeys, CtrlScrollsAndMovesTheCaretOnlyWhenItWouldLeaveTheView) {
  Editor e(Lines(200));
  e.model.SetRow(10);
  e.Key(keys::kDown, kModCtrl);
  EXPECT_EQ(e.model.TopRow(), 1);
  EXPECT_EQ(e.model.Row(), 10);
  e.model.SetRow(1);
  e.Key(keys::kDown, kModCtrl);
  EXPECT_EQ(e.model.TopRow(), 2);
  EXPECT_EQ(e.model.Row(), 2);
  e.model.SetRow(41);
  e.Key(keys::kUp, kModCtrl);
  EXPECT_EQ(e.model.TopRow(), 1);
  EXPECT_EQ(e.model.Row(), 40);
}

TEST(PageKeys, ScrollHalfAPageTimesTheSpeed) {
  Editor e(Lines(500));
  e.model.SetRow(3);
  e.Key(keys::kPageDown);
  // ((40 - 1) div 2) x PageVerticalRange 2 = 38 rows.
  EXPECT_EQ(e.model.TopRow(), 38);
  EXPECT_EQ(e.model.Row(), 41);
  TEditorSpeed speed;
  speed.SetPageVerticalRangeAc(3);
  e.model.SetSpeed(speed);
  e.Key(keys::kPageDown, kModNone, true);
  EXPECT_EQ(e.model.TopRow(), 38 + 57);
  EXPECT_EQ(e.model.Row(), 41 + 57);
  e.Key(keys::kPageUp);
  EXPECT_EQ(e.model.TopRow(), 57);
  EXPECT_EQ(e.model.Row(), 60);
}

struct DeleteCase {
  const char* name;
  std::string text;
  Position at;
  std::string expected;
  Position caret;
};

class DeleteKeyTest : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteKeyTest, DeletesAtTheCaret) {
  const DeleteCase& c = GetParam();
  Editor e(c.text);
  e.model.SetRowCol(c.at.row, c.at.col);
  e.Key(keys::kDelete);
  EXPECT_EQ(e.Text(), c.expected);
  EXPECT_EQ(e.Caret(), c.caret);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteKeyTest,
                         ::testing::Values(DeleteCase{"Character", "ab\r\ncd", {0, 1}, "a\r\ncd", {0, 1}},
                                           DeleteCase{"DoubleByteWhole", "a" + kA + "b", {0, 1}, "ab", {0, 1}},
                                           DeleteCase{"TabWhole", "a\tb", {0, 1}, "ab", {0, 1}},
                                           DeleteCase{"JoinsAtEnd", "ab\r\ncd", {0, 2}, "abcd", {0, 2}},
                                           DeleteCase{"PadsBeyondEnd", "ab\r\ncd", {0, 4}, "ab  cd", {0, 4}},
                                           DeleteCase{"NothingAtTextEnd", "ab", {0, 2}, "ab", {0, 2}},
                                           DeleteCase{"FinalLineBreak", "ab\r\n", {0, 2}, "ab", {0, 2}},
                                           DeleteCase{"NothingAfterFinalBreak", "ab\r\n", {1, 0}, "ab\r\n", {1, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeleteKey, DeletesTheSelectionFirst) {
  Editor e("abcdef");
  e.model.SetRowCol(0, 1);
  e.Key(keys::kRight, kModShift);
  e.Key(keys::kRight, kModShift);
  e.Key(keys::kDelete);
  EXPECT_EQ(e.Text(), "adef");
  EXPECT_FALSE(e.model.Selected());
  EXPECT_EQ(e.UndoEntries(), 1u);
}

TEST(ShiftKeys, ExtendFromTheAnchorAndPlainKeysDropTheSelection) {
  Editor e("abc\r\ndef");
  e.model.SetRowCol(0, 1);
  e.Key(keys::kRight, kModShift);
  e.Key(keys::kDown, kModShift);
  EXPECT_EQ(e.model.SelText(), "bc\r\nde");
  e.Key(keys::kUp, kModShift);
  e.Key(keys::kLeft, kModShift);
  e.Key(keys::kLeft, kModShift);
  EXPECT_EQ(e.model.SelText(), "a");
  EXPECT_EQ(e.Caret(), (Position{0, 0}));
  e.Key(keys::kRight);
  EXPECT_FALSE(e.model.Selected());
  EXPECT_EQ(e.Caret(), (Position{0, 1}));
}

}  // namespace
}  // namespace editor::testing
