// Merging a list changed on disk into the one in memory: the three-way rules per entry, conflict
// copies, order, the union without a base, settings, and groups with their item files.
#include "store/merge.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <filesystem>
#include <regex>
#include <set>

#include "codec/cp932.h"
#include "store/errors.h"
#include "store/stream.h"
#include "testutil.h"

using namespace store;

namespace {

struct E {
  std::string name;
  std::string text;
  int32_t id;
  int line = 0;
};

void Fill(TRootComponent_Item& list, const std::vector<E>& entries) {
  for (const E& e : entries) {
    list.Add(list.Count(), -1, 0, 0, e.name);
    auto& item = list.ItemAt(list.Count() - 1);
    item.ItemText = e.text;
    item.NameID = e.id;
    item.Line = e.line;
  }
}

std::vector<std::string> Names(TRootComponent& list) { return list.RefreshNameStrings(); }

using Ev = std::vector<std::pair<MergeEvent, std::string>>;

Ev Events(const MergeResult& r) {
  Ev out;
  for (const MergeNote& n : r.notes) out.emplace_back(n.event, n.name);
  return out;
}

const std::string kConflict = " (" + codec::Utf8ToCp932("競合").bytes + " 2024-05-01 12:30)";

struct Lists {
  testutil::TempDir dir;
  DataFolder folder{dir.Path()};
  TRootComponent_Item base{folder, nullptr}, ours{folder, nullptr}, theirs{folder, nullptr};
  MergeOptions options{"2024-05-01 12:30", nullptr};

