// The group and item commands run as the user triggers them: their effect on the stores, the
// lists, the editor, the item files and the history, what they ask, and what they leave alone
// when the user cancels.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture.h"

using namespace mainwin;
using mwtest::App;
using mwtest::SeedGroup;
using mwtest::Sjis;
using store::HistoryPosition;

namespace {

std::vector<HistoryPosition> Back(App& app) {
  return store::THistoryCollection::Positions(app.core->Data().History().CollectionBk);
}

std::vector<std::string> Rows(const mwtest::FakeListView& view) {
  std::vector<std::string> out;
  for (const auto& r : view.rows) out.push_back(mwtest::Utf8(r));
  return out;
}

std::vector<std::string> Names(const std::vector<mwtest::SeedItem>& items) {
  std::vector<std::string> n;
  for (const auto& i : items) n.push_back(i.name);
  return n;
}

std::string ItemFile(App& app, int g) {
  return app.core->Data().Folder().Path() + app.core->Data().Groups().ItemFileName(g);
}

// The items in the file of the group at position g of the list in memory.
std::vector<mwtest::SeedItem> ItemsOnDisk(App& app, int g) {
  store::TRootComponent_Item items(app.core->Data().Folder(), editorsettings::EditorSettingsFactory());
  items.LoadGroupFile(app.core->Data().Groups().ItemFileName(g));
  std::vector<mwtest::SeedItem> out;
  for (int i = 0; i < items.Count(); ++i)
    out.push_back({mwtest::Utf8(items.ItemAt(i).Name), mwtest::Utf8(items.ItemAt(i).ItemText), items.ItemAt(i).Line});
  return out;
}

std::vector<SeedGroup> TwoGroups() {
  return {{"A", {{"a0", "text a0"}, {"a1", "text a1"}}, 0}, {"B", {{"b0", "text b0"}}, 0}};
}

// ---- adding groups

TEST(GroupAdd, AddsAtTheEndOpensTheNewGroupAndSavesTheOneLeft) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().GroupSettings().Enabled = true;  // A has settings of its own; a new group has none
  app.Type("X");
  app.host.entryDialog = [](EntryFields& f) {
    f.name = Sjis("新");
    f.colour = store::clRed;
    f.style = 1;
    return true;
  };
  ASSERT_TRUE(app.Run(ActionId::GroupAdd));
  ASSERT_EQ(app.host.entryCaptions, (std::vector<std::string>{"グループ追加"}));
  EXPECT_EQ(app.host.entryShown[0].name, Sjis("新規グループ"));
  EXPECT_EQ(app.host.entryShown[0].colour, app.core->Data().MainData().GroupFontColor);
  EXPECT_EQ(app.host.entryShown[0].style, 0);
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"A", "B", "新"}));
  EXPECT_EQ(app.groupView.selection, 2);
  EXPECT_EQ(app.core->Data().Groups().SelIndex, 2);
  EXPECT_EQ(app.core->Data().Groups().GetColor(2), store::clRed);
  EXPECT_EQ(app.core->Data().Groups().GetStyle(2), 1);
  EXPECT_TRUE(app.itemView.rows.empty());
  EXPECT_EQ(app.Text(), "");
  EXPECT_FALSE(app.core->Data().GroupSettings().Enabled);
  EXPECT_FALSE(app.core->Data().StoreHeld());
  // The group left was saved, and its position is the newest history entry.
  EXPECT_EQ(ItemsOnDisk(app, 0)[0].text, "Xtext a0");
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{0, 0}}));
  app.Close();
  EXPECT_EQ(mwtest::StoredGroupNames(dir.Data()), (std::vector<std::string>{"A", "B", "新"}));
  EXPECT_TRUE(mwtest::StoredItems(dir.Data(), 2).empty());
}

TEST(GroupAdd, TheFirstGroupOfAnEmptyFolder) {
  mwtest::TempDir dir;
  App app(dir.Data());
  app.Start();
  app.Run(ActionId::GroupAdd);
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"新規グループ"}));
  EXPECT_EQ(app.core->GroupList().ItemIndex(), 0);
  EXPECT_TRUE(app.host.errors.empty());
  // And its first item.
  app.Run(ActionId::ItemAdd);
  EXPECT_EQ(Rows(app.itemView), (std::vector<std::string>{"新規アイテム"}));
  app.Type("最初のメモ");
  app.Close();
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[0].text, "最初のメモ");
}

