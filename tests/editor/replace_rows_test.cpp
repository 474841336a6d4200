// The editing primitive: which rows it replaces, the attribute the new last row gets, the
// last-change record, bookmarks kept across the replacement and the colouring hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "fake_view.h"

namespace editor {
namespace {

using testing::FakeSink;
using testing::FakeView;
using testing::Layout;

struct ReplaceCase {
  std::string text;
  int row, n;
  std::string s;
  std::string layout;
  LastChange change;  // Row, Replaced, Inserted
};

TEST(ReplaceRows, ReplacesWholeWrapUnitsAndChoosesTheEndAttribute) {
  const std::vector<ReplaceCase> cases = {
      {"a\r\nb\r\nc", 1, 1, "B\r\n", "a|B|c$", {1, 2, 2}},
      {"a\r\nb\r\nc", 1, 1, "B", "a|Bc$", {1, 2, 1}},  // no line break: the next line joins
      {"a\r\nb\r\nc", 2, 1, "C", "a|b|C$", {2, 1, 1}},
      {"a\r\nb\r\nc", 2, 1, "C\r\n", "a|b|C|", {2, 1, 1}},
      {"a\r\nb\r\n", 2, 0, "d", "a|b|d$", {2, 0, 1}},
      {"a\r\nb", 0, 0, "z\r\n", "z|a|b$", {0, 1, 2}},
      {"a\r\nb\r\nc", 1, 1, "", "a|c$", {1, 1, 0}},  // whole line deleted
      {"a\r\nb\r\nc", 2, 1, "", "a|b|", {2, 1, 0}},
      {"a\r\nb\r\nc", 0, 3, "", "", {0, 3, 0}},
      {"a\r\nb\r\nc", 0, 2, "x\r\ny\r\nz\r\n", "x|y|z|c$", {0, 3, 4}},
      {"", 0, 0, "hello", "hello$", {0, 0, 1}},
      {"a", 1, 0, "x", "ax$", {0, 1, 1}},   // appending after a row without line break continues it
      {"a", 0, 1, "x\r", "x|", {0, 1, 1}},  // a final lone CR is a line break too
      {"a\r\nb", 1, 1, "b\r\nc", "a|b|c$", {1, 1, 2}},
  };
  for (const ReplaceCase& c : cases) {
    TEditorScreenStrings doc;
    doc.SetText(c.text);
    doc.ReplaceRows(c.row, c.n, c.s);
    EXPECT_EQ(Layout(doc), c.layout) << c.text << " / " << c.row << "," << c.n << " " << c.s;
    const LastChange& l = doc.GetLastChange();
    EXPECT_EQ(l.Row, c.change.Row) << c.s;
    EXPECT_EQ(l.Replaced, c.change.Replaced) << c.s;
    EXPECT_EQ(l.Inserted, c.change.Inserted) << c.s;
    EXPECT_TRUE(l.Changed);
  }
}

// A line that fills its rows exactly ends in an empty row; the text ends there. Replacing the full
// row by a text with a line break must keep that break.
TEST(ReplaceRows, KeepsALineBreakTypedBeforeAnEmptyLastRow) {
  TEditorScreenStrings doc;
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  doc.SetText(std::string(20, 'w'));
  ASSERT_EQ(Layout(doc), std::string(20, 'w') + "~$");
  doc.ReplaceRows(0, 1, "abc\r\n");
  EXPECT_EQ(doc.Text(), "abc\r\n");
  EXPECT_EQ(Layout(doc), "abc|");
  doc.Undo();
  EXPECT_EQ(Layout(doc), std::string(20, 'w') + "~$");
}

TEST(ReplaceRows, IgnoresRequestsOutOfRange) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.SetText("a\r\nb");
  view.changes.clear();
  const uint64_t revision = doc.TextRevision();
  doc.ReplaceRows(-1, 1, "x");
  doc.ReplaceRows(2, 1, "x");
  doc.ReplaceRows(1, 2, "x");
  doc.ReplaceRows(3, 0, "x");
  doc.ReplaceRows(1, 0, "");
  doc.ReplaceRows(0, -1, "x");
  EXPECT_EQ(Layout(doc), "a|b$");
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_TRUE(view.changes.empty());
  EXPECT_EQ(doc.TextRevision(), revision);
}

TEST(ReplaceRows, TypingInAWrappedLineRewrapsFromThePreviousRow) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  doc.SetText(std::string(45, 'w') + "\r\nend");
  ASSERT_EQ(Layout(doc), std::string(20, 'w') + "~" + std::string(20, 'w') + "~wwwww|end$");
  view.row = 1;
  view.col = 0;
  // The view replaces the caret row by its new text.
  doc.ReplaceRows(1, 1, "X" + doc.Get(1));
  EXPECT_EQ(Layout(doc), std::string(20, 'w') + "~X" + std::string(19, 'w') + "~wwwwww|end$");
  EXPECT_EQ(doc.GetLastChange(), (LastChange{0, 3, 3, 0, true}));
  const TUndoData& u = doc.UndoObj().UndoList().back();
  EXPECT_EQ(u.Row, 0);
  EXPECT_EQ(u.RowCount, 3);
  EXPECT_EQ(u.RowAttribute, rowLineBreak);
  EXPECT_EQ(u.Text, std::string(45, 'w') + "\r\n");
  EXPECT_EQ(u.CaretRow, 1);
  EXPECT_EQ(u.CaretCol, 0);
}

