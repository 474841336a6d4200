// The CLI's fold command, run as a program on sample files: the editor's rows, one per line.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Result {
  int code = -1;
  std::string out, err;
};

class FoldCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("fold_cli_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
  }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  }
  // Runs fold with `args`; `stdin_file` (if any) is redirected to its standard input.
  Result Run(const std::vector<std::string>& args, const std::string& stdin_file = "") {
    std::string cmd = Quote(SORAME_CLI) + " fold";
    for (const std::string& a : args) cmd += " " + Quote(a);
    if (!stdin_file.empty()) cmd += " <" + Quote(stdin_file);
    cmd += " >" + Quote((dir_ / "out").string()) + " 2>" + Quote((dir_ / "err").string());
    const int status = std::system(cmd.c_str());
    Result r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Read(dir_ / "out");
    r.err = Read(dir_ / "err");
    return r;
  }
  fs::path dir_;
};

std::string Rep(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

TEST_F(FoldCli, FoldsCodePage932WithTheEditorsRules) {
  const std::string a = "\x82\xA0";     // あ
  const std::string maru = "\x81\x42";  // 。
  struct Case {
    std::vector<std::string> options;
    std::string input;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{"--width", "60"},
       Rep("a", 130) + "\r\nshort\r\n",
       Rep("a", 60) + "\r\n" + Rep("a", 60) + "\r\n" + Rep("a", 10) + "\r\nshort\r\n"},
      {{}, Rep("b", 81), Rep("b", 80) + "\nb"},  // no line break at all: LF, none after the last row
      {{"--width", "20"}, "x" + Rep(a, 21) + "\n", "x" + Rep(a, 9) + "\n" + Rep(a, 10) + "\n" + Rep(a, 2) + "\n"},
      {{"--width", "20"}, Rep("c", 20) + "\n", Rep("c", 20) + "\n\n"},
      {{"--width", "20", "--no-empty-row"}, Rep("c", 20) + "\n", Rep("c", 20) + "\n"},
      {{"--width", "20", "--word-break"},
       Rep("d", 18) + " " + Rep("e", 10) + "\n",
       Rep("d", 18) + " \n" + Rep("e", 10) + "\n"},
      {{"--width", "20", "--hang-punctuation"},
       Rep("f", 20) + maru + maru + "\n",
       Rep("f", 20) + maru + "\n" + maru + "\n"},
      {{"--width", "20", "--kinsoku"}, Rep("g", 18) + "\x81\x75" + "hh\n", Rep("g", 18) + "\n\x81\x75hh\n"},
      {{"--width", "20", "--tab", "4"}, "\t\t\t\t\tabc\n", "\t\t\t\t\t\nabc\n"},
      {{"--width", "20", "--tab", "5"}, "\t\t\t\t\tabc\n", "\t\t\t\t\t\nabc\n"},  // 5 rounds down to 4
      {{"--width", "20"}, "", ""},
  };
  for (const Case& c : cases) {
    const std::string in = Write("in.txt", c.input);
    std::vector<std::string> args = c.options;
    args.push_back(in);
    Result r = Run(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, c.expected) << c.input;
    EXPECT_EQ(r.err, "");
  }
}

TEST_F(FoldCli, ReadsStandardInputAndKeepsUtf8AsUtf8) {
  const std::string in = Write("utf8.txt", "\xEF\xBB\xBF" + Rep("あ", 21) + "\nok\n");
  Result r = Run({"--width", "20"}, in);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "\xEF\xBB\xBF" + Rep("あ", 10) + "\n" + Rep("あ", 10) + "\n" + "あ\nok\n");
  r = Run({"--width", "20", "-"}, in);
  EXPECT_EQ(r.code, 0);

  // A character code page 932 cannot hold is never dropped silently.
  const std::string emoji = Write("emoji.txt", "x\xF0\x9F\x98\x80y\n");
  r = Run({emoji});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "x?y\n");
  EXPECT_NE(r.err.find("1 character"), std::string::npos) << r.err;
}

TEST_F(FoldCli, RefusesBadUsageAndReportsIoErrors) {
  const std::string in = Write("in.txt", "text\n");
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"--width", "10", in}, 2, "--width must be 20 to 250"},
      {{"--width", "300", in}, 2, "--width must be 20 to 250"},
      {{"--width", "wide", in}, 2, "--width: not a number: wide"},
      {{"--width"}, 2, "--width needs a number"},
      {{"--tab", "1", in}, 2, "--tab must be 2 to 8"},
      {{"--frobnicate", in}, 2, "unknown option --frobnicate"},
      {{in, in}, 2, "only one FILE"},
      {{(dir_ / "missing.txt").string()}, 1, "cannot open"},
  };
  for (const Case& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.code, c.code) << c.message;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("sorametext-cli fold: " + c.message), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), c.code == 2 ? 2 : 1) << r.err;
  }
  Result help = Run({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("usage: sorametext-cli fold"), std::string::npos);
}

}  // namespace