TEST(GroupAdd, CancelChangesNothing) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 1);
  App app(dir.Data());
  app.Start();
  app.Type("typed ");
  app.host.entryDialog = [](EntryFields&) { return false; };
  app.Run(ActionId::GroupAdd);
  app.Run(ActionId::GroupInsert);
  EXPECT_EQ(app.host.entryCaptions.size(), 2u);
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(app.Text(), "typed text b0");
  EXPECT_TRUE(app.editor.Modified());
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 1)[0].text, "text b0");
}

TEST(GroupInsert, TheNewGroupTakesThePlaceAndTheEmptiedItemList) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 1);
  App app(dir.Data());
  app.Start();  // B, item 0
  app.core->Data().History().PushBack(1, 0);
  app.core->Data().History().PushBack(0, 1);
  app.Type("Y");
  app.Run(ActionId::GroupInsert);
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"A", "新規グループ", "B"}));
  EXPECT_EQ(app.groupView.selection, 1);
  EXPECT_TRUE(app.itemView.rows.empty());
  EXPECT_EQ(app.core->ItemList().PrevIndex(), -1);
  EXPECT_EQ(app.Text(), "");
  EXPECT_EQ(app.core->Data().Items().Count(), 0);
  // B was saved before it moved down; the history follows it.
  EXPECT_EQ(ItemsOnDisk(app, 2)[0].text, "Ytext b0");
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{2, 0}, {0, 1}}));
  // The open (empty) item list is the new group's: what is added there reaches its file.
  app.Run(ActionId::ItemAdd);
  app.Type("inserted group's memo");
  app.ClickGroup(2);
  EXPECT_EQ(app.Text(), "Ytext b0");
  app.Close();
  EXPECT_EQ(mwtest::StoredGroupNames(dir.Data()), (std::vector<std::string>{"A", "新規グループ", "B"}));
  ASSERT_EQ(mwtest::StoredItems(dir.Data(), 1).size(), 1u);
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 1)[0].text, "inserted group's memo");
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 2)[0].text, "Ytext b0");
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0).size(), 2u);
}

// ---- adding items

TEST(ItemAdd, AddsAtTheEndAndOpensTheEmptyItem) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.Type("Q");
  app.host.entryDialog = [](EntryFields& f) {
    f.name = Sjis("メモ");
    f.style = 2;
    f.colour = store::clBlue;
    return true;
  };
  app.Run(ActionId::ItemAdd);
  EXPECT_EQ(app.host.entryCaptions, (std::vector<std::string>{"アイテム追加"}));
  EXPECT_EQ(app.host.entryShown[0].name, Sjis("新規アイテム"));
  EXPECT_EQ(app.host.entryShown[0].colour, app.core->Data().MainData().ItemFontColor);
  EXPECT_EQ(Rows(app.itemView), (std::vector<std::string>{"a0", "a1", "メモ"}));
  EXPECT_EQ(app.itemView.selection, 2);
  EXPECT_EQ(app.core->Data().Items().SelIndex, 2);
  EXPECT_EQ(app.core->Data().Items().GetStyle(2), 2);
  EXPECT_EQ(app.core->Data().Items().GetColor(2), store::clBlue);
  EXPECT_EQ(app.Text(), "");
  EXPECT_TRUE(app.host.editorEnabled);
  EXPECT_FALSE(app.core->Data().StoreHeld());
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(0).ItemText), "Qtext a0");
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{0, 2}}));
  app.Type("new");
  app.ClickItem(0);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(2).ItemText), "new");
}

TEST(ItemInsert, InsertsAboveTheSelectedItemAndRenumbersTheHistory) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.ClickItem(1);
  app.core->Data().History().CollectionBk.clear();
  app.core->Data().History().PushBack(1, 0);
  app.Type("Z");
  app.Run(ActionId::ItemInsert);
  EXPECT_EQ(Rows(app.itemView), (std::vector<std::string>{"a0", "新規アイテム", "a1"}));
  EXPECT_EQ(app.itemView.selection, 1);
  EXPECT_EQ(app.Text(), "");
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(2).ItemText), "Ztext a1");
  // The item it was on moved down one place, and the new one is the newest position.
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{1, 0}, {0, 2}, {0, 1}}));
  app.Run(ActionId::HistoryBk);
  EXPECT_EQ(app.core->ItemList().ItemIndex(), 2);
  EXPECT_EQ(app.Text(), "Ztext a1");
}

