#include "mainwin/recovery.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <set>

#include "store/bytestream.h"
#include "store/errors.h"

namespace mainwin {

namespace {

constexpr const char* kAnnouncedMarker = "announced";

std::string WithSlash(std::string s) {
  if (s.empty() || s.back() != '/') s.push_back('/');
  return s;
}

// Creates the folder and its missing parents, private to the user.
void MakeFolders(const std::string& path) {
  for (size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos != path.size() && path[pos] != '/') continue;
    if (mkdir(path.substr(0, pos).c_str(), 0700) != 0 && errno != EEXIST)
      throw store::Error("フォルダ " + path + " を作成できません (" + store::IoErrorMessage(errno) + ")");
  }
}

// A file name for a group: its name in UTF-8, cut to fit the file system's limit on a character
// boundary.
std::string BaseNameFor(const std::string& nameCp932) {
  std::string name = FileNameForItem(nameCp932);
  constexpr size_t kMax = 200;
  if (name.size() > kMax) {
    size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  if (name.empty() || name == "." || name == "..") name = "グループ";
  return name;
}

bool HasExchangeFiles(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  bool found = false;
  const std::string ext = kExchangeExtension;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name.size() > ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0) found = true;
  }
  closedir(dir);
  return found;
}

}  // namespace

std::string RecoveryRoot(const std::string& xdgStateHome, const std::string& home) {
  const std::string base = !xdgStateHome.empty() ? xdgStateHome : WithSlash(home) + ".local/state";
  return WithSlash(base) + "sorametext/recovery/";
}

ExchangeGroup ExchangeGroupOf(const std::string& nameCp932, store::TColor colour, store::TRootComponent_Item& items) {
  items.RepairFList();
  store::StringOutput out;
  store::WriteListStream(out, items, *items.EditorSettings, items.OrderList);
  return {nameCp932, colour, out.Bytes()};
}

std::vector<ExchangeGroup> UnsavedGroups(store::TRootComponent_Group& groups, int openGroup, bool openGroupSaved,
                                         bool groupListSaved) {
  std::vector<ExchangeGroup> out;
  const bool hasOpen = openGroup >= 0 && openGroup < groups.Count();
  if (hasOpen && !openGroupSaved) {
    const store::TRootCollectionItem& g = groups.EntryAt(openGroup);
    out.push_back(ExchangeGroupOf(g.Name, g.ListTxtColor, groups.CurrentItems()));
  }
  if (groupListSaved) return out;
  std::set<int32_t> onDisk;
  try {
    store::TRootComponent_Item scratch(groups.Folder(), groups.Settings());
    store::TRootComponent_Group stored(groups.Folder(), groups.Settings(), scratch);
    stored.LoadFromFile("group.bin");
    for (const auto& e : stored.Collection) onDisk.insert(e->NameID);
  } catch (const std::exception&) {
    onDisk.clear();  // an unreadable list leads to none of the files
  }
  for (int g = 0; g < groups.Count(); ++g) {
    if (hasOpen && !openGroupSaved && g == openGroup) continue;
    const store::TRootCollectionItem& entry = groups.EntryAt(g);
    if (onDisk.count(entry.NameID)) continue;
    ExchangeGroup group{entry.Name, entry.ListTxtColor, {}};
    const std::string file = groups.Folder().FilePath(store::ItemFileNameOf(entry.NameID));
    try {
      group.itemFile = ReadFileBytes(file);
    } catch (const std::exception&) {
      store::TRootComponent_Item empty(groups.Folder(), groups.Settings());
      group.itemFile = ExchangeGroupOf(entry.Name, entry.ListTxtColor, empty).itemFile;
    }
    out.push_back(std::move(group));
  }
  return out;
}

RecoveryWritten WriteRecovery(const std::string& root, const editorsettings::DateTime& now,
                              const std::vector<ExchangeGroup>& groups) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d", now.year, now.month, now.day, now.hour,
                now.minute, now.second);
  const std::string base = WithSlash(root);
  MakeFolders(base);
  RecoveryWritten written;
  for (int n = 1;; ++n) {
    written.folder = base + stamp + (n == 1 ? "" : "-" + std::to_string(n)) + "/";
    if (mkdir(written.folder.c_str(), 0700) == 0) break;
    if (errno != EEXIST)
      throw store::Error("フォルダ " + written.folder + " を作成できません (" + store::IoErrorMessage(errno) + ")");
  }
  RecoveryWritten files = WriteExchangeFiles(written.folder, groups);
  files.folder = written.folder;
  return files;
}

RecoveryWritten WriteExchangeFiles(const std::string& folder, const std::vector<ExchangeGroup>& groups) {
  RecoveryWritten written;
  written.folder = WithSlash(folder);
  std::set<std::string> used;
  for (const ExchangeGroup& g : groups) {
    const std::string name = BaseNameFor(g.name);
    std::string file = name + kExchangeExtension;
    struct stat st {};
    for (int n = 2; used.count(file) || lstat((written.folder + file).c_str(), &st) == 0; ++n)
      file = name + " (" + std::to_string(n) + ")" + kExchangeExtension;
    used.insert(file);
    try {
      WriteFileBytes(written.folder + file, ExchangeHeader(g.name, g.colour) + g.itemFile);
      written.files.push_back(written.folder + file);
    } catch (const std::exception& e) {
      written.errors.push_back(e.what());
    }
  }
  return written;
}

std::vector<std::string> UnannouncedRecoveries(const std::string& root) {
  std::vector<std::string> folders;
  const std::string base = WithSlash(root);
  DIR* dir = opendir(base.c_str());
  if (!dir) return folders;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    const std::string folder = base + name + "/";
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
    if (access((folder + kAnnouncedMarker).c_str(), F_OK) == 0 || !HasExchangeFiles(folder)) continue;
    folders.push_back(folder);
  }
  closedir(dir);
  // By name without the slash, so that "…-05" comes before "…-05-2".
  std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
    return a.substr(0, a.size() - 1) < b.substr(0, b.size() - 1);
  });
  return folders;
}

void MarkAnnounced(const std::string& folder) {
  try {
    WriteFileBytes(WithSlash(folder) + kAnnouncedMarker, "");
  } catch (const std::exception&) {
    // Announcing it again at the next start is the lesser harm.
  }
}

std::string RecoveryNotice(const std::vector<std::string>& folders) {
  if (folders.empty()) return {};
  std::string text = "前回の終了時に保存できなかったデータを次のフォルダに書き出しました。\r\n";
  for (const std::string& f : folders) text += f + "\r\n";
  text += "「グループのインポート」で取り込めます。";
  return text;
}

}  // namespace mainwin
