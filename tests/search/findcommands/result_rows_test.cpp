// The rows of a result window and opening them in the main window.
#include "fixture.h"

namespace findtest {
namespace {

TEST(FindGrid, PreparedGridHasHeaderAndOneEmptyRowAndItsStatusTexts) {
  FindGrid g;
  g.Prepare(Sjis("検索語"), FindGrid::mdNames, soForward);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.HitCount(), 0);
  const char* header[] = {"No", "GroupIndex", "GroupName", "ItemIndex", "ItemName", "Position", "Text"};
  for (int c = 0; c < FindGrid::kColumns; ++c) {
    EXPECT_EQ(g.Cell(0, c), header[c]);
    EXPECT_EQ(g.Cell(1, c), "");
  }
  EXPECT_EQ(g.Cell(2, 0), "");  // outside
  EXPECT_EQ(g.ModeText(), "グループ・アイテム名検索");
  EXPECT_EQ(g.CountText(), "検索結果　0 件");
  EXPECT_EQ(g.SearchTextStatus(), "検索文字列：　検索語");
  g.Prepare("x", FindGrid::mdGroup, 0);
  EXPECT_EQ(g.ModeText(), "グループ内検索");
  g.Prepare("x", FindGrid::mdFullText, 0);
  EXPECT_EQ(g.ModeText(), "全文検索");
}

TEST(FindGrid, RowsAreNumberedOnAcrossAppendsAndEndWithAnEmptyRow) {
  FindGrid g;
  g.Prepare("abc", FindGrid::mdFullText, soForward);
  // Three occurrences in one item: three rows, Position increasing.
  store::DataFolder folder("/nonexistent-sorame-folder/");
  store::TRootComponent_Item items(folder, nullptr);
  ASSERT_GE(items.Add(0, -1, 0, 0, "item"), 0);
  items.ItemAt(0).ItemText = "abc abc abc";
  std::vector<SearchHit> hits;
  TSearchPosition pos;
  ASSERT_EQ(FindItemTexts(items, "abc", soForward, "g0", 0, hits, pos), 3);
  g.AppendHits(hits, false);
  g.AppendHits({SearchHit{4, 2, 7, "g4", "i", "abc"}}, false);
  ASSERT_EQ(g.HitCount(), 4);
  EXPECT_EQ(g.RowCount(), 6);
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(g.Cell(r, 0), std::to_string(r));
  EXPECT_EQ(g.Cell(1, 5), "0");
  EXPECT_EQ(g.Cell(2, 5), "4");
  EXPECT_EQ(g.Cell(3, 5), "8");
  EXPECT_EQ(g.Cell(4, 1), "4");
  EXPECT_EQ(g.Cell(4, 2), "g4");
  EXPECT_EQ(g.Cell(4, 3), "2");
  EXPECT_EQ(g.Cell(4, 6), "abc");
  for (int c = 0; c < FindGrid::kColumns; ++c) EXPECT_EQ(g.Cell(5, c), "");
  EXPECT_EQ(g.CountText(), "検索結果　4 件");
}

TEST(FindGrid, TextColumnTakesTheWidthTheOtherColumnsLeave) {
  EXPECT_EQ(FindGrid::TextColumnWidth(900), 380);
  EXPECT_EQ(FindGrid::TextColumnWidth(520 + 61), 61);
  EXPECT_EQ(FindGrid::TextColumnWidth(300), FindGrid::kMinTextWidth);
}

TEST(FindGrid, RowLocationsParseStrictlyAndSkipHeaderAndEmptyRow) {
  struct Case {
    const char *g, *i, *p;
    std::optional<HitLocation> at;
  };
  const Case cases[] = {
      {"3", "1", "42", HitLocation{3, 1, 42}},
      {"0", "-1", "-1", HitLocation{0, -1, -1}},
      {"", "1", "0", std::nullopt},
      {"1", "x", "0", std::nullopt},
      {"1", "2", "3a", std::nullopt},
      {" 1", "2", "3", std::nullopt},
      {"1", "2", "", std::nullopt},
      {"1", "2", "99999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseHitLocation(c.g, c.i, c.p), c.at) << c.g << "|" << c.i << "|" << c.p;

  FindGrid g;
  g.Prepare("a", FindGrid::mdGroup, 0);
  g.AppendHits({SearchHit{1, 2, 3, "g", "i", "a"}}, false);
  EXPECT_EQ(g.Locate(1), (HitLocation{1, 2, 3}));
  EXPECT_EQ(g.Locate(0), std::nullopt);
  EXPECT_EQ(g.Locate(2), std::nullopt);
  EXPECT_EQ(g.Locate(-1), std::nullopt);
}

// A window with three groups: texts to open, and a matching group without items.
struct Opened : Window {
  Opened() {
    AddGroup("first", {{"a", "nothing"}});
    AddGroup("second", {{"b", "line one\r\nfind me"}, {"c", Sjis("全角のＡＢＣです")}});
    AddGroup("empty match", {});
    Open(0, 0);
  }
  std::unique_ptr<FindGrid> Grid(const std::string& text, TSearchOptions options, bool names,
                                 const std::vector<SearchHit>& hits) {
    auto g = std::make_unique<FindGrid>();
    g->Prepare(text, names ? FindGrid::mdNames : FindGrid::mdFullText, options | soForward);
    g->AppendHits(hits, names);
    return g;
  }
};

TEST(OpenRow, TextRowSelectsGroupAndItemAndTheHit) {
  Opened w;
  auto g = w.Grid("find", 0, false, {SearchHit{1, 0, 10, "second", "b", "find me"}});
  w.commands.OpenRow(*g, 1);
  EXPECT_EQ(w.selections, (std::vector<std::string>{"group 0", "item 0", "group 1", "item 0"}));
  EXPECT_EQ(w.open_group, 1);
  EXPECT_EQ(w.focus, "editor");
  EXPECT_EQ(w.editor.SelStart(), 10);
  EXPECT_EQ(w.editor.SelText(), "find");
  EXPECT_EQ(w.editor.Row(), 1);

  // A width-folded hit is selected with the length it has in the text.
  const std::string text = Sjis("全角のＡＢＣです");
  const int at = static_cast<int>(text.find(Sjis("ＡＢＣ")));
  auto wide = w.Grid("abc", soIgnoreWidth, false, {SearchHit{1, 1, at, "second", "c", ""}});
  w.commands.OpenRow(*wide, 1);
  EXPECT_EQ(w.editor.SelStart(), at);
  EXPECT_EQ(w.editor.SelText(), Sjis("ＡＢＣ"));
}

TEST(OpenRow, ItemNameRowPutsTheCaretAtTheStartWithNothingSelected) {
  Opened w;
  w.Select(3, 2);
  auto g = w.Grid("b", 0, true, {SearchHit{1, 0, 0, "second", "b", "line one"}});
  w.commands.OpenRow(*g, 1);
  EXPECT_EQ(w.open_group, 1);
  EXPECT_EQ(w.open_item, 0);
  EXPECT_EQ(w.editor.SelStart(), 0);
  EXPECT_EQ(w.editor.SelLength(), 0);
  EXPECT_EQ(w.focus, "editor");
}

TEST(OpenRow, GroupNameRowWithoutItemsFocusesTheGroupList) {
  Opened w;
  w.commands.State().Text = "match";
  w.commands.State().SearchRange = srNames;
  w.find_warning = false;
  w.dialog_user = [](FindDialogValues&) {};
  w.commands.Find();
  ASSERT_EQ(w.results.size(), 1u);
  const FindGrid& g = *w.results[0];
  ASSERT_EQ(g.HitCount(), 1);
  EXPECT_EQ(g.Locate(1), (HitLocation{2, -1, -1}));
  w.commands.OpenRow(g, 1);
  EXPECT_EQ(w.open_group, 2);
  EXPECT_EQ(w.open_item, -1);
  EXPECT_EQ(w.focus, "groups");
  EXPECT_EQ(w.editor.SelLength(), 0);
}

TEST(OpenRow, HeaderEmptyRowAndVanishedEntriesOpenNothing) {
  Opened w;
  auto g = w.Grid("find", 0, false, {SearchHit{7, 0, 0, "gone", "x", ""}, SearchHit{1, 5, 0, "second", "gone", ""}});
  const auto before = w.selections.size();
  w.commands.OpenRow(*g, 0);
  w.commands.OpenRow(*g, 3);
  EXPECT_EQ(w.selections.size(), before);
  w.commands.OpenRow(*g, 1);  // group 7 does not exist
  w.commands.OpenRow(*g, 2);  // group 1 has no item 5
  EXPECT_EQ(w.focus, "");
  EXPECT_EQ(w.editor.SelLength(), 0);
}

}  // namespace
}  // namespace findtest
