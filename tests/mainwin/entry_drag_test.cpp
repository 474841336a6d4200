// Dragging entries within and between the lists, the move/copy menus, and their effect on the
// item files and on the history.
#include <gtest/gtest.h>

#include "fixture.h"

using namespace mainwin;
using mwtest::App;
using mwtest::SeedGroup;
using store::HistoryPosition;

namespace {

std::vector<SeedGroup> ThreeGroups() {
  return {{"A", {{"a0", "text a0"}, {"a1", "text a1"}, {"a2", "text a2"}}, 0},
          {"B", {{"b0", "text b0"}}, 0},
          {"C", {}, -1}};
}

std::vector<std::string> Names(const std::vector<mwtest::SeedItem>& items) {
  std::vector<std::string> n;
  for (auto& i : items) n.push_back(i.name);
  return n;
}

std::vector<HistoryPosition> Back(App& app) {
  return store::THistoryCollection::Positions(app.core->Data().History().CollectionBk);
}

TEST(DragGroups, MovingAGroupKeepsItOpenAndRenumbersTheHistory) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), ThreeGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().History().PushBack(1, 0);
  app.core->Data().History().PushBack(0, 2);
  app.Type("Z");
  app.commands->Entries().DropEntry(kGroupListTag, kGroupListTag, 2, false);
  EXPECT_EQ(app.groupView.rows, (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(app.groupView.selection, 2);
  EXPECT_EQ(app.core->GroupList().CurIndex(), 2);
  EXPECT_EQ(app.core->Data().Groups().SelIndex, 2);
  EXPECT_FALSE(app.core->GroupClicksSwallowed());
  EXPECT_FALSE(app.core->ItemClicksSwallowed());
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{0, 0}, {2, 2}}));
  // The editor still holds the open item; leaving the group saves it into A's file.
  EXPECT_EQ(app.Text(), "Ztext a0");
  app.ClickGroup(0);
  EXPECT_EQ(app.Text(), "text b0");
  app.Close();
  EXPECT_EQ(mwtest::StoredGroupNames(dir.Data()), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 2)[0].text, "Ztext a0");
}

TEST(DragGroups, DroppingAGroupOnItselfOnlySelectsIt) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), ThreeGroups(), 1);
  App app(dir.Data());
  app.Start();
  app.commands->Entries().DropEntry(kGroupListTag, kGroupListTag, 1, false);
  EXPECT_EQ(app.groupView.rows, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(app.groupView.selection, 1);
  EXPECT_FALSE(app.core->GroupClicksSwallowed());
  // A drop below the last entry does nothing.
  app.commands->Entries().DropEntry(kGroupListTag, kGroupListTag, -1, false);
  EXPECT_EQ(app.groupView.selection, 1);
}

TEST(DragGroups, CopyingAGroupMakesTheOpenItemsTheCopys) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), ThreeGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.core->Data().History().PushBack(1, 0);
  app.Type("Y");
  app.commands->Entries().DropEntry(kGroupListTag, kGroupListTag, 0, true);  // Ctrl: copy A to position 0
  EXPECT_EQ(app.groupView.rows, (std::vector<std::string>{"A", "A", "B", "C"}));
  EXPECT_EQ(app.groupView.selection, 0);
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{2, 0}}));
  // The source's file already holds the text as it was at the copy.
  store::TRootComponent_Item source(app.core->Data().Folder(), editorsettings::EditorSettingsFactory());
  app.core->Data().Groups().LoadItems(1, &source);
  EXPECT_EQ(mwtest::Utf8(source.ItemAt(0).ItemText), "Ytext a0");
  app.Type("W");
  app.Close();
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[0].text, "YWtext a0");
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 1)[0].text, "Ytext a0");
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 1).size(), 3u);
}

TEST(DragItems, MovingWithinTheListAndCopying) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), ThreeGroups(), 0);
  App app(dir.Data());
  app.Start();  // A, item 0
  app.core->Data().History().PushBack(0, 2);
  app.commands->Entries().DropEntry(kItemListTag, kItemListTag, 2, false);
  EXPECT_EQ(app.itemView.rows, (std::vector<std::string>{"a1", "a2", "a0"}));
  EXPECT_EQ(app.itemView.selection, 2);
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{0, 1}}));
  app.Type("M");
  app.ClickItem(0);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(2).ItemText), "Mtext a0");
  EXPECT_EQ(app.Text(), "text a1");

  // Copy item 0 to position 2 (Ctrl): the copy carries the text, the source keeps it.
  app.Type("C");
  app.commands->Entries().DropEntry(kItemListTag, kItemListTag, 2, true);
  EXPECT_EQ(app.itemView.rows, (std::vector<std::string>{"a1", "a2", "a1", "a0"}));
  EXPECT_EQ(app.itemView.selection, 2);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(0).ItemText), "Ctext a1");
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(2).ItemText), "Ctext a1");
  EXPECT_NE(app.core->Data().Items().ItemAt(2).NameID, app.core->Data().Items().ItemAt(0).NameID);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(3).ItemText), "Mtext a0");
  // The next write-back goes into the copy, never into a neighbour.
  app.editor.SetRowCol(0, 0);
  app.Type("!");
  app.ClickItem(1);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(2).ItemText), "!Ctext a1");
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(0).ItemText), "Ctext a1");
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(1).ItemText), "text a2");
}

