// Sync tools' conflict copies beside the data files: their names, and merging them back.
#include "store/conflictcopies.h"

#include <gtest/gtest.h>

#include "codec/cp932.h"
#include "store/errors.h"
#include "testutil.h"

using namespace store;

namespace {

TEST(ConflictCopies, NamesOfSyncthingAndConflictedCopies) {
  const std::vector<std::pair<std::string, std::string>> copies = {
      {"group.sync-conflict-20240501-123005-ABCD2EF.bin", "group.bin"},
      {"0A0B0C0D.sync-conflict-20240501-123005-ABCD2EF", "0A0B0C0D"},
      {"a.b.sync-conflict-20231231-235959-ZZZZZZZ.c", "a.b.c"},
      {"group (conflicted copy 2024-05-01).bin", "group.bin"},
      {"group (Taro's Conflicted Copy 2024-05-01 123005).bin", "group.bin"},
      {"0A0B0C0D (conflicted copy 2024-05-01 123005)", "0A0B0C0D"},
  };
  for (const auto& [copy, original] : copies) EXPECT_EQ(ConflictOriginalOf(copy), original) << copy;
  for (const char* name :
       {"group.bin", "group.sync-conflict-2024-0501-ABCDEFG.bin", "group.sync-conflict-20240501-123005-ABC.bin",
        "group (copy 2024-05-01).bin", "group.bin.damaged", ".group.bin.tmp-abcdef"})
    EXPECT_FALSE(ConflictOriginalOf(name)) << name;

  testutil::TempDir dir;
  DataFolder folder(dir.Path());
  for (const char* name :
       {"group.sync-conflict-20240502-080000-ABCD2EF.bin", "group.sync-conflict-20240501-123005-ABCD2EF.bin",
        "main (conflicted copy 2024-05-01).bin", "0A0B0C0D.sync-conflict-20240501-123005-ABCD2EF",
        "notes.sync-conflict-20240501-123005-ABCD2EF.txt", "0a0b0c0d.sync-conflict-20240501-123005-ABCD2EF"})
    testutil::WriteAll(folder.FilePath(name), "");
  const auto found = ConflictCopiesIn(folder);
  EXPECT_EQ(
      found,
      (std::map<std::string, std::vector<std::string>>{
          {"0A0B0C0D", {"0A0B0C0D.sync-conflict-20240501-123005-ABCD2EF"}},
          {"group.bin",
           {"group.sync-conflict-20240501-123005-ABCD2EF.bin", "group.sync-conflict-20240502-080000-ABCD2EF.bin"}},
          {"main.bin", {"main (conflicted copy 2024-05-01).bin"}}}));
  EXPECT_EQ(KindOfDataFile("main.bin"), DataFileKind::Settings);
  EXPECT_EQ(ConflictCopyTime(folder, "group.sync-conflict-20240502-080000-ABCD2EF.bin"), "2024-05-02 08:00");
}

TEST(ConflictCopies, CopiesAreMergedAsAUnionAndRemoved) {
  testutil::TempDir dir;
  DataFolder folder(dir.Path());
  TRootComponent_Item current(folder, nullptr);
  TRootComponent_Group groups(folder, nullptr, current);
  groups.Add(0, -1, 0, 0, "G1");
  groups.Add(1, -1, 0, 0, "G2");
  groups.SelIndex = 1;
  groups.SaveToFile("group.bin");
  // The other machine deleted G1 and added G3; its version lost to ours and became the copy.
  const std::string groupCopy = "group.sync-conflict-20240501-123005-ABCD2EF.bin";
  {
    TRootComponent_Group other(folder, nullptr, current);
    other.LoadFromFile("group.bin");
    other.TRootComponent::Delete(0);
    other.Add(1, -1, 0, 0, "G3");
    other.SaveToFile(groupCopy);
  }
  const std::string file = groups.ItemFileName(1);
  TRootComponent_Item items(folder, nullptr);
  for (const char* name : {"a", "b"}) {
    items.Add(items.Count(), -1, 0, 0, name);
    items.ItemAt(items.Count() - 1).ItemText = std::string(name) + " text";
  }
  items.SaveToFile(file);
  const std::string itemCopy = file + " (conflicted copy 2024-05-01)";
  {
    TRootComponent_Item other(folder, nullptr);
    other.LoadFromFile(file);
    other.ItemAt(0).ItemText = "a elsewhere";
    other.Add(2, -1, 0, 0, "c");
    other.SaveToFile(itemCopy);
  }

  const std::string copyTime = ConflictTimeText(FileStamp::Of(folder.FilePath(itemCopy)).mtimeSec);
  MergeResult r = ResolveConflictCopiesOnDisk(folder, "group.bin", {groupCopy}, nullptr);
  EXPECT_EQ(r.notes.size(), 1u);
  r = ResolveConflictCopiesOnDisk(folder, file, {itemCopy}, nullptr);
  EXPECT_EQ(r.notes.size(), 2u);
  EXPECT_TRUE(ConflictCopiesIn(folder).empty());

  groups.LoadFromFile("group.bin");
  EXPECT_EQ(groups.RefreshNameStrings(), (std::vector<std::string>{"G1", "G2", "G3"}));
  EXPECT_EQ(groups.SelIndex, 1);
  items.LoadFromFile(file);
  ASSERT_EQ(items.Count(), 4);
  EXPECT_EQ(items.ItemAt(0).ItemText, "a text");
  EXPECT_EQ(items.ItemAt(1).Name, "a (" + codec::Utf8ToCp932("競合").bytes + " " + copyTime + ")");
  EXPECT_EQ(items.ItemAt(1).ItemText, "a elsewhere");
  EXPECT_EQ(items.ItemAt(3).Name, "c");

  // A copy that cannot be read stays, and so does the data file.
  testutil::WriteAll(folder.FilePath(itemCopy), "damaged");
  const std::string before = testutil::ReadAll(folder.FilePath(file));
  EXPECT_THROW(ResolveConflictCopiesOnDisk(folder, file, {itemCopy}, nullptr), StreamError);
  EXPECT_TRUE(folder.Exists(itemCopy));
  EXPECT_EQ(testutil::ReadAll(folder.FilePath(file)), before);
}

TEST(ConflictCopies, ACopyBuiltOnAVersionHeldHereKeepsOurChangesWithoutCopies) {
  testutil::TempDir dir;
  DataFolder folder(dir.Path());
  TRootComponent_Item ours(folder, nullptr);
  for (const char* name : {"a", "b", "c"}) {
    ours.Add(ours.Count(), -1, 0, 0, name);
    ours.ItemAt(ours.Count() - 1).ItemText = std::string(name) + " text";
  }
  ours.SaveToFile("0000000A");
  EntryHistory held;
  held.Remember(PrintOf(ours));
  // The other machine had that version, changed b and added d; ours changed a and deleted c.
  const std::string copy = "0000000A.sync-conflict-20240501-123005-ABCD2EF";
  {
    TRootComponent_Item other(folder, nullptr);
    other.LoadFromFile("0000000A");
    other.ItemAt(1).ItemText = "b elsewhere";
    other.Add(3, -1, 0, 0, "d");
    other.SaveToFile(copy);
  }
  ours.ItemAt(0).ItemText = "a here";
  ours.Delete(2);
  held.Remember(PrintOf(ours));

  MergeResult r = MergeItemConflictCopy(copy, ours, {}, &held);
  std::vector<std::string> names, texts;
  for (int i = 0; i < ours.Count(); ++i) {
    names.push_back(ours.ItemAt(i).Name);
    texts.push_back(ours.ItemAt(i).ItemText);
  }
  const std::string kept = "b (" + codec::Utf8ToCp932("競合").bytes + " 2024-05-01 12:30)";
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b", kept, "d"}));
  EXPECT_EQ(texts, (std::vector<std::string>{"a here", "b text", "b elsewhere", ""}));
  EXPECT_EQ(r.notes.size(), 2u);  // b kept twice, d added
}

}  // namespace
