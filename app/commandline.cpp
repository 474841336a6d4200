#include "app/commandline.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace app {

namespace {

// Qt's options that take a value (as the next argument, or after "=") and those that do not.
constexpr std::array<std::string_view, 12> kQtWithValue = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::array<std::string_view, 6> kQtFlags = {"reverse", "widgetcount", "nograb",
                                                      "dograb",  "sync",        "qmljsdebugger"};

template <size_t N>
bool In(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine c;
  auto fail = [&c](std::string message) {
    c.action = CommandLine::Action::Error;
    c.error = std::move(message);
    return c;
  };
  for (size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    if (a == "--help" || a == "-h") {
      c.action = CommandLine::Action::Help;
      return c;
    }
    if (a == "--version") {
      c.action = CommandLine::Action::Version;
      return c;
    }
    if (a == "--data-dir" || a.starts_with("--data-dir=")) {
      std::string dir = a.size() > 10 ? a.substr(11) : (k + 1 < args.size() ? args[++k] : std::string());
      if (dir.empty()) return fail("--data-dir needs a folder");
      c.dataDir = dir;
      continue;
    }
    if (a.size() > 1 && a[0] == '-') {
      // Qt takes "-name" and "--name", with "=value" or the value as the next argument.
      std::string_view name(a);
      name.remove_prefix(name.starts_with("--") ? 2 : 1);
      const size_t eq = name.find('=');
      const bool hasValue = eq != std::string_view::npos;
      if (hasValue) name = name.substr(0, eq);
      if (In(kQtWithValue, name)) {
        if (!hasValue) ++k;
        continue;
      }
      if (In(kQtFlags, name)) continue;
      return fail("unknown option '" + a + "'");
    }
    return fail("unexpected argument '" + a + "': the program opens no files");
  }
  return c;
}

std::string HelpText() {
  return "usage: sorametext [--data-dir DIR]\n"
         "\n"
         "ソラメtext (sorametext): a memo organiser. Notes (items) in named groups, kept in a data folder.\n"
         "\n"
         "  --data-dir DIR  keep the notes in DIR (created when missing)\n"
         "  --help          show this text and end\n"
         "  --version       show the version and end\n"
         "\n"
         "The data folder is the first of: --data-dir DIR; the folder named by the environment\n"
         "variable SORAMETEXT_DATA_DIR; \"UserData\" beside the program where it already exists (a\n"
         "portable copy); \"$XDG_DATA_HOME/sorametext/UserData\" (by default\n"
         "~/.local/share/sorametext/UserData). Only one sorametext runs per user; a second start shows\n"
         "the running window. sorametext-cli reads and extends a data folder from scripts.\n";
}

}  // namespace app
