#include "store/conflictcopies.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <regex>

#include "store/errors.h"

namespace store {

DataFileKind KindOfDataFile(std::string_view name) {
  if (name == "group.bin") return DataFileKind::GroupList;
  if (name == "main.bin" || name == "list.bin" || name == "History.bin" || name == "print.bin")
    return DataFileKind::Settings;
  if (name.size() == 8 &&
      std::all_of(name.begin(), name.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }))
    return DataFileKind::ItemFile;
  return DataFileKind::None;
}

namespace {
const std::regex& SyncthingName() {
  static const std::regex re(R"(^(.+)\.sync-conflict-(\d{4})(\d\d)(\d\d)-(\d\d)(\d\d)\d\d-[A-Z0-9]{7}(\.[^.]*)?$)");
  return re;
}
const std::regex& ConflictedCopyName() {
  static const std::regex re(R"(^(.+) \([^()]*conflicted copy[^()]*\)(\.[^.]*)?$)", std::regex::icase);
  return re;
}
}  // namespace

std::optional<std::string> ConflictOriginalOf(std::string_view name) {
  // Most names are plain data files: no regular expression for them (the folder is scanned at
  // start and on every change the watcher reports).
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower.find(".sync-conflict-") == std::string::npos && lower.find("conflicted copy") == std::string::npos)
    return std::nullopt;
  const std::string s(name);
  std::smatch m;
  if (std::regex_match(s, m, SyncthingName())) return m[1].str() + m[7].str();
  if (std::regex_match(s, m, ConflictedCopyName())) return m[1].str() + m[2].str();
  return std::nullopt;
}

std::map<std::string, std::vector<std::string>> ConflictCopiesIn(const DataFolder& folder) {
  std::map<std::string, std::vector<std::string>> copies;
  DIR* dir = opendir(folder.Path().c_str());
  if (!dir) return copies;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    const auto original = ConflictOriginalOf(name);
    if (original && KindOfDataFile(*original) != DataFileKind::None) copies[*original].push_back(name);
  }
  closedir(dir);
  for (auto& [original, names] : copies) std::sort(names.begin(), names.end());
  return copies;
}

std::string ConflictCopyTime(const DataFolder& folder, std::string_view copyName) {
  const std::string s(copyName);
  std::smatch m;
  if (std::regex_match(s, m, SyncthingName()))
    return m[2].str() + "-" + m[3].str() + "-" + m[4].str() + " " + m[5].str() + ":" + m[6].str();
  return ConflictTimeText(FileStamp::Of(folder.FilePath(s)).mtimeSec);
}

namespace {
template <class List, class MergeFn>
MergeResult MergeCopy(const std::string& copyName, List& ours, List& theirs, MergeOptions options,
                      const EntryHistory* history, MergeFn merge) {
  theirs.LoadFromFile(copyName);
  if (options.conflictTime.empty()) options.conflictTime = ConflictCopyTime(ours.Folder(), copyName);
  const ListPrint base = history ? ConflictCopyBase(PrintOf(theirs), *history) : ListPrint{};
  return merge(base, ours, theirs, options);
}
}  // namespace

MergeResult MergeItemConflictCopy(const std::string& copyName, TRootComponent_Item& ours, MergeOptions options,
                                  const EntryHistory* history) {
  TRootComponent_Item theirs(ours.Folder(), ours.Settings());
  return MergeCopy(copyName, ours, theirs, std::move(options), history, MergeItems);
}

MergeResult MergeGroupConflictCopy(const std::string& copyName, TRootComponent_Group& ours, MergeOptions options,
                                   const EntryHistory* history) {
  TRootComponent_Group theirs(ours.Folder(), ours.Settings(), ours.CurrentItems());
  return MergeCopy(copyName, ours, theirs, std::move(options), history, MergeGroups);
}

MergeResult ResolveConflictCopiesOnDisk(const DataFolder& folder, const std::string& original,
                                        const std::vector<std::string>& copies, const SettingsFactory& settings,
                                        const EntryHistory* history) {
  const DataFileKind kind = KindOfDataFile(original);
  if (kind != DataFileKind::GroupList && kind != DataFileKind::ItemFile)
    throw Error("ProgramError!\r\nResolveConflictCopiesOnDisk: " + original);
  MergeResult all;
  auto take = [&all](MergeResult r) {
    all.notes.insert(all.notes.end(), r.notes.begin(), r.notes.end());
    all.differsFromTheirs = all.differsFromTheirs || r.differsFromTheirs;
  };
  TRootComponent_Item items(folder, settings);
  if (kind == DataFileKind::GroupList) {
    TRootComponent_Group groups(folder, settings, items);
    groups.LoadFromFile(original);
    for (const std::string& copy : copies) take(MergeGroupConflictCopy(copy, groups, {}, history));
    groups.SaveToFile(original);
  } else {
    items.LoadFromFile(original);
    for (const std::string& copy : copies) take(MergeItemConflictCopy(copy, items, {}, history));
    items.SaveToFile(original);
  }
  for (const std::string& copy : copies) folder.Remove(copy);
  return all;
}

}  // namespace store
