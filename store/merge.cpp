#include "store/merge.h"

#include <cstring>
#include <ctime>
#include <list>
#include <optional>
#include <unordered_map>

#include "codec/cp932.h"
#include "store/stream.h"

namespace store {

namespace {

// A 64-bit fingerprint, eight bytes at a time; fields are length-prefixed so that moving bytes
// from one field to the next changes it.
class Hasher {
 public:
  void Add(uint64_t v) {
    h_ ^= v + 0x9E3779B97F4A7C15ULL + (h_ << 6) + (h_ >> 2);
    h_ *= 0xFF51AFD7ED558CCDULL;
    h_ ^= h_ >> 33;
  }
  void Add(std::string_view s) {
    Add(static_cast<uint64_t>(s.size()));
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
      uint64_t w;
      std::memcpy(&w, s.data() + i, 8);
      Add(w);
    }
    uint64_t tail = 0;
    std::memcpy(&tail, s.data() + i, s.size() - i);
    Add(tail);
  }
  uint64_t Value() const { return h_; }

 private:
  uint64_t h_ = 0x84222325CBF29CE4ULL;
};

uint64_t SettingsPrint(Component& settings) {
  StringOutput out;
  WriteComponent(out, settings);
  Hasher h;
  h.Add(out.Bytes());
  return h.Value();
}

// Entries are matched by NameID and, should a damaged list hold one NameID twice, by which
// occurrence it is, so that nothing pairs up wrongly or gets lost.
using Key = uint64_t;
int32_t IdOf(Key k) { return static_cast<int32_t>(k >> 32); }

std::vector<Key> KeysOf(const std::vector<EntryPrint>& prints) {
  std::unordered_map<int32_t, uint32_t> seen;
  std::vector<Key> keys;
  keys.reserve(prints.size());
  for (const EntryPrint& p : prints)
    keys.push_back(static_cast<Key>(static_cast<uint32_t>(p.nameId)) << 32 | seen[p.nameId]++);
  return keys;
}

// One side of the merge: its entries in display order. They stay in their list until the result
// is built, so a failure before that leaves both lists as they were.
struct Side {
  TRootComponent* list = nullptr;
  std::vector<int> storage;  // storage index of each display position
  std::vector<EntryPrint> prints;
  std::vector<Key> keys;
  std::unordered_map<Key, size_t> at;

  explicit Side(TRootComponent& l) : list(&l) {
    l.RepairFList();
    storage = l.OrderList;
    prints.reserve(storage.size());
    for (int s : storage) prints.push_back(PrintOf(*l.Collection[static_cast<size_t>(s)]));
    Index();
  }
  explicit Side(const ListPrint& base) : prints(base.entries) { Index(); }

