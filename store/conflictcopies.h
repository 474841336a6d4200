// Conflict copies sync tools leave beside a data file when two machines changed it before they
// met: Syncthing's "<stem>.sync-conflict-<yyyymmdd>-<hhmmss>-<device><ext>" and the
// "<stem> (… conflicted copy …)<ext>" of Dropbox and Nextcloud. A copy of the group list or of an
// item file holds notes of the other machine: it is merged into the data (a union, since the
// common version is not known, so nothing is deleted; only entries that are versions this run
// loaded or saved count as old) and can then be removed.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/datafolder.h"
#include "store/entries.h"
#include "store/merge.h"

namespace store {

enum class DataFileKind { None, GroupList, ItemFile, Settings };
// "group.bin", an item file (8 upper-case hexadecimal digits), or one of the settings records
// (main.bin, list.bin, History.bin, print.bin), which hold no notes.
DataFileKind KindOfDataFile(std::string_view name);

// The file a conflict copy's name is a version of, whatever that file is; nothing for other names.
std::optional<std::string> ConflictOriginalOf(std::string_view name);

// The conflict copies of data files in the folder: data file name -> its copies, sorted by name
// (Syncthing's names then run from the oldest).
std::map<std::string, std::vector<std::string>> ConflictCopiesIn(const DataFolder& folder);

// The time put into the names of entries kept from a copy: the one in a Syncthing name, else the
// copy's modification time ("yyyy-mm-dd hh:mm").
std::string ConflictCopyTime(const DataFolder& folder, std::string_view copyName);

// Merges the copy `copyName` of ours' folder into the list in memory: as a union, except that
// ours wins over the copy's entries that `history` holds as versions of this file (see
// ConflictCopyBase). The copy's own time names kept versions unless options.conflictTime is set.
// The caller saves the list, then removes the copy. Load errors of the copy are thrown (naming it).
MergeResult MergeItemConflictCopy(const std::string& copyName, TRootComponent_Item& ours, MergeOptions options,
                                  const EntryHistory* history = nullptr);
MergeResult MergeGroupConflictCopy(const std::string& copyName, TRootComponent_Group& ours, MergeOptions options,
                                   const EntryHistory* history = nullptr);

// For a group list or item file the program does not hold in memory: loads it, merges each copy
// in turn, saves it and removes the copies. On any failure the copies stay and it throws.
MergeResult ResolveConflictCopiesOnDisk(const DataFolder& folder, const std::string& original,
                                        const std::vector<std::string>& copies, const SettingsFactory& settings,
                                        const EntryHistory* history = nullptr);

}  // namespace store
