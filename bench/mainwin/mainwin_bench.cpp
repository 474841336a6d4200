// Main window benchmarks, measured in one run against baselines of the same run:
// 1. start-up to the first painted window with 1,000 groups whose opened group holds 1,000 items,
//    against an empty QMainWindow; both are separate processes launched the same way and timed
//    from launch to their exit right after the first paint;
// 2. switching between two groups of 1,000 items each (save, load and refill of the item list),
//    against reading and writing the same two item files with plain I/O.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "editorsettings/editorpropdat.h"
#include "mainwin/qt/mainform.h"
#include "store/datafolder.h"
#include "store/entries.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string Text(std::mt19937& gen) {
  static const char* words[] = {"\x93\xFA\x96\x7B\x8C\xEA",
                                "memo",
                                "\x83\x81\x83\x82",
                                "https://example.com/x",
                                "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD",
                                "2010/1/24"};
  std::uniform_int_distribution<int> w(0, 5), lines(2, 12);
  std::string s;
  for (int l = lines(gen); l > 0; --l) {
    for (int k = 0; k < 8; ++k) {
      s += words[w(gen)];
      s += ' ';
    }
    s += "\r\n";
  }
  return s;
}

// `groups` groups; the first `filled` of them hold `items` items each.
void MakeFolder(const std::string& dir, int groups, int filled, int items) {
  std::filesystem::remove_all(dir);
  store::DataFolder folder(dir);
  folder.EnsureExists();
  store::TRootComponent_Item current(folder, editorsettings::EditorSettingsFactory());
  store::TRootComponent_Group list(folder, editorsettings::EditorSettingsFactory(), current);
  std::mt19937 gen(7);
  for (int g = 0; g < groups; ++g) list.Add(g, -1, 0, 0, "group " + std::to_string(g) + " \x83\x81\x83\x82");
  for (int g = 0; g < filled; ++g) {
    store::TRootComponent_Item it(folder, editorsettings::EditorSettingsFactory());
    for (int i = 0; i < items; ++i) {
      it.Add(i, -1, 0, 0, "item " + std::to_string(i) + " \x93\xFA\x96\x7B\x8C\xEA");
      it.ItemAt(i).ItemText = Text(gen);
    }
    it.SelIndex = items / 2;
    list.SaveItems(g, &it);
  }
  list.SelIndex = 0;
  list.SaveToFile("group.bin");
}

// Launches `exe` with `env` added and waits for it; returns the wall time in milliseconds.
double LaunchMs(const std::string& exe, const std::vector<std::string>& env, const char* arg = nullptr) {
  std::vector<std::string> all;
  for (char** e = environ; *e; ++e) all.emplace_back(*e);
  for (const auto& e : env) all.push_back(e);
  std::vector<char*> envp;
  for (auto& e : all) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string arg0 = exe;
  std::string arg1 = arg ? arg : "";
  char* argv[] = {arg0.data(), arg ? arg1.data() : nullptr, nullptr};
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
  const auto a = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, exe.c_str(), &fa, nullptr, argv, envp.data()) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  const auto b = Clock::now();
  posix_spawn_file_actions_destroy(&fa);
  return (WIFEXITED(status) && WEXITSTATUS(status) == 0) ? Ms(a, b) : -1;
}

std::string ReadFile(const std::string& path) {
  std::string s(std::filesystem::file_size(path), '\0');
  int fd = open(path.c_str(), O_RDONLY);
  ssize_t n = read(fd, s.data(), s.size());
  close(fd);
  s.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return s;
}

