// The editor's search over 8 KB windows of rows, hit styles, and bookmarks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_viewport.h"
#include "search/bufferfinder.h"

namespace editor::testing {
namespace {

using search::soForward;
using search::soIgnoreLineBreaks;
using search::soMatchCase;

// The editor's search with the search library's matcher, as the find commands run it.
bool Search(EditorModel& model, std::string_view pattern, search::TSearchOptions options) {
  return model.Search(search::BufferFinder(pattern, options));
}

// About 100 KB of lines with `word` placed on some of them, so that hits fall into many windows
// and some next to window ends.
std::string BigText(const std::string& word, std::vector<size_t>& offsets) {
  std::string text;
  for (int i = 0; i < 2500; ++i) {
    std::string line = "row " + std::to_string(i) + " filler text of a line";
    if (i % 97 == 3 || i == 2499) line.insert(line.size() / 2, word);
    if (i % 211 == 7) line += word;  // at the very end of a row
    text += line + "\r\n";
  }
  for (size_t p = text.find(word); p != std::string::npos; p = text.find(word, p + 1)) offsets.push_back(p);
  return text;
}

TEST(Search, ForwardFindsEveryHitInOrderAcrossWindows) {
  std::vector<size_t> expected;
  Editor e(BigText("needle", expected));
  ASSERT_GT(expected.size(), 30u);
  std::vector<size_t> found;
  while (Search(e.model, "needle", soForward | soMatchCase)) {
    found.push_back(static_cast<size_t>(e.model.SelStart()));
    ASSERT_EQ(e.model.SelText(), "needle");
    ASSERT_LE(found.size(), expected.size());
  }
  EXPECT_EQ(found, expected);
}

TEST(Search, BackwardFindsEveryHitInReverseOrder) {
  std::vector<size_t> expected;
  Editor e(BigText("needle", expected));
  e.Key(keys::kEnd, kModCtrl);
  std::vector<size_t> found;
  while (Search(e.model, "needle", soMatchCase)) {
    found.push_back(static_cast<size_t>(e.model.SelStart()));
    ASSERT_LE(found.size(), expected.size());
  }
  std::vector<size_t> reversed(expected.rbegin(), expected.rend());
  EXPECT_EQ(found, reversed);
}

TEST(Search, MatchesAcrossRowEndsInEveryWindow) {
  // "ab" split over a line end on every line: each window's last row overlaps the next window.
  std::string text;
  for (int i = 0; i < 800; ++i) text += "filler " + std::to_string(i) + " a\r\nb";
  text += "\r\n";
  Editor e(text);
  int hits = 0;
  while (Search(e.model, "ab", soForward | soIgnoreLineBreaks)) ++hits;
  EXPECT_EQ(hits, 800);
  hits = 0;
  e.model.ClearSelection();
  e.Key(keys::kEnd, kModCtrl);
  while (Search(e.model, "ab", soIgnoreLineBreaks)) ++hits;
  EXPECT_EQ(hits, 800);
}

TEST(Search, WrappedRowsJoinWithoutLineBreaks) {
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.SetText(std::string(19, 'x') + "needle\r\nz");
  ASSERT_TRUE(Search(e.model, "needle", soForward));
  EXPECT_EQ(e.model.SelectionStart(), (Position{0, 19}));
  EXPECT_EQ(e.model.SelectionEnd(), (Position{1, 5}));
}

TEST(Search, BackwardFromJustAfterAMatchFindsIt) {
  Editor e("abc abc");
  e.model.SetCol(7);
  ASSERT_TRUE(Search(e.model, "abc", 0));
  EXPECT_EQ(e.model.SelStart(), 4);
}

TEST(Search, NotFoundAndEmptyTextGiveFalse) {
  Editor empty;
  EXPECT_FALSE(Search(empty.model, "a", soForward));
  Editor e("abc\r\ndef");
  e.model.SetRowCol(1, 1);
  EXPECT_FALSE(Search(e.model, "zzz", soForward));
  EXPECT_EQ(e.Caret(), (Position{1, 1}));
  EXPECT_FALSE(e.model.Selected());
}

TEST(HitStyle, SelectDrawAndCaret) {
  Editor sel("xx abc abc");
  ASSERT_TRUE(Search(sel.model, "abc", soForward));
  EXPECT_FALSE(sel.model.SelectionIsHit());
  EXPECT_EQ(sel.Caret(), (Position{0, 6}));

  Editor draw("xx abc abc");
  draw.model.SetHitStyle(hsDraw);
  ASSERT_TRUE(Search(draw.model, "abc", soForward));
  EXPECT_TRUE(draw.model.SelectionIsHit());
  EXPECT_TRUE(draw.model.PaintInfo(0).hit);
  EXPECT_EQ(draw.Caret(), (Position{0, 6}));

  Editor caret("xx abc abc");
  caret.model.SetHitStyle(hsCaret);
  ASSERT_TRUE(Search(caret.model, "abc", soForward));
  EXPECT_EQ(caret.Caret(), (Position{0, 3}));
  EXPECT_EQ(caret.view.caret.shape, CaretShape::Hit);
  EXPECT_EQ(caret.view.caret.width, 3 * kCell);
  EXPECT_EQ(caret.view.caret.height, caret.model.Layout().row_pitch);
  // The next search steps over the hit.
  ASSERT_TRUE(Search(caret.model, "abc", soForward));
  EXPECT_EQ(caret.Caret(), (Position{0, 7}));
  EXPECT_FALSE(Search(caret.model, "abc", soForward));
  // Any caret move ends the block caret.
  caret.Key(keys::kLeft);
  EXPECT_EQ(caret.view.caret.shape, CaretShape::Bar);
}

TEST(HitStyle, CaretWithoutFocusActsAsDraw) {
  Editor e("xx abc abc");
  e.model.FocusOut();
  e.model.SetHitStyle(hsCaret);
  ASSERT_TRUE(Search(e.model, "abc", soForward));
  EXPECT_EQ(e.Caret(), (Position{0, 6}));
  EXPECT_TRUE(e.model.SelectionIsHit());
}

TEST(HitStyle, ChangingItRemovesTheSelection) {
  Editor e("abc");
  e.model.SelectAll();
  e.model.SetHitStyle(hsDraw);
  EXPECT_FALSE(e.model.Selected());
}

// ---- bookmarks

std::string Rows(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "r" + std::to_string(i) + "\r\n";
  return s;
}

TEST(Bookmarks, GotoMarkCentresARowOutOfView) {
  Editor e(Rows(400));
  ASSERT_EQ(e.model.VisibleRows(), 40);
  e.model.SetMark(200, 3);
  e.model.GotoMark(3);
  EXPECT_EQ(e.model.Row(), 200);
  EXPECT_EQ(e.model.TopRow(), 180);
  // Visible: only the caret moves.
  e.model.SetMark(190, 4);
  e.model.GotoMark(4);
  EXPECT_EQ(e.model.Row(), 190);
  EXPECT_EQ(e.model.TopRow(), 180);
  // No row carries mark 7.
  e.model.GotoMark(7);
  EXPECT_EQ(e.model.Row(), 190);
}

TEST(Bookmarks, LowMarksStandOnOneRowHighMarksOnMany) {
  Editor e(Rows(10));
  e.model.SetMark(2, 1);
  e.model.SetMark(5, 1);
  EXPECT_EQ(e.model.RowMarks(2), 0u);
  EXPECT_EQ(e.model.RowMarks(5), 1u << 1);
  e.model.SetMark(2, 12);
  e.model.SetMark(5, 12);
  EXPECT_EQ(e.model.RowMarks(2), 1u << 12);
  EXPECT_EQ(e.model.RowMarks(5), (1u << 12) | (1u << 1));
  e.model.DeleteMark(2, 12);
  EXPECT_TRUE(e.model.MarkInUse(12));
  e.model.DeleteMark(5, 12);
  EXPECT_FALSE(e.model.MarkInUse(12));
  e.model.SetMark(99, 3);
  e.model.SetMark(1, 16);
  EXPECT_FALSE(e.model.MarkInUse(3));
  EXPECT_EQ(e.model.PaintInfo(5).marks, 1u << 1);
}

TEST(Bookmarks, FollowTheirRowWhenLinesAreInsertedAbove) {
  Editor e(Rows(10));
  e.model.SetMark(5, 2);
  e.model.SetRowCol(1, 0);
  e.model.InsertText("new\r\nlines\r\n");
  EXPECT_EQ(e.model.RowMarks(7), 1u << 2);
  e.model.GotoMark(2);
  EXPECT_EQ(e.model.Row(), 7);
}

}  // namespace
}  // namespace editor::testing
