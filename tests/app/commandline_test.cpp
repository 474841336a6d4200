// The program's command line: its own options, Qt's options left alone, anything else refused.
#include <gtest/gtest.h>

#include "app/commandline.h"

namespace {

using app::CommandLine;
using app::ParseCommandLine;
using Action = CommandLine::Action;

TEST(CommandLine, OwnOptionsQtOptionsAndRefusals) {
  const std::vector<std::pair<std::vector<std::string>, std::pair<Action, std::string>>> table = {
      {{}, {Action::Run, ""}},
      {{"--help"}, {Action::Help, ""}},
      {{"-h", "--bogus"}, {Action::Help, ""}},
      {{"--version"}, {Action::Version, ""}},
      {{"--data-dir", "/d/UserData"}, {Action::Run, "/d/UserData"}},
      {{"--data-dir=rel"}, {Action::Run, "rel"}},
      {{"-platform", "offscreen", "--data-dir", "x", "-style=fusion", "--reverse"}, {Action::Run, "x"}},
      {{"--display", ":3", "-session", "abc"}, {Action::Run, ""}},
      {{"--data-dir"}, {Action::Error, ""}},
      {{"--data-dir="}, {Action::Error, ""}},
      {{"--bogus"}, {Action::Error, ""}},
      {{"-x"}, {Action::Error, ""}},
      {{"notes.txt"}, {Action::Error, ""}},
  };
  for (const auto& [args, expected] : table) {
    std::string line;
    for (const auto& a : args) line += a + " ";
    const CommandLine c = ParseCommandLine(args);
    EXPECT_EQ(c.action, expected.first) << line;
    EXPECT_EQ(c.dataDir, expected.second) << line;
    EXPECT_EQ(c.error.empty(), c.action != Action::Error) << line;
    EXPECT_EQ(c.error.find('\n'), std::string::npos) << line;
  }
  EXPECT_NE(ParseCommandLine({"--frob"}).error.find("--frob"), std::string::npos);
}

}  // namespace
