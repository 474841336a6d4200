// Record files that fail to load: reported once, start-up goes on with what was read, and the
// damaged file is kept under a free name before the program first saves over it.
#include <gtest/gtest.h>

#include <unistd.h>

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
    // The message names the file, around the reader's own text.
    EXPECT_EQ(app.host.errors[0].rfind(group + " の読み込み中のエラー : ", 0), 0u) << app.host.errors[0];
    // Whatever was read before the damage is there.
    EXPECT_EQ(app.core->Data().Groups().Count(), 2);
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
  const std::string file = dir.Data() + probe.core->Data().Groups().ItemFileName(0);
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

TEST(DamagedFiles, AFolderWhereAnItemFileBelongsIsMovedAsideAndTheGroupCanBeLeft) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "x"}}}, {"B", {{"b0", "y"}}}, {"C", {{"c0", "z"}}}}, 0);
  App app(dir.Data());
  app.Start();
  const std::string fileA = dir.Data() + app.core->Data().Groups().ItemFileName(0);
  const std::string fileB = dir.Data() + app.core->Data().Groups().ItemFileName(1);
  // While A is open its file becomes a folder (with something of its own inside); B's is one
  // already when it is opened.
  std::filesystem::remove(fileA);
  std::filesystem::create_directory(fileA);
  mwtest::WriteAll(fileA + "/inside", "keep me");
  std::filesystem::remove(fileB);
  std::filesystem::create_directory(fileB);
  app.ClickItem(0);
  app.Type("typed ");
  app.ClickGroup(1);
  EXPECT_EQ(app.core->GroupList().ItemIndex(), 1);
  ASSERT_EQ(app.host.errors.size(), 2u);
  EXPECT_EQ(app.host.errors[0],
            "ファイル " + fileA + " の場所にフォルダがあったため、フォルダを " + fileA + ".damaged に移しました");
  EXPECT_EQ(app.host.errors[1], "ファイル " + fileB + " は開けません (ファイルではなくフォルダです)");
  EXPECT_EQ(mwtest::ReadAll(fileA + ".damaged/inside"), "keep me");
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[0].text, "typed x");
  // Leaving B, whose file could not be read, is not refused either.
  app.ClickGroup(2);
  EXPECT_EQ(app.core->GroupList().ItemIndex(), 2);
  EXPECT_TRUE(std::filesystem::is_directory(fileB + ".damaged"));
  EXPECT_TRUE(std::filesystem::is_regular_file(fileB));
  EXPECT_EQ(app.host.errors.size(), 3u);
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
  EXPECT_EQ(app.core->Data().MainData().GroupBackColor, 0x123456);
  EXPECT_EQ(app.core->Data().MainData().ItemFontSize, 10);
  app.Close();
  EXPECT_TRUE(std::filesystem::exists(folder.FilePath("main.bin.damaged")));
}

TEST(Desktop, DataFolderNamedBesideTheExecutableOnlyWhereItExistsOrInTheUsersDataHome) {
  mwtest::TempDir dir;
  const std::string exe = dir.Path() + "/bin", xdg = dir.Path() + "/xdg";
  std::filesystem::create_directory(exe);
  // A build folder without UserData: the user's data home, and nothing is created beside it.
  EXPECT_EQ(ChooseDataFolder("", exe, xdg, dir.Path()), xdg + "/sorametext/UserData/");
  EXPECT_EQ(ChooseDataFolder("", exe, "", dir.Path()), dir.Path() + "/.local/share/sorametext/UserData/");
  EXPECT_TRUE(std::filesystem::is_empty(exe));
  EXPECT_FALSE(std::filesystem::exists(xdg));
  // Whatever stands beside it under that name is the user's data, even a dangling link.
  std::filesystem::create_directory_symlink(dir.Path() + "/unmounted", exe + "/UserData");
  EXPECT_EQ(ChooseDataFolder("", exe, xdg, dir.Path()), exe + "/UserData/");
  // A named folder wins; a relative name is taken from the current folder.
  EXPECT_EQ(ChooseDataFolder(dir.Path() + "/mine", exe, xdg, dir.Path()), dir.Path() + "/mine/");
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(ChooseDataFolder("notes", exe, xdg, dir.Path()), cwd + "/notes/");
}

TEST(Desktop, AFolderThatCannotBeUsedIsNamedWithItsReasonAndNeverReplaced) {
  mwtest::TempDir dir;
  const std::string fresh = dir.Path() + "/a/b/UserData/";
  EXPECT_EQ(PrepareDataFolder(fresh), "");
  EXPECT_TRUE(std::filesystem::is_directory(fresh));
  EXPECT_EQ(PrepareDataFolder(fresh), "");

  const std::string link = dir.Path() + "/link";
  std::filesystem::create_directory_symlink(dir.Path() + "/sync/notes", link);
  std::string why = PrepareDataFolder(link + "/");
  EXPECT_NE(why.find(dir.Path() + "/sync/notes"), std::string::npos) << why;
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/sync"));  // not created behind the link

  mwtest::WriteAll(dir.Path() + "/file", "x");
  EXPECT_EQ(PrepareDataFolder(dir.Path() + "/file/"), "フォルダではありません");
  EXPECT_NE(PrepareDataFolder(dir.Path() + "/file/below/"), "");
  if (geteuid() != 0) {  // root writes anywhere
    std::filesystem::create_directory(dir.Path() + "/ro");
    std::filesystem::permissions(dir.Path() + "/ro",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(PrepareDataFolder(dir.Path() + "/ro/"), "書き込みできません: ファイルへのアクセスが拒否されました");
    EXPECT_NE(PrepareDataFolder(dir.Path() + "/ro/UserData/"), "");
    std::filesystem::permissions(dir.Path() + "/ro", std::filesystem::perms::owner_all);
  }
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
