// Entry collections, groups and items: display positions, storage indexes, files.
#include <gtest/gtest.h>

#include <set>

#include "store/entries.h"
#include "store/errors.h"
#include "store/stream.h"
#include "testutil.h"

using namespace store;
using testutil::RecordingReporter;
using testutil::TempDir;
using testutil::WriteAll;

namespace {

constexpr const char* kRepair = "ProgramError!  (RepairFList)\r\n\r\n内部エラーが発見されたのでデータを修復しました";

struct Lists {
  explicit Lists(const std::string& dir) : folder(dir), items(folder, nullptr), groups(folder, nullptr, items) {}
  DataFolder folder;
  TRootComponent_Item items;
  TRootComponent_Group groups;
};

// A list with entries named "0".."n-1" added at the end.
void Fill(TRootComponent& list, int n) {
  for (int k = 0; k < n; ++k) list.Add(list.Count(), -1, 0, 0, std::to_string(k));
}

std::vector<std::string> Names(TRootComponent& list) { return list.RefreshNameStrings(); }

TEST(Entries, AddingMapsDisplayPositionsToStorageIndexes) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.items, 3);
  int s = l.items.Add(0, -1, fsItalic, clRed, "new");
  EXPECT_EQ(s, 3);
  EXPECT_EQ(l.items.OrderList, (std::vector<int>{3, 0, 1, 2}));
  EXPECT_EQ(l.items.SelIndex, 0);
  EXPECT_EQ(l.items.GetStyle(0), fsItalic);
  EXPECT_EQ(l.items.GetColor(0), clRed);

  TRootComponent_Item more(l.folder, nullptr);
  Fill(more, 3);
  more.Add(10, -1, 0, 0, "end");
  EXPECT_EQ(Names(more), (std::vector<std::string>{"0", "1", "2", "end"}));
  EXPECT_EQ(more.SelIndex, 3);
}

TEST(Entries, DeletingRenumbersTheOrderList) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.items, 3);
  l.items.Add(0, -1, 0, 0, "s3");  // order 3 0 1 2
  l.items.Delete(0);
  EXPECT_EQ(l.items.OrderList, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(l.items.Collection.size(), 3u);

  TRootComponent_Item other(l.folder, nullptr);
  Fill(other, 3);
  other.OrderList = {2, 0, 1};
  other.Delete(1);  // storage entry 0
  EXPECT_EQ(other.OrderList, (std::vector<int>{1, 0}));
  EXPECT_EQ(Names(other), (std::vector<std::string>{"2", "1"}));
}

TEST(Entries, FailuresShowTheirMessagesAndChangeNothing) {
  TempDir dir;
  Lists l(dir.Path());
  RecordingReporter r;
  Fill(l.items, 2);
  EXPECT_EQ(l.items.InsertSlot(-1), -1);
  l.items.Delete(2);
  l.items.OrderList.push_back(0);  // inconsistent
  EXPECT_EQ(l.items.Add(0, -1, 0, 0, "x"), -1);
  ASSERT_EQ(r.messages.size(), 3u);
  EXPECT_EQ(r.messages[0], "ProgramError!\r\nAdd\r\n処理を中断します");
  EXPECT_EQ(r.messages[1], "error! Del 処理を中断します");
  EXPECT_EQ(r.messages[2], "ProgramError!\r\nAdd\r\n処理を中断します");
  EXPECT_EQ(l.items.Collection.size(), 2u);
  EXPECT_THROW(l.groups.Add(-1, -1, 0, 0, "g"), Error);
  try {
    l.groups.Add(-1, -1, 0, 0, "g");
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "内部エラー：GroupAdd");
  }
}

TEST(Entries, MoveEntryMovesOnlyTheOrder) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.groups, 3);
  l.groups.Add(0, -1, 0, 0, "3");  // order 3 0 1 2
  std::vector<int32_t> ids;
  for (auto& e : l.groups.Collection) ids.push_back(e->NameID);
  std::string file = l.groups.ItemFileName(0);
  Names(l.groups);
  l.groups.MoveEntry(0, 2);
  EXPECT_EQ(l.groups.OrderList, (std::vector<int>{0, 1, 3, 2}));
  EXPECT_EQ(l.groups.NameStrings, (std::vector<std::string>{"0", "1", "3", "2"}));
  EXPECT_EQ(l.groups.SelIndex, 2);
  EXPECT_EQ(l.groups.ItemFileName(2), file);
  for (size_t k = 0; k < ids.size(); ++k) EXPECT_EQ(l.groups.Collection[k]->NameID, ids[k]);
}

TEST(Entries, NameIDsAreNeverZeroAndUniqueInTheList) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.items, 500);
  std::set<int32_t> seen;
  for (auto& e : l.items.Collection) {
    EXPECT_NE(e->NameID, 0);
    EXPECT_GT(e->NameID, 0);
    seen.insert(e->NameID);
  }
  EXPECT_EQ(seen.size(), 500u);
}