TEST(ItemAdd, NeedsAnOpenGroupAndCancelAddsNothing) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.host.entryDialog = [](EntryFields&) { return false; };
  EXPECT_FALSE(app.commands->Entries().AddItemEntry(true, 0, "x"));
  EXPECT_EQ(app.itemView.rows.size(), 2u);
  EXPECT_TRUE(Back(app).empty());
  // Without asking the name is taken as given.
  EXPECT_TRUE(app.commands->Entries().AddItemEntry(false, 0, "file.txt"));
  EXPECT_EQ(Rows(app.itemView)[0], "file.txt");
  EXPECT_EQ(app.host.entryCaptions.size(), 1u);
  app.ClickGroup(-1);
  EXPECT_FALSE(app.commands->Entries().AddItemEntry(false, 0, "x"));
}

// ---- deleting

TEST(GroupDel, AsksThenDeletesTheGroupWithItsFileAndSelectsNothing) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "t"}}, 0}, {"B", {{"b0", "u"}}, 0}, {"C", {{"c0", "v"}}, 0}}, 1);
  App app(dir.Data());
  app.Start();
  app.core->Data().History().PushBack(0, 0);
  app.core->Data().History().PushBack(1, 0);
  app.core->Data().History().PushBack(2, 0);
  const std::string file = ItemFile(app, 1);
  ASSERT_TRUE(std::filesystem::exists(file));
  app.host.confirmAnswer = false;
  app.Run(ActionId::GroupDel);
  EXPECT_EQ(app.host.questions.back(),
            (Question{"グループの削除", "グループ：　B　を削除します", BoxIcon::Warning, true}));
  EXPECT_EQ(app.groupView.rows.size(), 3u);
  EXPECT_EQ(app.Text(), "u");

  app.host.confirmAnswer = true;
  app.Run(ActionId::GroupDel);
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(app.groupView.selection, -1);
  EXPECT_EQ(app.core->GroupList().ItemIndex(), -1);
  EXPECT_EQ(app.core->GroupList().PrevIndex(), -1);
  EXPECT_EQ(app.core->Data().Groups().SelIndex, -1);
  EXPECT_TRUE(app.itemView.rows.empty());
  EXPECT_EQ(app.Text(), "");
  EXPECT_FALSE(app.host.editorEnabled);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{0, 0}, {1, 0}}));
  // The next click opens a group as usual.
  app.ClickGroup(1);
  EXPECT_EQ(app.Text(), "v");
  app.Close();
  EXPECT_EQ(mwtest::StoredGroupNames(dir.Data()), (std::vector<std::string>{"A", "C"}));
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(GroupDel, AGroupWithoutItemsOrFile) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.Run(ActionId::GroupAdd);  // a new group has no file yet
  app.Run(ActionId::GroupDel);
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(app.host.errors.empty());
  app.Close();
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0).size(), 2u);
}

TEST(ItemDel, AsksThenDeletesTheItemAndNothingIsWrittenIntoANeighbour) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "t0"}, {"a1", "t1"}, {"a2", "t2"}}, 1}}, 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().History().PushBack(0, 2);
  app.Type("edit");
  app.Run(ActionId::ItemDel);
  EXPECT_EQ(app.host.questions.back(),
            (Question{"アイテムの削除", "アイテム：　a1　を削除します", BoxIcon::Warning, true}));
  EXPECT_EQ(Rows(app.itemView), (std::vector<std::string>{"a0", "a2"}));
  EXPECT_EQ(app.itemView.selection, -1);
  EXPECT_EQ(app.core->ItemList().PrevIndex(), -1);
  EXPECT_EQ(app.core->Data().Items().SelIndex, -1);
  EXPECT_EQ(app.Text(), "");
  EXPECT_FALSE(app.host.editorEnabled);
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{0, 1}}));
  app.ClickItem(1);
  EXPECT_EQ(app.Text(), "t2");
  app.Close();
  const auto stored = mwtest::StoredItems(dir.Data(), 0);
  EXPECT_EQ(Names(stored), (std::vector<std::string>{"a0", "a2"}));
  EXPECT_EQ(stored[0].text, "t0");
  EXPECT_EQ(stored[1].text, "t2");
}

// ---- deleting several