// Bookmarks on rows of `text` given as (row, bit); returns each row's bits after the edit.
struct MarkCase {
  const char* name;
  std::string text;
  std::vector<std::pair<int, int>> marks;
  int caret_col;
  int row, n;
  std::string s;
  std::string layout;
  std::vector<uint16_t> after;
  uint16_t mask_after;
};

TEST(ReplaceRows, KeepsBookmarksWithTheirText) {
  const std::vector<MarkCase> cases = {
      {"same row count", "a\r\nb\r\nc", {{1, 2}}, 1, 1, 1, "bb\r\n", "a|bb|c$", {0, 4, 0}, 4},
      {"enter inside a row keeps the mark up",
       "a\r\nbc\r\nd",
       {{1, 1}, {2, 5}},
       1,
       1,
       1,
       "b\r\nc\r\n",
       "a|b|c|d$",
       {0, 2, 0, 32},
       34},
      {"enter at a row start moves it down",
       "a\r\nbc\r\nd",
       {{1, 1}, {2, 5}},
       0,
       1,
       1,
       "\r\nbc\r\n",
       "a||bc|d$",
       {0, 0, 2, 32},
       34},
      {"joining lines keeps both", "a\r\nb\r\nc", {{0, 5}, {1, 4}}, 1, 0, 1, "a", "ab|c$", {48, 0}, 48},
      {"deleted line passes it on", "a\r\nb\r\nc", {{1, 3}}, 0, 1, 1, "", "a|c$", {0, 8}, 8},
      {"deleted last line passes it up", "a\r\nb", {{1, 3}}, 0, 1, 1, "", "a|", {8}, 8},
      {"empty document drops it", "a\r\nb", {{0, 3}, {1, 6}}, 0, 0, 2, "", "", {}, 0},
  };
  for (const MarkCase& c : cases) {
    TEditorScreenStrings doc;
    FakeView view(doc);
    doc.SetText(c.text);
    for (auto [row, bit] : c.marks) {
      doc.SetMarks(row, static_cast<uint16_t>(doc.Marks(row) | (1u << bit)));
      doc.SetMarksInUse(static_cast<uint16_t>(1u << bit));
    }
    view.col = c.caret_col;
    doc.ReplaceRows(c.row, c.n, c.s);
    EXPECT_EQ(Layout(doc), c.layout) << c.name;
    std::vector<uint16_t> after;
    for (int i = 0; i < doc.Count(); ++i) after.push_back(doc.Marks(i));
    EXPECT_EQ(after, c.after) << c.name;
    EXPECT_EQ(doc.MarksInUse(), c.mask_after) << c.name;
  }
}

