// F3 and Shift+F3 in the open item, their not-found message, and the search history.
#include "fixture.h"

namespace findtest {
namespace {

TEST(SearchHistory, NewTextsGoOnTopKnownOnesMoveThereAndFiftyAreKept) {
  std::vector<std::string> h;
  AddSearchHistory(h, "a");
  AddSearchHistory(h, "b");
  AddSearchHistory(h, "c");
  EXPECT_EQ(h, (std::vector<std::string>{"c", "b", "a"}));
  AddSearchHistory(h, "a");  // moves, not duplicated
  EXPECT_EQ(h, (std::vector<std::string>{"a", "c", "b"}));
  AddSearchHistory(h, "");
  EXPECT_EQ(h.size(), 3u);

  std::vector<std::string> full;
  for (int i = 1; i <= 50; ++i) AddSearchHistory(full, "t" + std::to_string(i));
  ASSERT_EQ(full.size(), 50u);
  EXPECT_EQ(full.back(), "t1");
  AddSearchHistory(full, "t51");
  EXPECT_EQ(full.size(), 50u);
  EXPECT_EQ(full.front(), "t51");
  EXPECT_EQ(full.back(), "t2");  // the oldest went
  AddSearchHistory(full, "t2");  // a known text at the bottom moves up, nothing drops out
  EXPECT_EQ(full.size(), 50u);
  EXPECT_EQ(full.front(), "t2");
  EXPECT_EQ(full.back(), "t3");

  std::vector<std::string> overlong(60, "x");
  for (int i = 0; i < 60; ++i) overlong[static_cast<size_t>(i)] = "o" + std::to_string(i);
  AddSearchHistory(overlong, "new");
  EXPECT_EQ(overlong.size(), 50u);
}

TEST(FindNext, NotFoundMessageNamesDirectionAndText) {
  EXPECT_EQ(NotFoundMessage("abc", true), "これより下に検索文字列\r\n\r\nabc\r\n\r\nは見つかりませんでした。");
  EXPECT_EQ(NotFoundMessage(Sjis("検索"), false), "これより上に検索文字列\r\n\r\n検索\r\n\r\nは見つかりませんでした。");
}

TEST(FindNext, ForwardAndBackwardStepThroughMatchesAndReportTheEnd) {
  Window w;
  w.editor.SetText("one abc two\r\nabc three");
  w.commands.State().Text = "abc";
  w.commands.FindNext(true);
  EXPECT_EQ(w.editor.SelStart(), 4);
  EXPECT_EQ(w.editor.SelText(), "abc");
  EXPECT_TRUE(w.commands.State().Options & soForward);
  w.commands.FindNext(true);
  EXPECT_EQ(w.editor.SelStart(), 13);
  w.commands.FindNext(true);
  ASSERT_EQ(w.messages.size(), 1u);
  EXPECT_EQ(w.messages[0].caption, "検索結果");
  EXPECT_EQ(w.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(w.messages[0].text, NotFoundMessage("abc", true));
  EXPECT_EQ(w.editor.SelStart(), 13);  // the last hit stays selected

  w.commands.FindNext(false);
  EXPECT_EQ(w.editor.SelStart(), 4);
  EXPECT_FALSE(w.commands.State().Options & soForward);  // Shift+F3 leaves the option off
  w.commands.FindNext(false);
  ASSERT_EQ(w.messages.size(), 2u);
  EXPECT_EQ(w.messages[1].text, NotFoundMessage("abc", false));
  EXPECT_EQ(w.history, std::vector<std::string>{"abc"});
}

TEST(FindNext, BackwardWithTheCaretRightAfterAMatchFindsThatMatch) {
  Window w;
  w.editor.SetText("xx abc yy abc");
  w.Select(6);  // just after the first "abc"
  w.commands.State().Text = "abc";
  w.commands.FindNext(false);
  EXPECT_TRUE(w.messages.empty());
  EXPECT_EQ(w.editor.SelStart(), 3);
  EXPECT_EQ(w.editor.SelLength(), 3);
}

TEST(FindNext, EmptyTextTakesTheSelectionOrDoesNothing) {
  Window w;
  w.editor.SetText("word and word");
  w.Select(2);
  w.commands.FindNext(true);  // no text, no selection: silent
  w.commands.FindNext(false);
  EXPECT_TRUE(w.messages.empty());
  EXPECT_TRUE(w.history.empty());
  EXPECT_EQ(w.commands.State().Text, "");
  EXPECT_EQ(w.editor.SelStart(), 2);
  EXPECT_EQ(w.editor.SelLength(), 0);

  w.Select(0, 4);  // "word" selected: it becomes the search text and the next one is found
  w.commands.FindNext(true);
  EXPECT_EQ(w.commands.State().Text, "word");
  EXPECT_EQ(w.editor.SelStart(), 9);
  EXPECT_EQ(w.history, std::vector<std::string>{"word"});
}

}  // namespace
}  // namespace findtest
