// Clipboard operations, box paste, the built-in pop-up menu and its shortcuts, and read-only
// refusals of every editing path.
#include <gtest/gtest.h>

#include <string>

#include "fake_viewport.h"

namespace editor::testing {
namespace {

void Foreign(FakeViewport& v, std::string text) { v.clipboard = ClipboardContent{true, std::move(text), false, 0}; }

TEST(Clipboard, BoxCopyPastesAsABoxAndForeignTextAsAStream) {
  Editor e("abc\r\ndef");
  e.model.SetBoxSelection(true);
  e.model.Select({0, 0}, {1, 2});
  e.model.CopyToClipboard();
  EXPECT_TRUE(e.view.clipboard.box);
  EXPECT_EQ(e.view.clipboard.text, "ab\r\nde");
  e.model.SetBoxSelection(false);
  e.model.ClearSelection();
  e.model.SetRowCol(0, 3);
  e.model.PasteFromClipboard();
  EXPECT_EQ(e.Text(), "abcab\r\ndefde");

  Editor f("abc\r\ndef");
  Foreign(f.view, "ab\r\nde");
  f.model.SetRowCol(0, 3);
  f.model.PasteFromClipboard();
  EXPECT_EQ(f.Text(), "abcab\r\nde\r\ndef");
}

TEST(Clipboard, StreamCopyIsNotMarkedBox) {
  Editor e("abc\r\ndef");
  e.model.Select({0, 1}, {1, 1});
  e.model.CopyToClipboard();
  EXPECT_FALSE(e.view.clipboard.box);
  EXPECT_EQ(e.view.clipboard.text, "bc\r\nd");
}

TEST(Clipboard, CutCopiesThenDeletes) {
  Editor e("abc");
  e.model.Select({0, 1}, {0, 3});
  e.model.CutToClipboard();
  EXPECT_EQ(e.view.clipboard.text, "bc");
  EXPECT_EQ(e.Text(), "a");
}

// Text from other programs ends its lines with LF (or CR); the caret still ends after it.
TEST(Clipboard, PastedLineEndsOfEveryKindLeaveTheCaretAfterTheText) {
  const std::string ichi = "\x88\xEA\x8D\x73\x96\xDA";  // 一行目
  const std::string ni = "\x93\xF1\x8D\x73\x96\xDA";    // 二行目
  const std::string san = "\x8E\x4F\x8D\x73\x96\xDA";   // 三行目
  for (const char* eol : {"\n", "\r", "\r\n"}) {
    for (const bool wrap : {false, true}) {
      Editor e("first\r\nlast");
      e.model.SetWordWrap(wrap);
      e.model.SetRowCol(0, 5);
      Foreign(e.view, std::string("AAA") + eol + "BBB" + eol + "CCC");
      e.model.PasteFromClipboard();
      e.Type("X");
      EXPECT_EQ(e.Text(), "firstAAA\r\nBBB\r\nCCCX\r\nlast") << "eol " << int(eol[0]) << " wrap " << wrap;
      Editor j;
      j.model.SetWordWrap(wrap);
      j.model.InsertText(ichi + eol + ni + eol + san);
      j.Type("X");
      EXPECT_EQ(j.Text(), ichi + "\r\n" + ni + "\r\n" + san + "X");
      EXPECT_EQ(j.UndoEntries(), 2u);
    }
  }
}

TEST(Clipboard, PasteWithoutTextDoesNothing) {
  Editor e("abc");
  e.model.PasteFromClipboard();
  EXPECT_EQ(e.Text(), "abc");
  EXPECT_EQ(e.UndoEntries(), 0u);
}

struct BoxPasteCase {
  const char* name;
  std::string text;
  Position at;
  std::string pasted;
  std::string expected;
};

class BoxPasteTest : public ::testing::TestWithParam<BoxPasteCase> {};

TEST_P(BoxPasteTest, InsertsEachLineAtTheColumnOfItsRow) {
  const BoxPasteCase& c = GetParam();
  Editor e(c.text);
  e.model.SetRowCol(c.at.row, c.at.col);
  e.model.PasteBox(c.pasted);
  EXPECT_EQ(e.Text(), c.expected);
  EXPECT_EQ(e.UndoEntries(), 1u);
  e.model.Undo();
  EXPECT_EQ(e.Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoxPasteTest,
    ::testing::Values(BoxPasteCase{"Rows", "abcd\r\nefgh", {0, 2}, "1\r\n2", "ab1cd\r\nef2gh"},
                      BoxPasteCase{"PadsShortRows", "abcd\r\na", {0, 3}, "X\r\nY", "abcXd\r\na  Y"},
                      BoxPasteCase{"AddsRowsAtTextEnd", "ab", {0, 1}, "1\r\n2\r\n3", "a1b\r\n 2\r\n 3"},
                      BoxPasteCase{"AddsRowsAfterBreak", "ab\r\n", {0, 1}, "1\r\n2", "a1b\r\n 2\r\n"},
                      BoxPasteCase{"FinalBreakAddsNoLine", "ab\r\ncd", {0, 0}, "1\r\n2\r\n", "1ab\r\n2cd"},
                      BoxPasteCase{"EmptyText", "", {0, 0}, "1\r\n2", "1\r\n2"},
                      BoxPasteCase{"NeverSplitsACharacter",
                                   "ab\r\n\x82\xa0x",
                                   {0, 1},
                                   "1\r\n2",
                                   "a1b\r\n\x82\xa0"
                                   "2x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoxPaste, ReplacesASelectionFromItsTopLeft) {
  Editor e("abcd\r\nefgh");
  e.model.SetBoxSelection(true);
  e.model.Select({0, 1}, {1, 3});
  e.model.PasteBox("XY\r\nZW");
  EXPECT_EQ(e.Text(), "aXYd\r\neZWh");
}

// ---- menu

const MenuItem& Find(const std::vector<MenuItem>& menu, MenuAction action) {
  for (const MenuItem& m : menu)
    if (m.action == action) return m;
  static const MenuItem none;
  ADD_FAILURE() << "no menu item for action " << static_cast<int>(action);
  return none;
}

TEST(PopupMenu, HasTheItemsInOrderWithTheirShortcuts) {
  Editor e("abc");
  const std::vector<MenuItem> menu = e.model.PopupMenu();
  std::string captions, shortcuts;
  for (const MenuItem& m : menu) {
    captions += m.caption + "|";
    shortcuts += m.shortcut + "|";
  }
  EXPECT_EQ(captions,
            "マーク設定|マークジャンプ|-|元に戻す(&U)|やり直し(&R)|-|切り取り(&T)|コピー(&C)|貼り付け(&P)|"
            "Box貼り付け(&B)|削除(&D)|-|すべて選択(&A)|-|Box選択モード(&K)|");
  EXPECT_EQ(shortcuts, "|||Ctrl+Z|Ctrl+A||Ctrl+X|Ctrl+C|Ctrl+V|Ctrl+B|||||Ctrl+K|");
  ASSERT_EQ(menu[0].items.size(), 10u);
  EXPECT_EQ(menu[0].items[3].caption, "3");
  EXPECT_EQ(menu[0].items[3].shortcut, "Shift+Ctrl+3");
  EXPECT_EQ(menu[1].items[9].shortcut, "Ctrl+9");
}

TEST(PopupMenu, EnablingFollowsTheStateAndReadOnly) {
  Editor e("abc");
  auto enabled = [&](MenuAction a) { return Find(e.model.PopupMenu(), a).enabled; };
  EXPECT_FALSE(enabled(MenuAction::Undo));
  EXPECT_FALSE(enabled(MenuAction::Copy));
  EXPECT_FALSE(enabled(MenuAction::Paste));
  EXPECT_TRUE(enabled(MenuAction::SelectAll));
  e.Type("x");
  e.model.SelectAll();
  Foreign(e.view, "t");
  for (const MenuAction a : {MenuAction::Undo, MenuAction::Cut, MenuAction::Copy, MenuAction::Paste,
                             MenuAction::PasteBox, MenuAction::Delete})
    EXPECT_TRUE(enabled(a)) << static_cast<int>(a);
  e.model.SetReadOnly(true);
  for (const MenuAction a :
       {MenuAction::Undo, MenuAction::Cut, MenuAction::Paste, MenuAction::PasteBox, MenuAction::Delete})
    EXPECT_FALSE(enabled(a)) << static_cast<int>(a);
  EXPECT_TRUE(enabled(MenuAction::Copy));
  EXPECT_TRUE(enabled(MenuAction::SelectAll));

  Editor empty("");
  EXPECT_FALSE(Find(empty.model.PopupMenu(), MenuAction::SelectAll).enabled);
}

TEST(PopupMenu, ChecksMarksInUseAndBoxMode) {
  Editor e("a\r\nb\r\nc");
  e.model.SetMark(1, 4);
  e.model.SetBoxSelection(true);
  const std::vector<MenuItem> menu = e.model.PopupMenu();
  EXPECT_TRUE(menu[0].items[4].checked);
  EXPECT_TRUE(menu[1].items[4].checked);
  EXPECT_FALSE(menu[0].items[5].checked);
  EXPECT_TRUE(Find(menu, MenuAction::ToggleBoxSelection).checked);
}

TEST(PopupMenu, ActionsRunThroughExecuteMenuAndShortcuts) {
  Editor e("abc\r\ndef");
  e.model.SetRow(1);
  e.model.ExecuteMenu(MenuAction::ToggleMark, 2);
  EXPECT_EQ(e.model.RowMarks(1), 1u << 2);
  e.model.ExecuteMenu(MenuAction::ToggleMark, 2);
  EXPECT_EQ(e.model.RowMarks(1), 0u);
  EXPECT_FALSE(e.model.MarkInUse(2));

  EXPECT_TRUE(e.model.KeyDown('5', kModCtrl | kModShift));
  EXPECT_EQ(e.model.RowMarks(1), 1u << 5);
  e.model.SetRow(0);
  EXPECT_TRUE(e.model.KeyDown('5', kModCtrl));
  EXPECT_EQ(e.model.Row(), 1);

  e.Type("x");
  EXPECT_TRUE(e.model.KeyDown('Z', kModCtrl));
  EXPECT_EQ(e.Text(), "abc\r\ndef");
  EXPECT_TRUE(e.model.KeyDown('A', kModCtrl));  // redo
  EXPECT_NE(e.Text(), "abc\r\ndef");
  EXPECT_TRUE(e.model.KeyDown('K', kModCtrl));
  EXPECT_TRUE(e.model.BoxSelection());

  e.model.SetMenuShortcuts(false);
  EXPECT_FALSE(e.model.KeyDown('K', kModCtrl));
  EXPECT_TRUE(e.model.BoxSelection());
}

// ---- read-only

TEST(ReadOnly, EveryEditingPathIsRefusedWhileMovingAndCopyingWork) {
  Editor e("abc\r\n  def");
  e.Type("x");
  e.model.Undo();
  ASSERT_TRUE(e.model.CanRedo());
  e.model.SetReadOnly(true);
  e.model.SetModified(false);
  e.view.changes = 0;
  const std::string before = e.Text();
  Foreign(e.view, "clip");
  e.model.SetRowCol(1, 3);

  e.Type("q\t\r\b");
  e.model.ImeCommit("\x82\xa0");
  for (const KeyCode k : {keys::kDelete, keys::kBackspace, keys::kReturn, keys::kTab}) e.Key(k);
  e.Key(keys::kReturn, kModShift);
  e.model.InsertText("ins");
  e.model.PasteBox("box");
  e.model.PasteFromClipboard();
  e.model.DeleteRow(0);
  e.model.Redo();
  e.model.Drop(e.X(0), e.Y(0), kModNone, "dropped", false);
  e.model.Select({0, 0}, {0, 2});
  e.model.CutToClipboard();
  EXPECT_EQ(e.view.clipboard.text, "clip");
  e.model.DeleteSelection();
  e.model.ExecuteMenu(MenuAction::PasteBox);
  e.model.ExecuteMenu(MenuAction::Delete);
  EXPECT_EQ(e.Text(), before);
  EXPECT_FALSE(e.model.Modified());
  EXPECT_EQ(e.view.changes, 0);

  e.model.CopyToClipboard();
  EXPECT_EQ(e.view.clipboard.text, "ab");
  e.Key(keys::kDown);
  EXPECT_EQ(e.model.Row(), 1);
}

TEST(Modified, SetByEveryChangeWithOneOnChangeEach) {
  Editor e("abc");
  EXPECT_FALSE(e.model.Modified());
  e.Type("x");
  EXPECT_TRUE(e.model.Modified());
  EXPECT_EQ(e.view.changes, 1);
  e.model.SetModified(false);
  e.model.SetRowCol(0, 1);
  EXPECT_FALSE(e.model.Modified());
  e.model.PasteBox("1\r\n2");
  EXPECT_EQ(e.view.changes, 2);
  e.model.Undo();
  EXPECT_EQ(e.view.changes, 3);
  e.model.Lines().Add("line");
  EXPECT_EQ(e.view.changes, 4);
  EXPECT_TRUE(e.model.Modified());
}

}  // namespace
}  // namespace editor::testing
