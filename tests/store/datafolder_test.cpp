// The data folder: file names, the order header, missing files and folders, atomic replacement.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "store/datafolder.h"
#include "store/entries.h"
#include "store/errors.h"
#include "store/filestamp.h"
#include "store/settings.h"
#include "testutil.h"

using namespace store;
using testutil::ErrorOf;
using testutil::ReadAll;
using testutil::TempDir;
using testutil::WriteAll;

namespace {

TEST(DataFolder, ItemFileNamesAreEightUpperCaseHexDigits) {
  EXPECT_EQ(ItemFileNameOf(305419896), "12345678");
  EXPECT_EQ(ItemFileNameOf(0), "00000000");
  EXPECT_EQ(ItemFileNameOf(10), "0000000A");
  EXPECT_EQ(ItemFileNameOf(2147483647), "7FFFFFFF");
  EXPECT_EQ(DataFolderIn("/opt/sorame"), "/opt/sorame/UserData/");
  EXPECT_EQ(DataFolderIn("/opt/sorame/"), "/opt/sorame/UserData/");
}

TEST(DataFolder, MissingFolderIsCreatedAndMissingFileKeepsTheObject) {
  TempDir dir;
  DataFolder folder(dir.Sub("a/b/UserData"));
  TMainDataClass m;
  m.Top = 33;
  EXPECT_FALSE(folder.LoadComponentFile(m, "main.bin"));
  EXPECT_EQ(m.Top, 33);
  struct stat st {};
  ASSERT_EQ(stat(folder.Path().c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  // Removed while the program runs: the next save makes it again.
  std::filesystem::remove_all(dir.Sub("a"));
  folder.SaveComponentFile(m, "main.bin");
  EXPECT_TRUE(folder.LoadComponentFile(m, "main.bin"));
  // A link to a folder that is not there (a sync folder not mounted) is not made into one.
  std::filesystem::create_symlink(dir.Sub("unmounted/UserData"), dir.Sub("link"));
  DataFolder linked(dir.Sub("link"));
  EXPECT_THROW(linked.SaveComponentFile(m, "main.bin"), Error);
  EXPECT_FALSE(std::filesystem::exists(dir.Sub("unmounted")));
}

TEST(DataFolder, FolderThatCannotBeCreatedReportsTheIoError) {
  TempDir dir;
  WriteAll(dir.Sub("file"), "x");
  DataFolder folder(dir.Sub("file/UserData"));
  TMainDataClass m;
  EXPECT_THROW(folder.LoadComponentFile(m, "main.bin"), Error);
}

TEST(DataFolder, ListFileHeaderThenTwoRecords) {
  TempDir dir;
  DataFolder folder(dir.Path());
  TRootComponent_Item items(folder, nullptr);
  items.SaveToFile("empty");
  std::string bytes = ReadAll(folder.FilePath("empty"));
  EXPECT_EQ(bytes.substr(0, 8), std::string("\0\0\0\0TPF0", 8));

  items.Add(0, -1, 0, 0, "a");
  items.Add(0, -1, 0, 0, "b");
  items.SaveToFile("two");
  bytes = ReadAll(folder.FilePath("two"));
  EXPECT_EQ(bytes.substr(0, 16), std::string("\2\0\0\0\1\0\0\0\0\0\0\0TPF0", 16));
  // The second record (the settings) follows the first directly and ends the file.
  size_t second = bytes.find("TPF0", 16);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(bytes.substr(second + 4, 15), std::string("\x0ETEditorPropDat"));
  EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string("\0\0", 2));

  TRootComponent_Item back(folder, nullptr);
  back.LoadFromFile("two");
  EXPECT_EQ(back.OrderList, (std::vector<int>{1, 0}));
  EXPECT_EQ(back.GetEntry(0).name, "b");
}

TEST(DataFolder, HeaderCountIsCheckedAgainstTheFileSize) {
  TempDir dir;
  DataFolder folder(dir.Path());
  WriteAll(folder.FilePath("huge"), std::string("\xFF\xFF\xFF\x7F", 4) + "TPF0");
  WriteAll(folder.FilePath("negative"), std::string("\xFF\xFF\xFF\xFF", 4) + "TPF0");
  WriteAll(folder.FilePath("short"), std::string("\x01\x00", 2));
  for (const char* name : {"huge", "negative", "short"}) {
    TRootComponent_Item items(folder, nullptr);
    try {
      items.LoadFromFile(name);
      ADD_FAILURE() << name << " loaded";
    } catch (const StreamError& e) {
      // The reader's own text, with the file it failed on.
      EXPECT_EQ(std::string(e.what()),
                folder.FilePath(name) + " の読み込み中のエラー : ストリームからの読み込みエラー");
    }
  }
}

TEST(DataFolder, SavingReplacesTheFileAndLeavesNoTemporaryFile) {
  TempDir dir;
  DataFolder folder(dir.Path());
  TMainDataClass m;
  m.SetDefaults();
  m.Top = 1;
  folder.SaveComponentFile(m, "main.bin");
  m.Top = 2;
  folder.SaveComponentFile(m, "main.bin");
  TMainDataClass back;
  folder.LoadComponentFile(back, "main.bin");
  EXPECT_EQ(back.Top, 2);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST(DataFolder, AFailingWriteLeavesTheOldFileIntact) {
  TempDir dir;
  DataFolder folder(dir.Path());
  TRootComponent_Item items(folder, nullptr);
  items.Add(0, -1, 0, 0, "old");
  items.SaveToFile("ITEMS");
  const std::string before = ReadAll(folder.FilePath("ITEMS"));

  // A file size limit makes the write fail part way, as a full disk would.
  auto big = std::string(1 << 20, 'x');
  static_cast<TItemsCollectionItem&>(*items.Collection[0]).ItemText = big;
  signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  std::string message;
  try {
    items.SaveToFile("ITEMS");
  } catch (const StreamError& e) {
    message = e.what();
  }
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(message,
            folder.FilePath("ITEMS") + " の書き込み中のエラー : ストリームへの書き込みエラー (ファイルが大きすぎます)");
  EXPECT_EQ(ReadAll(folder.FilePath("ITEMS")), before);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1) << "the temporary file must be removed";
}

TEST(DataFolder, AnUnwritableFolderReportsCannotCreateAndKeepsTheFile) {
  TempDir dir;
  DataFolder folder(dir.Path());
  TMainDataClass m;
  m.Top = 5;
  folder.SaveComponentFile(m, "main.bin");
  const std::string before = ReadAll(folder.FilePath("main.bin"));

  // A folder that is a file cannot take a temporary file, whoever runs the test.
  DataFolder broken(dir.Sub("main.bin"));
  try {
    broken.SaveComponentFile(m, "x.bin");
    ADD_FAILURE() << "saved into a file";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "フォルダ " + dir.Sub("main.bin") + "/ を作成できません (パスが見つかりません)");
  }

  if (geteuid() != 0) {  // permissions do not stop root
    chmod(dir.Path().c_str(), 0555);
    m.Top = 6;
    EXPECT_THROW(folder.SaveComponentFile(m, "main.bin"), StreamError);
    chmod(dir.Path().c_str(), 0755);
  }
  EXPECT_EQ(ReadAll(folder.FilePath("main.bin")), before);
}

TEST(DataFolder, AFileThatCannotBeOpenedReportsIt) {
  TempDir dir;
  DataFolder folder(dir.Path());
  std::filesystem::create_directory(folder.FilePath("main.bin"));
  ASSERT_EQ(mkfifo(folder.FilePath("list.bin").c_str(), 0600), 0);  // must not hang open()
  WriteAll(dir.Sub("file"), "");
  TMainDataClass m;
  EXPECT_EQ(ErrorOf([&] { folder.LoadComponentFile(m, "main.bin"); }),
            "ファイル " + folder.FilePath("main.bin") + " は開けません (ファイルではなくフォルダです)");
  EXPECT_EQ(ErrorOf([&] { folder.LoadComponentFile(m, "list.bin"); }),
            "ファイル " + folder.FilePath("list.bin") + " は開けません (通常のファイルではありません)");
  EXPECT_EQ(ErrorOf([&] { DataFolder(dir.Sub("file/UserData")).EnsureExists(); }),
            "フォルダ " + dir.Sub("file/UserData/") + " を作成できません (パスが見つかりません)");
}

TEST(DataFolder, SavingThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
  TempDir dir;
  DataFolder folder(dir.Sub("UserData"));
  folder.EnsureExists();
  std::filesystem::create_directories(dir.Sub("synced/deeper"));
  // A chain of two links, the second relative to its own folder.
  std::filesystem::create_symlink("deeper/main.bin", dir.Sub("synced/link"));
  std::filesystem::create_symlink(dir.Sub("synced/link"), folder.FilePath("main.bin"));
  TMainDataClass m;
  for (int top : {1, 2}) {
    m.Top = top;
    folder.SaveComponentFile(m, "main.bin");
  }
  EXPECT_TRUE(std::filesystem::is_symlink(folder.FilePath("main.bin")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Sub("synced/link")));
  TMainDataClass back;
  folder.LoadComponentFile(back, "main.bin");
  EXPECT_EQ(back.Top, 2);
  // A link that points nowhere gets its target made; a loop of links is an error.
  std::filesystem::create_symlink(dir.Sub("synced/new.bin"), folder.FilePath("dangling"));
  folder.SaveComponentFile(m, "dangling");
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.Sub("synced/new.bin")));
  std::filesystem::create_symlink("loop", folder.FilePath("loop"));
  EXPECT_THROW(folder.SaveComponentFile(m, "loop"), StreamError);
}