  void Index() {
    keys = KeysOf(prints);
    for (size_t i = 0; i < keys.size(); ++i) at.emplace(keys[i], i);
  }
  const EntryPrint* Find(Key k) const {
    auto it = at.find(k);
    return it == at.end() ? nullptr : &prints[it->second];
  }
  const EntryPrint& Print(Key k) const { return prints[at.at(k)]; }
  const TRootCollectionItem& Entry(Key k) const { return *list->Collection[static_cast<size_t>(storage[at.at(k)])]; }
  std::unique_ptr<TRootCollectionItem> Take(Key k) {
    return std::move(list->Collection[static_cast<size_t>(storage[at.at(k)])]);
  }
};

enum class Take { None, Ours, Theirs, Both };

struct Decision {
  Take take = Take::None;
  bool lineFromTheirs = false;
  std::optional<MergeEvent> event;
};

// Whether the outside version changed the relative order of the entries it shares with the base.
bool Reordered(const Side& base, const Side& theirs) {
  std::vector<Key> a, b;
  for (Key k : base.keys)
    if (theirs.at.count(k)) a.push_back(k);
  for (Key k : theirs.keys)
    if (base.at.count(k)) b.push_back(k);
  return a != b;
}

std::string Cp932(std::string_view utf8) { return codec::Utf8ToCp932(utf8).bytes; }

MergeResult Merge(const ListPrint& basePrint, TRootComponent& ours, TRootComponent& theirs, const MergeOptions& options,
                  bool groups) {
  Side base(basePrint);
  Side mine(ours);
  Side other(theirs);
  std::optional<Key> selected;
  if (ours.SelIndex >= 0 && static_cast<size_t>(ours.SelIndex) < mine.keys.size())
    selected = mine.keys[static_cast<size_t>(ours.SelIndex)];

  auto atRisk = [&](Key k, bool deletedHere) {
    if (options.groupItemsAtRisk) return options.groupItemsAtRisk(IdOf(k), deletedHere);
    return deletedHere && ours.Folder().Exists(ItemFileNameOf(IdOf(k)));
  };

  // ---- what becomes of each entry
  std::unordered_map<Key, Decision> decisions;
  auto decide = [&](Key k) {
    if (decisions.count(k)) return;
    const EntryPrint* b = basePrint.known ? base.Find(k) : nullptr;
    const EntryPrint* o = mine.Find(k);
    const EntryPrint* t = other.Find(k);
    Decision d;
    auto both = [&] {
      if (groups) {
        d.take = Take::Ours;
        d.event = MergeEvent::GroupAttributesBoth;
      } else {
        d.take = Take::Both;
        d.event = MergeEvent::KeptBoth;
      }
    };
    if (!b) {
      if (o && !t) {
        d.take = Take::Ours;
      } else if (!o && t) {
        d.take = Take::Theirs;
        d.event = MergeEvent::AddedOutside;
      } else if (o && t) {
        if (o->content == t->content) {
          d.take = Take::Ours;
        } else {
          both();
        }
      }
    } else {
      const bool oc = o && o->content != b->content;
      const bool tc = t && t->content != b->content;
      if (o && t) {
        if (!tc) {
          d.take = Take::Ours;
          d.lineFromTheirs = !oc && o->line == b->line && t->line != o->line;
        } else if (!oc) {
          d.take = Take::Theirs;
          d.event = MergeEvent::ChangedOutside;
        } else if (o->content == t->content) {
          d.take = Take::Ours;
        } else {
          both();
        }
      } else if (o) {  // deleted outside
        if (oc) {
          d.take = Take::Ours;
          d.event = MergeEvent::KeptChangedHere;
        } else if (groups && atRisk(k, false)) {
          d.take = Take::Ours;
          d.event = MergeEvent::GroupKeptForItems;
        } else {
          d.event = MergeEvent::DeletedOutside;
        }
      } else if (t) {  // deleted here
        if (groups) {
          if (atRisk(k, true)) {
            d.take = Take::Theirs;
            d.event = MergeEvent::GroupKeptForItems;
          }
        } else if (tc) {
          d.take = Take::Theirs;
          d.event = MergeEvent::RestoredChangedOutside;
        }
      }
    }
    decisions.emplace(k, d);
  };
  for (Key k : mine.keys) decide(k);
  for (Key k : other.keys) decide(k);
  for (Key k : base.keys) decide(k);
  auto kept = [&](Key k) { return decisions.at(k).take != Take::None; };

  // ---- order: one side's order as the skeleton, the other side's entries beside their neighbours
  struct Slot {
    Key key;
    bool copy;
  };
  std::list<Slot> order;
  std::unordered_map<Key, std::list<Slot>::iterator> placed;
  const bool outsideOrder = !basePrint.known || Reordered(base, other);
  const Side& skeleton = outsideOrder ? other : mine;
  const Side& rest = outsideOrder ? mine : other;
  for (Key k : skeleton.keys)
    if (kept(k)) placed[k] = order.insert(order.end(), {k, false});
  std::optional<std::list<Slot>::iterator> last;
  for (Key k : rest.keys) {
    if (!kept(k)) continue;
    auto it = placed.find(k);
    if (it == placed.end()) {
      auto where = last ? std::next(*last) : order.begin();
      it = placed.emplace(k, order.insert(where, {k, false})).first;
    }
    last = it->second;
  }
  for (auto& [k, d] : decisions)
    if (d.take == Take::Both) order.insert(std::next(placed.at(k)), {k, true});

  // ---- settings: the outside ones when only they changed
  MergeResult result;
  const uint64_t mySettings = SettingsPrint(*ours.EditorSettings);
  const uint64_t theirSettings = SettingsPrint(*theirs.EditorSettings);
  const bool takeSettings = basePrint.known && mySettings == basePrint.settings && theirSettings != mySettings;

  // ---- the result
  const std::string suffix = " (" + Cp932("競合") + " " + options.conflictTime + ")";
  std::vector<std::unique_ptr<TRootCollectionItem>> merged;
  std::vector<EntryPrint> mergedPrints;
  merged.reserve(order.size());
  mergedPrints.reserve(order.size());
  std::vector<size_t> copies;
  std::unordered_map<Key, size_t> mergedAt;
  int selection = -1;
  for (const Slot& slot : order) {
    const Decision& d = decisions.at(slot.key);
    std::unique_ptr<TRootCollectionItem> entry;
    EntryPrint print;
    if (slot.copy) {
      entry = other.Take(slot.key);
      entry->Name += suffix;
      copies.push_back(merged.size());
      print = PrintOf(*entry);
      result.notes.push_back({MergeEvent::KeptBoth, merged[mergedAt.at(slot.key)]->Name, entry->Name});
    } else if (d.take == Take::Theirs) {
      entry = other.Take(slot.key);
      print = other.Print(slot.key);
    } else {
      entry = mine.Take(slot.key);
      print = mine.Print(slot.key);
      if (d.lineFromTheirs) {
        print.line = other.Print(slot.key).line;
        static_cast<TItemsCollectionItem&>(*entry).Line = print.line;
      }
    }
    if (!slot.copy && d.event && *d.event != MergeEvent::KeptBoth) {
      MergeNote note{*d.event, entry->Name, {}};
      if (*d.event == MergeEvent::GroupAttributesBoth) note.otherName = other.Entry(slot.key).Name;
      result.notes.push_back(std::move(note));
    }
    if (!slot.copy) mergedAt[slot.key] = merged.size();
    if (!slot.copy && selected && slot.key == *selected) selection = static_cast<int>(merged.size());
    mergedPrints.push_back(print);
    merged.push_back(std::move(entry));
  }
  for (Key k : base.keys) {
    const Decision& d = decisions.at(k);
    if (d.event == MergeEvent::DeletedOutside) result.notes.push_back({*d.event, mine.Entry(k).Name, {}});
  }
  if (takeSettings) {
    std::swap(ours.EditorSettings, theirs.EditorSettings);
    result.notes.push_back({MergeEvent::SettingsOutside, {}, {}});
  }

  result.differsFromTheirs = mergedPrints != other.prints || (!takeSettings && mySettings != theirSettings);
  ours.Collection = std::move(merged);
  ours.OrderList.resize(ours.Collection.size());
  for (size_t i = 0; i < ours.OrderList.size(); ++i) ours.OrderList[i] = static_cast<int>(i);
  ours.NameStrings.clear();
  ours.SelIndex = selection;
  // An outside version kept beside ours needs an identity of its own.
  for (size_t i : copies) ours.Collection[i]->NameID = 0;
  for (size_t i : copies) ours.Collection[i]->NameID = ours.NewNameID();
  theirs.Collection.clear();
  theirs.OrderList.clear();
  theirs.NameStrings.clear();
  return result;
}

}  // namespace

