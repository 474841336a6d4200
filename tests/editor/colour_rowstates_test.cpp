// Row states across rows: tokens cut by word wrap, brackets over several lines, incremental and
// lazy recomputation, painting tokens and the token query.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/fountain.h"
#include "editor/rows.h"
#include "editor/rowstates.h"
#include "editor/screenstrings.h"

namespace editor {
namespace {

constexpr RowAttribute W = rowWrapped;
constexpr RowAttribute L = rowLineBreak;

TEditorStringList MakeRows(std::initializer_list<std::pair<std::string, RowAttribute>> rows) {
  TEditorStringList list;
  for (const auto& [text, attr] : rows) list.AddRow(text, attr);
  return list;
}

// What the painter gets for a row: text of each token (clipped to nothing) and its kind.
std::vector<std::pair<std::string, int>> Painted(RowColouring& c, TEditorStringList& rows, int row,
                                                 std::vector<const TFountainColor*>* colours = nullptr) {
  std::string text(rows.GetView(row));
  if (rows.RowAttr(row) == rowWrapped && row + 1 < rows.Count()) text += rows.GetView(row + 1);
  std::vector<std::pair<std::string, int>> out;
  auto& it = c.PaintRow(rows, row, true);
  TPaintToken t;
  while (it.Next(t)) {
    out.emplace_back(text.substr(t.start, t.length), t.kind);
    if (colours) colours->push_back(t.color);
  }
  return out;
}

using Painting = std::vector<std::pair<std::string, int>>;

struct Fixture {
  TEditorFountain fountain;
  RowColouring colouring{&fountain};
  std::vector<int> repainted;
  Fixture() {
    colouring.InitBracketsFull = true;
    colouring.RowChanged = [this](int r) { repainted.push_back(r); };
  }
};

TEST(WrappedTokens, UrlCutByWrapKeepsUrlColourOnNextRow) {
  Fixture f;
  f.fountain.SetUrl(true);
  auto rows = MakeRows({{"go http://exa", W}, {"mple.com/x y", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.ContinuedKind(1), tkUrl);
  EXPECT_EQ(rows.RemainLength(1), 10);
  std::vector<const TFountainColor*> colours;
  EXPECT_EQ(Painted(f.colouring, rows, 0), (Painting{{"go", 11}, {"http://example.com/x", 21}}));
  EXPECT_EQ(Painted(f.colouring, rows, 1, &colours), (Painting{{"mple.com/x", 21}, {"y", 11}}));
  EXPECT_EQ(colours[0], &f.fountain.Colors().Url);
}

TEST(WrappedTokens, UrlOverThreeRowsContinuesByKind) {
  Fixture f;
  f.fountain.SetUrl(true);
  auto rows = MakeRows({{"http://a", W}, {"bcdefgh", W}, {"ij k", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.ContinuedKind(1), tkUrl);
  EXPECT_EQ(rows.RemainLength(1), 0);  // runs to the end of a wrapped row: continue by kind
  EXPECT_EQ(rows.ContinuedKind(2), tkUrl);
  EXPECT_EQ(rows.RemainLength(2), 2);
  EXPECT_EQ(Painted(f.colouring, rows, 1), (Painting{{"bcdefghij", 21}}));
  EXPECT_EQ(Painted(f.colouring, rows, 2), (Painting{{"ij", 21}, {"k", 11}}));
}

TEST(WrappedTokens, ReservedWordCutByWrap) {
  Fixture f;
  f.fountain.SetReserveWordList({"begin"});
  auto rows = MakeRows({{"beg", W}, {"in x", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.ContinuedKind(1), tkReserved);
  std::vector<const TFountainColor*> c0, c1;
  Painted(f.colouring, rows, 0, &c0);
  EXPECT_EQ(Painted(f.colouring, rows, 1, &c1), (Painting{{"in", tkReserved}, {"x", 11}}));
  EXPECT_EQ(c0[0], &f.fountain.Reserve());
  EXPECT_EQ(c1[0], &f.fountain.Reserve());
}

TEST(WrappedTokens, DoubledQuotationSplitByWrapStaysOneString) {
  Fixture f;
  f.fountain.SetQuotation("'");
  auto rows = MakeRows({{"x 'it'", W}, {"'s' y", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(Painted(f.colouring, rows, 0), (Painting{{"x", 11}, {"'it''s'", 26}}));
  EXPECT_EQ(Painted(f.colouring, rows, 1), (Painting{{"'s'", 26}, {"y", 11}}));
}

TEST(WrappedTokens, UnclosedStringEndsWithItsLineEvenOverABlankRow) {
  Fixture f;
  f.fountain.SetQuotation("'");
  auto rows = MakeRows({{"'abc", W}, {"   ", L}, {"next", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.ContinuedKind(2), 0);
  EXPECT_EQ(Painted(f.colouring, rows, 2), (Painting{{"next", 11}}));
}

TEST(WrappedTokens, CommentRunsOverWrappedRowsToTheLineEnd) {
  Fixture f;
  f.fountain.SetCommenter("//");
  auto rows = MakeRows({{"a // bc", W}, {"def", W}, {"ghi", L}, {"j", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.ContinuedKind(1), tkComment);
  EXPECT_EQ(rows.ContinuedKind(2), tkComment);
  EXPECT_EQ(rows.ContinuedKind(3), 0);
  EXPECT_EQ(Painted(f.colouring, rows, 1), (Painting{{"defghi", 7}}));
  EXPECT_EQ(Painted(f.colouring, rows, 2), (Painting{{"ghi", 7}}));
  EXPECT_EQ(Painted(f.colouring, rows, 3), (Painting{{"j", 11}}));
}

TEST(WrappedTokens, BracketClosedInNextRow) {
  Fixture f;
  f.fountain.Brackets().Add("/*", "*/");
  auto rows = MakeRows({{"/* a", W}, {"b */ c", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.BracketIndex(1), 0);
  EXPECT_EQ(rows.ContinuedKind(1), 0);
  EXPECT_EQ(Painted(f.colouring, rows, 1), (Painting{{"b */", 6}, {"c", 11}}));
}

TEST(WrappedTokens, BracketWhoseClosingTextIsCut) {
  Fixture f;
  f.fountain.Brackets().Add("/*", "*/");
  auto rows = MakeRows({{"/* a *", W}, {"/ b */", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.BracketIndex(1), 0);
  EXPECT_EQ(rows.ContinuedKind(1), tkBracket);
  EXPECT_EQ(rows.RemainLength(1), 1);
  // Searching row 1 again would find its own "*/" and colour " b */" too.
  EXPECT_EQ(Painted(f.colouring, rows, 1), (Painting{{"/", 6}, {"b", 11}, {"*", 1}, {"/", 1}}));
}

TEST(WrappedTokens, TokenStartingAtTheWrapBelongsToTheNextRow) {
  Fixture f;
  f.fountain.Brackets().Add("(", ")");
  auto rows = MakeRows({{"abc ", W}, {"(def", L}, {"g)", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.BracketIndex(1), -1);
  EXPECT_EQ(rows.ContinuedKind(1), 0);
  EXPECT_EQ(rows.BracketIndex(2), 0);
  EXPECT_EQ(Painted(f.colouring, rows, 0), (Painting{{"abc", 11}}));
}

// ---- Brackets over lines and recomputation

TEditorStringList CommentDocument(int count) {
  TEditorStringList rows;
  rows.AddRow("x", L);
  rows.AddRow("/* open", L);
  rows.AddRow("close */", L);
  for (int i = 3; i < count; ++i) rows.AddRow("word", L);
  return rows;
}

TEST(Recompute, BracketColoursTheLinesBetween) {
  Fixture f;
  auto& item = f.fountain.Brackets().Add("/*", "*/");
  auto rows = MakeRows({{"a /* b", L}, {"c", L}, {"d */ e", L}, {"f", L}});
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.BracketIndex(1), 0);
  EXPECT_EQ(rows.BracketIndex(2), 0);
  EXPECT_EQ(rows.BracketIndex(3), -1);
  std::vector<const TFountainColor*> colours;
  EXPECT_EQ(Painted(f.colouring, rows, 1, &colours), (Painting{{"c", 6}}));
  EXPECT_EQ(colours[0], &item.ItemColor);
  EXPECT_EQ(Painted(f.colouring, rows, 2), (Painting{{"d */", 6}, {"e", 11}}));
}

TEST(Recompute, DeletingTheCloseRecoloursTwoScreensThenLazily) {
  Fixture f;
  f.fountain.Brackets().Add("/*", "*/");
  f.colouring.VisibleRows = [] { return 10; };
  auto rows = CommentDocument(100);
  f.colouring.RecomputeAll(rows);
  ASSERT_EQ(rows.BracketIndex(3), -1);
  ASSERT_EQ(rows.BracketIndex(99), -1);

  // The edit replaces row 2 ("*/" deleted); a replaced row comes back not computed.
  rows.Put(2, "close");
  rows.SetBracketIndex(2, -2);
  const int changed = f.colouring.UpdateFrom(rows, 2);
  // Row 2 and the rows up to 2 + 2 * 10 now open the bracket.
  EXPECT_EQ(changed, 21);
  EXPECT_EQ(f.repainted.size(), 21u);
  EXPECT_EQ(f.repainted.front(), 2);
  EXPECT_EQ(f.repainted.back(), 22);
  for (int r = 2; r <= 22; ++r) EXPECT_EQ(rows.BracketIndex(r), 0) << r;
  for (int r = 23; r < 100; ++r) EXPECT_EQ(rows.BracketIndex(r), -2) << r;

  // Scrolled into view: computed when painted, without repaint requests.
  f.repainted.clear();
  EXPECT_EQ(Painted(f.colouring, rows, 60), (Painting{{"word", 6}}));
  EXPECT_TRUE(f.repainted.empty());
  for (int r = 23; r <= 60 + 20; ++r) EXPECT_EQ(rows.BracketIndex(r), 0) << r;
  EXPECT_EQ(rows.BracketIndex(81), -2);
}

TEST(Recompute, StopsAtTheFirstUnchangedRow) {
  Fixture f;
  f.fountain.Brackets().Add("/*", "*/");
  f.colouring.VisibleRows = [] { return 10; };
  auto rows = CommentDocument(100);
  f.colouring.RecomputeAll(rows);
  rows.Put(50, "other words");
  rows.SetBracketIndex(50, -2);
  EXPECT_EQ(f.colouring.UpdateFrom(rows, 50), 1);
  EXPECT_EQ(f.repainted, std::vector<int>{50});
  EXPECT_EQ(rows.BracketIndex(50), -1);
  EXPECT_EQ(rows.BracketIndex(99), -1);  // beyond the limit, still valid
}

TEST(Recompute, EditedRowIsRecomputedEvenWhenItsOwnStateLooksUnchanged) {
  Fixture f;
  f.fountain.Brackets().Add("/*", "*/");
  f.colouring.VisibleRows = [] { return 10; };
  auto rows = CommentDocument(30);
  f.colouring.RecomputeAll(rows);
  // A row store that kept the old state of the edited row must not stop the update there.
  rows.Put(2, "close");
  EXPECT_EQ(f.colouring.UpdateFrom(rows, 2), 20);
  EXPECT_EQ(rows.BracketIndex(3), 0);
}

TEST(Recompute, FullRecomputationLimits) {
  Fixture f;
  f.colouring.VisibleRows = [] { return 10; };
  f.colouring.TopRow = [] { return 5; };
  auto rows = CommentDocument(100);

  f.colouring.InitBracketsFull = false;
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.BracketIndex(25), -1);
  EXPECT_EQ(rows.BracketIndex(26), -2);

  f.colouring.InitBracketsFull = true;
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.BracketIndex(99), -1);

  // Everything is marked not computed again before a limited recomputation.
  f.colouring.InitBracketsFull = false;
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.BracketIndex(99), -2);

  f.colouring.Suspended = [] { return true; };
  f.colouring.InitBracketsFull = true;
  f.colouring.RecomputeAll(rows);
  EXPECT_EQ(rows.BracketIndex(99), -2);
}

TEST(Recompute, NotComputedKeepsAttributesAndBookmarks) {
  Fixture f;
  f.fountain.SetUrl(true);
  f.colouring.VisibleRows = [] { return 1; };
  auto rows = MakeRows({{"a", L}, {"b", L}, {"http://a", W}, {"bc", L}, {"d", L}});
  f.colouring.InitBracketsFull = true;
  f.colouring.RecomputeAll(rows);
  rows.SetMarks(3, 0x0005);
  ASSERT_EQ(rows.ContinuedKind(3), tkUrl);
  f.colouring.InitBracketsFull = false;
  f.colouring.RecomputeAll(rows);  // rows 0..2 computed
  EXPECT_EQ(rows.BracketIndex(3), -2);
  EXPECT_EQ(rows.ContinuedKind(3), 0);
  EXPECT_EQ(rows.RemainLength(3), 0);
  EXPECT_EQ(rows.RowAttr(2), rowWrapped);
  EXPECT_EQ(rows.Marks(3), 0x0005);
}

TEST(Recompute, StartsFromEmptyStateWhenNothingBeforeIsComputed) {
  Fixture f;
  f.fountain.Brackets().Add("(", ")");
  f.colouring.VisibleRows = [] { return 5; };
  auto rows = MakeRows({{"(a", L}, {"b", L}, {"c)", L}, {"d", L}});
  EXPECT_EQ(rows.BracketIndex(0), -2);
  EXPECT_EQ(f.colouring.UpdateFrom(rows, 2), 4);
  EXPECT_EQ(rows.BracketIndex(0), -1);
  EXPECT_EQ(rows.BracketIndex(1), 0);
  EXPECT_EQ(rows.BracketIndex(2), 0);
  EXPECT_EQ(rows.BracketIndex(3), -1);
  EXPECT_EQ(f.colouring.UpdateFrom(rows, 4), 0);  // past the end
}

// ---- Token query

TEST(TokenQuery, UrlUnderTheMouseAcrossAWrap) {
  Fixture f;
  f.fountain.SetUrl(true);
  f.fountain.SetMail(true);
  auto rows = MakeRows({{"x", L}, {"see http://exa", W}, {"mple.com a@b.jp", L}});
  f.colouring.RecomputeAll(rows);
  TTokenQuery q = f.colouring.TokenAt(rows, 2, 2);
  EXPECT_EQ(q.kind, 21);
  EXPECT_EQ(q.text, "http://example.com");
  EXPECT_EQ(q.first_row, 1);
  EXPECT_EQ(q.start, 4);
  EXPECT_EQ(q.length, 18);
  q = f.colouring.TokenAt(rows, 2, 10);
  EXPECT_EQ(q.kind, 22);
  EXPECT_EQ(q.text, "a@b.jp");
  // The plain tokenizer knows no URLs.
  q = f.colouring.TokenAt(rows, 2, 2, TokenQueryMode::Plain);
  EXPECT_EQ(q.kind, tkAnk);
  EXPECT_EQ(q.text, "example");
  // A blank is no token.
  q = f.colouring.TokenAt(rows, 1, 3);
  EXPECT_EQ(q.kind, tkEnd);
  EXPECT_TRUE(q.text.empty());
}

TEST(TokenQuery, BracketsOnlyWhenAsked) {
  Fixture f;
  f.fountain.Brackets().Add("/*", "*/");
  auto rows = MakeRows({{"/* a", L}, {"b c */", L}});
  f.colouring.RecomputeAll(rows);
  TTokenQuery q = f.colouring.TokenAt(rows, 1, 2);
  EXPECT_EQ(q.kind, tkAnk);
  EXPECT_EQ(q.text, "c");
  q = f.colouring.TokenAt(rows, 1, 2, TokenQueryMode::DefinitionWithBrackets);
  EXPECT_EQ(q.kind, tkBracket);
  EXPECT_EQ(q.text, "b c */");
  // The painter's tokenizer still sees brackets afterwards.
  EXPECT_EQ(Painted(f.colouring, rows, 1), (Painting{{"b c */", 6}}));
}

TEST(DefinitionLifetime, ADestroyedDefinitionIsLetGo) {
  auto fountain = std::make_unique<TEditorFountain>();
  fountain->SetUrl(true);
  RowColouring c(fountain.get());
  c.InitBracketsFull = true;
  bool told = false;
  c.FountainDestroyed = [&] { told = true; };
  auto rows = MakeRows({{"http://a", L}});
  c.RecomputeAll(rows);
  EXPECT_EQ(Painted(c, rows, 0), (Painting{{"http://a", tkUrl}}));
  fountain.reset();
  EXPECT_TRUE(told);
  EXPECT_EQ(c.Fountain(), nullptr);
  EXPECT_EQ(Painted(c, rows, 0).front(), (std::pair<std::string, int>{"http", tkAnk}));
}

namespace with_document {

// The engine as the document's row state sink: every edit goes through ReplaceRows.
struct DocumentFixture {
  TEditorFountain fountain;
  TEditorScreenStrings doc;
  RowColouring colouring{&fountain};
  std::vector<int> repainted;
  DocumentFixture() {
    fountain.Brackets().Add("/*", "*/");
    colouring.VisibleRows = [] { return 10; };
    colouring.InitBracketsFull = true;
    colouring.RowChanged = [this](int r) { repainted.push_back(r); };
    doc.SetRowStateSink(&colouring);
    std::string text = "x\r\n/* open\r\nclose */\r\n";
    for (int i = 0; i < 60; ++i) text += "word\r\n";
    doc.SetText(text);
  }
};

TEST(DocumentEdits, DeletingAndRestoringTheClose) {
  DocumentFixture f;
  ASSERT_EQ(f.doc.BracketIndex(2), 0);
  ASSERT_EQ(f.doc.BracketIndex(3), -1);
  ASSERT_EQ(f.doc.BracketIndex(62), -1);

  f.doc.ReplaceRows(2, 1, "close\r\n");
  EXPECT_EQ(f.doc.Get(2), "close");
  for (int r = 2; r <= 22; ++r) EXPECT_EQ(f.doc.BracketIndex(r), 0) << r;
  EXPECT_EQ(f.doc.BracketIndex(23), -2);
  EXPECT_EQ(f.repainted.size(), 21u);

  f.repainted.clear();
  f.doc.Undo();
  EXPECT_EQ(f.doc.Get(2), "close */");
  EXPECT_EQ(f.doc.BracketIndex(2), 0);
  for (int r = 3; r <= 22; ++r) EXPECT_EQ(f.doc.BracketIndex(r), -1) << r;
  EXPECT_EQ(f.repainted.size(), 21u);
  // The rest comes when painted.
  std::vector<std::pair<std::string, int>> painted;
  auto& it = f.colouring.PaintRow(f.doc, 50, false);
  TPaintToken t;
  while (it.Next(t)) painted.emplace_back(f.doc.Get(50).substr(t.start, t.length), t.kind);
  EXPECT_EQ(painted, (Painting{{"word", tkAnk}}));
}

TEST(DocumentEdits, TypingInsideALineStopsAfterTheReplacedRows) {
  DocumentFixture f;
  // The document replaces the edited line together with the next one.
  f.doc.ReplaceRows(30, 1, "words\r\n");
  EXPECT_EQ(f.repainted, (std::vector<int>{30, 31}));
  EXPECT_EQ(f.doc.GetLastChange().StateChanged, 2);
  EXPECT_EQ(f.doc.BracketIndex(61), -1);  // untouched beyond the stop
}

TEST(DocumentEdits, OpeningABracketAtTheEnd) {
  DocumentFixture f;
  const int last = f.doc.Count() - 1;
  f.doc.ReplaceRows(last, 1, "word /*\r\n");
  EXPECT_EQ(f.repainted, std::vector<int>{last});
  f.doc.ReplaceRows(last, 1, "word\r\n/*\r\nmore\r\n");
  EXPECT_EQ(f.doc.BracketIndex(f.doc.Count() - 1), 0);
}

}  // namespace with_document

}  // namespace
}  // namespace editor