std::vector<SeedGroup> FiveItems() {
  return {{"A", {{"i0", "t0"}, {"i1", "t1"}, {"i2", "t2"}, {"i3", "t3"}, {"i4", "t4"}}, 0}, {"B", {}, -1}};
}

TEST(ItemMultiDelete, Items1_3And4AreDeletedFromTheBottomUp) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), FiveItems(), 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().History().PushBack(0, 3);
  app.core->Data().History().PushBack(0, 2);
  app.core->Data().History().PushBack(0, 4);
  app.core->Data().History().PushBack(0, 0);
  app.Type("keep ");
  app.host.multiDeleteSelection = {1, 3, 4};
  app.Run(ActionId::ItemMultiDelete);
  ASSERT_EQ(app.host.multiDeleteNames.size(), 1u);
  EXPECT_EQ(app.host.multiDeleteNames[0].size(), 5u);
  EXPECT_EQ(app.host.questions.back(), (Question{"複数削除の確認", "本当にいいですか？", BoxIcon::Information, true}));
  EXPECT_EQ(Rows(app.itemView), (std::vector<std::string>{"i0", "i2"}));
  EXPECT_EQ(app.itemView.selection, -1);
  EXPECT_EQ(app.Text(), "");
  // (0,4) and (0,3) went with their items; (0,2) moved up to (0,1).
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{0, 1}, {0, 0}}));
  // The open item stays, and what was typed into it is in its record.
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(0).ItemText), "keep t0");
  app.Close();
  const auto stored = mwtest::StoredItems(dir.Data(), 0);
  EXPECT_EQ(Names(stored), (std::vector<std::string>{"i0", "i2"}));
  EXPECT_EQ(stored[0].text, "keep t0");
  EXPECT_EQ(stored[1].text, "t2");
}

TEST(ItemMultiDelete, NothingHappensUnlessConfirmedWithASelection) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), FiveItems(), 0);
  App app(dir.Data());
  app.Start();
  app.host.multiDeleteOk = false;
  app.host.multiDeleteSelection = {1};
  app.Run(ActionId::ItemMultiDelete);
  EXPECT_TRUE(app.host.questions.empty());
  app.host.multiDeleteOk = true;
  app.host.multiDeleteSelection = {};
  app.Run(ActionId::ItemMultiDelete);
  EXPECT_TRUE(app.host.questions.empty());
  app.host.multiDeleteSelection = {1};
  app.host.confirmAnswer = false;
  app.Run(ActionId::ItemMultiDelete);
  EXPECT_EQ(app.host.questions.size(), 1u);
  EXPECT_EQ(app.itemView.rows.size(), 5u);
  EXPECT_EQ(app.itemView.selection, 0);
  EXPECT_EQ(app.Text(), "t0");
}

TEST(GroupMultiDelete, DeletesTheChosenGroupsAndKeepsTheOpenGroupsWork) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(),
               {{"A", {{"a0", "ta"}}, 0}, {"B", {{"b0", "tb"}}, 0}, {"C", {{"c0", "tc"}}, 0}, {"D", {}, -1}}, 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().History().PushBack(1, 0);
  app.core->Data().History().PushBack(2, 0);
  const std::string fileB = ItemFile(app, 1);
  app.Type("W");
  app.host.multiDeleteSelection = {3, 1};
  app.Run(ActionId::GroupMultiDelete);
  EXPECT_EQ(app.host.multiDeleteNames[0], (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(app.core->GroupList().ItemIndex(), -1);
  EXPECT_EQ(app.core->GroupList().PrevIndex(), -1);
  EXPECT_TRUE(app.itemView.rows.empty());
  EXPECT_EQ(app.Text(), "");
  EXPECT_FALSE(std::filesystem::exists(fileB));
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{1, 0}}));
  app.ClickGroup(0);
  EXPECT_EQ(app.Text(), "Wta");
  app.Close();
  EXPECT_EQ(mwtest::StoredGroupNames(dir.Data()), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 1)[0].text, "tc");
}

// ---- copying

