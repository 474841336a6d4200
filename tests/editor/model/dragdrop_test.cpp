// Dragging the selection inside the editor and text dropped from elsewhere.
#include <gtest/gtest.h>

#include <string>

#include "fake_viewport.h"

namespace editor::testing {
namespace {

// Drags the selection with the mouse (dmAutomatic) from `from` to `to`.
void MouseDrag(Editor& e, Position from, Position to, Modifiers mods = kModNone) {
  e.model.MouseDown(MouseButton::Left, kModNone, e.X(from.col) + 1, e.Y(from.row));
  e.model.MouseMove(mods, e.X(to.col), e.Y(to.row));
  e.model.MouseUp(MouseButton::Left, mods, e.X(to.col), e.Y(to.row));
}

TEST(SelectionDrag, DropInsideTheSelectionOnlyRemovesIt) {
  Editor e("hello world");
  e.model.Select({0, 0}, {0, 5});
  MouseDrag(e, {0, 1}, {0, 3});
  EXPECT_EQ(e.Text(), "hello world");
  EXPECT_FALSE(e.model.Selected());
  EXPECT_EQ(e.UndoEntries(), 0u);
}

struct DragCase {
  const char* name;
  std::string text;
  Position sel_from, sel_to, press, drop;
  bool copy;
  std::string expected;
  std::string selected_after;
};

class SelectionDragTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(SelectionDragTest, MovesOrCopiesTheSelectedText) {
  const DragCase& c = GetParam();
  Editor e(c.text);
  e.model.Select(c.sel_from, c.sel_to);
  MouseDrag(e, c.press, c.drop, c.copy ? kModCtrl : kModNone);
  EXPECT_EQ(e.Text(), c.expected);
  EXPECT_EQ(e.model.SelText(), c.selected_after);
  EXPECT_EQ(e.UndoEntries(), 1u);
  e.model.Undo();
  EXPECT_EQ(e.Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionDragTest,
    ::testing::Values(
        DragCase{"MoveRight", "abc def ghi", {0, 0}, {0, 4}, {0, 1}, {0, 11}, false, "def ghiabc ", "abc "},
        DragCase{"MoveLeft", "abc def ghi", {0, 8}, {0, 11}, {0, 9}, {0, 0}, false, "ghiabc def ", "ghi"},
        DragCase{"MoveToAnotherRow", "abc\r\ndef", {0, 0}, {0, 2}, {0, 1}, {1, 1}, false, "c\r\ndabef", "ab"},
        DragCase{"MoveBeyondTheEnd", "ab\r\ncd", {0, 0}, {0, 1}, {0, 0}, {1, 4}, false, "b\r\ncd  a", "a"},
        DragCase{"CopyWithCtrl", "abc def", {0, 0}, {0, 3}, {0, 1}, {0, 7}, true, "abc defabc", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectionDrag, NotInBoxModeNorWithoutSelMove) {
  Editor e("abc def");
  e.model.Caret().SetSelMove(false);
  e.model.Select({0, 0}, {0, 3});
  MouseDrag(e, {0, 1}, {0, 6});
  EXPECT_EQ(e.Text(), "abc def");
  // The press started a new mouse selection instead.
  EXPECT_EQ(e.model.SelText(), "bc de");
}

TEST(SelectionDrag, ManualModeRunsAPlatformDrag) {
  Editor e("abc def");
  e.model.Caret().SetSelDragMode(dmManual);
  e.model.Select({0, 0}, {0, 3});
  e.view.during_drag = [&] {
    EXPECT_EQ(e.model.DragOver(e.X(7), e.Y(0), kModNone, true), DropEffect::Move);
    EXPECT_EQ(e.model.Drop(e.X(7), e.Y(0), kModNone, "abc", true), DropEffect::Move);
  };
  e.model.MouseDown(MouseButton::Left, kModNone, e.X(1) + 1, e.Y(0));
  EXPECT_EQ(e.view.drags, 1);
  EXPECT_EQ(e.view.drag_text, "abc");
  EXPECT_EQ(e.Text(), " defabc");
}

TEST(SelectionDrag, ManualDragWithoutADropHerePutsTheCaretBack) {
  Editor e("abc def");
  e.model.Caret().SetSelDragMode(dmManual);
  e.model.Select({0, 4}, {0, 7});
  ASSERT_EQ(e.Caret(), (Position{0, 7}));
  e.view.during_drag = [&] {
    e.model.DragOver(e.X(1), e.Y(0), kModNone, true);
    e.model.DragLeave();
  };
  e.model.MouseDown(MouseButton::Left, kModNone, e.X(5) + 1, e.Y(0));
  EXPECT_EQ(e.Text(), "abc def");
  EXPECT_EQ(e.Caret(), (Position{0, 7}));
}

TEST(ForeignDrop, TextIsInsertedAtTheDropPoint) {
  Editor e("abc\r\ndef");
  e.model.SetRowCol(0, 1);
  EXPECT_EQ(e.model.DragOver(e.X(2), e.Y(1), kModNone, false), DropEffect::Copy);
  EXPECT_EQ(e.model.Drop(e.X(2), e.Y(1), kModNone, "XY", false), DropEffect::Copy);
  EXPECT_EQ(e.Text(), "abc\r\ndeXYf");
  EXPECT_EQ(e.Caret(), (Position{1, 4}));
}

TEST(ForeignDrop, IntoTheSelectionReplacesOnlyTheHighlight) {
  Editor e("abcdef");
  e.model.Select({0, 1}, {0, 5});
  e.model.Drop(e.X(3), e.Y(0), kModNone, "XY", false);
  EXPECT_EQ(e.Text(), "abcXYdef");
  EXPECT_FALSE(e.model.Selected());
}

TEST(ForeignDrop, EnterAndLeaveRestoresTheCaret) {
  Editor e("abc\r\ndef");
  e.model.SetRowCol(1, 2);
  e.model.DragOver(e.X(1), e.Y(0), kModNone, false);
  EXPECT_EQ(e.Caret(), (Position{0, 1}));
  e.model.DragOver(e.X(0), e.Y(0), kModNone, false);
  e.model.DragLeave();
  EXPECT_EQ(e.Caret(), (Position{1, 2}));
}

TEST(ForeignDrop, ReadOnlyTakesNothingAndProposesNoEffect) {
  Editor e("abc");
  e.model.SetReadOnly(true);
  EXPECT_EQ(e.model.DragOver(e.X(1), e.Y(0), kModNone, false), DropEffect::None);
  EXPECT_EQ(e.model.Drop(e.X(1), e.Y(0), kModNone, "XY", false), DropEffect::None);
  EXPECT_EQ(e.Text(), "abc");
}

TEST(ForeignDrop, EffectsProposedToTheSource) {
  Editor e("abc");
  EXPECT_EQ(e.model.DragOver(e.X(1), e.Y(0), kModNone, true), DropEffect::Move);
  EXPECT_EQ(e.model.DragOver(e.X(1), e.Y(0), kModCtrl, true), DropEffect::Copy);
  EXPECT_EQ(e.model.DragOver(e.X(1), e.Y(0), kModNone, false), DropEffect::Copy);
}

}  // namespace
}  // namespace editor::testing
