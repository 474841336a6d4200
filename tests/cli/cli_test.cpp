// sorametext-cli against real data folders: listing, printing, dumping, adding, refusing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/runcli.h"
#include "codec/cp932.h"
#include "store/datafolder.h"
#include "store/entries.h"
#include "store/folderlock.h"
#include "store/testutil.h"

namespace {

using testutil::ReadAll;
using testutil::TempDir;
using testutil::WriteAll;

using clitest::Result;
using clitest::RunCli;
using clitest::Sjis;

TEST(Cli, NewGroupAddTextListAndCat) {
  TempDir dir;
  std::string data = dir.Sub("UserData");
  Result r = RunCli({"new-group", data, "日本語グループ"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "0\n");
  ASSERT_EQ(RunCli({"new-group", data, "second"}).code, 0);

  WriteAll(dir.Sub("memo.txt"), "一行目\n二行目\nthird");  // UTF-8, LF
  WriteAll(dir.Sub("sjis.txt"), Sjis("シフトJIS\r\n") +
                                    "\x1A"
                                    "junk");  // code page 932, Ctrl-Z
  r = RunCli({"add-text", data, "0", dir.Sub("memo.txt"), dir.Sub("sjis.txt")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "0\n1\n");

  r = RunCli({"ls", data});
  ASSERT_EQ(r.code, 0) << r.err;
  // position, NameID, item count, name
  std::vector<std::string> lines;
  for (size_t at = 0, nl; (nl = r.out.find('\n', at)) != std::string::npos; at = nl + 1)
    lines.push_back(r.out.substr(at, nl - at));
  ASSERT_EQ(lines.size(), 2u);
  store::DataFolder folder(data);
  store::TRootComponent_Item items(folder, nullptr);
  store::TRootComponent_Group groups(folder, nullptr, items);
  groups.LoadFromFile("group.bin");
  char id[16];
  std::snprintf(id, sizeof id, "%08X", static_cast<uint32_t>(groups.EntryAt(0).NameID));
  EXPECT_EQ(lines[0], std::string("0\t") + id + "\t2\t日本語グループ");
  EXPECT_EQ(lines[1].substr(lines[1].size() - 9), "\t0\tsecond");
  EXPECT_EQ(groups.EntryAt(0).Name, Sjis("日本語グループ"));

  r = RunCli({"ls", data, "0"});
  EXPECT_EQ(r.out, "0\t0\t" + std::to_string(Sjis("一行目\r\n二行目\r\nthird").size()) + "\tmemo.txt\n1\t0\t" +
                       std::to_string(Sjis("シフトJIS\r\n").size()) + "\tsjis.txt\n");

  r = RunCli({"cat", data, "0", "0"});
  EXPECT_EQ(r.out, "一行目\r\n二行目\r\nthird");
  r = RunCli({"cat", data, "0", "1", "--raw"});
  EXPECT_EQ(r.out, Sjis("シフトJIS\r\n"));

  WriteAll(dir.Sub("edit.txt"), "書き換え\n二行");
  r = RunCli({"set-text", data, "0", "1", dir.Sub("edit.txt")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(RunCli({"cat", data, "0", "1"}).out, "書き換え\r\n二行");
  EXPECT_EQ(RunCli({"cat", data, "0", "0"}).out, "一行目\r\n二行目\r\nthird");
  r = RunCli({"set-text", data, "0", "2", dir.Sub("edit.txt")});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no item at position 2"), std::string::npos) << r.err;
}

TEST(Cli, DumpShowsHeaderRecordsPathsKindsAndValues) {
  TempDir dir;
  std::string data = dir.Sub("UserData");
  ASSERT_EQ(RunCli({"new-group", data, "g"}).code, 0);
  Result r = RunCli({"dump", data + "/group.bin"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("order header: 1 entries: 0"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("object TRootComponent_Group"), std::string::npos);
  EXPECT_NE(r.out.find("Collection: vtCollection (1 items)"), std::string::npos);
  EXPECT_NE(r.out.find("Name: vtString \"g\""), std::string::npos);
  EXPECT_NE(r.out.find("ListTxtColor: vtIdent clBlack"), std::string::npos);
  EXPECT_NE(r.out.find("SelIndex: vtInt8 0"), std::string::npos);
  EXPECT_NE(r.out.find("record 2:"), std::string::npos);
}

TEST(Cli, DamagedFilesGiveTheReadersMessageNotACrash) {
  TempDir dir;
  std::string data = dir.Sub("UserData");
  ASSERT_EQ(RunCli({"new-group", data, "g"}).code, 0);
  std::string good = ReadAll(data + "/group.bin");
  for (size_t cut : {size_t{3}, size_t{9}, good.size() / 2, good.size() - 1}) {
    WriteAll(data + "/group.bin", good.substr(0, cut));
    Result r = RunCli({"ls", data});
    EXPECT_EQ(r.code, 1) << cut;
    EXPECT_NE(r.err.find("エラー"), std::string::npos) << cut << ": " << r.err;
    r = RunCli({"dump", data + "/group.bin"});
    EXPECT_EQ(r.code, 1) << cut;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  WriteAll(data + "/group.bin", std::string("\xFF\xFF\xFF\x7F", 4) + "TPF0");
  Result r = RunCli({"cat", data, "0", "0"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("ストリームからの読み込みエラー"), std::string::npos) << r.err;
}

TEST(Cli, UsageAndPositionErrors) {
  TempDir dir;
  std::string data = dir.Sub("UserData");
  ASSERT_EQ(RunCli({"new-group", data, "g"}).code, 0);
  EXPECT_EQ(RunCli({}).code, 2);
  EXPECT_EQ(RunCli({"frobnicate"}).code, 2);
  EXPECT_EQ(RunCli({"ls"}).code, 2);
  EXPECT_EQ(RunCli({"cat", data, "x", "0"}).code, 2);
  Result r = RunCli({"cat", data, "5", "0"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no group at position 5"), std::string::npos);
  r = RunCli({"cat", data, "0", "0"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no item at position 0"), std::string::npos);
  r = RunCli({"add-text", data, "0", dir.Sub("missing.txt")});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("cannot open"), std::string::npos);
  EXPECT_EQ(RunCli({"ls", dir.Sub("nowhere")}).code, 1);
  EXPECT_EQ(RunCli({"--help"}).code, 0);
}

TEST(Cli, TheManPageDescribesEveryCommandOfTheHelp) {
  Result help = RunCli({"--help"});
  ASSERT_EQ(help.code, 0);
  const std::string man = ReadAll(SORAME_CLI_MAN);
  ASSERT_FALSE(man.empty());
  int commands = 0;
  const std::string lead = "\n  sorametext-cli ";
  for (size_t at = help.out.find(lead); at != std::string::npos; at = help.out.find(lead, at + 1)) {
    const size_t start = at + lead.size();
    const std::string name = help.out.substr(start, help.out.find_first_of(" \n", start) - start);
    ++commands;
    // Each command is a paragraph tag of its own: ".BI name" or ".BR name".
    EXPECT_TRUE(man.find("\n.BI " + name + " ") != std::string::npos ||
                man.find("\n.BR " + name + " ") != std::string::npos)
        << name;
  }
  EXPECT_GE(commands, 7);
}

TEST(Cli, WriteCommandsRefuseOnlyWhileTheirFolderIsLocked) {
  TempDir dir;
  std::string data = dir.Sub("UserData"), other = dir.Sub("Other");
  ASSERT_EQ(RunCli({"new-group", data, "g"}).code, 0);
  // The program's lock on its data folder.
  auto lock = std::make_unique<store::FolderLock>(data);
  ASSERT_EQ(lock->TryLock(), store::FolderLock::State::Held);
  const std::string before = ReadAll(data + "/group.bin");

  Result r = RunCli({"new-group", data, "h"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_NE(r.err.find("in use"), std::string::npos) << r.err;
  WriteAll(dir.Sub("a.txt"), "a");
  EXPECT_EQ(RunCli({"add-text", data, "0", dir.Sub("a.txt")}).code, 1);
  EXPECT_EQ(ReadAll(data + "/group.bin"), before);
  EXPECT_EQ(RunCli({"ls", data}).code, 0);  // reading is fine
  EXPECT_EQ(RunCli({"search", data, "g", "--names"}).code, 0);
  // Another folder is free, and a write leaves its lock free again.
  ASSERT_EQ(RunCli({"new-group", other, "o"}).code, 0);
  EXPECT_EQ(RunCli({"add-text", other, "0", dir.Sub("a.txt")}).code, 0);
  store::FolderLock otherLock(other);
  EXPECT_EQ(otherLock.TryLock(), store::FolderLock::State::Held);

  // A lock file left by a run that ended does not count.
  lock.reset();
  EXPECT_EQ(RunCli({"new-group", data, "h"}).code, 0);
}

}  // namespace
