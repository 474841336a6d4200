// What a close that cannot save or ask leaves behind: the unsaved groups as exchange files in a
// recovery folder, which the next start announces once.
#include "mainwin/recovery.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "store/errors.h"

using namespace mainwin;
using mwtest::Sjis;

namespace {

TEST(Recovery, UnsavedGroupsAreWrittenAsImportableExchangeFiles) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "x"}}}, {"B", {{"b0", "y"}}}}, 0);
  store::DataFolder folder(dir.Data());
  store::TRootComponent_Item items(folder, editorsettings::EditorSettingsFactory());
  store::TRootComponent_Group groups(folder, editorsettings::EditorSettingsFactory(), items);
  groups.LoadFromFile("group.bin");
  groups.LoadItems(0);
  items.ItemAt(0).ItemText = Sjis("打ったが保存できなかった");
  // Two groups group.bin does not know yet: one whose items reached their file, one without.
  groups.Add(2, -1, 0, 0x0000FF, Sjis("新しい"));
  store::TRootComponent_Item fresh(folder, editorsettings::EditorSettingsFactory());
  fresh.Add(0, -1, 0, 0, "n0");
  fresh.ItemAt(0).ItemText = "in its file";
  groups.SaveItems(2, &fresh);
  groups.Add(3, -1, 0, 0, "a/b");

  EXPECT_TRUE(UnsavedGroups(groups, 0, true, true).empty());
  EXPECT_EQ(UnsavedGroups(groups, 0, false, true).size(), 1u);
  const std::vector<ExchangeGroup> unsaved = UnsavedGroups(groups, 0, false, false);
  const std::string root = RecoveryRoot(dir.Path() + "/state", "/nowhere");
  EXPECT_EQ(root, dir.Path() + "/state/sorametext/recovery/");
  const RecoveryWritten w = WriteRecovery(root, {2024, 5, 1, 12, 30, 5}, unsaved);
  EXPECT_EQ(w.folder, root + "2024-05-01_12-30-05/");
  EXPECT_TRUE(w.errors.empty());
  ASSERT_EQ(w.files, (std::vector<std::string>{w.folder + "A.sted", w.folder + "新しい.sted", w.folder + "a_b.sted"}));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"A", Sjis("打ったが保存できなかった")}, {Sjis("新しい"), "in its file"}, {"a/b", ""}};
  for (size_t k = 0; k < w.files.size(); ++k) {
    const ExchangeGroup g = ParseExchangeFile(mwtest::ReadAll(w.files[k]));  // as the import reads it
    EXPECT_EQ(g.name, expected[k].first);
    store::TRootComponent_Item back(folder, editorsettings::EditorSettingsFactory());
    store::MemoryInput in(g.itemFile);
    store::ReadListStream(in, back, *back.EditorSettings, back.OrderList);
    EXPECT_EQ(back.Count() > 0 ? back.ItemAt(0).ItemText : "", expected[k].second);
  }
  EXPECT_EQ(ParseExchangeFile(mwtest::ReadAll(w.files[1])).colour, 0x0000FF);

  // The same second again, and two groups of one name: nothing is written over.
  const RecoveryWritten again = WriteRecovery(root, {2024, 5, 1, 12, 30, 5}, {unsaved[0], unsaved[0]});
  EXPECT_EQ(again.files, (std::vector<std::string>{root + "2024-05-01_12-30-05-2/A.sted",
                                                   root + "2024-05-01_12-30-05-2/A (2).sted"}));

  // Announced once.
  EXPECT_EQ(UnannouncedRecoveries(root), (std::vector<std::string>{w.folder, again.folder}));
  EXPECT_NE(RecoveryNotice({w.folder}).find(w.folder), std::string::npos);
  MarkAnnounced(w.folder);
  EXPECT_EQ(UnannouncedRecoveries(root), std::vector<std::string>{again.folder});
  EXPECT_EQ(RecoveryNotice({}), "");

  mwtest::WriteAll(dir.Path() + "/file", "");
  EXPECT_THROW(WriteRecovery(dir.Path() + "/file/recovery", {2024, 5, 1}, unsaved), store::Error);
}

}  // namespace
