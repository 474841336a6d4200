// Replace: the dialog's values into the search state, find next, replace and replace all.
#include "fixture.h"

namespace findtest {
namespace {

ReplaceDialogValues Values(const std::string& find, const std::string& replace, bool down = true,
                           bool matchCase = false, bool wholeWord = false) {
  return {find, replace, matchCase, wholeWord, down};
}

TEST(Replace, OpeningTakesTheSelectionAndShowsTheStoredTexts) {
  Window w;
  w.editor.SetText("alpha beta");
  w.commands.State().ReplaceText = "gamma";
  w.Select(6, 4);
  w.commands.Replace();
  ASSERT_EQ(w.replace_shown.size(), 1u);
  EXPECT_EQ(w.replace_shown[0], (std::pair<std::string, std::string>{"beta", "gamma"}));
  EXPECT_EQ(w.history, std::vector<std::string>{"beta"});
}

TEST(Replace, ButtonsStoreTheDialogsTextsOptionsAndPosition) {
  Window w;
  w.editor.SetText("Word word sword");
  w.commands.State().Options = soIgnoreWidth | soIgnoreSpaces | soBackward;
  w.Select(3);
  w.commands.ReplaceDialogButton(ReplaceButton::FindNext, Values("word", "x", true, true, true));
  const FindState& s = w.commands.State();
  EXPECT_EQ(s.Text, "word");
  EXPECT_EQ(s.ReplaceText, "x");
  EXPECT_EQ(s.Options, soForward | soMatchCase | soWholeWord);  // the rest is cleared
  EXPECT_EQ(s.Position.Start, 3);
  EXPECT_EQ(s.Position.Length, 4);
  EXPECT_EQ(w.editor.SelStart(), 5);  // whole word, case: neither "Word" nor "sword"
  EXPECT_EQ(w.history, std::vector<std::string>{"word"});

  w.commands.ReplaceDialogButton(ReplaceButton::FindNext, Values("word", "x", true, true, true));
  ASSERT_EQ(w.messages.size(), 1u);
  EXPECT_EQ(w.messages[0].text, NotFoundMessage("word", true));

  // Up searches towards the start.
  w.commands.ReplaceDialogButton(ReplaceButton::FindNext, Values("WORD", "x", false));
  EXPECT_EQ(w.editor.SelStart(), 0);
  EXPECT_EQ(w.commands.State().Options, 0);
}

TEST(Replace, ReplaceChangesTheSelectedMatchThenSelectsTheNext) {
  Window w;
  w.editor.SetText("cat dog cat dog");
  w.Select(0);
  w.commands.ReplaceDialogButton(ReplaceButton::FindNext, Values("dog", "wolf"));
  ASSERT_EQ(w.editor.SelStart(), 4);
  w.commands.ReplaceDialogButton(ReplaceButton::Replace, Values("dog", "wolf"));
  EXPECT_EQ(w.editor.Text(), "cat wolf cat dog");
  EXPECT_EQ(w.editor.SelStart(), 13);
  EXPECT_EQ(w.editor.SelText(), "dog");
  w.commands.ReplaceDialogButton(ReplaceButton::Replace, Values("dog", "wolf"));
  EXPECT_EQ(w.editor.Text(), "cat wolf cat wolf");
  ASSERT_EQ(w.messages.size(), 1u);  // no third match
  EXPECT_EQ(w.messages[0].text, NotFoundMessage("dog", true));

  // Nothing selected: the first match after the caret is replaced; an empty text deletes it.
  w.Select(0);
  w.commands.ReplaceDialogButton(ReplaceButton::Replace, Values("wolf ", ""));
  EXPECT_EQ(w.editor.Text(), "cat cat wolf");
  EXPECT_EQ(w.messages.size(), 2u);
}

TEST(Replace, ReplaceAllCountsRestoresTheCaretAndNeverRevisitsItsOwnText) {
  Window w;
  w.editor.SetText("a-a-a\r\na");
  w.Select(2);
  w.commands.ReplaceDialogButton(ReplaceButton::ReplaceAll, Values("a", "aa"));
  EXPECT_EQ(w.editor.Text(), "aa-aa-aa\r\naa");
  ASSERT_EQ(w.messages.size(), 1u);
  EXPECT_EQ(w.messages[0].caption, "置き換え結果");
  EXPECT_EQ(w.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(w.messages[0].text, "4 個を置き換えました");
  EXPECT_EQ(w.editor.SelStart(), 2);
  EXPECT_EQ(w.editor.SelLength(), 0);

  w.commands.ReplaceDialogButton(ReplaceButton::ReplaceAll, Values("zzz", "y"));
  ASSERT_EQ(w.messages.size(), 2u);
  EXPECT_EQ(w.messages[1].text, "0 個を置き換えました");

  w.commands.ReplaceDialogButton(ReplaceButton::ReplaceAll, Values("-", ""));
  EXPECT_EQ(w.editor.Text(), "aaaaaa\r\naa");
  EXPECT_EQ(w.messages[2].text, "2 個を置き換えました");
}

TEST(Replace, ReadOnlyTextIsNeverClaimedReplaced) {
  Window w;
  w.editor.SetText("one two one");
  w.editor.SetReadOnly(true);
  w.commands.ReplaceDialogButton(ReplaceButton::ReplaceAll, Values("one", "1"));
  EXPECT_EQ(w.editor.Text(), "one two one");
  EXPECT_EQ(w.messages.back().text, "0 個を置き換えました");
  w.Select(0);
  w.commands.ReplaceDialogButton(ReplaceButton::Replace, Values("one", "1"));
  EXPECT_EQ(w.editor.Text(), "one two one");
  EXPECT_EQ(w.editor.SelStart(), 0);  // the match is shown, not skipped
  EXPECT_EQ(w.editor.SelLength(), 3);
}

}  // namespace
}  // namespace findtest