  MergeResult Merge() { return MergeItems(PrintOf(base), ours, theirs, options); }
};

TEST(Merge, EachEntryFollowsTheThreeWayRules) {
  Lists l;
  const std::vector<E> base = {{"A", "a", 1}, {"B", "b", 2}, {"C", "c", 3}, {"D", "d", 4}, {"E", "e", 5}};
  Fill(l.base, base);
  // Here: A edited, N added after A, C deleted, D edited.
  Fill(l.ours, {{"A", "a here", 1}, {"N", "new here", 10}, {"B", "b", 2}, {"D", "d here", 4}, {"E", "e", 5}});
  // Outside: B edited, C edited, D and E deleted, T added at the end.
  Fill(l.theirs, {{"A", "a", 1}, {"B", "b outside", 2}, {"C", "c outside", 3}, {"T", "new outside", 20}});
  l.ours.SelIndex = 3;  // D
  const MergeResult r = l.Merge();
  EXPECT_EQ(Names(l.ours), (std::vector<std::string>{"A", "N", "B", "C", "T", "D"}));
  const std::vector<std::string> texts = {"a here", "new here", "b outside", "c outside", "new outside", "d here"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(l.ours.ItemAt(i).ItemText, texts[static_cast<size_t>(i)]) << i;
  EXPECT_EQ(l.ours.SelIndex, 5);
  EXPECT_EQ(l.ours.ItemAt(5).NameID, 4);
  EXPECT_TRUE(r.differsFromTheirs);
  EXPECT_EQ(Events(r), (Ev{{MergeEvent::ChangedOutside, "B"},
                           {MergeEvent::RestoredChangedOutside, "C"},
                           {MergeEvent::AddedOutside, "T"},
                           {MergeEvent::KeptChangedHere, "D"},
                           {MergeEvent::DeletedOutside, "E"}}));
  EXPECT_TRUE(l.theirs.Collection.empty());
}

TEST(Merge, AnItemChangedOnBothSidesIsKeptTwice) {
  Lists l;
  Fill(l.base, {{"A", "a", 1, 0}, {"B", "b", 2, 0}, {"C", "c", 3, 0}, {"D", "d", 4, 5}});
  // A differs on both sides; B changed alike on both; C only moved its caret outside; D has its
  // caret moved outside but its text edited here. X was added on both sides under one NameID.
  Fill(l.ours, {{"A", "a here", 1}, {"B", "b both", 2}, {"C", "c", 3}, {"D", "d here", 4, 5}, {"X", "x here", 9}});
  Fill(l.theirs,
       {{"A", "a outside", 1}, {"B", "b both", 2}, {"C", "c", 3, 7}, {"D", "d", 4, 8}, {"X", "x outside", 9}});
  const MergeResult r = l.Merge();
  EXPECT_EQ(Names(l.ours), (std::vector<std::string>{"A", "A" + kConflict, "B", "C", "D", "X", "X" + kConflict}));
  EXPECT_EQ(l.ours.ItemAt(0).ItemText, "a here");
  EXPECT_EQ(l.ours.ItemAt(1).ItemText, "a outside");
  EXPECT_EQ(l.ours.ItemAt(3).Line, 7);
  EXPECT_EQ(l.ours.ItemAt(4).ItemText, "d here");
  EXPECT_EQ(l.ours.ItemAt(4).Line, 5);
  EXPECT_EQ(l.ours.ItemAt(6).ItemText, "x outside");
  // Every NameID of the result is its own; the copies got fresh ones.
  std::set<int32_t> ids = {0};
  for (int i = 0; i < l.ours.Count(); ++i) ids.insert(l.ours.ItemAt(i).NameID);
  EXPECT_EQ(ids.size(), 8u);
  EXPECT_EQ(Events(r), (Ev{{MergeEvent::KeptBoth, "A"}, {MergeEvent::KeptBoth, "X"}}));
  EXPECT_EQ(r.notes[0].otherName, "A" + kConflict);
}

TEST(Merge, OrderIsTheOutsideOneUnlessOnlyOursWasReordered) {
  {
    Lists l;
    Fill(l.base, {{"A", "", 1}, {"B", "", 2}, {"C", "", 3}});
    Fill(l.ours, {{"N", "", 10}, {"A", "", 1}, {"B", "", 2}, {"M", "", 11}, {"C", "", 3}});
    Fill(l.theirs, {{"C", "", 3}, {"B", "", 2}, {"A", "", 1}});
    l.Merge();
    EXPECT_EQ(Names(l.ours), (std::vector<std::string>{"N", "C", "B", "M", "A"}));
  }
  {
    Lists l;
    Fill(l.base, {{"A", "", 1}, {"B", "", 2}, {"C", "", 3}});
    Fill(l.ours, {{"C", "", 3}, {"A", "", 1}, {"B", "", 2}});
    Fill(l.theirs, {{"A", "", 1}, {"T", "", 20}, {"B", "", 2}, {"C", "", 3}});
    const MergeResult r = l.Merge();
    EXPECT_EQ(Names(l.ours), (std::vector<std::string>{"C", "A", "T", "B"}));
    EXPECT_TRUE(r.differsFromTheirs);
  }
}

TEST(Merge, WithoutABaseNothingIsDeleted) {
  Lists l;
  Fill(l.ours, {{"A", "a", 1}, {"B", "b", 2}, {"C", "c", 3}});
  Fill(l.theirs, {{"B", "b", 2}, {"C", "c outside", 3}, {"D", "d", 4}});
  const MergeResult r = MergeItems(ListPrint{}, l.ours, l.theirs, l.options);
  EXPECT_EQ(Names(l.ours), (std::vector<std::string>{"A", "B", "C", "C" + kConflict, "D"}));
  EXPECT_EQ(Events(r), (Ev{{MergeEvent::KeptBoth, "C"}, {MergeEvent::AddedOutside, "D"}}));
}

TEST(Merge, SettingsChangedOutsideOnlyAreTakenAndAnUnchangedResultNeedsNoSave) {
  Lists l;
  Fill(l.base, {{"A", "a", 1}});
  Fill(l.ours, {{"A", "a", 1}});
  Fill(l.theirs, {{"A", "a", 1}});
  auto& record = static_cast<GenericRecord&>(*l.theirs.EditorSettings);
  StreamValue enabled;
  enabled.tag = vtTrue;
  record.record.properties.push_back({"Enabled", enabled});
  MergeResult r = l.Merge();
  EXPECT_FALSE(r.differsFromTheirs);
  EXPECT_EQ(Events(r), (Ev{{MergeEvent::SettingsOutside, ""}}));
  EXPECT_EQ(static_cast<GenericRecord&>(*l.ours.EditorSettings).record.properties.size(), 1u);
  // Our own settings change wins over an outside one.
  Fill(l.theirs, {{"A", "a", 1}});
  static_cast<GenericRecord&>(*l.ours.EditorSettings).record.properties[0].value.tag = vtFalse;
  r = MergeItems(PrintOf(l.base), l.ours, l.theirs, l.options);
  EXPECT_TRUE(r.differsFromTheirs);
  EXPECT_TRUE(r.notes.empty());
  EXPECT_EQ(static_cast<GenericRecord&>(*l.ours.EditorSettings).record.properties[0].value.tag, vtFalse);
}

TEST(Merge, GroupsKeepTheirItemFiles) {
  testutil::TempDir dir;
  DataFolder folder(dir.Path());
  TRootComponent_Item current(folder, nullptr);
  auto groups = [&](const std::vector<std::pair<std::string, int32_t>>& entries) {
    auto list = std::make_unique<TRootComponent_Group>(folder, nullptr, current);
    for (const auto& [name, id] : entries) {
      list->Add(list->Count(), -1, 0, 0, name);
      list->EntryAt(list->Count() - 1).NameID = id;
    }
    return list;
  };
  auto base = groups({{"G1", 1}, {"G2", 2}, {"G3", 3}, {"G4", 4}, {"G5", 5}});
  // Here: G1 renamed, G2 and G3 deleted (their files went with them), G5 selected.
  auto ours = groups({{"G1 here", 1}, {"G4", 4}, {"G5", 5}});
  ours->SelIndex = 2;
  // Outside: G1 renamed too, G4 deleted, G6 added; G2's items were written again outside.
  auto theirs = groups({{"G1 outside", 1}, {"G2", 2}, {"G3", 3}, {"G5", 5}, {"G6", 6}});
  testutil::WriteAll(folder.FilePath(ItemFileNameOf(2)), "items");
  testutil::WriteAll(folder.FilePath(ItemFileNameOf(4)), "items");  // not yet deleted by the sync tool
  std::vector<std::pair<int32_t, bool>> asked;
  MergeOptions options{"2024-05-01 12:30", nullptr};
  MergeResult r = MergeGroups(PrintOf(*base), *ours, *theirs, options);
  EXPECT_EQ(Names(*ours), (std::vector<std::string>{"G1 here", "G2", "G5", "G6"}));
  EXPECT_EQ(ours->SelIndex, 2);
  EXPECT_EQ(Events(r), (Ev{{MergeEvent::GroupAttributesBoth, "G1 here"},
                           {MergeEvent::GroupKeptForItems, "G2"},
                           {MergeEvent::AddedOutside, "G6"},
                           {MergeEvent::DeletedOutside, "G4"}}));
  EXPECT_EQ(r.notes[0].otherName, "G1 outside");

  // The caller knows which groups hold items changed here: G4's are, so it stays.
  ours = groups({{"G1", 1}, {"G4", 4}});
  theirs = groups({{"G1", 1}, {"G2", 2}});
  options.groupItemsAtRisk = [&](int32_t id, bool deletedHere) {
    asked.emplace_back(id, deletedHere);
    return id == 4;
  };
  r = MergeGroups(PrintOf(*base), *ours, *theirs, options);
  EXPECT_EQ(Names(*ours), (std::vector<std::string>{"G1", "G4"}));
  EXPECT_EQ(asked, (std::vector<std::pair<int32_t, bool>>{{4, false}, {2, true}}));
}

TEST(Merge, SavingMergesAVersionWrittenElsewhereFirst) {
  testutil::TempDir dir;
  DataFolder folder(dir.Path());
  TRootComponent_Item ours(folder, nullptr);
  Fill(ours, {{"A", "a", 1}});
  ListPrint base;
  EXPECT_TRUE(SaveMerged(ours, "ITEMS", base).notes.empty());
  {
    TRootComponent_Item other(folder, nullptr);  // another program adds an item
    other.LoadFromFile("ITEMS");
    Fill(other, {{"B", "b", 2}});
    other.SaveToFile("ITEMS");
  }
  ours.ItemAt(0).ItemText = "a here";
  MergeResult r = SaveMerged(ours, "ITEMS", base);
  EXPECT_EQ(Events(r), (Ev{{MergeEvent::AddedOutside, "B"}}));
  TRootComponent_Item disk(folder, nullptr);
  disk.LoadFromFile("ITEMS");
  EXPECT_EQ(Names(disk), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(disk.ItemAt(0).ItemText, "a here");
  EXPECT_FALSE(DiffersFrom(disk, base));
  // A moved caret is no change a reload would lose; a changed text or name is.
  disk.ItemAt(1).Line = 7;
  EXPECT_TRUE(DiffersFrom(disk, base));
  EXPECT_FALSE(HoldsChangesSince(disk, base));
  disk.ItemAt(1).Name = "B2";
  EXPECT_TRUE(HoldsChangesSince(disk, base));
  EXPECT_TRUE(HoldsChangesSince(disk, ListPrint{}));
  // A file that vanished (its folder removed) takes everything in memory again.
  std::filesystem::remove(folder.FilePath("ITEMS"));
  EXPECT_TRUE(SaveMerged(ours, "ITEMS", base).notes.empty());
  disk.LoadFromFile("ITEMS");
  EXPECT_EQ(Names(disk), (std::vector<std::string>{"A", "B"}));

  // Changed on both sides, then the save fails (a file-size limit, as a full disk): the retry
  // writes the merge once, without a second copy of the outside version.
  disk.ItemAt(0).ItemText = "a there";
  disk.SaveToFile("ITEMS");
  ours.ItemAt(0).ItemText = "a here again";
  signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  EXPECT_THROW(SaveMerged(ours, "ITEMS", base, {"2024-05-01 12:30", nullptr}), StreamError);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_TRUE(SaveMerged(ours, "ITEMS", base).notes.empty());
  disk.LoadFromFile("ITEMS");
  EXPECT_EQ(Names(disk), (std::vector<std::string>{"A", "A" + kConflict, "B"}));
}

TEST(Merge, OneNoticeNamesWhatWasMerged) {
  MergeResult items;
  items.notes = {{MergeEvent::AddedOutside, codec::Utf8ToCp932("会議").bytes, {}},
                 {MergeEvent::KeptBoth, "A", "A" + kConflict}};
  const std::string notice =
      MergeNotice({{GroupListTitle(), {}}, {ItemListTitle(codec::Utf8ToCp932("仕事").bytes), items}});
  EXPECT_EQ(notice,
            "ほかの場所で変更されたデータを取り込みました。\r\n\r\nグループ「仕事」のアイテム:\r\n"
            "・外部で追加されました: 「会議」\r\n"
            "・両方で変更されたため両方を残しました: 「A」 と 「A (競合 2024-05-01 12:30)」\r\n");
  EXPECT_EQ(MergeNotice({{GroupListTitle(), {}}}), "");
  EXPECT_TRUE(std::regex_match(ConflictTimeText(1714566600), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d)")));
}

}  // namespace
