// Searches across items: hits of one item list by text and by name, and the walk over all groups.
#include "search/itemsearch.h"

#include <gtest/gtest.h>

#include "codec/cp932.h"
#include "store/datafolder.h"
#include "store/entries.h"
#include "store/errors.h"
#include "store/testutil.h"

namespace {

using search::SearchHit;
using search::TSearchPosition;

std::string Sjis(const std::string& utf8) { return codec::Utf8ToCp932(utf8).bytes; }

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

struct ItemSpec {
  std::string name, text;  // code page 932
};

void Fill(store::TRootComponent_Item& items, const std::vector<ItemSpec>& specs) {
  for (const auto& s : specs) {
    int at = items.Count();
    ASSERT_GE(items.Add(at, -1, 0, 0, s.name), 0);
    items.ItemAt(at).ItemText = s.text;
  }
}

// An in-memory item list; the folder is never touched.
struct List {
  store::DataFolder folder{"/nonexistent-sorame-folder/"};
  store::TRootComponent_Item items{folder, nullptr};
  std::vector<SearchHit> hits;
  TSearchPosition position;

  int Texts(const std::string& pattern, search::TSearchOptions options = search::soForward) {
    return search::FindItemTexts(items, pattern, options, "g", 3, hits, position);
  }
  int Names(const std::string& pattern, const std::string& groupName = "g",
            search::TSearchOptions options = search::soForward) {
    return search::FindItemNames(items, pattern, options, groupName, 3, hits, position);
  }
};

std::vector<int> Positions(const std::vector<SearchHit>& hits) {
  std::vector<int> p;
  for (const auto& h : hits) p.push_back(h.Position);
  return p;
}

TEST(FindItemTexts, EveryMatchIsAHitAndTheSearchResumesAfterIt) {
  struct Case {
    const char* text;
    const char* pattern;
    std::vector<int> positions;
  };
  const Case cases[] = {
      {"abc abc abc", "abc", {0, 4, 8}},
      {"aaaa", "aa", {0, 2}},  // overlapping occurrences count once per match
      {"aaa", "aa", {0}},
      {"xABCxabc", "abc", {1, 5}},  // case folded unless asked
      {"nothing here", "abc", {}},
  };
  for (const auto& c : cases) {
    List l;
    Fill(l.items, {{"item", c.text}});
    EXPECT_EQ(l.Texts(c.pattern), static_cast<int>(c.positions.size())) << c.text;
    EXPECT_EQ(Positions(l.hits), c.positions) << c.text;
  }
}

TEST(FindItemTexts, HitsCarryGroupItemAndTextFromTheMatch) {
  List l;
  const std::string text = Sjis("一行目\r\n検索語と\r\n検索語");
  Fill(l.items, {{Sjis("メモ"), "no match"}, {Sjis("日記"), text}});
  const std::string pattern = Sjis("検索語");
  ASSERT_EQ(l.Texts(pattern), 2);
  const size_t first = text.find(pattern), second = text.find(pattern, first + 1);
  EXPECT_EQ(l.hits[0], (SearchHit{3, 1, static_cast<int>(first), "g", Sjis("日記"), text.substr(first)}));
  EXPECT_EQ(l.hits[1], (SearchHit{3, 1, static_cast<int>(second), "g", Sjis("日記"), pattern}));
}

TEST(FindItemTexts, OptionsReachTheSearchAndForwardIsImplied) {
  List l;
  Fill(l.items, {{"a", Sjis("ＡＢＣ abc")}});
  EXPECT_EQ(l.Texts("ABC", search::soIgnoreWidth), 2);  // soForward missing: still searched forward
  l.hits.clear();
  EXPECT_EQ(l.Texts("ABC", search::soForward | search::soMatchCase), 0);
  EXPECT_EQ(l.Texts("abc", search::soForward | search::soMatchCase), 1);
}

// The excerpt is up to 120 bytes from the match, never ending inside a double-byte character.
TEST(FindItemTexts, TextExcerptIsCutAt120BytesOnACharacterBoundary) {
  const std::string a = Sjis("あ");
  struct Case {
    const char* what;
    std::string text, pattern, excerpt;
  };
  const Case cases[] = {
      {"close to the end", "0123456789" + std::string("tail"), "tail", "tail"},
      {"exactly 120 single bytes", "x" + std::string(200, 'y'), "x", "x" + std::string(119, 'y')},
      {"double-byte fits at 119-120", "xy" + Repeat(a, 70), "xy", "xy" + Repeat(a, 59)},
      {"double-byte would straddle 120", "x" + Repeat(a, 70), "x", "x" + Repeat(a, 59)},
      {"text ends on a lone lead byte", "x" + std::string("\x82", 1), "x", "x" + std::string("\x82", 1)},
  };
  for (const auto& c : cases) {
    List l;
    Fill(l.items, {{"i", c.text}});
    ASSERT_EQ(l.Texts(c.pattern), 1) << c.what;
    EXPECT_EQ(l.hits[0].Text, c.excerpt) << c.what;
    EXPECT_LE(l.hits[0].Text.size(), search::kHitTextBytes) << c.what;
  }
}

TEST(ItemSearch, ANonEmptyHitListIsAProgramErrorAndChangesNothing) {
  List l;
  Fill(l.items, {{"abc", "abc"}});
  l.hits.push_back(SearchHit{9, 9, 9, "old", "old", "old"});
  const auto before = l.hits;
  for (bool names : {false, true}) {
    try {
      names ? l.Names("abc") : l.Texts("abc");
      ADD_FAILURE() << "no error, names=" << names;
    } catch (const store::Error& e) {
      EXPECT_EQ(std::string(e.what()), "ProgramError!\r\nFindTextItems");
    }
    EXPECT_EQ(l.hits, before);
  }
}

TEST(FindItemNames, GroupNameHitThenItemNameHits) {
  const std::string fixed = Sjis("*** （グループ名一致） ***");
  {
    List l;  // a matching group without items
    ASSERT_EQ(l.Names(Sjis("予定"), Sjis("予定表")), 1);
    EXPECT_EQ(l.hits[0], (SearchHit{3, -1, -1, Sjis("予定表"), fixed, ""}));
  }
  {
    List l;
    const std::string long_text = std::string(130, 'z');
    Fill(l.items, {{Sjis("買い物"), "milk"}, {Sjis("予定の一覧"), long_text}, {Sjis("予定"), ""}});
    ASSERT_EQ(l.Names(Sjis("予定"), Sjis("予定表")), 3);
    EXPECT_EQ(l.hits[0], (SearchHit{3, 0, -1, Sjis("予定表"), fixed, ""}));
    EXPECT_EQ(l.hits[1], (SearchHit{3, 1, 0, Sjis("予定表"), Sjis("予定の一覧"), long_text.substr(0, 120)}));
    EXPECT_EQ(l.hits[2], (SearchHit{3, 2, 0, Sjis("予定表"), Sjis("予定"), ""}));
  }
  {
    List l;  // only item names; a name matching twice is still one hit; texts are not searched
    Fill(l.items, {{"abab", "x"}, {"other", "ab"}});
    ASSERT_EQ(l.Names("ab", "group"), 1);
    EXPECT_EQ(l.hits[0].ItemIndex, 0);
  }
}

// Storage order and display order differ after a move: hits name display positions, in display
// order, so that opening one selects the item that holds the match.
TEST(ItemSearch, HitsUseDisplayPositionsInDisplayOrder) {
  for (bool names : {false, true}) {
    List l;
    Fill(l.items, {{"hit one", "hit one"}, {"miss", "miss"}, {"hit two", "hit two"}});
    l.items.MoveEntry(2, 0);  // display: "hit two", "hit one", "miss"
    ASSERT_EQ(l.items.StoreIndex(0), 2);
    ASSERT_EQ(names ? l.Names("hit") : l.Texts("hit"), 2);
    EXPECT_EQ(l.hits[0].ItemIndex, 0);
    EXPECT_EQ(l.hits[1].ItemIndex, 1);
    for (const auto& h : l.hits) {
      EXPECT_EQ(h.ItemName, l.items.ItemAt(h.ItemIndex).Name);
      EXPECT_EQ(h.Position, 0);  // each item is searched from its own start
    }
  }
}

// ---- all groups, from their item files

struct Folder {
  testutil::TempDir dir;
  store::DataFolder folder{dir.Path() + "/"};
  store::TRootComponent_Item current{folder, nullptr};
  store::TRootComponent_Group groups{folder, nullptr, current};

