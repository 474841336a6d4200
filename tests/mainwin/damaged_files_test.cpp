// Record files that fail to load: reported once, start-up goes on with what was read, and the
// damaged file is kept under a free name before the program first saves over it.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture.h"
#include "mainwin/damaged.h"
#include "mainwin/desktop.h"

using namespace mainwin;
using mwtest::App;

namespace {

TEST(DamagedFiles, BackupNamesNeverOverwriteAnEarlierOne) {
  mwtest::TempDir dir;
  store::DataFolder folder(dir.Data());
  folder.EnsureExists();
  EXPECT_EQ(FreeDamagedName(folder, "group.bin"), "group.bin.damaged");
  mwtest::WriteAll(folder.FilePath("group.bin"), "first");
  DamagedFiles damaged(folder);
  EXPECT_EQ(damaged.KeepBeforeSave("group.bin"), "");  // not noted: nothing kept
  EXPECT_TRUE(damaged.Note("group.bin"));
  EXPECT_FALSE(damaged.Note("group.bin"));
  EXPECT_EQ(damaged.KeepBeforeSave("group.bin"), "group.bin.damaged");
  EXPECT_EQ(damaged.KeepBeforeSave("group.bin"), "");  // kept once per damage
  mwtest::WriteAll(folder.FilePath("group.bin"), "second");
  damaged.Note("group.bin");
  EXPECT_EQ(damaged.KeepBeforeSave("group.bin"), "group.bin.damaged.2");
  mwtest::WriteAll(folder.FilePath("group.bin"), "third");
  damaged.Note("group.bin");
  EXPECT_EQ(damaged.KeepBeforeSave("group.bin"), "group.bin.damaged.3");
  EXPECT_EQ(mwtest::ReadAll(folder.FilePath("group.bin.damaged")), "first");
  EXPECT_EQ(mwtest::ReadAll(folder.FilePath("group.bin.damaged.2")), "second");
  EXPECT_EQ(mwtest::ReadAll(folder.FilePath("group.bin.damaged.3")), "third");
}

TEST(DamagedFiles, ADamagedGroupFileIsReportedKeptAndStartUpGoesOn) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "x"}}}, {"B", {{"b0", "y"}}}}, 0);
  const std::string group = dir.Data() + "group.bin";
  std::string bytes = mwtest::ReadAll(group);
  const std::string damagedBytes = bytes.substr(0, bytes.size() - 30);
  mwtest::WriteAll(group, damagedBytes);
  {
    App app(dir.Data());
    app.Start();
    ASSERT_EQ(app.host.errors.size(), 1u);
    // Whatever was read before the damage is there.
    EXPECT_EQ(app.core->Groups().Count(), 2);
    app.Close();
    EXPECT_EQ(app.host.errors.size(), 1u);
  }
  EXPECT_EQ(mwtest::ReadAll(dir.Data() + "group.bin.damaged"), damagedBytes);
  EXPECT_EQ(mwtest::StoredGroupNames(dir.Data()), (std::vector<std::string>{"A", "B"}));
}

TEST(DamagedFiles, ADamagedItemFileIsKeptBeforeItIsSavedOver) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "x"}, {"a1", "y"}}}, {"B", {{"b0", "z"}}}}, 0);
  App probe(dir.Data());
  probe.core->FormCreate();
  const std::string file = dir.Data() + probe.core->Groups().ItemFileName(0);
  const std::string garbage = mwtest::ReadAll(file).substr(0, 12);
  mwtest::WriteAll(file, garbage);

  App app(dir.Data());
  app.Start();
  ASSERT_EQ(app.host.errors.size(), 1u);
  EXPECT_EQ(app.groupView.selection, 0);
  // Reopening the damaged group does not repeat the message.
  app.ClickGroup(1);
  EXPECT_TRUE(std::filesystem::exists(file + ".damaged"));
  EXPECT_EQ(mwtest::ReadAll(file + ".damaged"), garbage);
  app.ClickGroup(0);
  EXPECT_EQ(app.host.errors.size(), 1u);
}

TEST(DamagedFiles, ADamagedMainRecordKeepsDefaultsUnderWhatWasRead) {
  mwtest::TempDir dir;
  store::DataFolder folder(dir.Data());
  folder.EnsureExists();
  store::TMainDataClass main;
  main.SetDefaults();
  main.GroupBackColor = 0x123456;
  main.Save(folder);
  std::string bytes = mwtest::ReadAll(folder.FilePath("main.bin"));
  // Cut inside GroupFontName, after the colours.
  const size_t cut = bytes.find("GroupFontName") + 20;
  mwtest::WriteAll(folder.FilePath("main.bin"), bytes.substr(0, cut));
  App app(dir.Data());
  app.Start();
  EXPECT_EQ(app.host.errors.size(), 1u);
  EXPECT_EQ(app.core->MainData().GroupBackColor, 0x123456);
  EXPECT_EQ(app.core->MainData().ItemFontSize, 10);
  app.Close();
  EXPECT_TRUE(std::filesystem::exists(folder.FilePath("main.bin.damaged")));
}

TEST(Desktop, DataFolderBesideTheExecutableOrInTheUsersDataHome) {
  mwtest::TempDir dir;
  const std::string exe = dir.Path() + "/bin";
  std::filesystem::create_directory(exe);
  EXPECT_EQ(ChooseDataFolder(exe, dir.Path() + "/xdg", dir.Path()), exe + "/UserData/");
  EXPECT_TRUE(std::filesystem::is_directory(exe + "/UserData"));
  // A file where the folder should be: the user's data home takes over.
  const std::string blocked = dir.Path() + "/blocked";
  std::filesystem::create_directory(blocked);
  mwtest::WriteAll(blocked + "/UserData", "not a folder");
  EXPECT_EQ(ChooseDataFolder(blocked, dir.Path() + "/xdg", dir.Path()), dir.Path() + "/xdg/sorametext/UserData/");
  EXPECT_EQ(ChooseDataFolder(blocked, "", dir.Path()), dir.Path() + "/.local/share/sorametext/UserData/");
}

TEST(Desktop, TextEditorIconFromTheDefaultApplication) {
  mwtest::TempDir dir;
  const std::string config = dir.Path() + "/config";
  const std::string data = dir.Path() + "/data";
  std::filesystem::create_directories(config);
  std::filesystem::create_directories(data + "/applications");
  EXPECT_EQ(DefaultTextEditorIcon(config, config, data, data), "");
  mwtest::WriteAll(config + "/mimeapps.list",
                   "[Added Associations]\ntext/plain=other.desktop;\n[Default Applications]\n"
                   "image/png=viewer.desktop\ntext/plain=missing.desktop;edit.desktop;\n");
  mwtest::WriteAll(data + "/applications/edit.desktop",
                   "[Desktop Action x]\nIcon=wrong\n[Desktop Entry]\nName=Edit\nIcon=text-editor-x\n");
  mwtest::WriteAll(data + "/applications/other.desktop", "[Desktop Entry]\nIcon=other-icon\n");
  // The first default whose desktop file exists, then the added associations.
  EXPECT_EQ(DefaultTextEditorIcon(config, config, data, data), "text-editor-x");
  std::filesystem::remove(data + "/applications/edit.desktop");
  EXPECT_EQ(DefaultTextEditorIcon(config, config, data, data), "other-icon");
  std::filesystem::remove(data + "/applications/other.desktop");
  EXPECT_EQ(DefaultTextEditorIcon(config, config, data, data), "");
}

}  // namespace
