// The program's command line, read before Qt starts so that --help and --version work without a
// display. Qt's own options (-platform, -display, -style, ...) are left to Qt.
#pragma once

#include <string>
#include <vector>

namespace app {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::string dataDir;  // --data-dir; empty when not given
  std::string error;    // one line, for Action::Error
};

// `args` without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text of --help.
std::string HelpText();

}  // namespace app
