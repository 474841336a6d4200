// sorametext-cli: reads and extends a sorametext data folder from scripts and backups.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "codec/cp932.h"
#include "store/errors.h"

namespace cli {

std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}

bool Register(const Command& command) {
  Registry().push_back(command);
  return true;
}

const std::vector<Command>& Commands() { return Registry(); }

void Warn(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    line.push_back(c == '\n' ? ' ' : c);
  }
  std::fprintf(stderr, "sorametext-cli: warning: %s\n", line.c_str());
}

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "sorametext-cli: %s\n", message.c_str());
  return code;
}

int UsageError(const Command& command, const std::string& message) {
  std::fprintf(stderr, "sorametext-cli %s: %s\nusage: sorametext-cli %s\n", command.name, message.c_str(),
               command.usage);
  return kUsage;
}

std::string ToTerminal(std::string_view cp932) { return codec::Cp932ToUtf8(cp932); }

bool FromTerminal(std::string_view utf8, std::string& cp932) {
  codec::Encoded e = codec::Utf8ToCp932(utf8);
  cp932 = std::move(e.bytes);
  return e.replaced == 0;
}

bool ParseInt(const std::string& s, int& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(s.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < -2147483647L || v > 2147483647L) return false;
  out = static_cast<int>(v);
  return true;
}

bool ReadFile(const std::string& path, std::string& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) {
    error = "cannot read " + path;
    return false;
  }
  bytes = ss.str();
  return true;
}

namespace {
void PrintHelp(FILE* out) {
  std::fprintf(out,
               "sorametext-cli: the command-line companion of sorametext (ソラメtext)\n\n"
               "usage:\n");
  for (const auto& c : Commands()) std::fprintf(out, "  sorametext-cli %s\n      %s\n", c.usage, c.summary);
  std::fprintf(out,
               "\nG and I are display positions counted from 0. Names and texts are printed as UTF-8.\n"
               "Commands that write refuse while sorametext (or another writing command) is using that\n"
               "data folder; reading commands always work.\n");
}
}  // namespace

}  // namespace cli

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    cli::PrintHelp(args.empty() ? stderr : stdout);
    return args.empty() ? cli::kUsage : cli::kOk;
  }
  if (args[0] == "--version") {
    std::printf("sorametext-cli %s\n", SORAMETEXT_VERSION);
    return cli::kOk;
  }
  for (const auto& c : cli::Commands()) {
    if (args[0] != c.name) continue;
    try {
      return c.run(args);
    } catch (const std::exception& e) {
      return cli::Fail(cli::kFailure, e.what());
    }
  }
  return cli::Fail(cli::kUsage, "unknown command '" + args[0] + "' (see sorametext-cli --help)");
}
