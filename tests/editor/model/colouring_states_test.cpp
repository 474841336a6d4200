// Row states kept incrementally through edits, scrolling and lazy painting must colour every row
// exactly as a full computation of the same text does.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fake_viewport.h"

namespace editor::testing {
namespace {

std::vector<int> Kinds(EditorModel& m, int row) {
  std::vector<int> kinds;
  TRowTokenIterator& it = m.PaintTokens(row);
  TPaintToken t;
  while (it.Next(t)) {
    kinds.push_back(t.start);
    kinds.push_back(t.kind);
  }
  return kinds;
}

void UseBrackets(EditorModel& m) {
  TFountainBracketCollection brackets;
  brackets.Add("/*", "*/");
  brackets.Add("(", ")");
  m.View().SetBrackets(brackets);
}

// Every row of `m` against a model that computed all states from scratch.
void ExpectSameAsFull(EditorModel& m, const char* when) {
  Editor full;
  UseBrackets(full.model);
  TEditorSpeed speed;
  speed.SetInitBracketsFull(true);
  full.model.SetSpeed(speed);
  full.model.WrapOption().SetWrapByte(m.WrapOption().WrapByte());
  full.model.SetWordWrap(m.WordWrap());
  full.model.SetText(m.Text());
  ASSERT_EQ(full.model.RowCount(), m.RowCount());
  for (int r = 0; r < m.RowCount(); ++r) {
    ASSERT_EQ(Kinds(m, r), Kinds(full.model, r)) << when << ": row " << r;
  }
}

class ColouringStatesTest : public ::testing::TestWithParam<bool> {};

TEST_P(ColouringStatesTest, IncrementalAndLazyStatesMatchAFullComputation) {
  const bool wrap = GetParam();
  std::mt19937 rng(wrap ? 4711 : 815);
  // Brackets are rare, so that opening one recolours far more than two screens.
  const std::vector<std::string> pieces = {"a", " ", "word", "\x82\xa0", "x y"};
  const std::vector<std::string> brackets = {"/*", "*/", "(", ")"};
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  std::string text;
  for (int i = 0; i < 1500; ++i) {
    const int k = pick(6);
    for (int j = 0; j < k; ++j) text += pieces[pick(static_cast<int>(pieces.size()))];
    if (pick(300) == 0) text += brackets[pick(4)];
    text += "\r\n";
  }
  Editor e;
  UseBrackets(e.model);
  if (wrap) {
    e.model.WrapOption().SetWrapByte(20);
    e.model.SetWordWrap(true);
  }
  e.model.SetText(text);
  for (int step = 0; step < 400; ++step) {
    const int rows = e.model.RowCount();
    switch (pick(8)) {
      case 0:
      case 1:
        e.model.SetRowCol(pick(rows), pick(8));
        e.Type(pick(3) == 0 ? brackets[pick(4)] : pieces[pick(static_cast<int>(pieces.size()))]);
        break;
      case 2:
        e.model.SetRowCol(pick(rows), pick(8));
        e.Key(keys::kReturn);
        break;
      case 3:
        e.model.SetRowCol(pick(rows), pick(3));
        e.Key(keys::kBackspace);
        break;
      case 4: e.model.DeleteRow(pick(rows)); break;
      case 5:
        e.model.SetRowCol(pick(rows), 0);
        e.model.InsertText("/* a\r\nb\r\nc */\r\n(\r\n");
        break;
      case 6: e.model.Undo(); break;
      default: {
        // Scroll somewhere and paint what shows, computing rows lazily.
        e.model.SetTopRow(pick(rows));
        for (int r = e.model.TopRow(); r < e.model.TopRow() + e.model.VisibleRows(); ++r) Kinds(e.model, r);
        break;
      }
    }
    if (step % 100 == 99) ExpectSameAsFull(e.model, ("step " + std::to_string(step)).c_str());
  }
}

INSTANTIATE_TEST_SUITE_P(WordWrap, ColouringStatesTest, ::testing::Bool());

TEST(ColouringStates, RowsPushedDownByAnEditAreRecolouredToo) {
  Editor e;
  UseBrackets(e.model);
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "x\r\n";
  e.model.SetText(text);
  // Painting far down computes every row up to two screens past it.
  ASSERT_EQ(Kinds(e.model, 900), (std::vector<int>{0, tkAnk}));
  // One edit that adds rows and opens a comment that never closes.
  e.model.SetRowCol(10, 0);
  e.model.InsertText("/*\r\nq\r\n");
  for (const int row : {982, 981, 983, 100, 950, 1001})
    EXPECT_EQ(Kinds(e.model, row), (std::vector<int>{0, tkBracket})) << "row " << row;
}

}  // namespace
}  // namespace editor::testing