TEST(DataFolder, StampsTellAFileChangedOnDiskSinceItWasReadOrWritten) {
  TempDir dir;
  DataFolder folder(dir.Path());
  const std::string path = folder.FilePath("ITEMS");
  TRootComponent_Item items(folder, nullptr), other(folder, nullptr);
  items.LoadFromFile("ITEMS");
  EXPECT_FALSE(items.Stamp.exists);
  items.Add(0, -1, 0, 0, "zz");
  items.SaveToFile("ITEMS");
  EXPECT_FALSE(ChangedOnDisk(items.Stamp, path));
  other.LoadFromFile("ITEMS");
  EXPECT_EQ(other.Stamp, items.Stamp);
  // Replaced by another writer (a new inode, as sync tools do), even with the same bytes.
  other.SaveToFile("ITEMS");
  EXPECT_TRUE(ChangedOnDisk(items.Stamp, path));
  // Rewritten in place with the same size: the modification time tells.
  items.LoadFromFile("ITEMS");
  std::string bytes = ReadAll(path);
  bytes.replace(bytes.find("zz"), 2, "yy");
  std::ofstream(path, std::ios::binary | std::ios::in | std::ios::out) << bytes;
  const timespec later[2] = {{items.Stamp.mtimeSec + 1, 0}, {items.Stamp.mtimeSec + 1, 0}};
  utimensat(AT_FDCWD, path.c_str(), later, 0);
  EXPECT_TRUE(ChangedOnDisk(items.Stamp, path));
  std::filesystem::remove(path);
  EXPECT_TRUE(ChangedOnDisk(other.Stamp, path));
}