EntryPrint PrintOf(const TRootCollectionItem& entry) {
  Hasher h;
  h.Add(entry.Name);
  h.Add(static_cast<uint64_t>(static_cast<uint32_t>(entry.ListTxtColor)));
  h.Add(static_cast<uint64_t>(entry.FontStyle));
  EntryPrint p;
  p.nameId = entry.NameID;
  if (const auto* item = dynamic_cast<const TItemsCollectionItem*>(&entry)) {
    h.Add(item->ItemText);
    p.line = item->Line;
  }
  p.content = h.Value();
  return p;
}

ListPrint PrintOf(TRootComponent& list) {
  list.RepairFList();
  ListPrint p;
  p.known = true;
  p.entries.reserve(list.OrderList.size());
  for (int s : list.OrderList) p.entries.push_back(PrintOf(*list.Collection[static_cast<size_t>(s)]));
  p.settings = SettingsPrint(*list.EditorSettings);
  return p;
}

bool DiffersFrom(TRootComponent& list, const ListPrint& base) {
  const ListPrint now = PrintOf(list);
  return now.entries != base.entries || now.settings != base.settings;
}

bool HoldsChangesSince(TRootComponent& list, const ListPrint& base) {
  if (!base.known) return true;
  const ListPrint now = PrintOf(list);
  if (now.settings != base.settings || now.entries.size() != base.entries.size()) return true;
  for (size_t i = 0; i < now.entries.size(); ++i)
    if (now.entries[i].nameId != base.entries[i].nameId || now.entries[i].content != base.entries[i].content)
      return true;
  return false;
}

void EntryHistory::Remember(const ListPrint& list) {
  // Forgetting only loses the finer merge of conflict copies: they are then merged as unions.
  if (seen_.size() > 100000) seen_.clear();
  for (const EntryPrint& e : list.entries) seen_.emplace(e.nameId, e.content);
}

bool EntryHistory::Held(const EntryPrint& entry) const { return seen_.count({entry.nameId, entry.content}) != 0; }