TEST(GroupCopy, TheOpenItemsReachTheCopysFileWhenLeavingIt) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.Type("Q");
  app.Run(ActionId::GroupCopy);
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"A", "A", "B"}));
  EXPECT_EQ(app.groupView.selection, 0);
  EXPECT_FALSE(app.core->GroupClicksSwallowed());
  EXPECT_FALSE(app.core->ItemClicksSwallowed());
  // The source (now second) has its file as it was at the moment of copying.
  EXPECT_EQ(ItemsOnDisk(app, 1)[0].text, "Qtext a0");
  EXPECT_TRUE(ItemsOnDisk(app, 0).empty());
  app.Type("R");
  app.ClickGroup(2);
  EXPECT_EQ(app.Text(), "text b0");
  auto copy = ItemsOnDisk(app, 0);
  ASSERT_EQ(Names(copy), (std::vector<std::string>{"a0", "a1"}));
  EXPECT_EQ(copy[0].text, "QRtext a0");
  EXPECT_EQ(ItemsOnDisk(app, 1)[0].text, "Qtext a0");
  EXPECT_NE(app.core->Data().Groups().EntryAt(0).NameID, app.core->Data().Groups().EntryAt(1).NameID);
}

TEST(ItemCopy, TheCopyIsSelectedAboveItsSourceAndCarriesTheText) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.ClickItem(1);
  app.Type("P");
  app.Run(ActionId::ItemCopy);
  EXPECT_EQ(Rows(app.itemView), (std::vector<std::string>{"a0", "a1", "a1"}));
  EXPECT_EQ(app.itemView.selection, 1);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(1).ItemText), "Ptext a1");
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(2).ItemText), "Ptext a1");
  // Typing goes on in the copy; the source keeps the text of the moment of copying.
  app.Type("S");
  app.ClickItem(0);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(1).ItemText), "PStext a1");
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(2).ItemText), "Ptext a1");
}

// ---- moving one place

TEST(MoveOne, AtTheEndsNothingHappens) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 1);
  App app(dir.Data());
  app.Start();  // last group, its first item
  app.Run(ActionId::GroupMoveOneDown);
  app.Run(ActionId::ItemMoveOneUp);
  app.commands->Entries().MoveEntryUp(kItemListTag, -1);
  app.commands->Entries().MoveEntryDown(kGroupListTag, 5);
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(app.groupView.selection, 1);
  EXPECT_EQ(app.core->Data().Groups().OrderList, (std::vector<int>{0, 1}));
  EXPECT_EQ(app.Text(), "text b0");
  EXPECT_FALSE(app.core->GroupClicksSwallowed());
  EXPECT_FALSE(app.core->ItemClicksSwallowed());
}

TEST(MoveOne, TheEntryAndTheSelectionMoveTogetherAndTheFilesStayRight) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "t0"}, {"a1", "t1"}, {"a2", "t2"}}, 0}, {"B", {{"b0", "u"}}, 0}}, 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().History().PushBack(0, 1);
  app.Type("M");
  app.Run(ActionId::ItemMoveOneDown);
  EXPECT_EQ(Rows(app.itemView), (std::vector<std::string>{"a1", "a0", "a2"}));
  EXPECT_EQ(app.itemView.selection, 1);
  EXPECT_EQ(app.Text(), "Mt0");
  // Positions in the history follow the entries they name.
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{0, 0}}));
  app.ClickItem(2);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(1).ItemText), "Mt0");
  app.Run(ActionId::ItemMoveOneUp);
  EXPECT_EQ(Rows(app.itemView), (std::vector<std::string>{"a1", "a2", "a0"}));
  EXPECT_EQ(app.itemView.selection, 1);

  app.Run(ActionId::GroupMoveOneDown);
  EXPECT_EQ(Rows(app.groupView), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(app.groupView.selection, 1);
  app.Type("G");
  app.ClickGroup(0);
  EXPECT_EQ(app.Text(), "u");
  app.Close();
  EXPECT_EQ(mwtest::StoredGroupNames(dir.Data()), (std::vector<std::string>{"B", "A"}));
  const auto a = mwtest::StoredItems(dir.Data(), 1);
  EXPECT_EQ(Names(a), (std::vector<std::string>{"a1", "a2", "a0"}));
  EXPECT_EQ(a[1].text, "Gt2");
  EXPECT_EQ(a[2].text, "Mt0");
}

// ---- editing entries

