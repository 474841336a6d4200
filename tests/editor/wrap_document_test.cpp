// Switching word wrap and changing wrap options on a whole document: rows, bookmarks, views.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/editorstrings.h"
#include "editor/wrapoption.h"
#include "fake_view.h"

namespace editor {
namespace {

using testing::FakeSink;
using testing::FakeView;
using testing::Layout;

std::string W(int n, char c = 'w') { return std::string(static_cast<size_t>(n), c); }

std::vector<uint16_t> MarksOf(const TEditorScreenStrings& doc) {
  std::vector<uint16_t> m;
  for (int i = 0; i < doc.Count(); ++i) m.push_back(doc.Marks(i));
  return m;
}

TEST(WrapDocument, SwitchingWrapMovesBookmarksWithTheirLines) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  doc.WrapOption().SetWrapByte(20);
  doc.SetText("top\r\n" + W(45) + "\r\n" + W(5, 'e'));
  doc.SetMarks(1, 1 << 2);
  doc.SetMarks(2, 1 << 7);
  doc.SetWordWrap(true);
  EXPECT_EQ(Layout(doc), "top|" + W(20) + "~" + W(20) + "~" + W(5) + "|eeeee$");
  EXPECT_EQ(MarksOf(doc), (std::vector<uint16_t>{0, 4, 0, 0, 128}));

  doc.SetMarks(3, 1 << 9);           // a mark on the line's last row
  doc.WrapOption().SetWrapByte(30);  // fewer rows: the surplus row's mark goes to the last new row
  EXPECT_EQ(Layout(doc), "top|" + W(30) + "~" + W(15) + "|eeeee$");
  EXPECT_EQ(MarksOf(doc), (std::vector<uint16_t>{0, 4, 512, 128}));

  doc.SetWordWrap(false);  // each line takes the marks of all its rows
  EXPECT_EQ(Layout(doc), "top|" + W(45) + "|eeeee$");
  EXPECT_EQ(MarksOf(doc), (std::vector<uint16_t>{0, 4 | 512, 128}));
}

TEST(WrapDocument, LastRowKeepsItsAttribute) {
  for (const std::string& tail : {std::string(""), std::string("\r\n")}) {
    TEditorScreenStrings doc;
    doc.WrapOption().SetWrapByte(20);
    doc.SetText(W(20) + tail);
    doc.SetWordWrap(true);
    // FollowRetMark off: the exactly full line gets an empty last row, which ends the text.
    EXPECT_EQ(Layout(doc), W(20) + "~" + (tail.empty() ? "$" : "|"));
    doc.SetWordWrap(false);
    EXPECT_EQ(Layout(doc), W(20) + (tail.empty() ? "$" : "|"));
    EXPECT_EQ(doc.Text(), W(20) + tail);
  }
}

TEST(WrapDocument, SwitchRecolorsRefreshesAndResetsCarets) {
  TEditorScreenStrings doc;
  FakeView a(doc), b(doc);
  FakeSink sink;
  doc.SetRowStateSink(&sink);
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  doc.SetText(W(100) + "\r\nx");  // 5 rows of 20, an empty row, then x
  a.row = 5;
  a.top = 4;
  a.col = 1;
  b.col = 7;
  sink.recompute_all = 0;
  a.refreshes = b.refreshes = 0;
  doc.SetWordWrap(false);
  EXPECT_EQ(Layout(doc), W(100) + "|x$");
  EXPECT_EQ(sink.recompute_all, 1);
  EXPECT_EQ(a.refreshes, 1);
  EXPECT_EQ(b.refreshes, 1);
  EXPECT_EQ(a.row, 1);  // pulled back to the last caret row
  EXPECT_EQ(a.top, 1);
  EXPECT_EQ(a.col, 0);
  EXPECT_EQ(b.col, 0);
  doc.SetWordWrap(false);  // unchanged: nothing happens
  EXPECT_EQ(a.refreshes, 1);
}

TEST(WrapDocument, OptionsRewrapOnlyWhileWrapIsOn) {
  TEditorScreenStrings doc;
  doc.SetText(W(25));
  doc.WrapOption().SetWrapByte(20);
  EXPECT_EQ(Layout(doc), W(25) + "$");
  doc.SetWordWrap(true);
  EXPECT_EQ(Layout(doc), W(20) + "~wwwww$");
  doc.WrapOption().SetWrapByte(21);
  EXPECT_EQ(Layout(doc), W(21) + "~wwww$");
  TEditorWrapOption other;
  other.SetWrapByte(24);
  doc.WrapOption().Assign(other);
  EXPECT_EQ(Layout(doc), W(24) + "~w$");
}

TEST(WrapDocument, NothingIsWrappedWhileThePrimaryViewLoads) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  view.loading = true;
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  EXPECT_TRUE(doc.WordWrap());
  TEditorStrings lines(doc, &view);
  lines.SetText(W(30));
  EXPECT_EQ(Layout(doc), W(30) + "$");
  doc.WrapOption().SetWrapByte(25);
  EXPECT_EQ(doc.Count(), 1);
  view.loading = false;
  doc.Rewrap();
  EXPECT_EQ(Layout(doc), W(25) + "~wwwww$");
}

TEST(WrapDocument, TabWidthComesFromThePrimaryView) {
  TEditorScreenStrings doc;
  FakeView primary(doc), other(doc);
  primary.tab = 4;
  other.tab = 8;
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  doc.SetText("\t\t\t\t\tabc");  // five tabs of 4 fill the row exactly
  EXPECT_EQ(Layout(doc), "\t\t\t\t\t~abc$");
  EXPECT_EQ(doc.ColumnOfByte(0, 2), 8);
  primary.tab = 8;
  doc.Rewrap();
  EXPECT_EQ(Layout(doc), "\t\t\t~\t\tabc$");
}

TEST(WrapDocument, WordDelimitersComeFromThePrimaryView) {
  class DashWordView : public FakeView {
   public:
    using FakeView::FakeView;
    DelimiterSet set = [] {
      DelimiterSet d = DefaultDelimiters();
      d.reset('-');
      return d;
    }();
    const DelimiterSet* WordDelimiters() const override { return &set; }
  };
  TEditorScreenStrings doc;
  DashWordView view(doc);
  doc.WrapOption().SetWrapByte(20);
  doc.WrapOption().SetWordBreak(true);
  doc.SetWordWrap(true);
  doc.SetText(W(18) + "-" + W(10, 'b'));
  EXPECT_EQ(doc.GetView(0).size(), 6u);  // '-' is a word character here: no break opportunity
}

TEST(WrapDocument, PositionAfterCountsLineBreaksAndTextEnd) {
  TEditorScreenStrings doc;
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  doc.SetText("ab\r\n" + W(25) + "\r\nxy");  // ab| w20~ w5| xy$
  const std::vector<std::pair<int64_t, std::pair<int, int>>> cases = {
      {0, {0, 0}},  {2, {0, 2}},  {4, {1, 0}},  {23, {1, 19}}, {24, {2, 0}},
      {29, {2, 5}}, {31, {3, 0}}, {33, {3, 2}}, {99, {3, 2}},
  };
  for (const auto& [offset, pos] : cases) EXPECT_EQ(doc.PositionAfter(0, offset), pos) << offset;
  doc.SetText("ab\r\n");
  EXPECT_EQ(doc.PositionAfter(0, 4), (std::pair<int, int>{1, 0}));
}

}  // namespace
}  // namespace editor
