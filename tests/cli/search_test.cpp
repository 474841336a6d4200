// sorametext-cli search against real data folders: one line per hit, exit codes like grep.
#include <gtest/gtest.h>

#include "cli/runcli.h"
#include "codec/cp932.h"
#include "store/datafolder.h"
#include "store/entries.h"
#include "store/testutil.h"

namespace {

using testutil::ReadAll;
using testutil::TempDir;
using testutil::WriteAll;

using clitest::Result;
using clitest::Sjis;

Result Search(std::vector<std::string> args) {
  args.insert(args.begin(), "search");
  return clitest::RunCli(args);
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// A data folder written through the store. Texts and names are given in UTF-8.
struct Data {
  TempDir dir;
  std::string path = dir.Sub("UserData") + "/";
  store::DataFolder folder{path};
  store::TRootComponent_Item current{folder, nullptr};
  store::TRootComponent_Group groups{folder, nullptr, current};

  Data() { folder.EnsureExists(); }

  // Each item is {name, text}; the texts get CR LF line ends as in the program.
  void AddGroup(const std::string& name, const std::vector<std::pair<std::string, std::string>>& items) {
    int g = groups.Count();
    groups.Add(g, -1, 0, 0, Sjis(name));
    store::TRootComponent_Item list(folder, nullptr);
    for (const auto& [n, t] : items) {
      int at = list.Count();
      list.Add(at, -1, 0, 0, Sjis(n));
      list.ItemAt(at).ItemText = Sjis(t);
    }
    groups.SaveItems(g, &list);
  }
  void MoveItem(int g, int from, int to) {
    store::TRootComponent_Item list(folder, nullptr);
    groups.LoadItems(g, &list);
    list.MoveEntry(from, to);
    groups.SaveItems(g, &list);
  }
  void Save() { groups.SaveToFile("group.bin"); }
};

TEST(CliSearch, JapanesePatternGivesOneTabSeparatedLinePerHit) {
  Data d;
  d.AddGroup("仕事", {{"議事録", "会議の議事録\r\n次の会議\tは月曜"}, {"無関係", "なし"}});
  d.AddGroup("私用", {{"日記", "今日は会議なし"}});
  d.Save();
  Result r = Search({d.path, "会議"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out,
            "0\t0\t0\t仕事\t議事録\t会議の議事録  次の会議 は月曜\n"
            "0\t0\t" +
                std::to_string(Sjis("会議の議事録\r\n次の").size()) +
                "\t仕事\t議事録\t会議 は月曜\n"
                "1\t0\t" +
                std::to_string(Sjis("今日は").size()) + "\t私用\t日記\t会議なし\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliSearch, ExcerptIsCutAtACharacterBoundaryAndPositionsAreDisplayPositions) {
  Data d;
  // 1 + 70 double-byte characters: the 120-byte excerpt from offset 0 holds "x" and 59 of them.
  d.AddGroup("g", {{"first", "no"}, {"long", "x" + Repeat("あ", 70)}});
  d.MoveItem(0, 1, 0);  // "long" is stored second but shown first
  d.Save();
  Result r = Search({d.path, "xあ"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "0\t0\t0\tg\tlong\tx" + Repeat("あ", 59) + "\n");
}

TEST(CliSearch, OptionsAndNames) {
  Data d;
  d.AddGroup("Project", {{"spec sheet", "ＡＢＣ and abc, abcd"}, {"plain", "ABC"}});
  d.AddGroup("empty project", {});
  d.AddGroup("lines", {{"i", "xy\r\n　zw"}});
  d.Save();
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      {{"abc"},
       "0\t0\t11\tProject\tspec sheet\tabc, abcd\n"
       "0\t0\t16\tProject\tspec sheet\tabcd\n"
       "0\t1\t0\tProject\tplain\tABC\n"},
      {{"--ignore-width", "abc"},
       "0\t0\t0\tProject\tspec sheet\tＡＢＣ and abc, abcd\n"
       "0\t0\t11\tProject\tspec sheet\tabc, abcd\n"
       "0\t0\t16\tProject\tspec sheet\tabcd\n"
       "0\t1\t0\tProject\tplain\tABC\n"},
      {{"xyzw"}, ""},
      {{"--match-case", "ABC"}, "0\t1\t0\tProject\tplain\tABC\n"},
      {{"--whole-word", "abc"},
       "0\t0\t11\tProject\tspec sheet\tabc, abcd\n"
       "0\t1\t0\tProject\tplain\tABC\n"},
      {{"--names", "project"},
       "0\t0\t-1\tProject\t*** （グループ名一致） ***\t\n"
       "1\t-1\t-1\tempty project\t*** （グループ名一致） ***\t\n"},
      {{"--names", "sheet"}, "0\t0\t0\tProject\tspec sheet\tＡＢＣ and abc, abcd\n"},
      {{"--ignore-breaks-spaces", "xyzw"}, "2\t0\t0\tlines\ti\txy  　zw\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{d.path};
    args.insert(args.end(), c.args.begin(), c.args.end());
    Result r = Search(args);
    EXPECT_EQ(r.code, c.out.empty() ? 1 : 0) << c.args.back() << ": " << r.err;
    EXPECT_EQ(r.out, c.out) << c.args.front();
  }
}

TEST(CliSearch, NoHitExitsOneAndUsageErrorsExitTwo) {
  Data d;
  d.AddGroup("g", {{"i", "text"}});
  d.Save();
  Result r = Search({d.path, "absent"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");

  const std::vector<std::string> bad[] = {
      {},
      {d.path},
      {d.path, "a", "b"},
      {d.path, "text", "--frobnicate"},
      {d.path, ""},
      {d.path, "😀"},         // no Shift-JIS form
      {d.path, "\xff\xfe"},  // not UTF-8
  };
  for (const auto& args : bad) {
    r = Search(args);
    EXPECT_EQ(r.code, 2) << args.size();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage:"), std::string::npos) << r.err;
  }
  // "--" lets a pattern begin with dashes.
  d.AddGroup("h", {{"j", "--flag"}});
  d.Save();
  r = Search({d.path, "--", "--flag"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "1\t0\t0\th\tj\t--flag\n");
  EXPECT_EQ(Search({d.dir.Sub("nowhere"), "x"}).code, 1);
}

TEST(CliSearch, DamagedItemFileIsReportedAndTheOtherGroupsAreStillSearched) {
  Data d;
  d.AddGroup("broken", {{"a", "needle"}});
  d.AddGroup("fine", {{"b", "needle"}});
  d.Save();
  const std::string file = d.path + d.groups.ItemFileName(0);
  const std::string good = ReadAll(file);
  WriteAll(file, good.substr(0, good.size() / 2));
  Result r = Search({d.path, "needle"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "1\t0\t0\tfine\tb\tneedle\n");
  EXPECT_NE(r.err.find("group 0 (broken)"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("エラー"), std::string::npos) << r.err;

  // A damaged group list leaves nothing to search.
  WriteAll(d.path + "group.bin", "TPF0");
  r = Search({d.path, "needle"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("エラー"), std::string::npos) << r.err;
}

}  // namespace
