// The logical-line view: Text, Count, Get, Put, Insert, Add, Delete, Assign, stored strings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/editorstrings.h"
#include "editor/wrapoption.h"
#include "fake_view.h"

namespace editor {
namespace {

using testing::FakeView;
using testing::Layout;

struct TextCase {
  std::string text;
  std::string layout;
  std::string read_back;
};

TEST(LinesText, SetTextCutsAtEveryLineBreakKind) {
  const std::vector<TextCase> cases = {
      {"a\r\nb", "a|b$", "a\r\nb"},   {"a\r\n", "a|", "a\r\n"}, {"a\rb\nc", "a|b|c$", "a\r\nb\r\nc"}, {"", "", ""},
      {"\r\n\r\n", "||", "\r\n\r\n"}, {"a\r", "a|", "a\r\n"},   {"a\n\rb", "a||b$", "a\r\n\r\nb"},    {"x", "x$", "x"},
  };
  for (const TextCase& c : cases) {
    TEditorScreenStrings doc;
    TEditorStrings lines(doc, nullptr);
    lines.SetText(c.text);
    EXPECT_EQ(Layout(doc), c.layout) << c.text;
    EXPECT_EQ(lines.Text(), c.read_back) << c.text;
  }
}

struct AddCase {
  std::string text;
  std::string added;
  std::string result;
  std::string layout;
};

TEST(LinesText, AddKeepsTheFinalLineBreakState) {
  const std::vector<AddCase> cases = {
      {"a", "x", "a\r\nx", "a|x$"}, {"a\r\n", "x", "a\r\nx\r\n", "a|x|"}, {"", "x", "x\r\n", "x|"},
      {"", "", "\r\n", "|"},        {"a\r\nb", "", "a\r\nb\r\n", "a|b|"},
  };
  for (const AddCase& c : cases) {
    TEditorScreenStrings doc;
    FakeView view(doc);
    TEditorStrings lines(doc, &view);
    lines.SetText(c.text);
    const int before = lines.Count();
    EXPECT_EQ(lines.Add(c.added), before);
    EXPECT_EQ(lines.Text(), c.result) << c.text;
    EXPECT_EQ(Layout(doc), c.layout) << c.text;
  }
}

TEST(LinesText, MutationsEditThroughTheViewAndPlaceTheCaret) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  TEditorStrings lines(doc, &view);
  lines.SetText("one\r\ntwo\r\nthree");
  const int cleared = view.selections_cleared;
  const int edits = view.edits;

  lines.Put(1, "TWO!");
  EXPECT_EQ(lines.Text(), "one\r\nTWO!\r\nthree");
  EXPECT_EQ(view.row, 2);  // after "TWO!\r\n": start of the next row
  EXPECT_EQ(view.col, 0);
  lines.Put(2, "end");  // the last line keeps its missing line break
  EXPECT_EQ(lines.Text(), "one\r\nTWO!\r\nend");
  EXPECT_EQ(view.row, 2);
  EXPECT_EQ(view.col, 3);

  lines.Insert(0, "zero");
  EXPECT_EQ(lines.Text(), "zero\r\none\r\nTWO!\r\nend");
  EXPECT_EQ(view.row, 1);
  lines.Insert(lines.Count(), "tail");  // the position after the last line adds
  EXPECT_EQ(lines.Text(), "zero\r\none\r\nTWO!\r\nend\r\ntail");

  view.row = 3;
  view.col = 2;
  lines.Delete(1);
  EXPECT_EQ(lines.Text(), "zero\r\nTWO!\r\nend\r\ntail");
  EXPECT_EQ(view.row, 1);
  EXPECT_EQ(view.col, 0);

