// The back and forward history and how it follows inserts, deletes and moves.
#include <gtest/gtest.h>

#include "store/history.h"
#include "testutil.h"

using namespace store;

namespace {

using P = HistoryPosition;
constexpr int kGroup = THistoryCollection::kWholeGroup;

std::vector<P> Back(const THistoryCollection& h) { return THistoryCollection::Positions(h.CollectionBk); }
std::vector<P> Fw(const THistoryCollection& h) { return THistoryCollection::Positions(h.CollectionFw); }

void PushAll(THistoryCollection& h, std::initializer_list<P> ps) {
  for (auto p : ps) h.PushBack(p.group, p.item);
}

TEST(History, PushSkipsRepeatsAndNegativesAndKeeps51) {
  THistoryCollection h;
  PushAll(h, {{2, 5}, {2, 5}});
  EXPECT_EQ(Back(h), (std::vector<P>{{2, 5}}));
  PushAll(h, {{2, 6}, {2, 5}, {-1, 3}, {3, -1}});
  EXPECT_EQ(Back(h), (std::vector<P>{{2, 5}, {2, 6}, {2, 5}}));

  THistoryCollection many;
  for (int k = 0; k < 60; ++k) many.PushBack(k, 0);
  auto b = Back(many);
  ASSERT_EQ(b.size(), 51u);
  EXPECT_EQ(b.front(), (P{9, 0}));
  EXPECT_EQ(b.back(), (P{59, 0}));
}

TEST(History, BackAndForward) {
  THistoryCollection h;
  EXPECT_EQ(h.Back(0, 3), (P{-1, -1}));
  EXPECT_TRUE(Fw(h).empty());
  h.PushBack(1, 2);
  EXPECT_EQ(h.Back(0, 3), (P{1, 2}));
  EXPECT_TRUE(Back(h).empty());
  EXPECT_EQ(Fw(h), (std::vector<P>{{0, 3}}));
  EXPECT_FALSE(h.CanBack());
  EXPECT_TRUE(h.CanForward());
  EXPECT_EQ(h.Forward(1, 2), (P{0, 3}));
  EXPECT_EQ(Back(h), (std::vector<P>{{1, 2}}));
  // A negative current position is not pushed.
  EXPECT_EQ(h.Back(-1, -1), (P{1, 2}));
  EXPECT_TRUE(Fw(h).empty());
}

TEST(History, Notifications) {
  struct Case {
    const char* what;
    std::initializer_list<P> before;
    std::function<void(THistoryCollection&)> act;
    std::vector<P> after;
  } cases[] = {
      {"delete group 1", {{0, 4}, {1, 0}, {2, 7}}, [](auto& h) { h.NoteDelete(1, kGroup); }, {{0, 4}, {1, 7}}},
      {"delete item 2 of group 0",
       {{0, 1}, {0, 2}, {0, 3}, {1, 3}},
       [](auto& h) { h.NoteDelete(0, 2); },
       {{0, 1}, {0, 2}, {1, 3}}},
      {"move group 0 to 2",
       {{0, 1}, {1, 1}, {2, 1}, {3, 1}},
       [](auto& h) { h.NoteMove(2, kGroup, 0, kGroup); },
       {{2, 1}, {0, 1}, {1, 1}, {3, 1}}},
      {"move item 0 to 2 in group 1",
       {{1, 0}, {1, 1}, {1, 2}, {0, 1}},
       [](auto& h) { h.NoteMove(1, 2, 1, 0); },
       {{1, 2}, {1, 0}, {1, 1}, {0, 1}}},
      {"move item 3 of group 0 into group 2 at 5",
       {{0, 3}, {0, 4}},
       [](auto& h) { h.NoteMove(2, 5, 0, 3); },
       {{2, 5}, {0, 4}}},
      {"insert item 1 of group 0",
       {{0, 0}, {0, 1}, {1, 1}},
       [](auto& h) { h.NoteInsert(0, 1); },
       {{0, 0}, {0, 2}, {1, 1}}},
      {"record position 0/1",
       {{0, 0}, {0, 1}, {1, 1}},
       [](auto& h) { h.RecordPosition(0, 1); },
       {{0, 0}, {0, 2}, {1, 1}, {0, 1}}},
      {"insert group 1", {{0, 0}, {1, 1}, {2, 2}}, [](auto& h) { h.NoteInsert(1, kGroup); }, {{0, 0}, {2, 1}, {3, 2}}},
      {"-1 does nothing",
       {{0, 0}},
       [](auto& h) {
         h.NoteDelete(-1, 0);
         h.NoteInsert(0, -1);
         h.NoteMove(0, -1, 0, 0);
       },
       {{0, 0}}},
  };
  for (const auto& c : cases) {
    THistoryCollection h;
    PushAll(h, c.before);
    // The forward stack follows the same rules.
    for (auto p : c.before) THistoryCollection::Push(h.CollectionFw, p.group, p.item);
    c.act(h);
    EXPECT_EQ(Back(h), c.after) << c.what;
    std::vector<P> fwExpected = c.after;
    if (std::string(c.what).starts_with("record")) fwExpected.pop_back();
    EXPECT_EQ(Fw(h), fwExpected) << c.what;
  }
}

TEST(History, SurvivesSaveAndLoad) {
  testutil::TempDir dir;
  DataFolder folder(dir.Path());
  THistoryCollection h;
  PushAll(h, {{0, 1}, {3, 4}});
  h.Back(5, 6);
  h.Save(folder);
  THistoryCollection back;
  back.Load(folder);
  EXPECT_EQ(Back(back), (std::vector<P>{{0, 1}}));
  EXPECT_EQ(Fw(back), (std::vector<P>{{5, 6}}));
}

}  // namespace
