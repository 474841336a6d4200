// Row-based undo and redo: entries per edit, caret restore, limits, attributes and bookmarks.
#include "editor/undo.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/editorstrings.h"
#include "editor/wrapoption.h"
#include "fake_view.h"

namespace editor {
namespace {

using testing::FakeView;
using testing::Layout;

// Types one character at the caret the way the view does: the caret row is replaced by its new
// text (with its line break), then the caret moves right.
void Type(TEditorScreenStrings& doc, FakeView& view, char ch) {
  if (view.row >= doc.Count()) {
    doc.ReplaceRows(doc.Count(), 0, std::string(1, ch));
  } else {
    std::string t = doc.Get(view.row);
    t.insert(static_cast<size_t>(view.col), 1, ch);
    if (doc.RowAttr(view.row) == rowLineBreak) t += "\r\n";
    doc.ReplaceRows(view.row, 1, t);
  }
  view.SetCaretRow(view.row);
  view.SetCaretCol(view.col + 1);
}

TEST(Undo, EachTypedCharacterIsOneEntryAndUndoRestoresTheCaret) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  for (char c : std::string("abc")) Type(doc, view, c);
  EXPECT_EQ(doc.Text(), "abc");
  EXPECT_EQ(doc.UndoObj().UndoList().size(), 3u);
  const std::vector<std::string> texts = {"ab", "a", ""};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(doc.CanUndo());
    doc.Undo();
    EXPECT_EQ(doc.Text(), texts[i]);
    EXPECT_EQ(view.row, 0);
    EXPECT_EQ(view.col, 2 - i);
  }
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(view.edit_depth, 0);
  // Redo puts back each character and the caret from before the undo.
  for (int i = 0; i < 3; ++i) doc.Redo();
  EXPECT_EQ(doc.Text(), "abc");
  EXPECT_EQ(view.col, 3);
  EXPECT_FALSE(doc.CanRedo());
  EXPECT_EQ(doc.UndoObj().UndoList().size(), 3u);
}

TEST(Undo, OldestEntriesAreLostBeyondTheLimit) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  const std::string typed = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!#$%&()+";
  ASSERT_EQ(typed.size(), 70u);
  for (char c : typed) Type(doc, view, c);
  int undos = 0;
  while (doc.CanUndo()) {
    doc.Undo();
    ++undos;
  }
  EXPECT_EQ(undos, 64);
  EXPECT_EQ(doc.Text(), "abcdef");
}

TEST(Undo, UndoListMaxHasAFloorOf64) {
  TEditorScreenStrings doc;
  const std::vector<std::pair<int, int>> cases = {{10, 64}, {100, 100}, {64, 64}, {-1, 64}, {65, 65}};
  for (auto [in, out] : cases) {
    doc.UndoObj().SetUndoListMax(in);
    EXPECT_EQ(doc.UndoObj().UndoListMax(), out);
  }
  // Lowering the limit drops the surplus at once.
  doc.UndoObj().SetUndoListMax(100);
  FakeView view(doc);
  for (int i = 0; i < 90; ++i) Type(doc, view, 'x');
  EXPECT_EQ(doc.UndoObj().UndoList().size(), 90u);
  doc.UndoObj().SetUndoListMax(64);
  EXPECT_EQ(doc.UndoObj().UndoList().size(), 64u);
}

TEST(Undo, UndoOfAPasteRestoresTheTextEndAttribute) {
  for (const std::string paste : {"\r\nx\r\ny", "\r\nx\r\ny\r\n"}) {
    TEditorScreenStrings doc;
    FakeView view(doc);
    doc.SetText("abc");
    view.col = 3;
    doc.ReplaceRows(0, 1, "abc" + paste);
    EXPECT_EQ(doc.Count(), 3);
    doc.Undo();
    EXPECT_EQ(Layout(doc), "abc$") << paste;
    EXPECT_EQ(view.col, 3);
    doc.Redo();
    EXPECT_EQ(doc.Text(), "abc" + paste);
  }
}

TEST(Undo, SwitchingWordWrapOrAWrapOptionClearsBothLists) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.SetText("abc");
  Type(doc, view, 'x');
  Type(doc, view, 'y');
  doc.Undo();
  ASSERT_TRUE(doc.CanUndo());
  ASSERT_TRUE(doc.CanRedo());
  doc.WrapOption().SetWrapByte(30);  // wrap off: only stored
  EXPECT_TRUE(doc.CanUndo());
  doc.SetWordWrap(true);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.CanRedo());
  Type(doc, view, 'z');
  doc.WrapOption().SetWordBreak(true);  // wrap on: rewraps and clears
  EXPECT_FALSE(doc.CanUndo());
  Type(doc, view, 'w');
  doc.SetWordWrap(false);
  EXPECT_FALSE(doc.CanUndo());
}