  EXPECT_EQ(view.selections_cleared - cleared, 5);
  EXPECT_EQ(view.edits - edits, 5);
  EXPECT_EQ(view.edit_depth, 0);
  ASSERT_EQ(lines.Count(), 4);
  EXPECT_EQ(lines.Get(0), "zero");
  EXPECT_EQ(lines[3], "tail");
}

TEST(LinesText, BadLineIndexRaisesListError) {
  TEditorScreenStrings doc;
  TEditorStrings lines(doc, nullptr);
  lines.SetText("a\r\nb");
  EXPECT_THROW(lines.Get(2), EListError);
  EXPECT_THROW(lines.Get(-1), EListError);
  EXPECT_THROW(lines.Put(2, "x"), EListError);
  EXPECT_THROW(lines.Delete(5), EListError);
  EXPECT_THROW(lines.Insert(3, "x"), EListError);
  try {
    lines.Get(7);
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "リストのインデックスが範囲を超えています (7)");
  }
  EXPECT_EQ(lines.Text(), "a\r\nb");
}

TEST(LinesText, WrappedLineCountsOnceAndReadsWhole) {
  TEditorScreenStrings doc;
  doc.WrapOption().SetWrapByte(60);
  doc.SetWordWrap(true);
  TEditorStrings lines(doc, nullptr);
  const std::string long_line(130, 'q');
  lines.SetText("first\r\n" + long_line + "\r\nlast");
  ASSERT_EQ(doc.Count(), 5);
  EXPECT_EQ(doc.RowAttr(1), rowWrapped);
  EXPECT_EQ(doc.RowAttr(2), rowWrapped);
  EXPECT_EQ(doc.RowAttr(3), rowLineBreak);
  EXPECT_EQ(doc.GetView(3).size(), 10u);
  EXPECT_EQ(lines.Count(), 3);
  EXPECT_EQ(lines.Get(1), long_line);
  EXPECT_EQ(lines.Get(2), "last");
  EXPECT_EQ(doc.LineToRow(2), 4);
  EXPECT_EQ(doc.RowToLine(3), 1);

  lines.Put(1, "short");
  EXPECT_EQ(Layout(doc), "first|short|last$");
  lines.Put(1, long_line + "x");
  EXPECT_EQ(lines.Get(1), long_line + "x");
  lines.Delete(1);
  EXPECT_EQ(lines.Text(), "first\r\nlast");
}

TEST(LinesText, AssignCopiesTextAndPutsTheCaretOnTheLastRow) {
  TEditorScreenStrings a, b;
  FakeView va(a), vb(b);
  TEditorStrings la(a, &va), lb(b, &vb);
  la.SetText("x\r\ny\r\nz");
  lb.Assign(la);
  EXPECT_EQ(lb.Text(), "x\r\ny\r\nz");
  EXPECT_EQ(vb.row, 2);  // the row count clamped to the last caret row
  la.SetText("x\r\ny\r\n");
  lb.Assign(la);
  EXPECT_EQ(vb.row, 2);  // after a final line break the caret may stand on the empty row
  lb.Assign(std::vector<std::string>{"p", "q"});
  EXPECT_EQ(lb.Text(), "p\r\nq\r\n");
}

TEST(LinesText, StoredStringsAreLogicalLines) {
  TEditorScreenStrings doc;
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  TEditorStrings lines(doc, nullptr);
  lines.SetText(std::string(45, 'w') + "\r\nb");
  EXPECT_EQ(lines.StoredStrings(), (std::vector<std::string>{std::string(45, 'w'), "b"}));

  TEditorScreenStrings other;
  TEditorStrings read(other, nullptr);
  read.ReadStoredStrings({"one", "two"});
  EXPECT_EQ(read.Text(), "one\r\ntwo\r\n");
}

TEST(LinesText, UpdateBracketRefreshesOnceAtTheEnd) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  TEditorStrings lines(doc, &view);
  lines.BeginUpdate();
  EXPECT_TRUE(view.updating);
  lines.BeginUpdate();
  lines.Add("a");
  lines.Add("b");
  lines.EndUpdate();
  EXPECT_TRUE(view.updating);
  EXPECT_EQ(view.refreshes, 0);
  EXPECT_TRUE(view.changes.empty());  // no repaint per row inside the bracket
  lines.EndUpdate();
  EXPECT_FALSE(view.updating);
  EXPECT_EQ(view.refreshes, 1);
  EXPECT_EQ(view.edit_depth, 0);
  EXPECT_EQ(lines.Text(), "a\r\nb\r\n");
  EXPECT_EQ(doc.GetLastChange(), LastChange{});
}

}  // namespace
}  // namespace editor
