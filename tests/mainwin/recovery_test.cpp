// A close that cannot save: one question (retry, save elsewhere, quit without saving, cancel),
// and when nobody can answer, the unsaved groups as exchange files in a recovery folder, which the
// next start announces once.
#include "mainwin/recovery.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fixture.h"
#include "store/errors.h"

using namespace mainwin;
using mwtest::App;
using mwtest::Sjis;

namespace {

// The item texts of an exchange file, as the import reads it (UTF-8).
std::vector<std::string> ExchangeTexts(const std::string& path) {
  const ExchangeGroup g = ParseExchangeFile(mwtest::ReadAll(path));
  store::DataFolder folder("/nowhere/");
  store::TRootComponent_Item items(folder, editorsettings::EditorSettingsFactory());
  store::MemoryInput in(g.itemFile);
  store::ReadListStream(in, items, *items.EditorSettings, items.OrderList);
  std::vector<std::string> texts;
  for (int i = 0; i < items.Count(); ++i) texts.push_back(mwtest::Utf8(items.ItemAt(i).ItemText));
  return texts;
}

std::vector<mwtest::SeedGroup> OneGroup() { return {{"仕事", {{"a0", "x"}, {"a1", "y"}}}}; }

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

TEST(Close, ASaveThatFailsIsOneQuestionAndRetryingSavesOnceThereIsRoom) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), OneGroup(), 0);
  App app(dir.Data());
  app.core->SetRecoveryRoot(dir.Path() + "/recovery/");
  app.Start();
  app.Type("打った");
  {
    mwtest::FileSizeLimit full(16);
    int asked = 0;
    app.host.closeDialog = [&] {
      if (++asked == 2) full.Lift();  // the user made room after the first retry failed
      return CloseChoice::Retry;
    };
    EXPECT_TRUE(app.Close());
  }
  ASSERT_EQ(app.host.closeQuestions.size(), 2u);
  const std::string& q = app.host.closeQuestions[0];
  EXPECT_NE(q.find(dir.Data() + "group.bin"), std::string::npos) << q;
  EXPECT_NE(q.find(dir.Data() + app.Data().Groups().ItemFileName(0)), std::string::npos) << q;
  EXPECT_NE(q.find("ファイルが大きすぎます"), std::string::npos) << q;
  // Not a cascade of error boxes: the settings records' failures are not asked about again.
  EXPECT_TRUE(app.host.errors.empty());
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[0].text, "打ったx");
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/recovery"));
}

TEST(Close, CancelKeepsTheWindowAndSavingElsewhereWritesImportableFiles) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), OneGroup(), 0);
  App app(dir.Data());
  app.Start();
  app.ClickItem(1);
  app.Type("打った");
  mwtest::FileSizeLimit full(16);
  EXPECT_FALSE(app.Close());  // cancelled
  EXPECT_EQ(app.Text(), "打ったy");
  EXPECT_EQ(app.core->OpenGroup(), 0);
  EXPECT_EQ(app.core->OpenItem(), 1);
  EXPECT_FALSE(app.Data().HistoryHeld());
  app.ClickItem(0);
  EXPECT_TRUE(app.Data().History().CanBack());

  // Saving elsewhere: the folder dialog cancelled asks again; the files go where the user says.
  const std::string elsewhere = dir.Path() + "/usb";
  std::filesystem::create_directory(elsewhere);
  mwtest::WriteAll(elsewhere + "/仕事.sted", "someone else's");
  int asked = 0;
  app.host.closeDialog = [&] {
    if (++asked == 2) {
      app.host.folderAnswer = elsewhere;
      full.Lift();  // a stick with room, while the data folder stays full
    }
    return CloseChoice::SaveElsewhere;
  };
  EXPECT_TRUE(app.Close());
  EXPECT_EQ(app.host.closeQuestions.size(), 3u);
  EXPECT_EQ(mwtest::ReadAll(elsewhere + "/仕事.sted"), "someone else's");
  EXPECT_EQ(ExchangeTexts(elsewhere + "/仕事 (2).sted"), (std::vector<std::string>{"x", "打ったy"}));
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[1].text, "y");
}

TEST(Close, WithNobodyToAskTheUnsavedGoToTheRecoveryFolderAndTheNextStartSaysSo) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), OneGroup(), 0);
  const std::string root = dir.Path() + "/state/sorametext/recovery/";
  {
    // Quitting without saving is the user's choice: nothing goes anywhere.
    App app(dir.Data());
    app.core->SetRecoveryRoot(root);
    app.Start();
    app.Type("捨てる");
    mwtest::FileSizeLimit full(16);
    app.host.closeDialog = [] { return CloseChoice::QuitWithoutSaving; };
    EXPECT_TRUE(app.Close());
  }
  EXPECT_TRUE(UnannouncedRecoveries(root).empty());
  {
    App app(dir.Data());
    app.core->SetRecoveryRoot(root);
    app.Start();
    app.Type("残す");
    // The data folder's place taken by a file (a sync folder unmounted under a link, say): no
    // save there can succeed, while the recovery folder lies elsewhere.
    const std::string data = dir.Path() + "/UserData";
    std::filesystem::rename(data, dir.Path() + "/away");
    mwtest::WriteAll(data, "");
    EXPECT_TRUE(app.Close(CloseMode::Unattended));
    std::filesystem::remove(data);
    std::filesystem::rename(dir.Path() + "/away", data);
    EXPECT_TRUE(app.host.closeQuestions.empty());
    ASSERT_EQ(app.host.errors.size(), 1u);
    const std::vector<std::string> folders = UnannouncedRecoveries(root);
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_NE(app.host.errors[0].find(folders[0]), std::string::npos) << app.host.errors[0];
    EXPECT_EQ(ExchangeTexts(folders[0] + "仕事.sted"), (std::vector<std::string>{"残すx", "y"}));
  }
  for (int run = 0; run < 2; ++run) {
    App app(dir.Data());
    app.core->SetRecoveryRoot(root);
    app.Start();
    // Told once, at the first start after.
    ASSERT_EQ(app.host.questions.size(), run == 0 ? 1u : 0u);
    if (run == 0) {
      EXPECT_NE(app.host.questions[0].text.find(root), std::string::npos);
    }
    EXPECT_EQ(app.Text(), "x");
  }
}

}  // namespace