TEST(DataFolder, StaleTemporaryFilesOfInterruptedSavesAreRemoved) {
  TempDir dir;
  DataFolder folder(dir.Path());
  {
    AtomicFileOutput out(folder.FilePath("0A0B0C0D"));  // the writer's own pattern
    EXPECT_TRUE(IsTemporaryFileName(out.TempPath().substr(folder.Path().size())));
  }
  const std::vector<std::string> others = {"main.bin",           ".tmp-abcdef",   "group.bin.tmp-abcdef",
                                           ".group.bin.tmp-abc", ".x.tmp-ab_def", ".link.tmp-abcdef"};
  for (const auto& name : others) WriteAll(folder.FilePath(name), "not ours");
  std::filesystem::remove(folder.FilePath(".link.tmp-abcdef"));
  std::filesystem::create_symlink(folder.FilePath("main.bin"), folder.FilePath(".link.tmp-abcdef"));
  std::filesystem::create_directory(folder.FilePath(".dir.tmp-abcdef"));
  WriteAll(folder.FilePath(".group.bin.tmp-Ab3xYz"), "half");
  EXPECT_EQ(folder.RemoveStaleTemporaryFiles(), std::vector<std::string>{".group.bin.tmp-Ab3xYz"});
  for (const auto& name : others) EXPECT_TRUE(folder.Exists(name)) << name;
  EXPECT_TRUE(folder.Exists(".dir.tmp-abcdef"));
}

}  // namespace
