// Runs sorametext-cli as a separate process and keeps its exit code and both outputs.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "codec/cp932.h"
#include "store/testutil.h"

namespace clitest {

struct Result {
  int code = -1;
  std::string out, err;
};

inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// `env` holds shell assignments put in front of the command.
inline Result RunCli(const std::vector<std::string>& args, const std::string& env = "") {
  testutil::TempDir io;
  std::string cmd = env + " " + Quote(SORAME_CLI);
  for (const auto& a : args) cmd += " " + Quote(a);
  cmd += " >" + io.Sub("out") + " 2>" + io.Sub("err");
  const int status = std::system(cmd.c_str());
  Result r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = testutil::ReadAll(io.Sub("out"));
  r.err = testutil::ReadAll(io.Sub("err"));
  return r;
}

inline std::string Sjis(const std::string& utf8) { return codec::Utf8ToCp932(utf8).bytes; }

}  // namespace clitest