TEST(Undo, NewEditEmptiesTheRedoList) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  Type(doc, view, 'a');
  Type(doc, view, 'b');
  doc.Undo();
  Type(doc, view, 'c');
  EXPECT_FALSE(doc.CanRedo());
  doc.Redo();
  EXPECT_EQ(doc.Text(), "ac");
}

TEST(Undo, UndoingAnInsertionPassesItsBookmarksOn) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.SetText("a\r\n");
  doc.ReplaceRows(1, 0, "b\r\nc\r\n");
  doc.SetMarks(2, 1 << 3);
  doc.SetMarksInUse(1 << 3);
  doc.Undo();
  EXPECT_EQ(Layout(doc), "a|");
  EXPECT_EQ(doc.Marks(0), 1 << 3);
  EXPECT_EQ(doc.MarksInUse(), 1 << 3);

  doc.Clear();
  doc.ReplaceRows(0, 0, "only\r\n");
  doc.SetMarks(0, 1 << 6);
  doc.SetMarksInUse(1 << 6);
  doc.Undo();
  EXPECT_EQ(doc.Count(), 0);
  EXPECT_EQ(doc.MarksInUse(), 0);
}

TEST(Undo, OneBracketAndOneRepaintPerUndo) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.SetText("a\r\nb\r\nc");
  doc.ReplaceRows(1, 1, "B1\r\nB2\r\n");
  view.changes.clear();
  const int edits = view.edits;
  doc.Undo();
  EXPECT_EQ(view.edits - edits, 1);
  EXPECT_EQ(view.edit_depth, 0);
  ASSERT_EQ(view.changes.size(), 1u);
  EXPECT_EQ(view.changes[0], (LastChange{1, 3, 2, 0, true}));
  EXPECT_EQ(doc.GetLastChange(), LastChange{});
  EXPECT_EQ(doc.Text(), "a\r\nb\r\nc");
}

TEST(Undo, TheFocusedViewGivesAndGetsTheCaret) {
  TEditorScreenStrings doc;
  FakeView primary(doc), second(doc);
  doc.SetText("hello\r\nworld");
  second.focus = true;
  second.row = 1;
  second.col = 4;
  primary.row = 0;
  primary.col = 1;
  doc.ReplaceRows(1, 1, "WORLD");
  EXPECT_EQ(doc.UndoObj().UndoList().back().CaretRow, 1);
  EXPECT_EQ(doc.UndoObj().UndoList().back().CaretCol, 4);
  second.row = 0;
  second.col = 0;
  doc.Undo();
  EXPECT_EQ(second.row, 1);
  EXPECT_EQ(second.col, 4);
  EXPECT_EQ(primary.col, 1);
  EXPECT_EQ(doc.UndoObj().RedoList().back().CaretRow, 0);  // where the caret was before the undo
}

TEST(Undo, WorksAcrossWrappedRows) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  TEditorStrings lines(doc, &view);
  lines.SetText(std::string(35, 'a') + "\r\nz");
  const std::string before = Layout(doc);
  lines.Put(0, std::string(5, 'b'));
  lines.Insert(1, std::string(41, 'c'));
  lines.Delete(0);
  EXPECT_EQ(lines.Text(), std::string(41, 'c') + "\r\nz");
  while (doc.CanUndo()) doc.Undo();
  EXPECT_EQ(Layout(doc), before);
  while (doc.CanRedo()) doc.Redo();
  EXPECT_EQ(lines.Text(), std::string(41, 'c') + "\r\nz");
}

// With word break a row's end depends on the text after it, so rows an edit does not rewrap can
// differ from a fresh cut. Undo must put back the very rows, or older entries hit the wrong rows.
TEST(Undo, PutsBackTheExactRowsWhereAFreshCutWouldDiffer) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.WrapOption().SetWrapByte(20);
  doc.WrapOption().SetWordBreak(true);
  doc.SetWordWrap(true);
  const std::string text = "abcdefgh " + std::string(25, 'x') + "\r\nEND";
  doc.SetText(text);
  ASSERT_EQ(Layout(doc), "abcdefgh ~xxxxxx~" + std::string(19, 'x') + "|END$");
  doc.ReplaceRows(2, 1, "\r\n");
  ASSERT_EQ(Layout(doc), "abcdefgh ~xxxxxx|END$");  // "abcdefgh " stays cut short: it is not rewrapped
  doc.ReplaceRows(0, 1, "abcdefgh ");
  ASSERT_EQ(Layout(doc), "abcdefgh xxxxxx|END$");
  doc.Undo();
  EXPECT_EQ(Layout(doc), "abcdefgh ~xxxxxx|END$");
  doc.Undo();
  EXPECT_EQ(doc.Text(), text);
  EXPECT_EQ(Layout(doc), "abcdefgh ~xxxxxx~" + std::string(19, 'x') + "|END$");
  doc.Redo();
  doc.Redo();
  EXPECT_EQ(Layout(doc), "abcdefgh xxxxxx|END$");
}

}  // namespace
}  // namespace editor