TEST(Entries, CopyEntryInsertsAboveTheSource) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.items, 4);
  l.items.SetEntry(2, "two", fsBold, clBlue);
  l.items.CopyEntry(2, 2);
  EXPECT_EQ(Names(l.items), (std::vector<std::string>{"0", "1", "two", "two", "3"}));
  EXPECT_EQ(l.items.GetStyle(2), fsBold);
  EXPECT_EQ(l.items.GetColor(2), clBlue);
  EXPECT_NE(l.items.EntryAt(2).NameID, l.items.EntryAt(3).NameID);
}

TEST(Entries, ReplaceColorAndResetStyles) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.items, 3);
  l.items.SetEntry(0, "a", fsBold, clRed);
  l.items.SetEntry(1, "b", fsItalic, clBlack);
  l.items.ReplaceColor(clBlack, clNavy);
  EXPECT_EQ(l.items.GetColor(0), clRed);
  EXPECT_EQ(l.items.GetColor(1), clNavy);
  EXPECT_EQ(l.items.GetColor(2), clNavy);
  l.items.ResetStyles(clGreen);
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(l.items.GetColor(p), clGreen);
    EXPECT_EQ(l.items.GetStyle(p), 0);
  }
}

TEST(Entries, BrokenOrderHeadersAreRepairedOnLoad) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.groups, 3);
  l.groups.MoveEntry(2, 0);
  l.groups.SaveToFile("group.bin");
  std::string good = testutil::ReadAll(l.folder.FilePath("group.bin"));
  std::string body = good.substr(16);

  struct Case {
    const char* what;
    std::string header;
  } cases[] = {
      {"count 0", std::string("\0\0\0\0", 4)},
      {"fewer numbers", std::string("\2\0\0\0\2\0\0\0\0\0\0\0", 12)},
      {"number equal to the count", std::string("\3\0\0\0\3\0\0\0\0\0\0\0\1\0\0\0", 16)},
      // These two would hide an entry or index outside the list.
      {"negative number", std::string("\3\0\0\0\0\0\0\xFB\0\0\0\0\1\0\0\0", 16)},
      {"repeated number", std::string("\3\0\0\0\1\0\0\0\1\0\0\0\2\0\0\0", 16)},
  };
  for (const auto& c : cases) {
    RecordingReporter r;
    WriteAll(l.folder.FilePath("group.bin"), c.header + body);
    TRootComponent_Item items(l.folder, nullptr);
    TRootComponent_Group groups(l.folder, nullptr, items);
    groups.LoadFromFile("group.bin");
    EXPECT_EQ(groups.OrderList, (std::vector<int>{0, 1, 2})) << c.what;
    EXPECT_EQ(r.messages, std::vector<std::string>{kRepair}) << c.what;
  }
  // A sound file needs no repair.
  RecordingReporter r;
  WriteAll(l.folder.FilePath("group.bin"), good);
  TRootComponent_Item items(l.folder, nullptr);
  TRootComponent_Group groups(l.folder, nullptr, items);
  groups.LoadFromFile("group.bin");
  EXPECT_EQ(groups.OrderList, (std::vector<int>{2, 0, 1}));
  EXPECT_TRUE(r.messages.empty());
}

TEST(Entries, StoreIndexRepairsFirstAndRejectsPositionsOutOfRange) {
  TempDir dir;
  Lists l(dir.Path());
  RecordingReporter r;
  Fill(l.items, 2);
  l.items.OrderList = {1, 7};
  EXPECT_EQ(l.items.StoreIndex(1), 1);
  EXPECT_EQ(r.messages.size(), 1u);
  EXPECT_THROW(l.items.StoreIndex(2), Error);
  EXPECT_THROW(l.items.StoreIndex(-1), Error);
  EXPECT_EQ(l.items.DisplayIndexOf(1), 1);
  EXPECT_EQ(l.items.DisplayIndexOf(5), -1);
}

TEST(Items, TextAndLineByDisplayPosition) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.items, 2);
  l.items.SetText("hello\r\n", 1);
  l.items.SetLine(1, 4);
  std::string text = "unchanged";
  EXPECT_FALSE(l.items.GetText(-1, text));
  EXPECT_EQ(text, "unchanged");
  EXPECT_TRUE(l.items.GetText(1, text));
  EXPECT_EQ(text, "hello\r\n");
  EXPECT_EQ(l.items.GetLine(1), 4);
  EXPECT_EQ(l.items.GetLine(-1), 0);
  l.items.SetText("x", -1);
  l.items.SetLine(-1, 9);
  EXPECT_EQ(l.items.ItemAt(0).ItemText, "");
}

TEST(Groups, AddingAtTheCurrentPositionEmptiesTheItemsInMemory) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.groups, 2);
  Fill(l.items, 3);
  l.groups.Add(2, 1, 0, 0, "at end");
  EXPECT_EQ(l.items.Count(), 3);
  l.groups.Add(1, 1, 0, 0, "above current");
  EXPECT_EQ(l.items.Count(), 0);
  EXPECT_TRUE(l.items.Collection.empty());
}

