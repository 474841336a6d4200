// Stream and box selections: byte offsets with CR LF and a last row without line break, selected
// text, mouse selection, the selected part of each row, deleting and replacing selections.
#include <gtest/gtest.h>

#include <string>

#include "fake_viewport.h"

namespace editor::testing {
namespace {

const std::string kA = "\x82\xa0";  // あ

struct OffsetCase {
  const char* name;
  std::string text;
  int64_t offset;
  Position caret;
  int64_t read_back;
};

class SelStartTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(SelStartTest, CountsRowsWithTheirLineBreaks) {
  const OffsetCase& c = GetParam();
  Editor e(c.text);
  e.model.SetSelStart(c.offset);
  EXPECT_EQ(e.Caret(), c.caret);
  EXPECT_FALSE(e.model.Selected());
  EXPECT_EQ(e.model.SelStart(), c.read_back);
}

INSTANTIATE_TEST_SUITE_P(Cases, SelStartTest,
                         ::testing::Values(OffsetCase{"Start", "ab\r\ncd", 0, {0, 0}, 0},
                                           OffsetCase{"Negative", "ab\r\ncd", -5, {0, 0}, 0},
                                           OffsetCase{"InFirstRow", "ab\r\ncd", 1, {0, 1}, 1},
                                           OffsetCase{"AfterBreak", "ab\r\ncd", 4, {1, 0}, 4},
                                           OffsetCase{"SecondRow", "ab\r\ncd\r\nef", 5, {1, 1}, 5},
                                           OffsetCase{"TextEndRowCountsOneMore", "ab\r\ncd", 7, {1, 2}, 6},
                                           OffsetCase{"PastTheEnd", "ab", 100, {0, 2}, 2},
                                           OffsetCase{"AfterFinalBreak", "ab\r\n", 4, {1, 0}, 4},
                                           OffsetCase{"DoubleByte", kA + "x\r\ny", 2, {0, 2}, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SelLength, SelectsBytesFromTheSelectionStart) {
  Editor e("ab\r\ncd\r\nef");
  e.model.SetSelStart(5);
  e.model.SetSelLength(4);
  EXPECT_EQ(e.model.SelText(), "d\r\ne");
  EXPECT_EQ(e.model.SelStart(), 5);
  EXPECT_EQ(e.model.SelLength(), 4);
  // With a selection, setting the length starts again from the selection's start.
  e.model.SetSelLength(3);
  EXPECT_EQ(e.model.SelText(), "d\r\n");
  EXPECT_EQ(e.model.SelLength(), 3);
  EXPECT_EQ(e.model.SelStart(), 5);
  e.model.SetSelLength(0);
  EXPECT_FALSE(e.model.Selected());
  EXPECT_EQ(e.Caret(), (Position{1, 1}));
}

TEST(SelLength, SwitchesBoxModeOff) {
  Editor e("abc\r\ndef");
  e.model.SetBoxSelection(true);
  e.model.SetSelLength(2);
  EXPECT_FALSE(e.model.BoxSelection());
  EXPECT_EQ(e.view.mode_changes, 2);
  EXPECT_EQ(e.model.SelText(), "ab");
}

TEST(SelectAll, CoversTheWholeText) {
  for (const std::string& text :
       {std::string("ab\r\ncd"), std::string("ab\r\ncd\r\n"), std::string(3000, 'x') + "\r\n" + kA}) {
    Editor e(text);
    e.model.SelectAll();
    EXPECT_EQ(e.model.SelText(), text);
    EXPECT_EQ(e.model.SelLength(), static_cast<int64_t>(text.size()));
    EXPECT_EQ(e.model.SelStart(), 0);
  }
}

TEST(BoxSelection, TakesTheColumnsOfEveryRow) {
  Editor e("abcd\r\nefgh\r\nij");
  e.model.SetBoxSelection(true);
  e.model.Select({0, 1}, {2, 3});
  EXPECT_EQ(e.model.SelText(), "bc\r\nfg\r\nj");
  EXPECT_EQ(e.model.SelLength(), (2 + 2) + (2 + 2) + (1 + 2));
  const RowSelection r = e.model.SelectionOnRow(1);
  EXPECT_TRUE(r.any);
  EXPECT_EQ(r.start_col, 1);
  EXPECT_EQ(r.end_col, 3);
  EXPECT_EQ(r.start_byte, 1);
  EXPECT_EQ(r.end_byte, 3);
  EXPECT_FALSE(r.includes_end);
}

TEST(BoxSelection, DoubleByteCharactersBelongWhereTheyStart) {
  Editor e("a" + kA + "b\r\n" + "a" + kA + "b");
  e.model.SetBoxSelection(true);
  e.model.Select({0, 3}, {1, 4});
  EXPECT_EQ(e.model.SelText(), "b\r\nb");
  e.model.Select({0, 1}, {1, 2});
  EXPECT_EQ(e.model.SelText(), kA + "\r\n" + kA);
}

TEST(BoxSelection, DeleteAndTypeWorkOnTheColumnsAsOneEdit) {
  Editor e("abcd\r\nefgh\r\nij");
  e.model.SetBoxSelection(true);
  e.model.Select({0, 1}, {2, 3});
  e.model.DeleteSelection();
  EXPECT_EQ(e.Text(), "ad\r\neh\r\ni");
  EXPECT_EQ(e.UndoEntries(), 1u);
  e.model.Undo();
  EXPECT_EQ(e.Text(), "abcd\r\nefgh\r\nij");
  e.model.Select({0, 1}, {1, 3});
  e.Type("X");
  EXPECT_EQ(e.Text(), "aXd\r\neh\r\nij");
  EXPECT_EQ(e.Caret(), (Position{0, 2}));
}

TEST(StreamSelection, RowPartsForThePainter) {
  Editor e("abc\r\ndef\r\nghi");
  e.model.Select({0, 1}, {2, 2});
  const RowSelection first = e.model.SelectionOnRow(0);
  EXPECT_EQ(first.start_byte, 1);
  EXPECT_EQ(first.end_byte, 3);
  EXPECT_TRUE(first.includes_end);
  const RowSelection middle = e.model.SelectionOnRow(1);
  EXPECT_EQ(middle.start_byte, 0);
  EXPECT_EQ(middle.end_byte, 3);
  EXPECT_TRUE(middle.includes_end);
  const RowSelection last = e.model.SelectionOnRow(2);
  EXPECT_EQ(last.end_byte, 2);
  EXPECT_EQ(last.end_col, 2);
  EXPECT_FALSE(last.includes_end);
  EXPECT_FALSE(e.model.SelectionOnRow(3).any);
}

TEST(StreamSelection, InsertTextReplacesItAndFiresSelectionEvents) {
  Editor e("abc\r\ndef");
  e.model.Select({0, 1}, {1, 1});
  EXPECT_TRUE(e.view.last_selected);
  e.model.InsertText("X\r\nY");
  EXPECT_EQ(e.Text(), "aX\r\nYef");
  EXPECT_EQ(e.Caret(), (Position{1, 1}));
  EXPECT_FALSE(e.model.Selected());
  EXPECT_FALSE(e.view.last_selected);
  EXPECT_EQ(e.UndoEntries(), 1u);
}

TEST(MouseSelection, DragSelectsAndShiftClickExtends) {
  Editor e("abcdef\r\nghijkl");
  e.model.MouseDown(MouseButton::Left, kModNone, e.X(1), e.Y(0));
  e.model.MouseMove(kModNone, e.X(3), e.Y(1));
  e.model.MouseUp(MouseButton::Left, kModNone, e.X(3), e.Y(1));
  EXPECT_EQ(e.model.SelText(), "bcdef\r\nghi");
  EXPECT_EQ(e.Caret(), (Position{1, 3}));
  e.model.MouseDown(MouseButton::Left, kModShift, e.X(5), e.Y(1));
  e.model.MouseUp(MouseButton::Left, kModShift, e.X(5), e.Y(1));
  EXPECT_EQ(e.model.SelText(), "bcdef\r\nghijk");
  // A plain click elsewhere removes it.
  e.model.MouseDown(MouseButton::Left, kModNone, e.X(0), e.Y(0));
  e.model.MouseUp(MouseButton::Left, kModNone, e.X(0), e.Y(0));
  EXPECT_FALSE(e.model.Selected());
}

TEST(MouseSelection, BoxModeSelectsARectangleAndModeIsLockedWhileDragging) {
  Editor e("abcdef\r\nghijkl");
  e.model.SetBoxSelection(true);
  e.model.MouseDown(MouseButton::Left, kModNone, e.X(4), e.Y(0));
  e.model.MouseMove(kModNone, e.X(2), e.Y(1));
  e.model.SetBoxSelection(false);
  EXPECT_TRUE(e.model.BoxSelection());
  e.model.MouseUp(MouseButton::Left, kModNone, e.X(2), e.Y(1));
  EXPECT_EQ(e.model.SelText(), "cd\r\nij");
  e.model.SetBoxSelection(false);
  EXPECT_EQ(e.model.SelText(), "ef\r\ngh");  // the same ends read as a stream
}

TEST(MouseSelection, ClickLeftOfTheTextSelectsTheRow) {
  Editor e("abc\r\ndef\r\nghi");
  e.model.MouseDown(MouseButton::Left, kModNone, 2, e.Y(1));
  EXPECT_EQ(e.model.SelText(), "def\r\n");
  e.model.MouseDown(MouseButton::Left, kModNone, 2, e.Y(2));
  EXPECT_EQ(e.model.SelText(), "ghi");
  e.model.Caret().SetRowSelect(false);
  e.model.MouseDown(MouseButton::Left, kModNone, 2, e.Y(0));
  EXPECT_FALSE(e.model.Selected());
}

TEST(MouseSelection, DoubleClickSelectsTheTokenUnderTheMouse) {
  Editor e("see http://example.com/x now");
  e.model.View().SetUrl(true);
  e.model.DoubleClick(MouseButton::Left, kModNone, e.X(8) + 1, e.Y(0));
  EXPECT_EQ(e.model.SelText(), "http://example.com/x");
  e.model.DoubleClick(MouseButton::Left, kModNone, e.X(1) + 1, e.Y(0));
  EXPECT_EQ(e.model.SelText(), "see");
  const std::string kanji = "\x8a\xbf\x8e\x9a";  // 漢字
  Editor j("ab" + kanji + "\x82\xa9");
  j.model.DoubleClick(MouseButton::Left, kModNone, j.X(3) + 1, j.Y(0));
  EXPECT_EQ(j.model.SelText(), kanji);
}

}  // namespace
}  // namespace editor::testing