TEST(DragItems, CopyingAboveTheSourceKeepsEveryText) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), ThreeGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.ClickItem(2);
  app.Type("T");
  app.commands->Entries().DropEntry(kItemListTag, kItemListTag, 0, true);
  EXPECT_EQ(app.itemView.rows, (std::vector<std::string>{"a2", "a0", "a1", "a2"}));
  app.ClickItem(1);
  auto& items = app.core->Data().Items();
  EXPECT_EQ(mwtest::Utf8(items.ItemAt(0).ItemText), "Ttext a2");
  EXPECT_EQ(mwtest::Utf8(items.ItemAt(1).ItemText), "text a0");
  EXPECT_EQ(mwtest::Utf8(items.ItemAt(2).ItemText), "text a1");
  EXPECT_EQ(mwtest::Utf8(items.ItemAt(3).ItemText), "Ttext a2");
}

TEST(ItemsToOtherGroups, MoveByDraggingTellsTheHistory) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), ThreeGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.ClickItem(1);  // records (0, 0)
  app.core->Data().History().PushBack(0, 2);
  app.Type("moved ");
  app.commands->Entries().DropEntry(kItemListTag, kGroupListTag, 1, false);
  EXPECT_EQ(app.itemView.rows, (std::vector<std::string>{"a0", "a2"}));
  EXPECT_EQ(app.itemView.selection, -1);
  EXPECT_EQ(app.Text(), "");
  EXPECT_FALSE(app.editor.Modified());
  EXPECT_FALSE(app.core->ItemClicksSwallowed());
  // (0, 1) was recorded and follows the item to (1, 1); a2 moved up to position 1.
  EXPECT_EQ(Back(app), (std::vector<HistoryPosition>{{0, 0}, {0, 1}, {1, 1}}));
  auto b = mwtest::StoredItems(dir.Data(), 1);
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[1].name, "a1");
  EXPECT_EQ(b[1].text, "moved text a1");
  // Choosing an item afterwards writes nothing into the entry that took the old place.
  app.ClickItem(1);
  EXPECT_EQ(app.Text(), "text a2");
  app.Close();
  EXPECT_EQ(Names(mwtest::StoredItems(dir.Data(), 0)), (std::vector<std::string>{"a0", "a2"}));
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[1].text, "text a2");
}

TEST(ItemsToOtherGroups, CopyWithCtrlLeavesTheItemAndAppendsToTheTarget) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), ThreeGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.Type("c ");
  app.commands->Entries().DropEntry(kItemListTag, kGroupListTag, 2, true);  // to C, which has no file yet
  EXPECT_EQ(app.itemView.rows.size(), 3u);
  EXPECT_EQ(app.itemView.selection, 0);
  EXPECT_EQ(app.Text(), "c text a0");
  EXPECT_FALSE(app.editor.Modified());
  auto c = mwtest::StoredItems(dir.Data(), 2);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].text, "c text a0");
  EXPECT_EQ(c[0].line, 0);
  EXPECT_TRUE(app.core->Data().History().CollectionBk.empty());
}

TEST(ItemsToOtherGroups, MenusMoveAndCopyAndTheOpenGroupLosesNothing) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), ThreeGroups(), 0);
  App app(dir.Data());
  app.Start();
  EXPECT_EQ(app.commands->Entries().MoveCopyTargets(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_TRUE(app.commands->Entries().MoveCopyEnabled());

  // Copying onto the open group puts the copy into the open list itself.
  app.Type("o");
  app.commands->Entries().MoveCopyItemToGroup(0, false);
  EXPECT_EQ(app.itemView.rows, (std::vector<std::string>{"a0", "a1", "a2", "a0"}));
  EXPECT_EQ(app.itemView.selection, 0);
  EXPECT_EQ(app.Text(), "otext a0");
  // Moving onto the open group changes nothing.
  app.commands->Entries().MoveCopyItemToGroup(0, true);
  EXPECT_EQ(app.itemView.rows.size(), 4u);
  app.Close();
  auto a = mwtest::StoredItems(dir.Data(), 0);
  ASSERT_EQ(a.size(), 4u);
  EXPECT_EQ(a[0].text, "otext a0");
  EXPECT_EQ(a[3].text, "otext a0");

  App again(dir.Data());
  again.Start();
  again.commands->Entries().MoveCopyItemToGroup(1, true);
  EXPECT_EQ(again.itemView.rows, (std::vector<std::string>{"a1", "a2", "a0"}));
  EXPECT_FALSE(again.commands->Entries().MoveCopyEnabled());
  EXPECT_EQ(Names(mwtest::StoredItems(dir.Data(), 1)), (std::vector<std::string>{"b0", "a0"}));
}

}  // namespace
