#include "mainwin/desktop.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <vector>

#include "store/datafolder.h"
#include "store/errors.h"

namespace mainwin {

namespace {

std::string WithSlash(std::string s) {
  if (s.empty() || s.back() != '/') s.push_back('/');
  return s;
}

std::vector<std::string> SplitColons(const std::string& s) {
  std::vector<std::string> parts;
  std::stringstream ss(s);
  std::string p;
  while (std::getline(ss, p, ':'))
    if (!p.empty()) parts.push_back(p);
  return parts;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return {};
  size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

// The desktop file ids listed for text/plain under `section` of a mimeapps.list or defaults.list.
std::vector<std::string> IdsFromList(const std::string& path, const std::string& section) {
  std::vector<std::string> ids;
  std::ifstream in(path);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      inSection = line == section;
      continue;
    }
    if (!inSection || line.rfind("text/plain=", 0) != 0) continue;
    std::stringstream list(line.substr(11));
    std::string id;
    while (std::getline(list, id, ';'))
      if (!Trim(id).empty()) ids.push_back(Trim(id));
  }
  return ids;
}

std::string IconOfDesktopFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) return {};
  std::string line;
  bool inEntry = false;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (!line.empty() && line[0] == '[') {
      inEntry = line == "[Desktop Entry]";
      continue;
    }
    if (inEntry && line.rfind("Icon=", 0) == 0) return Trim(line.substr(5));
  }
  return {};
}

}  // namespace

bool FolderUsable(const std::string& folder) {
  try {
    store::DataFolder(folder).EnsureExists();
  } catch (const store::Error&) {
    return false;  // cannot be made here: the answer, not a failure
  }
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string ChooseDataFolder(const std::string& named, const std::string& executableDir, const std::string& xdgDataHome,
                             const std::string& home) {
  if (!named.empty()) {
    if (named[0] == '/') return WithSlash(named);
    char cwd[4096];
    return WithSlash(getcwd(cwd, sizeof cwd) ? WithSlash(cwd) + named : named);
  }
  std::string beside = store::DataFolderIn(executableDir);
  struct stat st {};
  // lstat: a link to a folder that is not there now still names the user's data.
  if (lstat(beside.substr(0, beside.size() - 1).c_str(), &st) == 0) return beside;
  std::string base = !xdgDataHome.empty() ? xdgDataHome : WithSlash(home) + ".local/share";
  return WithSlash(base) + "sorametext/UserData/";
}

std::string PrepareDataFolder(const std::string& folder) {
  const std::string bare = folder.size() > 1 && folder.back() == '/' ? folder.substr(0, folder.size() - 1) : folder;
  struct stat link {
  }, st{};
  if (lstat(bare.c_str(), &link) == 0 && S_ISLNK(link.st_mode) && stat(bare.c_str(), &st) != 0) {
    std::string target;
    char buf[4096];
    const ssize_t n = readlink(bare.c_str(), buf, sizeof buf);
    if (n > 0) target.assign(buf, static_cast<size_t>(n));
    return "リンク先のフォルダ " + target +
           " がありません（同期フォルダやドライブがマウントされていない可能性があります）";
  }
  try {
    store::DataFolder(folder).EnsureExists();
  } catch (const store::Error& e) {
    if (stat(bare.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) return "フォルダではありません";
    return std::string("フォルダを作成できません: ") + e.what();
  }
  if (access(bare.c_str(), W_OK | X_OK) != 0) return std::string("書き込みできません: ") + store::IoErrorMessage(errno);
  return {};
}

std::string DefaultTextEditorIcon(const std::string& configHome, const std::string& configDirs,
                                  const std::string& dataHome, const std::string& dataDirs) {
  std::vector<std::string> configs;
  if (!configHome.empty()) configs.push_back(configHome);
  for (auto& d : SplitColons(configDirs.empty() ? "/etc/xdg" : configDirs)) configs.push_back(d);
  std::vector<std::string> datas;
  if (!dataHome.empty()) datas.push_back(dataHome);
  for (auto& d : SplitColons(dataDirs.empty() ? "/usr/local/share:/usr/share" : dataDirs)) datas.push_back(d);

  std::vector<std::string> lists;
  for (auto& c : configs) lists.push_back(WithSlash(c) + "mimeapps.list");
  for (auto& d : datas) {
    lists.push_back(WithSlash(d) + "applications/mimeapps.list");
    lists.push_back(WithSlash(d) + "applications/defaults.list");
  }
  for (const char* section : {"[Default Applications]", "[Added Associations]"}) {
    for (const std::string& list : lists) {
      for (const std::string& id : IdsFromList(list, section)) {
        for (auto& d : datas) {
          std::string icon = IconOfDesktopFile(WithSlash(d) + "applications/" + id);
          if (!icon.empty()) return icon;
        }
      }
    }
  }
  return {};
}

}  // namespace mainwin
