// Registers fold (cli/fold.cpp) with the dispatcher.
#include <string>
#include <vector>

#include "cli/cli.h"

int RunFold(int argc, char** argv);

namespace cli {
namespace {

int RunFoldCommand(const std::vector<std::string>& args) {
  std::vector<std::string> copy = args;
  std::vector<char*> argv;
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  return RunFold(static_cast<int>(copy.size()), argv.data());
}

SORAME_CLI_COMMAND(fold, "fold",
                   "fold [--width N] [--word-break] [--hang-punctuation] [--kinsoku] [--no-empty-row] [--tab N] [FILE]",
                   "folds Shift-JIS (or UTF-8) text with the editor's Japanese line-breaking rules, one line per row "
                   "(fold --help for details)",
                   RunFoldCommand);

}  // namespace
}  // namespace cli