TEST(EditEntry, RenamesRecoloursAndRestylesWithoutSwitching) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().Groups().SetEntry(0, "A", 4, store::clGreen);
  app.Type("E");
  app.host.entryDialog = [](EntryFields& f) {
    f.name = "  Renamed ";
    f.colour = store::clMaroon;
    f.style = 8;
    return true;
  };
  app.Run(ActionId::GroupEdit);
  EXPECT_EQ(app.host.entryCaptions.back(), "グループ編集");
  EXPECT_EQ(app.host.entryShown.back().name, "A");
  EXPECT_EQ(app.host.entryShown.back().style, 4);
  EXPECT_EQ(app.host.entryShown.back().colour, store::clGreen);
  // The name is kept as typed.
  EXPECT_EQ(Rows(app.groupView)[0], "  Renamed ");
  EXPECT_EQ(app.core->Data().Groups().GetColor(0), store::clMaroon);
  EXPECT_EQ(app.core->Data().Groups().GetStyle(0), 8);
  EXPECT_EQ(app.groupView.selection, 0);
  EXPECT_EQ(app.Text(), "Etext a0");
  EXPECT_TRUE(app.editor.Modified());

  app.commands->Entries().EditEntry(kItemListTag);  // a double click on the item list
  EXPECT_EQ(app.host.entryCaptions.back(), "アイテム編集");
  EXPECT_EQ(Rows(app.itemView)[0], "  Renamed ");
  EXPECT_EQ(app.itemView.selection, 0);
  EXPECT_EQ(app.Text(), "Etext a0");

  app.host.entryDialog = [](EntryFields& f) {
    f.name = "never";
    return false;
  };
  app.Run(ActionId::ItemEdit);
  EXPECT_EQ(Rows(app.itemView)[0], "  Renamed ");
  // Without a selection there is no dialog.
  app.commands->Entries().AddItemEntry(false, 2, "x");
  app.Run(ActionId::ItemDel);
  const size_t shown = app.host.entryCaptions.size();
  app.Run(ActionId::ItemEdit);
  EXPECT_EQ(app.host.entryCaptions.size(), shown);
}

TEST(ResetStyles, AsksThenResetsEveryEntryOfTheList) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().MainData().GroupFontColor = store::clNavy;
  app.core->Data().MainData().ItemFontColor = store::clPurple;
  app.core->Data().Groups().SetEntry(1, "B", 3, store::clRed);
  app.core->Data().Items().SetEntry(1, "a1", 5, store::clRed);
  app.host.confirmAnswer = false;
  app.Run(ActionId::GroupTitleStyleClear);
  EXPECT_EQ(app.host.questions.back(), (Question{"タイトル表示設定のリセット",
                                                 "グループ名の表示書式をすべてクリアします", BoxIcon::Question, true}));
  EXPECT_EQ(app.core->Data().Groups().GetStyle(1), 3);
  app.host.confirmAnswer = true;
  const int repaints = app.groupView.repaints;
  app.Run(ActionId::GroupTitleStyleClear);
  for (int g = 0; g < 2; ++g) {
    EXPECT_EQ(app.core->Data().Groups().GetColor(g), store::clNavy);
    EXPECT_EQ(app.core->Data().Groups().GetStyle(g), 0);
  }
  EXPECT_GT(app.groupView.repaints, repaints);
  EXPECT_EQ(app.core->Data().Items().GetStyle(1), 5);  // items untouched

  app.Run(ActionId::ItemTitleStyleClear);
  EXPECT_EQ(app.host.questions.back().text, "選択グループ内の全アイテム名の表示書式をすべてクリアします");
  EXPECT_EQ(app.core->Data().Items().GetColor(1), store::clPurple);
  EXPECT_EQ(app.core->Data().Items().GetStyle(1), 0);
}

// ---- naming from text

TEST(NameFromText, SkipsBlankAndIdeographicSpaceLinesAndKeepsTheStyle) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "\r\n　\r\n \t \r\n  見出し　です  \r\n本文"}, {"a1", "x"}}, 0}}, 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().Items().SetEntry(0, "a0", 1, store::clTeal);
  app.Run(ActionId::ItemNameFromText);
  EXPECT_EQ(Rows(app.itemView), (std::vector<std::string>{"見出し　です", "a1"}));
  EXPECT_EQ(app.itemView.selection, 0);
  EXPECT_EQ(app.core->Data().Items().GetStyle(0), 1);
  EXPECT_EQ(app.core->Data().Items().GetColor(0), store::clTeal);
  // The name follows what is typed, not only what was stored.
  app.editor.SelectAll();
  app.editor.InsertText(Sjis("　\r\n新しい名前"));
  app.Run(ActionId::ItemNameFromText);
  EXPECT_EQ(Rows(app.itemView)[0], "新しい名前");
  // A text of blank lines changes nothing.
  app.editor.SelectAll();
  app.editor.InsertText(Sjis(" \r\n　"));
  app.Run(ActionId::ItemNameFromText);
  EXPECT_EQ(Rows(app.itemView)[0], "新しい名前");
}

