// Three-way merge of a group list or an item list at entry level, for a file that was changed on
// disk (by a sync tool, another machine, another program) while the program held changes of its
// own. Entries are identified by NameID. Nothing the user wrote on either side is dropped: an
// entry is deleted only when one side deleted it and the other left it as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "store/entries.h"

namespace store {

// An entry as it was: its identity, a fingerprint of what it holds apart from the caret line
// (name, colour, style and, for items, the text), and the caret line of items.
struct EntryPrint {
  int32_t nameId = 0;
  uint64_t content = 0;
  int32_t line = 0;
  bool operator==(const EntryPrint&) const = default;
};

// A list as it was last loaded or saved: its entries in display order and a fingerprint of its
// editor settings record. Fingerprints instead of copies keep the base small for huge notes. A
// base that is not known (a sync tool's conflict copy has no known common version) makes the
// merge a union that deletes nothing.
struct ListPrint {
  bool known = false;
  std::vector<EntryPrint> entries;
  uint64_t settings = 0;
};

EntryPrint PrintOf(const TRootCollectionItem& entry);
// Repairs the order list first.
ListPrint PrintOf(TRootComponent& list);
// Whether the list holds anything `base` does not (an entry, its order, the settings).
bool DiffersFrom(TRootComponent& list, const ListPrint& base);
// The same without the caret lines of items: whether reloading the file would lose anything the
// user wrote or arranged.
bool HoldsChangesSince(TRootComponent& list, const ListPrint& base);

// The versions of one file's entries the program has loaded or saved in this run. A sync tool's
// conflict copy is mostly an old version of ours with the other machine's changes on top: an
// entry of the copy equal to a version held here is not a change made elsewhere.
class EntryHistory {
 public:
  void Remember(const ListPrint& list);
  bool Held(const EntryPrint& entry) const;

 private:
  std::set<std::pair<int32_t, uint64_t>> seen_;
};

// The base to merge a conflict copy against: the copy's entries that are versions held here
// (in the copy's order), the copy's settings. Ours then wins over those, and every other entry
// of the copy is merged as a union, so nothing is deleted that the copy changed.
ListPrint ConflictCopyBase(const ListPrint& copy, const EntryHistory& history);

enum class MergeEvent {
  AddedOutside,            // added outside: kept
  ChangedOutside,          // changed outside only: the outside version taken
  DeletedOutside,          // deleted outside and unchanged here: deleted
  KeptBoth,                // items changed on both sides: ours kept, the outside one added as a copy
  KeptChangedHere,         // deleted outside but changed here: kept
  RestoredChangedOutside,  // deleted here but changed outside: brought back
  GroupKeptForItems,       // a group one side deleted whose items would have been lost: kept
  GroupAttributesBoth,     // a group renamed or recoloured on both sides: ours kept
  SettingsOutside,         // the editor settings changed outside only: taken
};

struct MergeNote {
  MergeEvent event;
  std::string name;       // code page 932: the entry's name
  std::string otherName;  // KeptBoth: the copy's name; GroupAttributesBoth: the outside name
};

struct MergeResult {
  std::vector<MergeNote> notes;
  // The merged list differs from the version on disk: it has to be saved.
  bool differsFromTheirs = false;
};

struct MergeOptions {
  // Put into the name of an outside version kept beside ours: "<name> (競合 <conflictTime>)".
  std::string conflictTime;
  // Groups only: asked for a group that one side deleted while the other left its entry alone;
  // true keeps it because its items hold text the deletion would lose. `deletedHere` tells which
  // side deleted it. Unset: a group deleted here is kept when its item file exists (deleting a
  // group removes its file, so a file there now was written outside); one deleted outside goes.
  std::function<bool(int32_t nameId, bool deletedHere)> groupItemsAtRisk;
};

// Merge `theirs` (the version on disk now) into `ours` (the list in memory) relative to `base`
// (the version ours was loaded as or last saved as). `ours` becomes the result, display order
// equal to storage order, its selection kept by NameID; `theirs` is consumed. Order: the outside
// version's, unless only ours was reordered; entries only one side has stay next to their
// neighbours, and an outside copy follows ours.
MergeResult MergeItems(const ListPrint& base, TRootComponent_Item& ours, TRootComponent_Item& theirs,
                       const MergeOptions& options);
// Groups with the same NameID are one group, whose item file is merged on its own: a group's
// attributes changed on both sides keep ours (the notice names the outside name).
MergeResult MergeGroups(const ListPrint& base, TRootComponent_Group& ours, TRootComponent_Group& theirs,
                        const MergeOptions& options);

// Saves a list as `name` of its folder, never over a version written elsewhere: when the file
// changed on disk since list.Stamp, that version is merged in first, relative to `base`. A file
// that vanished is written again whole (a removed folder or file deletes nothing in memory). An
// empty options.conflictTime takes the outside version's modification time. `base` becomes the
// version saved (the version merged in, when the save itself fails, so a retry does not merge it
// twice). Throws the store's errors; a version on disk that cannot be read stops the save
// (the caller may keep it aside and save without merging).
MergeResult SaveMerged(TRootComponent_Item& list, const std::string& name, ListPrint& base, MergeOptions options = {});
MergeResult SaveMerged(TRootComponent_Group& list, const std::string& name, ListPrint& base, MergeOptions options = {});

// "yyyy-mm-dd hh:mm" in local time.
std::string ConflictTimeText(int64_t unixSeconds);

// One notice for the user (UTF-8) naming what was merged, a section per file.
struct MergeSection {
  std::string title;  // UTF-8
  MergeResult result;
};
// "グループの一覧" and "グループ「<name>」のアイテム" (name in code page 932).
std::string GroupListTitle();
std::string ItemListTitle(const std::string& groupNameCp932);
// Empty when no section holds a note.
std::string MergeNotice(const std::vector<MergeSection>& sections);

}  // namespace store
