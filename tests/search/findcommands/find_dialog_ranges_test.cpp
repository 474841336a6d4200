// The find dialog's flow: what it starts from, Cancel, and the four ranges with their
// confirmations, write-back and messages.
#include "fixture.h"

namespace findtest {
namespace {

// Two groups on disk; the first one open on its first item.
void TwoGroups(Window& w) {
  w.AddGroup("memo", {{"shopping", "milk, bread"}, {"todo", "buy milk\r\nmilk again"}});
  w.AddGroup("work", {{"plan", "no match"}, {"notes", "milk for the office"}});
  w.Open(0, 0);
}

void Answer(Window& w, const std::string& text, TSearchOptions options, int range) {
  w.dialog_user = [=](FindDialogValues& v) {
    v.Text = text;
    v.Options = options;
    v.SearchRange = range;
  };
}

TEST(FindDialog, StartsFromSelectionAndLastValuesButCancelLeavesOptionsEmpty) {
  Window w;
  w.editor.SetText("ABC abc");
  w.commands.State().Options = soBackward | soWholeWord;
  w.commands.State().SearchRange = srAllItems;
  w.Select(4, 3);
  w.dialog_ok = false;
  Answer(w, "ABC", soForward | soMatchCase, srOpenItem);  // ticks match case, then cancels
  w.commands.Find();
  ASSERT_EQ(w.dialog_in.size(), 1u);
  EXPECT_EQ(w.dialog_in[0].Text, "abc");
  EXPECT_EQ(w.dialog_in[0].Options, soBackward | soWholeWord);
  EXPECT_EQ(w.dialog_in[0].SearchRange, srAllItems);
  EXPECT_EQ(w.commands.State().Text, "abc");
  EXPECT_EQ(w.commands.State().Options, 0);
  EXPECT_EQ(w.commands.State().SearchRange, srAllItems);
  EXPECT_EQ(w.history, std::vector<std::string>{"abc"});  // even a cancelled dialog records the text

  w.commands.State().Text = "ABC";
  w.Select(1);
  w.commands.FindNext(true);  // case-insensitive: "abc" at 4 matches "ABC"
  EXPECT_EQ(w.editor.SelStart(), 4);
  EXPECT_TRUE(w.messages.empty());
}

TEST(FindDialog, OpenItemRangeSearchesInTheDialogsDirection) {
  Window w;
  w.editor.SetText("abc ABC abc");
  w.Select(5);
  Answer(w, "abc", soBackward | soMatchCase, srOpenItem);
  w.commands.Find();
  EXPECT_EQ(w.editor.SelStart(), 0);
  EXPECT_EQ(w.commands.State().Options, soBackward | soMatchCase);
  w.commands.Find();  // the hit is selected, so it becomes the text; still backwards from it
  ASSERT_EQ(w.messages.size(), 1u);
  EXPECT_EQ(w.messages[0].text, NotFoundMessage("abc", false));
  EXPECT_TRUE(w.results.empty());
}

TEST(FindDialog, GroupRangeAsksOnlyForUnsavedEditsThenSearchesTheItemsInMemory) {
  Window w;
  TwoGroups(w);
  Answer(w, "milk", soForward, srGroupItems);
  w.commands.Find();  // nothing typed: no question
  EXPECT_TRUE(w.questions.empty());
  ASSERT_EQ(w.results.size(), 1u);
  EXPECT_EQ(w.results[0]->Mode(), FindGrid::mdGroup);
  EXPECT_EQ(w.results[0]->HitCount(), 3);

  w.editor.SetSelStart(0);
  w.editor.InsertText("milk ");  // unsaved, and only in the editor
  w.answers = {false};
  w.commands.Find();
  ASSERT_EQ(w.questions.size(), 1u);
  EXPECT_EQ(w.questions[0].caption, "データ保存の確認");
  EXPECT_EQ(w.questions[0].text, "検索する前に開いているアイテムを保存します");
  EXPECT_EQ(w.questions[0].buttons, QuestionButtons::OkCancel);
  EXPECT_EQ(w.results.size(), 1u);  // cancelled: no search
  EXPECT_EQ(w.items.ItemAt(0).ItemText, "milk, bread");

  w.answers = {true};
  w.commands.Find();
  ASSERT_EQ(w.results.size(), 2u);
  EXPECT_EQ(w.results[1]->HitCount(), 4);  // the typed "milk" was written back first
  EXPECT_EQ(w.results[1]->Cell(1, 5), "0");
  EXPECT_EQ(w.saves, 0);  // the group file is not written for a group search

  w.find_warning = false;
  w.answers.clear();
  w.commands.Find();
  EXPECT_EQ(w.questions.size(), 2u);
  EXPECT_EQ(w.results.size(), 3u);
}

TEST(FindDialog, GroupRangeWithoutHitsOffersTheFullTextSearchOnSavedFiles) {
  Window w;
  w.AddGroup("memo", {{"shopping", "office milk"}});
  w.AddGroup("work", {{"notes", "milk for the office"}});
  w.Open(0, 0);
  w.editor.SetText("milk");  // the user removed "office"; the file still holds it
  w.editor.SetModified(true);
  w.find_warning = false;
  Answer(w, "office", soForward, srGroupItems);

  w.answers = {false};
  w.commands.Find();
  ASSERT_EQ(w.questions.size(), 1u);
  EXPECT_EQ(w.questions[0].caption, "検索結果");
  EXPECT_EQ(w.questions[0].text,
            "グループ内に検索文字列は見つかりませんでした\r\nひきつづき全グループで検索をしますか？");
  EXPECT_EQ(w.questions[0].buttons, QuestionButtons::YesNo);
  EXPECT_EQ(w.questions[0].icon, MessageIcon::Question);
  EXPECT_TRUE(w.results.empty());
  EXPECT_EQ(w.saves, 0);

  w.answers = {true};
  w.commands.Find();
  ASSERT_EQ(w.results.size(), 1u);
  EXPECT_EQ(w.results[0]->Mode(), FindGrid::mdFullText);
  ASSERT_EQ(w.results[0]->HitCount(), 1);  // the stale text of the open group is not reported
  EXPECT_EQ(w.results[0]->Cell(1, 2), "work");
  EXPECT_EQ(w.saves, 1);
}

TEST(FindDialog, AllItemsRangeAlwaysAsksSavesAndNumbersRowsAcrossGroups) {
  Window w;
  TwoGroups(w);
  Answer(w, "MILK", soForward, srAllItems);
  w.answers = {false};
  w.commands.Find();
  ASSERT_EQ(w.questions.size(), 1u);
  EXPECT_EQ(w.questions[0].text, "検索する前に開いているグループを保存します");
  EXPECT_EQ(w.questions[0].icon, MessageIcon::None);
  EXPECT_EQ(w.saves, 0);
  EXPECT_TRUE(w.results.empty());

  w.answers = {true};
  w.commands.Find();
  EXPECT_EQ(w.saves, 1);
  ASSERT_EQ(w.results.size(), 1u);
  const FindGrid& g = *w.results[0];
  EXPECT_EQ(g.Mode(), FindGrid::mdFullText);
  ASSERT_EQ(g.HitCount(), 4);
  EXPECT_EQ(g.RowCount(), 6);
  const std::vector<std::vector<std::string>> rows = {
      {"1", "0", "memo", "0", "shopping", "0", "milk, bread"},
      {"2", "0", "memo", "1", "todo", "4", "milk\r\nmilk again"},
      {"3", "0", "memo", "1", "todo", "10", "milk again"},
      {"4", "1", "work", "1", "notes", "0", "milk for the office"},
  };
  for (int r = 1; r <= 4; ++r)
    for (int c = 0; c < FindGrid::kColumns; ++c) EXPECT_EQ(g.Cell(r, c), rows[r - 1][c]) << r << "," << c;
  EXPECT_TRUE(w.commands.State().Options & soForward);
}

TEST(FindDialog, AllItemsWithoutAnyHitShowsTheMessageAndNoWindow) {
  Window w;
  TwoGroups(w);
  w.find_warning = false;
  Answer(w, "zebra", soForward, srAllItems);
  w.commands.Find();
  EXPECT_TRUE(w.questions.empty());
  EXPECT_TRUE(w.results.empty());
  ASSERT_EQ(w.messages.size(), 1u);
  EXPECT_EQ(w.messages[0].caption, "検索結果");
  EXPECT_EQ(w.messages[0].text, "全文検索しましたが\r\n検索文字列は見つかりませんでした");
  EXPECT_EQ(w.messages[0].icon, MessageIcon::Information);
}

TEST(FindDialog, AFailedSaveOrAnUnreadableFileStopsTheSearch) {
  Window w;
  TwoGroups(w);
  w.find_warning = false;
  Answer(w, "milk", soForward, srAllItems);
  w.save_succeeds = false;
  w.commands.Find();
  EXPECT_TRUE(w.results.empty());
  EXPECT_TRUE(w.messages.empty());

  w.save_succeeds = true;
  const std::string file = w.folder.FilePath(w.groups.ItemFileName(1));
  w.open_group = -1;  // keep the fake from rewriting anything
  const std::string good = testutil::ReadAll(file);
  testutil::WriteAll(file, good.substr(0, good.size() / 2));
  testutil::RecordingReporter quiet;
  w.commands.Find();
  EXPECT_EQ(w.errors.size(), 1u);
  EXPECT_TRUE(w.results.empty());
  EXPECT_TRUE(w.messages.empty());
}

TEST(FindDialog, NamesRangeFindsGroupAndItemNamesOrOffersTheTexts) {
  Window w;
  w.AddGroup("plans", {});
  w.AddGroup("memo", {{"shopping", "milk, bread"}});
  w.AddGroup("work", {{"plan", "no match"}});
  w.Open(1, 0);
  Answer(w, "plan", soForward, srNames);
  w.answers = {true};
  w.commands.Find();
  EXPECT_EQ(w.questions[0].icon, MessageIcon::Question);
  EXPECT_EQ(w.saves, 1);
  ASSERT_EQ(w.results.size(), 1u);
  const FindGrid& g = *w.results[0];
  EXPECT_EQ(g.Mode(), FindGrid::mdNames);
  EXPECT_TRUE(g.Names());
  ASSERT_EQ(g.HitCount(), 2);
  EXPECT_EQ(g.Cell(1, 3), "-1");  // the group without items
  EXPECT_EQ(g.Cell(1, 5), "-1");
  EXPECT_EQ(g.Cell(1, 4), kGroupNameHitItemName);
  EXPECT_EQ(g.Cell(2, 1), "2");
  EXPECT_EQ(g.Cell(2, 4), "plan");
  EXPECT_EQ(g.Cell(2, 5), "0");

  Answer(w, "bread", soForward, srNames);
  w.answers = {true, false};  // save: OK; go on with the texts: No
  w.commands.Find();
  ASSERT_EQ(w.questions.size(), 3u);
  EXPECT_EQ(w.questions[2].text,
            "全グループ・アイテム名を検索しましたが\r\n検索文字列は見つかりませんでした\r\n\r\n"
            "ひきつづき全グループのテキストを検索をしますか？");
  EXPECT_EQ(w.questions[2].buttons, QuestionButtons::YesNo);
  EXPECT_EQ(w.results.size(), 1u);

  w.answers = {true, true};
  w.commands.Find();
  ASSERT_EQ(w.results.size(), 2u);
  EXPECT_EQ(w.results[1]->Mode(), FindGrid::mdFullText);
  EXPECT_FALSE(w.results[1]->Names());
  EXPECT_EQ(w.results[1]->Cell(1, 5), "6");
  EXPECT_EQ(w.results[1]->Cell(1, 6), "bread");
}

}  // namespace
}  // namespace findtest