  // Adds a group; with `write` false its item file is never written.
  void AddGroup(const std::string& name, const std::vector<ItemSpec>& items, bool write = true) {
    int g = groups.Count();
    ASSERT_GE(groups.Add(g, -1, 0, 0, name), 0);
    if (!write) return;
    store::TRootComponent_Item list(folder, nullptr);
    Fill(list, items);
    groups.SaveItems(g, &list);
  }
};

struct Seen {
  std::vector<int> groups;
  std::vector<SearchHit> hits;
  search::GroupHitsSink Sink() {
    return [this](int g, const std::vector<SearchHit>& h) {
      groups.push_back(g);
      hits.insert(hits.end(), h.begin(), h.end());
    };
  }
};

TEST(SearchAllGroups, VisitsGroupsInListOrderAndStreamsEachGroupsHits) {
  Folder f;
  f.AddGroup("first", {{"a", "find me"}, {"b", "nothing"}});
  f.AddGroup("never saved", {}, /*write=*/false);
  f.AddGroup("third", {{"c", "find find"}});
  f.AddGroup("find group", {});
  f.groups.MoveEntry(2, 0);  // list order: third, first, never saved, find group

  Seen texts;
  EXPECT_EQ(search::SearchAllGroups(f.groups, search::SearchScope::Texts, "find", search::soForward, texts.Sink()), 3);
  EXPECT_EQ(texts.groups, (std::vector<int>{0, 1}));
  ASSERT_EQ(texts.hits.size(), 3u);
  EXPECT_EQ(texts.hits[0], (SearchHit{0, 0, 0, "third", "c", "find find"}));
  EXPECT_EQ(texts.hits[1], (SearchHit{0, 0, 5, "third", "c", "find"}));
  EXPECT_EQ(texts.hits[2], (SearchHit{1, 0, 0, "first", "a", "find me"}));
  // A group without an item file is searched as empty, and nothing is created for it.
  EXPECT_FALSE(f.folder.Exists(f.groups.ItemFileName(2)));

  Seen names;
  EXPECT_EQ(search::SearchAllGroups(f.groups, search::SearchScope::Names, "find", 0, names.Sink()), 1);
  ASSERT_EQ(names.hits.size(), 1u);
  EXPECT_EQ(names.hits[0], (SearchHit{3, -1, -1, "find group", search::kGroupNameHitItemName, ""}));
}

TEST(SearchAllGroups, AnUnreadableItemFileGoesToTheErrorHandler) {
  Folder f;
  f.AddGroup("damaged", {{"a", "find"}});
  f.AddGroup("fine", {{"b", "find"}});
  const std::string file = f.folder.FilePath(f.groups.ItemFileName(0));
  const std::string good = testutil::ReadAll(file);
  testutil::WriteAll(file, good.substr(0, good.size() / 2));
  testutil::RecordingReporter quiet;

  Seen seen;
  std::vector<int> failed;
  auto keepGoing = [&](int g, const store::Error& e) {
    failed.push_back(g);
    EXPECT_NE(std::string(e.what()), "");
    return true;
  };
  EXPECT_EQ(search::SearchAllGroups(f.groups, search::SearchScope::Texts, "find", 0, seen.Sink(), keepGoing), 1);
  EXPECT_EQ(failed, std::vector<int>{0});
  EXPECT_EQ(seen.groups, std::vector<int>{1});

  Seen stopped;
  EXPECT_EQ(search::SearchAllGroups(f.groups, search::SearchScope::Texts, "find", 0, stopped.Sink(),
                                    [](int, const store::Error&) { return false; }),
            0);
  EXPECT_TRUE(stopped.groups.empty());

  EXPECT_THROW(search::SearchAllGroups(f.groups, search::SearchScope::Texts, "find", 0, seen.Sink()), store::Error);
}

}  // namespace