void WriteFileSynced(const std::string& path, const std::string& bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  [[maybe_unused]] ssize_t n = write(fd, bytes.data(), bytes.size());
  fsync(fd);
  close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string base = (std::filesystem::temp_directory_path() / "sorame-mainwin-bench").string();
  std::filesystem::create_directories(base + "/run");
  const std::string runtime = "XDG_RUNTIME_DIR=" + base + "/run";
  // Recovery folders of the user's own runs are not announced to the benchmark.
  const std::string state = "XDG_STATE_HOME=" + base + "/state";

  // ---- 1. start-up
  const std::string startDir = base + "/start/";
  MakeFolder(startDir, 1000, 1, 1000);
  const int runs = 11;
  std::vector<double> program, empty, label;
  LaunchMs(SORAMETEXT_EXE, {"SORAMETEXT_DATA_DIR=" + startDir, "SORAMETEXT_EXIT_AFTER_FIRST_PAINT=1", runtime, state});
  LaunchMs(EMPTY_WINDOW_EXE, {runtime});
  for (int i = 0; i < runs; ++i) {
    program.push_back(LaunchMs(
        SORAMETEXT_EXE, {"SORAMETEXT_DATA_DIR=" + startDir, "SORAMETEXT_EXIT_AFTER_FIRST_PAINT=1", runtime, state}));
    empty.push_back(LaunchMs(EMPTY_WINDOW_EXE, {runtime}));
    label.push_back(LaunchMs(EMPTY_WINDOW_EXE, {runtime}, "--label"));
  }
  if (std::count(program.begin(), program.end(), -1.0) || std::count(empty.begin(), empty.end(), -1.0)) {
    std::fprintf(stderr, "a launch failed\n");
    return 1;
  }
  const double p = Median(program), e = Median(empty), l = Median(label);
  std::printf("start-up to first paint (platform %s), median of %d launches:\n",
              qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? "default" : qgetenv("QT_QPA_PLATFORM").constData(),
              runs);
  std::printf("  sorametext, 1,000 groups, open group of 1,000 items: %8.1f ms\n", p);
  std::printf("  empty QMainWindow:                                  %8.1f ms\n", e);
  std::printf("  QMainWindow with one Japanese label:                %8.1f ms\n", l);
  std::printf("  ratio to the empty window: %.2f (aim: within 2); to the label window: %.2f\n", p / e, p / l);

  // ---- 2. switching groups in the window
  const std::string switchDir = base + "/switch/";
  MakeFolder(switchDir, 2, 2, 1000);
  QApplication app(argc, argv);
  std::vector<double> switches, plain;
  {
    mainwin::qt::TMainForm window(
        {QString::fromStdString(switchDir), nullptr, {}, QString::fromStdString(base + "/recovery/")});
    window.show();
    QApplication::processEvents();
    mainwin::ListBoxKor& groups = window.Core().GroupList();
    for (int i = 0; i < 21; ++i) {
      const auto a = Clock::now();
      groups.UserSelected(1 - groups.ItemIndex());
      QApplication::processEvents();
      switches.push_back(Ms(a, Clock::now()));
    }
    window.close();
  }
  store::DataFolder folder(switchDir);
  store::TRootComponent_Item current(folder, editorsettings::EditorSettingsFactory());
  store::TRootComponent_Group list(folder, editorsettings::EditorSettingsFactory(), current);
  list.LoadFromFile("group.bin");
  const std::string f0 = folder.FilePath(list.ItemFileName(0)), f1 = folder.FilePath(list.ItemFileName(1));
  for (int i = 0; i < 21; ++i) {
    const std::string& save = (i % 2) ? f1 : f0;
    const std::string& load = (i % 2) ? f0 : f1;
    const auto a = Clock::now();
    const std::string bytes = ReadFile(save);
    WriteFileSynced(save + ".copy", bytes);
    const std::string other = ReadFile(load);
    plain.push_back(Ms(a, Clock::now()));
    if (other.empty()) return 1;
  }
  const double s = Median(switches), q = Median(plain);
  std::printf("switching between two groups of 1,000 items (%zu KB item files), median of 21:\n",
              static_cast<size_t>(std::filesystem::file_size(f0) / 1024));
  std::printf("  save + load + refill in the window: %8.2f ms\n", s);
  std::printf("  plain read + synced write + read:   %8.2f ms\n", q);
  std::printf("  ratio: %.2f\n", s / q);
  std::filesystem::remove_all(base);
  return 0;
}