ListPrint ConflictCopyBase(const ListPrint& copy, const EntryHistory& history) {
  ListPrint base;
  base.known = true;
  base.settings = copy.settings;
  for (const EntryPrint& e : copy.entries)
    if (history.Held(e)) base.entries.push_back(e);
  return base;
}

MergeResult MergeItems(const ListPrint& base, TRootComponent_Item& ours, TRootComponent_Item& theirs,
                       const MergeOptions& options) {
  return Merge(base, ours, theirs, options, false);
}

MergeResult MergeGroups(const ListPrint& base, TRootComponent_Group& ours, TRootComponent_Group& theirs,
                        const MergeOptions& options) {
  return Merge(base, ours, theirs, options, true);
}

namespace {
template <class List, class MakeTheirs, class MergeFn>
MergeResult SaveMergedWith(List& list, const std::string& name, ListPrint& base, MergeOptions options,
                           MakeTheirs makeTheirs, MergeFn merge) {
  MergeResult result;
  const std::string path = list.Folder().FilePath(name);
  if (ChangedOnDisk(list.Stamp, path) && FileStamp::Of(path).exists) {
    auto theirs = makeTheirs();
    theirs->LoadFromFile(name);
    if (options.conflictTime.empty()) options.conflictTime = ConflictTimeText(theirs->Stamp.mtimeSec);
    ListPrint theirsPrint = PrintOf(*theirs);
    const FileStamp theirStamp = theirs->Stamp;
    result = merge(base, list, *theirs, options);
    // The list now builds on the version on disk: should the save below fail, a retry must not
    // merge that version a second time (an item changed on both sides would be copied again).
    base = std::move(theirsPrint);
    list.Stamp = theirStamp;
  }
  list.SaveToFile(name);
  base = PrintOf(list);
  return result;
}
}  // namespace

MergeResult SaveMerged(TRootComponent_Item& list, const std::string& name, ListPrint& base, MergeOptions options) {
  return SaveMergedWith(
      list, name, base, std::move(options),
      [&] { return std::make_unique<TRootComponent_Item>(list.Folder(), list.Settings()); }, MergeItems);
}

MergeResult SaveMerged(TRootComponent_Group& list, const std::string& name, ListPrint& base, MergeOptions options) {
  return SaveMergedWith(
      list, name, base, std::move(options),
      [&] { return std::make_unique<TRootComponent_Group>(list.Folder(), list.Settings(), list.CurrentItems()); },
      MergeGroups);
}

std::string ConflictTimeText(int64_t unixSeconds) {
  const time_t t = static_cast<time_t>(unixSeconds);
  struct tm local {};
  localtime_r(&t, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", &local);
  return buf;
}

std::string GroupListTitle() { return "グループの一覧"; }

std::string ItemListTitle(const std::string& groupNameCp932) {
  return "グループ「" + codec::Cp932ToUtf8(groupNameCp932) + "」のアイテム";
}

std::string MergeNotice(const std::vector<MergeSection>& sections) {
  std::string text;
  for (const MergeSection& section : sections) {
    if (section.result.notes.empty()) continue;
    text += "\r\n" + section.title + ":\r\n";
    for (const MergeNote& n : section.result.notes) {
      const std::string name = "「" + codec::Cp932ToUtf8(n.name) + "」";
      const std::string other = "「" + codec::Cp932ToUtf8(n.otherName) + "」";
      text += "・";
      switch (n.event) {
        case MergeEvent::AddedOutside: text += "外部で追加されました: " + name; break;
        case MergeEvent::ChangedOutside: text += "外部で変更されました: " + name; break;
        case MergeEvent::DeletedOutside: text += "外部で削除されました: " + name; break;
        case MergeEvent::KeptBoth: text += "両方で変更されたため両方を残しました: " + name + " と " + other; break;
        case MergeEvent::KeptChangedHere:
          text += "外部で削除されましたが、こちらで変更されていたため残しました: " + name;
          break;
        case MergeEvent::RestoredChangedOutside:
          text += "こちらで削除しましたが、外部で変更されていたため戻しました: " + name;
          break;
        case MergeEvent::GroupKeptForItems:
          text += "片方で削除されましたが、アイテムが失われるため残しました: " + name;
          break;
        case MergeEvent::GroupAttributesBoth:
          text += "名前や色が両方で変更されたため、こちらを残しました: " + name + " (外部では " + other + ")";
          break;
        case MergeEvent::SettingsOutside: text += "外部で変更されたエディタの設定を取り込みました"; break;
      }
      text += "\r\n";
    }
  }
  if (text.empty()) return text;
  return "ほかの場所で変更されたデータを取り込みました。\r\n" + text;
}

}  // namespace store