TEST(ReplaceRows, CallsTheColouringHookAndTellsTheViews) {
  TEditorScreenStrings doc;
  FakeView v1(doc), v2(doc);
  FakeSink sink;
  doc.SetRowStateSink(&sink);
  doc.SetText("a\r\nb\r\nc");
  EXPECT_EQ(sink.recompute_all, 1);
  sink.changed_rows = 4;
  v1.changes.clear();
  doc.ReplaceRows(2, 1, "C");
  doc.ReplaceRows(0, 1, "");
  EXPECT_EQ(sink.update_rows, (std::vector<int>{2, 0}));
  ASSERT_EQ(v1.changes.size(), 2u);
  EXPECT_EQ(v1.changes[0], (LastChange{2, 1, 1, 4, true}));
  EXPECT_EQ(v1.changes[1], (LastChange{0, 1, 0, 4, true}));
  EXPECT_EQ(v2.changes.size(), 3u);  // the second view also saw SetText's change

  doc.NotifyRowStateChanged(1);
  EXPECT_EQ(v1.state_rows, std::vector<int>{1});
  EXPECT_EQ(v2.state_rows, std::vector<int>{1});

  doc.SetRowStateSink(nullptr);
  doc.ReplaceRows(0, 1, "x");
  EXPECT_EQ(sink.update_rows.size(), 2u);
  EXPECT_EQ(doc.GetLastChange().StateChanged, 0);
}

TEST(ReplaceRows, NoRecolouringWhileThePrimaryViewLoads) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  FakeSink sink;
  doc.SetRowStateSink(&sink);
  view.loading = true;
  doc.SetText("a");
  EXPECT_EQ(sink.recompute_all, 0);
  view.loading = false;
  doc.RecomputeAllStates();
  EXPECT_EQ(sink.recompute_all, 1);
}

TEST(ReplaceRows, UpdateBracketEndZeroesTheRecordAndPullsCaretsBack) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.SetText("a\r\nb\r\nc\r\nd");
  view.row = 3;
  view.top = 3;
  doc.BeginUpdate();
  doc.ReplaceRows(1, 3, "");
  EXPECT_TRUE(doc.GetLastChange().Changed);
  EXPECT_TRUE(view.changes.empty() || view.changes.back().Row != 1);
  doc.EndUpdate();
  EXPECT_EQ(view.changes.back(), (LastChange{1, 3, 0, 0, true}));
  EXPECT_EQ(doc.GetLastChange(), LastChange{});
  EXPECT_EQ(Layout(doc), "a|");
  EXPECT_EQ(doc.CaretRowLimit(), 1);
  EXPECT_EQ(view.row, 1);
  EXPECT_EQ(view.top, 1);
}

TEST(ReplaceRows, ClearEmptiesEverything) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.SetText("a\r\nb");
  doc.ReplaceRows(0, 1, "x\r\n");
  doc.SetMarks(0, 1);
  doc.SetMarksInUse(1);
  view.row = 1;
  view.col = 1;
  doc.Clear();
  EXPECT_EQ(doc.Count(), 0);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(doc.MarksInUse(), 0);
  EXPECT_EQ(doc.GetLastChange(), LastChange{});
  EXPECT_EQ(view.row, 0);
  EXPECT_EQ(view.col, 0);
  EXPECT_EQ(view.changes.back(), (LastChange{0, 2, 0, 0, true}));
}

TEST(ReplaceRows, FirstAndLastRowOfLineAndReadRows) {
  TEditorScreenStrings doc;
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  doc.SetText("x\r\n" + std::string(50, 'y') + "\r\nz");  // x| y20~ y20~ y10| z$
  const std::vector<std::pair<int, int>> first = {{-1, -1}, {0, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 4}, {5, 5}};
  for (auto [r, f] : first) EXPECT_EQ(doc.FirstRowOfLine(r), f) << r;
  const std::vector<std::pair<int, int>> last = {{-1, -1}, {0, 0}, {1, 3}, {2, 3}, {3, 3}, {4, 4}, {9, 9}};
  for (auto [r, l] : last) EXPECT_EQ(doc.LastRowOfLine(r), l) << r;

  auto r = doc.ReadRows(2, -1);
  EXPECT_EQ(r.Text, std::string(30, 'y') + "\r\n");
  EXPECT_EQ(r.Rows, 2);
  EXPECT_EQ(r.LastAttr, rowLineBreak);
  r = doc.ReadRows(3, 10);
  EXPECT_EQ(r.Text, std::string(10, 'y') + "\r\nz");
  EXPECT_EQ(r.Rows, 2);
  EXPECT_EQ(r.LastAttr, rowTextEnd);
  r = doc.ReadRows(5, 1);
  EXPECT_EQ(r.Text, "");
  EXPECT_EQ(r.Rows, 0);
  EXPECT_EQ(r.LastAttr, rowNone);
  r = doc.ReadRows(0, 0);
  EXPECT_EQ(r.LastAttr, rowNone);
}

}  // namespace
}  // namespace editor