TEST(Groups, SwitchingSavesAndLoadsItemFiles) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.groups, 2);
  l.groups.LoadItems(0);
  Fill(l.items, 2);
  l.items.SetText("text of 0/1", 1);
  l.groups.SaveItems(0);
  l.groups.LoadItems(1);
  EXPECT_EQ(l.items.Count(), 0);
  Fill(l.items, 1);
  l.groups.SaveItems(1);
  l.groups.LoadItems(0);
  ASSERT_EQ(l.items.Count(), 2);
  EXPECT_EQ(l.items.ItemAt(1).ItemText, "text of 0/1");
  EXPECT_TRUE(l.folder.Exists(l.groups.ItemFileName(0)));
  l.groups.LoadItems(-1);  // nothing
  EXPECT_EQ(l.items.Count(), 2);
}

TEST(Groups, DeletingRemovesTheItemFileAndAMissingFileIsFine) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.groups, 2);
  l.groups.LoadItems(0);
  Fill(l.items, 1);
  l.groups.SaveItems(0);
  std::string file = l.groups.ItemFileName(0);
  ASSERT_TRUE(l.folder.Exists(file));
  l.groups.Delete(0);
  EXPECT_FALSE(l.folder.Exists(file));
  EXPECT_EQ(l.items.Count(), 0);
  EXPECT_EQ(l.groups.Count(), 1);
  // Never saved: no file, no error.
  l.groups.Add(1, -1, 0, 0, "fresh");
  l.groups.Delete(1);
  EXPECT_EQ(l.groups.Count(), 1);
}

TEST(Groups, CopyItemToGroupAppendsToTheTargetFileAndKeepsItsSettings) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.groups, 2);
  // Target group 1 holds 7 items and a settings record of its own.
  l.groups.LoadItems(1);
  Fill(l.items, 7);
  auto* settings = dynamic_cast<GenericRecord*>(l.items.EditorSettings.get());
  ASSERT_NE(settings, nullptr);
  StreamProperty p;
  p.path = "Enabled";
  p.value.tag = vtTrue;
  settings->record.properties.push_back(p);
  l.groups.SaveItems(1);
  std::string settingsBytes = testutil::ReadAll(l.folder.FilePath(l.groups.ItemFileName(1)));
  settingsBytes = settingsBytes.substr(settingsBytes.rfind("TPF0"));

  l.groups.LoadItems(0);
  Fill(l.items, 5);
  l.items.SetText("source text", 4);
  l.items.SetLine(4, 12);
  int n = l.groups.CopyItemToGroup(1, 4);
  EXPECT_EQ(n, 7);

  TRootComponent_Item target(l.folder, nullptr);
  l.groups.LoadItems(1, &target);
  ASSERT_EQ(target.Count(), 8);
  EXPECT_EQ(target.ItemAt(7).ItemText, "source text");
  EXPECT_EQ(target.ItemAt(7).Line, 0);
  EXPECT_EQ(target.ItemAt(7).Name, "4");
  EXPECT_NE(target.ItemAt(7).NameID, l.items.ItemAt(4).NameID);
  std::string after = testutil::ReadAll(l.folder.FilePath(l.groups.ItemFileName(1)));
  EXPECT_EQ(after.substr(after.rfind("TPF0")), settingsBytes);
  EXPECT_EQ(l.items.Count(), 5);  // the current list is untouched
}

TEST(Groups, CopyingIntoAGroupWithoutAFileCreatesIt) {
  TempDir dir;
  Lists l(dir.Path());
  Fill(l.groups, 2);
  Fill(l.items, 1);
  ASSERT_FALSE(l.folder.Exists(l.groups.ItemFileName(1)));
  EXPECT_EQ(l.groups.CopyItemToGroup(1, 0), 0);
  TRootComponent_Item target(l.folder, nullptr);
  l.groups.LoadItems(1, &target);
  EXPECT_EQ(target.Count(), 1);
}

TEST(Groups, ALoadThatFailsLeavesAUsableList) {
  TempDir dir;
  Lists l(dir.Path());
  RecordingReporter r;
  Fill(l.groups, 3);
  l.groups.SaveToFile("group.bin");
  std::string bytes = testutil::ReadAll(l.folder.FilePath("group.bin"));
  // Cut inside the third entry: two entries are read before the failure.
  size_t cut = bytes.find(
      "\x06\x01"
      "2");
  ASSERT_NE(cut, std::string::npos);
  WriteAll(l.folder.FilePath("group.bin"), bytes.substr(0, cut + 2));
  TRootComponent_Item items(l.folder, nullptr);
  TRootComponent_Group groups(l.folder, nullptr, items);
  EXPECT_THROW(groups.LoadFromFile("group.bin"), StreamError);
  EXPECT_EQ(static_cast<size_t>(groups.Count()), groups.Collection.size());
  EXPECT_NO_THROW(groups.RefreshNameStrings());
}

}  // namespace
