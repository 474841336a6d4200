// Save and load of a large item file and group file, against a plain write (with fsync) and read
// of the same number of bytes, measured in the same run. Prints medians and ratios.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "store/datafolder.h"
#include "store/entries.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

template <class Fn>
double Median(int runs, Fn fn) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    auto a = Clock::now();
    fn();
    t.push_back(Seconds(a, Clock::now()));
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

// Mixed Japanese (code page 932) and ASCII lines.
std::string MakeText(std::mt19937& gen, size_t bytes) {
  static const char* words[] = {"\x93\xFA\x96\x7B\x8C\xEA",
                                "\x83\x81\x83\x82",
                                "memo",
                                "https://example.com/a?b=1",
                                "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD",
                                "sorametext",
                                "2026/12/08",
                                "\x81\x41",
                                "\x81\x42",
                                "the quick brown fox"};
  std::string s;
  s.reserve(bytes + 64);
  std::uniform_int_distribution<int> w(0, 9), len(20, 200);
  while (s.size() < bytes) {
    int line = len(gen);
    size_t start = s.size();
    while (s.size() - start < static_cast<size_t>(line)) {
      s += words[w(gen)];
      s += ' ';
    }
    s += "\r\n";
  }
  return s;
}

void PlainWrite(const std::string& path, const std::string& bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  size_t off = 0;
  while (off < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + off, bytes.size() - off);
    if (n <= 0) std::abort();
    off += static_cast<size_t>(n);
  }
  fsync(fd);
  close(fd);
}

// Reads the whole file into a buffer that is reused, as a plain loader would.
size_t PlainRead(const std::string& path) {
  static std::string buf;
  int fd = open(path.c_str(), O_RDONLY);
  struct stat st {};
  fstat(fd, &st);
  buf.resize(static_cast<size_t>(st.st_size));
  size_t off = 0;
  while (off < buf.size()) {
    ssize_t n = read(fd, buf.data() + off, buf.size() - off);
    if (n <= 0) break;
    off += static_cast<size_t>(n);
  }
  close(fd);
  return off;
}

void Report(const char* what, double mine, double plain) {
  std::printf("  %-28s %9.1f ms   plain %9.1f ms   ratio %.2f\n", what, mine * 1000, plain * 1000, mine / plain);
}

}  // namespace

int main(int argc, char** argv) {
  std::string base = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "sorame-store-bench").string();
  std::filesystem::remove_all(base);
  std::filesystem::create_directories(base);
  store::DataFolder folder(base);
  std::mt19937 gen(42);
  const int runs = 5;

  // 10,000 items holding 50 MB of text.
  store::TRootComponent_Item items(folder, nullptr);
  std::uniform_int_distribution<int> size(1000, 9000);
  size_t total = 0;
  for (int i = 0; i < 10000; ++i) {
    items.Add(items.Count(), -1, 0, 0, "item " + std::to_string(i));
    std::string text = MakeText(gen, static_cast<size_t>(size(gen)));
    total += text.size();
    items.ItemAt(i).ItemText = std::move(text);
  }
  std::printf("item file: 10,000 items, %.1f MB of text\n", static_cast<double>(total) / 1e6);
  items.SaveToFile("ITEMS");
  const std::string itemBytes = [&] {
    std::string b(static_cast<size_t>(std::filesystem::file_size(folder.FilePath("ITEMS"))), 'x');
    return b;
  }();
  double save = Median(runs, [&] { items.SaveToFile("ITEMS"); });
  double plainWrite = Median(runs, [&] { PlainWrite(folder.FilePath("PLAIN"), itemBytes); });
  store::TRootComponent_Item loaded(folder, nullptr);
  double load = Median(runs, [&] { loaded.LoadGroupFile("ITEMS"); });
  double plainRead = Median(runs, [&] { PlainRead(folder.FilePath("ITEMS")); });
  if (loaded.Count() != 10000) std::abort();
  std::printf("  file size %.1f MB\n", static_cast<double>(itemBytes.size()) / 1e6);
  Report("save (temp, fsync, rename)", save, plainWrite);
  Report("load", load, plainRead);

  // group.bin with 10,000 groups.
  store::TRootComponent_Item none(folder, nullptr);
  store::TRootComponent_Group groups(folder, nullptr, none);
  for (int g = 0; g < 10000; ++g) groups.Add(groups.Count(), -1, 0, store::clBlack, "group " + std::to_string(g));
  groups.SaveToFile("group.bin");
  const std::string groupBytes(static_cast<size_t>(std::filesystem::file_size(folder.FilePath("group.bin"))), 'g');
  std::printf("group.bin: 10,000 groups, %.2f MB\n", static_cast<double>(groupBytes.size()) / 1e6);
  double gsave = Median(runs, [&] { groups.SaveToFile("group.bin"); });
  double gplainWrite = Median(runs, [&] { PlainWrite(folder.FilePath("PLAIN"), groupBytes); });
  store::TRootComponent_Group gloaded(folder, nullptr, none);
  double gload = Median(runs, [&] { gloaded.LoadFromFile("group.bin"); });
  double gplainRead = Median(runs, [&] { PlainRead(folder.FilePath("group.bin")); });
  Report("save (temp, fsync, rename)", gsave, gplainWrite);
  Report("load", gload, gplainRead);
  std::filesystem::remove_all(base);
  return 0;
}
