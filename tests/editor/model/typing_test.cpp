// Typed text: insert and overwrite, double-byte pairs, input-method results, BackSpace with
// un-indent, Tab and Enter with their indentation rules; one undo entry per typed unit.
#include <gtest/gtest.h>

#include <string>

#include "fake_viewport.h"

namespace editor::testing {
namespace {

const std::string kA = "\x82\xa0";     // あ
const std::string kKan = "\x8a\xbf";   // 漢
const std::string kKana = "\x82\xa9";  // か

TEST(Typing, InsertsAtTheCaretAndPadsBeyondTheEnd) {
  Editor e("ab\r\n");
  e.model.SetRowCol(0, 1);
  e.Type("x");
  EXPECT_EQ(e.Text(), "axb\r\n");
  EXPECT_EQ(e.Caret(), (Position{0, 2}));
  e.model.SetRowCol(0, 6);
  e.Type("y");
  EXPECT_EQ(e.Text(), "axb   y\r\n");
  e.model.SetRowCol(1, 2);
  e.Type("z");
  EXPECT_EQ(e.Text(), "axb   y\r\n  z");
  EXPECT_EQ(e.Caret(), (Position{1, 3}));
}

TEST(Typing, EachCharacterIsOneUndoEntryAndUndoPutsTheCaretBack) {
  Editor e("");
  e.Type("abc");
  EXPECT_EQ(e.UndoEntries(), 3u);
  e.model.Undo();
  EXPECT_EQ(e.Text(), "ab");
  EXPECT_EQ(e.Caret(), (Position{0, 2}));
  e.model.Undo();
  e.model.Undo();
  EXPECT_EQ(e.Text(), "");
  EXPECT_FALSE(e.model.CanUndo());
  e.model.Redo();
  EXPECT_EQ(e.Text(), "a");
  EXPECT_TRUE(e.model.CanRedo());
}

TEST(Typing, LeadAndTrailByteAreOneCharacterAndOneUndoEntry) {
  Editor e("ab");
  e.model.SetCol(1);
  e.Type(kA);
  EXPECT_EQ(e.Text(), "a" + kA + "b");
  EXPECT_EQ(e.Caret(), (Position{0, 3}));
  EXPECT_EQ(e.UndoEntries(), 1u);
  e.model.Undo();
  EXPECT_EQ(e.Text(), "ab");
}

TEST(Typing, LeadByteWithoutTrailIsDropped) {
  Editor e("");
  e.Type("\x82");
  EXPECT_EQ(e.Text(), "");
  e.Type(std::string("\x82 ", 2));
  EXPECT_EQ(e.Text(), " ");
  EXPECT_EQ(e.UndoEntries(), 1u);
}

TEST(Typing, ControlBytesOtherThanEditingKeysAreIgnored) {
  Editor e("");
  e.Type(std::string("\x01\x7f\x80", 3));
  EXPECT_EQ(e.Text(), "");
  e.Type("\xb1");  // half-width katakana
  EXPECT_EQ(e.Text(), "\xb1");
}

TEST(InputMethod, ResultIsOneEditAndTheEchoedCharactersAreSkipped) {
  Editor e("xy");
  e.model.SetCol(1);
  const std::string result = kKan + kKana + "a";
  e.model.ImeCommit(result, /*chars_follow=*/true);
  EXPECT_EQ(e.Text(), "x" + result + "y");
  EXPECT_EQ(e.UndoEntries(), 1u);
  e.Type(result);  // the platform's echo of the same text
  EXPECT_EQ(e.Text(), "x" + result + "y");
  e.Type("b");
  EXPECT_EQ(e.Text(), "x" + result + "by");
  e.model.Undo();
  e.model.Undo();
  EXPECT_EQ(e.Text(), "xy");
}

TEST(InputMethod, WithoutEchoNothingIsSkipped) {
  Editor e("");
  e.model.ImeCommit(kKan, false);
  e.Type("a");
  EXPECT_EQ(e.Text(), kKan + "a");
}

struct OverwriteCase {
  const char* name;
  std::string text;
  int col;
  std::string typed;
  std::string expected;
  int caret;
};

class OverwriteTest : public ::testing::TestWithParam<OverwriteCase> {};

TEST_P(OverwriteTest, ReplacesTheColumnsTheTextOccupies) {
  const OverwriteCase& c = GetParam();
  Editor e(c.text);
  e.model.SetOverwrite(true);
  e.model.SetCol(c.col);
  e.model.ImeCommit(c.typed);
  EXPECT_EQ(e.Text(), c.expected);
  EXPECT_EQ(e.model.Col(), c.caret);
  EXPECT_EQ(e.UndoEntries(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, OverwriteTest,
                         ::testing::Values(OverwriteCase{"Single", "abcd", 1, "X", "aXcd", 2},
                                           OverwriteCase{"DoubleOverTwoSingles", "abcd", 1, kA, "a" + kA + "d", 3},
                                           OverwriteCase{"SingleOverDouble", kA + "b", 0, "X", "X b", 1},
                                           OverwriteCase{"SingleOverSecondDouble", "x" + kA + "b", 1, "Y", "xY b", 2},
                                           OverwriteCase{"DoubleOverDouble", kA + "b", 0, kKan, kKan + "b", 2},
                                           OverwriteCase{"PastTheEndAppends", "ab", 1, "XYZ", "aXYZ", 4},
                                           OverwriteCase{"StopsAtLineEnd", "ab\r\ncd", 1, "XYZ", "aXYZ\r\ncd", 4},
                                           OverwriteCase{"AtTheEndInserts", "ab", 2, "X", "abX", 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Overwrite, ContinuesIntoTheWrappedContinuationRow) {
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.SetText(std::string(20, 'a') + "bbb\r\nc");
  ASSERT_EQ(e.model.RowText(0), std::string(20, 'a'));
  e.model.SetOverwrite(true);
  e.model.SetRowCol(0, 18);
  e.model.ImeCommit(kKan + kKan);
  EXPECT_EQ(e.Text(), std::string(18, 'a') + kKan + kKan + "b\r\nc");
  EXPECT_EQ(e.UndoEntries(), 1u);
}

TEST(Overwrite, BrokenHalfInTheContinuationRowBecomesASpace) {
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.SetText(std::string(20, 'a') + kA + "b");
  e.model.SetOverwrite(true);
  e.model.SetRowCol(0, 19);
  e.model.ImeCommit("XY");
  EXPECT_EQ(e.Text(), std::string(19, 'a') + "XY b");
}

// ---- BackSpace

struct BackSpaceCase {
  const char* name;
  std::string text;
  Position at;
  bool unindent;
  std::string expected;
  Position caret;
};

class BackSpaceTest : public ::testing::TestWithParam<BackSpaceCase> {};

TEST_P(BackSpaceTest, DeletesBeforeTheCaretOrUnIndents) {
  const BackSpaceCase& c = GetParam();
  Editor e(c.text);
  e.model.Caret().SetBackSpaceUnIndent(c.unindent);
  e.model.Caret().SetTabSpaceCount(8);
  e.model.SetRowCol(c.at.row, c.at.col);
  ASSERT_EQ(e.Caret(), c.at);
  e.Key(keys::kBackspace);
  EXPECT_EQ(e.Text(), c.expected);
  EXPECT_EQ(e.Caret(), c.caret);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackSpaceTest,
    ::testing::Values(
        BackSpaceCase{"Character", "ab", {0, 2}, true, "a", {0, 1}},
        BackSpaceCase{"DoubleByteWhole", "a" + kA, {0, 3}, true, "a", {0, 1}},
        BackSpaceCase{"TabWhole", "a\tb", {0, 8}, true, "ab", {0, 1}},
        BackSpaceCase{"JoinsRows", "ab\r\ncd", {1, 0}, true, "abcd", {0, 2}},
        BackSpaceCase{"RemovesFinalBreak", "ab\r\n", {1, 0}, true, "ab", {0, 2}},
        BackSpaceCase{"NothingAtStart", "ab", {0, 0}, true, "ab", {0, 0}},
        BackSpaceCase{"BeyondEndOnlyMoves", "ab", {0, 5}, false, "ab", {0, 4}},
        BackSpaceCase{"UnIndentToRowAbove", "a\r\n    b\r\n        c", {2, 8}, true, "a\r\n    b\r\n    c", {2, 4}},
        BackSpaceCase{"UnIndentToZero", "a\r\n    c", {1, 4}, true, "a\r\nc", {1, 0}},
        BackSpaceCase{
            "UnIndentOffDeletesOne", "a\r\n    b\r\n        c", {2, 8}, false, "a\r\n    b\r\n       c", {2, 7}},
        BackSpaceCase{"UnIndentNotInsideText", "    b\r\n        cd", {1, 9}, true, "    b\r\n        d", {1, 8}},
        BackSpaceCase{"UnIndentBlankRow", "    x\r\n      ", {1, 6}, true, "    x\r\n    ", {1, 4}},
        BackSpaceCase{"UnIndentBlankBeyondEnd", "    x\r\n", {1, 6}, true, "    x\r\n", {1, 4}},
        BackSpaceCase{
            "UnIndentSplitsStraddlingTab", "x\r\n    y\r\n\t\tc", {2, 16}, true, "x\r\n    y\r\n    c", {2, 4}},
        BackSpaceCase{"UnIndentFullWidthSpace", "  a\r\n\x81\x40\x81\x40z", {1, 4}, true, "  a\r\n\x81\x40z", {1, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BackSpace, JoinsWithAWrappedRowByRemovingItsLastCharacter) {
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.SetText(std::string(20, 'a') + "bc");
  e.model.SetRowCol(1, 0);
  e.Key(keys::kBackspace);
  EXPECT_EQ(e.Text(), std::string(19, 'a') + "bc");
  EXPECT_EQ(e.Caret(), (Position{0, 19}));
}

TEST(BackSpace, UnIndentSkipsUnindentedContinuationRows) {
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.SetText("  " + std::string(25, 'a') + "\r\n    z");
  ASSERT_EQ(e.model.RowCount(), 3);
  e.model.SetRowCol(2, 4);
  e.Key(keys::kBackspace);
  EXPECT_EQ(e.model.RowText(2), "  z");
  EXPECT_EQ(e.Caret(), (Position{2, 2}));
}

// ---- Tab

TEST(TabKey, InsertsATabOrSpacesOrMovesInOverwriteMode) {
  Editor e("ab");
  e.model.SetCol(2);
  e.Key(keys::kTab);
  EXPECT_EQ(e.Text(), "ab\t");
  EXPECT_EQ(e.model.Col(), 8);

  Editor soft("ab");
  soft.model.Caret().SetSoftTab(true);
  soft.model.SetCol(2);
  soft.Key(keys::kTab);
  EXPECT_EQ(soft.Text(), "ab      ");

  Editor over("abcdefghij");
  over.model.SetOverwrite(true);
  over.model.SetCol(1);
  over.Key(keys::kTab);
  EXPECT_EQ(over.Text(), "abcdefghij");
  EXPECT_EQ(over.model.Col(), 8);
}

TEST(TabKey, SoftTabStopsAtTheWrapWidthToo) {
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.Caret().SetSoftTab(true);
  e.model.SetText(std::string(18, 'a'));
  e.model.SetCol(18);
  e.Key(keys::kTab);
  EXPECT_EQ(e.Text(), std::string(18, 'a') + "  ");
}

TEST(TabKey, IgnoredWithModifiersOrWithoutWantTabs) {
  Editor e("ab");
  EXPECT_FALSE(e.model.KeyDown(keys::kTab, kModShift));
  EXPECT_FALSE(e.model.KeyDown(keys::kTab, kModCtrl));
  e.model.SetWantTabs(false);
  EXPECT_FALSE(e.model.KeyDown(keys::kTab, kModNone));
  e.Type("\t");
  EXPECT_EQ(e.Text(), "ab");
}

// ---- Enter

struct EnterCase {
  const char* name;
  std::string text;
  Position at;
  bool auto_indent, tab_indent, prev_space;
  std::string expected;
  Position caret;
};

class EnterTest : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterTest, SplitsTheRowWithIndentation) {
  const EnterCase& c = GetParam();
  Editor e(c.text);
  e.model.Caret().SetAutoIndent(c.auto_indent);
  e.model.Caret().SetTabIndent(c.tab_indent);
  e.model.Caret().SetPrevSpaceIndent(c.prev_space);
  e.model.Caret().SetTabSpaceCount(4);
  e.model.SetRowCol(c.at.row, c.at.col);
  ASSERT_EQ(e.Caret(), c.at);
  e.Key(keys::kReturn);
  EXPECT_EQ(e.Text(), c.expected);
  EXPECT_EQ(e.Caret(), c.caret);
  EXPECT_EQ(e.UndoEntries(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnterTest,
    ::testing::Values(
        EnterCase{"Plain", "abc", {0, 1}, false, false, false, "a\r\nbc", {1, 0}},
        EnterCase{"AutoIndent", "    abc", {0, 5}, true, false, false, "    a\r\n    bc", {1, 4}},
        EnterCase{"NoMoreThanTheCaret", "    abc", {0, 2}, true, false, false, "  \r\n    abc", {1, 2}},
        EnterCase{"TabIndent", "      abc", {0, 9}, true, true, false, "      abc\r\n\t  ", {1, 6}},
        EnterCase{"PrevSpaceIndent", "  a\r\n\r\n", {1, 0}, true, false, true, "  a\r\n\r\n  \r\n", {2, 2}},
        EnterCase{"NoPrevSpaceIndent", "  a\r\n\r\n", {1, 0}, true, false, false, "  a\r\n\r\n\r\n", {2, 0}},
        EnterCase{"AfterLastRow", "ab\r\n", {1, 0}, true, false, false, "ab\r\n\r\n", {2, 0}},
        EnterCase{"BeyondTheEnd", "ab", {0, 5}, true, false, false, "ab\r\n", {1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EnterKey, ContinuationRowTakesTheIndentationOfItsLine) {
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.SetText("   " + std::string(25, 'a'));
  e.model.SetRowCol(1, 3);
  e.Key(keys::kReturn);
  EXPECT_EQ(e.model.Lines().Get(1), "   " + std::string(5, 'a'));
  EXPECT_EQ(e.Caret(), (Position{2, 3}));
}

TEST(EnterKey, OverwriteOnlyMovesToTheNextRow) {
  Editor e("ab\r\ncd");
  e.model.SetOverwrite(true);
  e.model.SetCol(1);
  e.Key(keys::kReturn);
  EXPECT_EQ(e.Text(), "ab\r\ncd");
  EXPECT_EQ(e.Caret(), (Position{1, 0}));
}

TEST(EnterKey, ShiftEnterInsertsAnIndentedLineBeforeTheCurrentOne) {
  Editor e("x\r\n  abc\r\ny");
  e.model.SetRowCol(1, 4);
  e.Key(keys::kReturn, kModShift);
  EXPECT_EQ(e.Text(), "x\r\n  \r\n  abc\r\ny");
  EXPECT_EQ(e.Caret(), (Position{1, 2}));
}

TEST(EnterKey, SelectionIsDeletedFirstButShiftEnterLeavesIt) {
  Editor e("abcd");
  e.model.SetCol(1);
  e.Key(keys::kRight, kModShift);
  e.Key(keys::kRight, kModShift);
  e.Key(keys::kReturn, kModShift);
  EXPECT_EQ(e.Text(), "abcd");
  EXPECT_TRUE(e.model.Selected());
  e.Key(keys::kReturn);
  EXPECT_EQ(e.Text(), "a\r\nd");
}

TEST(EnterKey, NotTakenWithoutWantReturns) {
  Editor e("ab");
  e.model.SetWantReturns(false);
  EXPECT_FALSE(e.model.KeyDown(keys::kReturn, kModNone));
  EXPECT_EQ(e.Text(), "ab");
}

}  // namespace
}  // namespace editor::testing