TEST(NameFromText, FromTheSelection) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "abc  名前にする  def"}}, 0}}, 0);
  App app(dir.Data());
  app.Start();
  app.Run(ActionId::ItemNameFromSelText);  // nothing selected
  EXPECT_EQ(Rows(app.itemView)[0], "a0");
  app.editor.SetSelStart(3);
  app.editor.SetSelLength(14);
  app.Run(ActionId::ItemNameFromSelText);
  EXPECT_EQ(Rows(app.itemView)[0], "名前にする");
  EXPECT_EQ(app.Text(), "abc  名前にする  def");
}

// ---- editor settings commands

TEST(EditorSettings, AGlobalRunReplacesTheOldDefaultColoursInTheOpenLists) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  store::TMainDataClass& m = app.core->Data().MainData();
  m.GroupFontColor = store::clBlack;
  m.ItemFontColor = store::clBlack;
  app.core->Data().Groups().SetEntry(0, "A", 0, store::clBlack);
  app.core->Data().Groups().SetEntry(1, "B", 0, store::clRed);
  app.core->Data().Items().SetEntry(0, "a0", 0, store::clBlack);
  app.core->Data().Items().SetEntry(1, "a1", 0, store::clGreen);
  // Cancelled: nothing changes.
  app.Run(ActionId::EditEditor);
  EXPECT_EQ(app.host.settingsRuns.back(), (std::pair<int, bool>{kSettingsDefaultPage, false}));
  EXPECT_EQ(app.core->Data().Groups().GetColor(0), store::clBlack);

  app.host.settingsDialog = [&m](int, bool) {
    m.GroupFontColor = store::clBlue;
    m.ItemFontColor = store::clFuchsia;
    return true;
  };
  const int repaints = app.itemView.repaints;
  app.Run(ActionId::EditEditor_TimeOpen);
  EXPECT_EQ(app.host.settingsRuns.back(), (std::pair<int, bool>{kSettingsTimeStampPage, false}));
  EXPECT_EQ(app.core->Data().Groups().GetColor(0), store::clBlue);
  EXPECT_EQ(app.core->Data().Groups().GetColor(1), store::clRed);
  EXPECT_EQ(app.core->Data().Items().GetColor(0), store::clFuchsia);
  EXPECT_EQ(app.core->Data().Items().GetColor(1), store::clGreen);
  EXPECT_GT(app.itemView.repaints, repaints);
}

TEST(EditorSettings, AGroupRunUpdatesTheWrapStateWhateverTheAnswer) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  ASSERT_EQ(app.host.wrapMode, WrapMode::User);
  app.host.settingsDialog = [&app](int, bool) {
    app.editor.SetWordWrap(false);
    return false;
  };
  app.Run(ActionId::EditorEdit_Group);
  EXPECT_EQ(app.host.settingsRuns.back(), (std::pair<int, bool>{kSettingsDefaultPage, true}));
  EXPECT_EQ(app.host.wrapMode, WrapMode::None);
}

// ---- editing actions on the editor

TEST(EditingActions, DeleteLineUndoRedoAndSelectAll) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "one\r\ntwo\r\nthree"}}, 0}}, 0);
  App app(dir.Data());
  app.Start();
  app.editor.SetRow(1);
  app.Run(ActionId::DelLine);
  EXPECT_EQ(app.Text(), "one\r\nthree");
  app.Run(ActionId::Undo);
  EXPECT_EQ(app.Text(), "one\r\ntwo\r\nthree");
  app.Run(ActionId::Redo);
  EXPECT_EQ(app.Text(), "one\r\nthree");
  app.Run(ActionId::SelectAll);
  EXPECT_EQ(app.editor.SelText(), "one\r\nthree");
  app.core->ActionListUpdate();
  EXPECT_TRUE(app.host.enabled[ActionId::Copy]);
  EXPECT_TRUE(app.host.enabled[ActionId::ItemNameFromSelText]);
}

}  // namespace
