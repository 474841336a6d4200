// Helpers shared by the store tests: temporary folders, byte literals, a recording reporter.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "store/reporter.h"

namespace testutil {

class TempDir {
 public:
  TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "sorame-test-XXXXXX").string();
    path_ = mkdtemp(templ.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }
  std::string Sub(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Builds byte strings from a mix of bytes and text pieces.
class Bytes {
 public:
  Bytes& b(std::initializer_list<int> bytes) {
    for (int v : bytes) s_.push_back(static_cast<char>(v));
    return *this;
  }
  Bytes& t(const std::string& text) {
    s_ += text;
    return *this;
  }
  // A short string: length byte, then the text.
  Bytes& ss(const std::string& text) {
    s_.push_back(static_cast<char>(text.size()));
    s_ += text;
    return *this;
  }
  std::string str() const { return s_; }
  operator std::string() const { return s_; }  // NOLINT

 private:
  std::string s_;
};

// The message of what `fn` throws, or "no error".
template <class Fn>
std::string ErrorOf(Fn fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "no error";
}

class RecordingReporter final : public store::Reporter {
 public:
  RecordingReporter() { store::SetReporter(this); }
  ~RecordingReporter() override { store::SetReporter(nullptr); }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

}  // namespace testutil
