// The text rules of the entry commands: the entry dialog's name check, naming an item from its
// text or its selection, the order a multi-delete removes entries in, and the shortcut hints.
#include <gtest/gtest.h>

#include "fixture.h"
#include "mainwin/actions.h"
#include "mainwin/commands.h"

using namespace mainwin;
using mwtest::Sjis;

namespace {

// Lines given in UTF-8, the name back in UTF-8.
std::optional<std::string> FromLines(const std::vector<std::string>& utf8) {
  auto name = NameFromLines(static_cast<int>(utf8.size()), [&](int k) { return Sjis(utf8[static_cast<size_t>(k)]); });
  if (!name) return std::nullopt;
  return mwtest::Utf8(*name);
}

TEST(EntryNames, TheDialogRefusesEmptyBlankAndOneIdeographicSpace) {
  struct Case {
    const char* utf8;
    bool accepted;
  };
  const Case cases[] = {
      {"", false},    {"   ", false}, {"\t \r\n", false}, {"　", false},    {" 　 ", false},
      {"　　", true}, {"a", true},    {" 名前 ", true},   {"　名前", true}, {"\x01x\x1f", true},
  };
  for (const Case& c : cases) EXPECT_EQ(EntryNameAcceptable(Sjis(c.utf8)), c.accepted) << c.utf8;
}

TEST(EntryNames, TrimmingCutsControlsAndSpacesButNeverHalfACharacter) {
  EXPECT_EQ(TrimName(Sjis("\t 見出し \r\n")), Sjis("見出し"));
  // 0x81 0x40 is the ideographic space: it is a character, not blank bytes.
  EXPECT_EQ(TrimName(Sjis(" 　x　 ")), Sjis("　x　"));
  EXPECT_EQ(TrimName("   "), "");
}

TEST(EntryNames, NameFromTheFirstLineThatIsNotBlank) {
  EXPECT_EQ(FromLines({"", "　", " \t ", "  見出し  ", "本文"}), "見出し");
  EXPECT_EQ(FromLines({"first", "second"}), "first");
  EXPECT_EQ(FromLines({"", "　", "  "}), std::nullopt);
  EXPECT_EQ(FromLines({}), std::nullopt);
  // Lines after the name are never asked for (a huge text costs one line).
  int asked = 0;
  NameFromLines(1000000, [&](int k) {
    ++asked;
    return k < 2 ? std::string() : std::string("x");
  });
  EXPECT_EQ(asked, 3);
}

TEST(EntryNames, NameFromTheSelectionTrimmedAsAWhole) {
  EXPECT_EQ(NameFromSelection(Sjis("  選択 ")), Sjis("選択"));
  EXPECT_EQ(NameFromSelection(Sjis("　")), std::nullopt);
  EXPECT_EQ(NameFromSelection(""), std::nullopt);
  EXPECT_EQ(NameFromSelection("\r\nab\r\ncd\r\n"), "ab\r\ncd");
}

TEST(MultiDelete, PositionsAreRemovedHighestFirstEachOnce) {
  EXPECT_EQ(DeletionOrder({1, 3, 4}, 5), (std::vector<int>{4, 3, 1}));
  EXPECT_EQ(DeletionOrder({3, 1, 4, 3}, 5), (std::vector<int>{4, 3, 1}));
  // Positions outside the list are never passed to the store.
  EXPECT_EQ(DeletionOrder({-1, 0, 5, 7}, 5), (std::vector<int>{0}));
  EXPECT_TRUE(DeletionOrder({}, 5).empty());
}

TEST(Shortcuts, HintsForTheSettingsDialogAreTheHintsNotTheCaptions) {
  std::vector<std::string> hints = {"left over"};
  ListActionHints(hints);
  ASSERT_EQ(hints.size(), 55u);
  EXPECT_EQ(hints[0], "全て選択");
  EXPECT_EQ(hints[18], "印刷");  // caption "印刷..."
  EXPECT_EQ(hints[29], "グループを一つ上へ");
  EXPECT_EQ(hints[52], "テキスト最初の有効行からアイテム名を付ける");
  EXPECT_EQ(hints[53], "選択文字列をアイテム名にする");
  EXPECT_EQ(hints[54], "タイムスタンプの設定");  // caption "カスタマイズ"
}

TEST(Shortcuts, AStoredListOf50IsExtendedByTheShortcutsOfActions50To54) {
  std::vector<std::string> designed;
  for (const ActionSpec& a : ActionTable()) designed.emplace_back(a.shortcut);
  store::TListDataClass list;
  list.ShortCutList.assign(50, "");
  list.ShortCutList[11] = "F2";  // the user moved find to F2
  const std::vector<std::string> applied = list.ApplyShortCuts(designed);
  ASSERT_EQ(list.ShortCutList.size(), 55u);
  for (size_t k = 50; k < 55; ++k) EXPECT_EQ(list.ShortCutList[k], designed[k]) << k;
  EXPECT_EQ(applied[11], "F2");
  EXPECT_EQ(applied[0], "");  // a stored empty text removes the designed Ctrl+A
  // Extra lines of a longer list stay stored but reach no action.
  list.ShortCutList.push_back("Ctrl+Q");
  EXPECT_EQ(list.ApplyShortCuts(designed).size(), 55u);
  EXPECT_EQ(list.ShortCutList.size(), 56u);
}

}  // namespace
