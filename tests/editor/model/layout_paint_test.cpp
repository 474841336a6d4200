// Geometry from metrics and options, what the painter is told about each row, repainting after
// edits and scrolls, and the colouring the model keeps.
#include <gtest/gtest.h>

#include <string>

#include "fake_viewport.h"

namespace editor::testing {
namespace {

TEST(Layout, VisibleRowsAndColumnsFollowTheFormula) {
  FakeViewport v;
  EditorModel m;
  m.SetViewport(&v);
  m.SetMetrics(8, 16);
  m.Resize(400, 300);
  // Text area: Margin.Left 19 + image bar (2 + 8 + 0 + 2); top: Margin.Top 2.
  EXPECT_EQ(m.Layout().text_left, 31);
  EXPECT_EQ(m.Layout().text_top, 2);
  EXPECT_EQ(m.VisibleRows(), (300 - 2 - 5) / 16);
  EXPECT_EQ(m.VisibleCols(), (400 - 31 - 4) / 8);
  m.SetScrollBarExtents(15, 17);
  m.SetScrollBars(ssBoth);
  EXPECT_EQ(m.VisibleRows(), (300 - 2 - 5 - 17) / 16);
  EXPECT_EQ(m.VisibleCols(), (400 - 31 - 4 - 15) / 8);
  m.Ruler().SetVisible(true);
  EXPECT_EQ(m.Layout().text_top, 13);
  m.Ruler().SetEdge(false);
  EXPECT_EQ(m.Layout().text_top, 12);
  m.Marks().Underline().SetVisible(true);
  EXPECT_EQ(m.Layout().row_pitch, 17);
  m.Margin().SetCharacter(2);
  EXPECT_EQ(m.Layout().char_width, 10);
  m.Leftbar().SetVisible(true);
  // Leftbar: margins 8 + 4 around Column 4 digits of the cell width.
  EXPECT_EQ(m.Layout().leftbar_width, 8 + 4 * 8 + 4);
  EXPECT_EQ(m.Layout().text_left, 19 + 12 + 44);
  EXPECT_EQ(m.VisibleRows(), std::max(1, (300 - 12 - 5 - 17) / 17));
  m.Resize(10, 10);
  EXPECT_EQ(m.VisibleRows(), 1);
  EXPECT_EQ(m.VisibleCols(), 1);
}

TEST(Layout, LineNumberBarWidensForMoreDigits) {
  Editor e;
  e.model.Leftbar().SetVisible(true);
  e.model.Leftbar().SetColumn(2);
  const int narrow = e.model.Layout().leftbar_width;
  std::string text;
  for (int i = 0; i < 150; ++i) text += "x\r\n";
  e.model.SetText(text);
  EXPECT_EQ(e.model.Layout().leftbar_width, narrow + kCell);
}

TEST(Layout, MainValuesOfTheMainWindowsEditor) {
  Editor e("abc");
  e.model.ApplyMainValues();
  EXPECT_TRUE(e.model.WordWrap());
  EXPECT_EQ(e.model.WrapOption().WrapByte(), 60);
  EXPECT_TRUE(e.model.WrapOption().FollowRetMark());
  EXPECT_EQ(e.model.ScrollBars(), ssBoth);
  EXPECT_FALSE(e.model.Caret().AutoIndent());
  EXPECT_TRUE(e.model.Ruler().Visible());
  EXPECT_TRUE(e.model.Speed().InitBracketsFull());
  EXPECT_TRUE(e.model.View().Url());
  EXPECT_EQ(e.model.Layout().text_left, 12);
  EXPECT_EQ(e.model.Layout().text_top, 8 + 11);
  EXPECT_EQ(e.model.Layout().row_pitch, kTextHeight + 1);
}

TEST(Paint, RowEndMarks) {
  Editor e("ab\r\ncd");
  e.model.Marks().EofMark().SetVisible(true);
  e.model.Marks().RetMark().SetVisible(true);
  e.model.Marks().WrapMark().SetVisible(true);
  e.model.Marks().HideMark().SetVisible(true);
  EXPECT_EQ(e.model.PaintInfo(0).end_mark, RowEndMark::Return);
  EXPECT_EQ(e.model.PaintInfo(1).end_mark, RowEndMark::Eof);
  EXPECT_EQ(e.model.PaintInfo(1).end_col, 2);
  EXPECT_EQ(e.model.PaintInfo(2).end_mark, RowEndMark::None);
  e.model.SetText("ab\r\n");
  EXPECT_EQ(e.model.PaintInfo(0).end_mark, RowEndMark::Return);
  e.model.SetText(std::string(1200, 'x'));
  EXPECT_EQ(e.model.PaintInfo(0).end_mark, RowEndMark::Hide);
  EXPECT_EQ(e.model.PaintInfo(0).end_col, 1000);
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.SetText(std::string(30, 'x') + "\r\n");
  EXPECT_EQ(e.model.PaintInfo(0).end_mark, RowEndMark::Wrap);
  EXPECT_EQ(e.model.PaintInfo(1).end_mark, RowEndMark::Return);
  e.model.Marks().WrapMark().SetVisible(false);
  EXPECT_EQ(e.model.PaintInfo(0).end_mark, RowEndMark::None);
}

TEST(Paint, RowInfoCarriesTextMarksSelectionAndCaretRow) {
  Editor e("abc\r\ndef");
  e.model.SetMark(1, 2);
  e.model.Select({0, 1}, {1, 2});
  const RowPaintInfo p = e.model.PaintInfo(1);
  EXPECT_EQ(p.text, "def");
  EXPECT_EQ(p.attr, rowTextEnd);
  EXPECT_EQ(p.marks, 1u << 2);
  EXPECT_TRUE(p.selection.any);
  EXPECT_EQ(p.selection.end_byte, 2);
  EXPECT_TRUE(p.caret_row);
  EXPECT_FALSE(p.hit);
  EXPECT_EQ(p.y, e.model.RowY(1));
}

struct NumberCase {
  const char* name;
  TEditorShowNumberMode mode;
  bool zero_base, zero_lead;
  int row;
  std::string expected;
};

class LineNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LineNumberTest, FormatsTheNumberOfARow) {
  const NumberCase& c = GetParam();
  Editor e;
  e.model.WrapOption().SetWrapByte(20);
  e.model.SetWordWrap(true);
  e.model.SetText("a\r\n" + std::string(30, 'b') + "\r\nc\r\n");
  e.model.Leftbar().SetShowNumberMode(c.mode);
  e.model.Leftbar().SetZeroBase(c.zero_base);
  e.model.Leftbar().SetZeroLead(c.zero_lead);
  EXPECT_EQ(e.model.LineNumberText(c.row), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineNumberTest,
                         ::testing::Values(NumberCase{"RowFirst", nmRow, false, false, 0, "   1"},
                                           NumberCase{"RowContinuation", nmRow, false, false, 2, "   3"},
                                           NumberCase{"RowAfterFinalBreak", nmRow, false, false, 4, "   5"},
                                           NumberCase{"RowPastTheEnd", nmRow, false, false, 5, ""},
                                           NumberCase{"ZeroBase", nmRow, true, false, 0, "   0"},
                                           NumberCase{"ZeroLead", nmRow, false, true, 3, "0004"},
                                           NumberCase{"LineContinuationBlank", nmLine, false, false, 2, ""},
                                           NumberCase{"LineAfterWrap", nmLine, false, false, 3, "   3"},
                                           NumberCase{"LineAfterFinalBreak", nmLine, false, false, 4, "   4"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Caret, ShapeFollowsStyleAndOverwrite) {
  Editor e("a\x82\xa0");
  EXPECT_EQ(e.view.caret.shape, CaretShape::Bar);
  EXPECT_TRUE(e.view.caret.visible);
  e.model.Caret().SetStyle(csBrief);
  EXPECT_EQ(e.view.caret.shape, CaretShape::Underline);
  e.model.SetOverwrite(true);
  EXPECT_EQ(e.view.caret.shape, CaretShape::Block);
  EXPECT_EQ(e.view.caret.width, kCell);
  e.model.SetCol(1);
  EXPECT_EQ(e.view.caret.width, 2 * kCell);
  e.model.FocusOut();
  EXPECT_FALSE(e.view.caret.visible);
}

TEST(Italic, FromTheFontOrAnyColourOfTheDefinition) {
  Editor e;
  EXPECT_FALSE(e.model.ItalicMode());
  e.model.View().Colors().Url.SetStyle(store::fsItalic);
  EXPECT_TRUE(e.model.ItalicMode());
  e.model.View().Colors().Url.SetStyle(0);
  store::TFont font = e.model.Font();
  font.Style = store::fsItalic;
  e.model.SetFont(font);
  EXPECT_TRUE(e.model.ItalicMode());
}

// ---- repainting

std::string Lines(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "line " + std::to_string(i) + "\r\n";
  return s;
}

TEST(Repaint, TypingRepaintsOnlyTheRow) {
  Editor e(Lines(100));
  e.model.SetRowCol(5, 2);
  e.view.Forget();
  e.Type("x");
  EXPECT_EQ(e.view.invalidate_all, 0);
  EXPECT_TRUE(e.view.scrolled.empty());
  ASSERT_FALSE(e.view.invalidated.empty());
  for (const auto& r : e.view.invalidated) {
    EXPECT_GE(r.first, 5);
    EXPECT_LE(r.last, 6);
  }
}

TEST(Repaint, InsertingALineScrollsTheRowsBelow) {
  Editor e(Lines(100));
  e.model.SetRowCol(10, 3);
  e.view.Forget();
  e.Key(keys::kReturn);
  EXPECT_EQ(e.view.invalidate_all, 0);
  ASSERT_EQ(e.view.scrolled.size(), 1u);
  // Rows 10 and 11 (the next line joins the cut) became rows 10..12.
  EXPECT_EQ(e.view.scrolled[0].from, 12);
  EXPECT_EQ(e.view.scrolled[0].delta, 1);
  EXPECT_TRUE(e.view.scrolled[0].areas & kAreaText);
  for (const auto& r : e.view.invalidated) EXPECT_LE(r.last, 12);
  e.view.Forget();
  e.Key(keys::kBackspace);
  ASSERT_EQ(e.view.scrolled.size(), 1u);
  EXPECT_EQ(e.view.scrolled[0].delta, -1);
}

TEST(Repaint, LargeChangeRepaintsEverything) {
  Editor e(Lines(100));
  e.view.Forget();
  e.model.InsertText(Lines(50));
  EXPECT_GE(e.view.invalidate_all, 1);
}

TEST(Repaint, ScrollingMovesContentAndTellsTheHost) {
  Editor e(Lines(100));
  e.view.Forget();
  e.model.SetTopRow(3);
  ASSERT_EQ(e.view.scrolled.size(), 1u);
  EXPECT_EQ(e.view.scrolled[0].from, 3);
  EXPECT_EQ(e.view.scrolled[0].delta, -3);
  EXPECT_EQ(e.view.top_row_changes, 1);
  EXPECT_EQ(e.view.vbar.pos, 3);
  EXPECT_EQ(e.view.vbar.page, 40);
  e.model.SetTopRow(90);
  EXPECT_EQ(e.view.invalidate_all, 1);
  e.model.Wheel(1);
  EXPECT_EQ(e.model.TopRow(), 87);
}

// The window's pixels after the requests an edit or scroll makes equal a fresh paint.
TEST(Repaint, RequestsLeaveNoStaleRowsOnScreen) {
  Editor e(Lines(100), 10);
  e.view.ShowScreen(e.model);
  auto check = [&](const char* step) {
    e.view.Flush();
    EXPECT_EQ(e.view.screen, e.view.FreshScreen()) << step;
  };
  e.model.Wheel(-1);
  check("wheel down");
  e.model.Wheel(1);
  check("wheel up");
  e.model.SetTopRow(5);
  e.model.SetTopRow(3);
  check("scroll bar up");

  // Undoing a multi-line paste at the end of the text.
  e.model.SetText("");
  e.view.Flush();
  e.Type("first line");
  e.Key(keys::kReturn);
  e.view.clipboard = {true, "AAA\nBBB\nCCC\n", false, 0};
  e.model.PasteFromClipboard();
  check("paste");
  e.model.Undo();
  check("undo of the paste");
  e.model.Redo();
  check("redo of the paste");
}

TEST(Repaint, LockScrollMovesTheCaretWithTheScrollBar) {
  Editor e(Lines(100));
  e.model.SetRow(5);
  e.model.VerticalScrolled(10);
  EXPECT_EQ(e.model.Row(), 5);
  e.model.Caret().SetLockScroll(true);
  e.model.VerticalScrolled(20);
  EXPECT_EQ(e.model.Row(), 15);
}

TEST(Repaint, OptionChangesRelayoutAndRepaint) {
  Editor e("abc");
  e.view.Forget();
  e.model.Imagebar().SetVisible(false);
  EXPECT_EQ(e.view.invalidate_all, 1);
  EXPECT_EQ(e.model.Layout().text_left, 19);
}

// ---- colouring

int KindAt(EditorModel& m, int row, int start) {
  TRowTokenIterator& it = m.PaintTokens(row);
  TPaintToken t;
  while (it.Next(t))
    if (t.start == start) return t.kind;
  return -1;
}

TEST(Colouring, ViewChangesRecolourAndTokenQueriesSeeThem) {
  Editor e("go http://example.com now");
  EXPECT_NE(KindAt(e.model, 0, 3), tkUrl);
  e.model.View().SetUrl(true);
  EXPECT_EQ(KindAt(e.model, 0, 3), tkUrl);
  EXPECT_EQ(e.model.TokenAt(e.X(5) + 1, e.Y(0)), tkUrl);
  EXPECT_EQ(e.model.TokenTextAt(e.X(5) + 1, e.Y(0)), "http://example.com");
  EXPECT_EQ(e.model.TokenAt(e.X(30), e.Y(0)), tkEnd);
}

TEST(Colouring, ExternalDefinitionReplacesTheViewsAndFallsBackWhenDestroyed) {
  Editor e("mail me@example.com");
  {
    TEditorFountain external;
    external.SetMail(true);
    e.model.SetFountain(&external);
    EXPECT_EQ(KindAt(e.model, 0, 5), tkMail);
    e.view.Forget();
  }
  EXPECT_EQ(e.model.Fountain(), nullptr);
  EXPECT_NE(KindAt(e.model, 0, 5), tkMail);
  EXPECT_GE(e.view.invalidate_all, 1);
}

TEST(Colouring, InitialStatesCoverTwoScreensUnlessInitBracketsFull) {
  Editor e;
  e.model.SetText(Lines(1000));
  const TEditorScreenStrings& doc = e.model.Document();
  EXPECT_NE(doc.BracketIndex(0), -2);
  EXPECT_NE(doc.BracketIndex(80), -2);
  EXPECT_EQ(doc.BracketIndex(500), -2);
  TEditorSpeed speed;
  speed.SetInitBracketsFull(true);
  e.model.SetSpeed(speed);
  e.model.SetText(Lines(1000));
  EXPECT_NE(doc.BracketIndex(999), -2);
}

TEST(Colouring, BracketStatesFollowEditsAndLazyPainting) {
  Editor e;
  TFountainBracketCollection brackets;
  brackets.Add("/*", "*/");
  e.model.View().SetBrackets(brackets);
  std::string text = "/*\r\n";
  for (int i = 0; i < 300; ++i) text += "x\r\n";
  text += "*/\r\ny\r\n";
  e.model.SetText(text);
  // Far rows are computed when painted, inside the bracket.
  EXPECT_EQ(KindAt(e.model, 250, 0), tkBracket);
  EXPECT_EQ(KindAt(e.model, 302, 0), tkAnk);  // "y" after the close
  // Removing the opener recolours two screens at once and the rest when painted.
  e.model.SetRowCol(0, 0);
  e.Key(keys::kDelete);
  e.Key(keys::kDelete);
  EXPECT_NE(KindAt(e.model, 250, 0), tkBracket);
  EXPECT_NE(KindAt(e.model, 5, 0), tkBracket);
  e.Type("/*");
  EXPECT_EQ(KindAt(e.model, 5, 0), tkBracket);
  EXPECT_EQ(KindAt(e.model, 250, 0), tkBracket);
}

}  // namespace
}  // namespace editor::testing
