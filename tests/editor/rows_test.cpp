// The row container: string-list behaviour, packed per-row fields, index errors.
#include "editor/rows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace editor {
namespace {

TEST(RowString, KeepsBytesAcrossInlineAndHeapLengths) {
  for (size_t n : {0u, 1u, 14u, 15u, 16u, 17u, 60u, 1000u}) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s.push_back(static_cast<char>(0x80 + i % 120));
    RowString r(s);
    EXPECT_EQ(r.view(), s) << n;
    RowString copy(r);
    RowString moved(std::move(r));
    EXPECT_EQ(copy.view(), s);
    EXPECT_EQ(moved.view(), s);
    EXPECT_TRUE(r.empty());  // NOLINT(bugprone-use-after-move): moved-from is empty by design
    // Assigning a view of itself (short and long) keeps the text.
    moved = moved.view().substr(n / 2);
    EXPECT_EQ(moved.view(), s.substr(n / 2));
  }
}

TEST(TheStringList, NewRowsStartEmptyWithLineBreakAndUncomputedState) {
  TRowAttributeStringList l;
  l.Add("a");
  l.Insert(0, "b");
  ASSERT_EQ(l.Count(), 2);
  EXPECT_EQ(l.Get(0), "b");
  EXPECT_EQ(l.Get(1), "a");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(l.RowAttr(i), rowLineBreak);
    EXPECT_EQ(l.BracketIndex(i), -2);
    EXPECT_EQ(l.Marks(i), 0);
    EXPECT_EQ(l.Tag(i), 0);
    EXPECT_EQ(l.ElementText(i), "");
  }
}

TEST(TheStringList, BadIndexRaisesListErrorNamingTheIndex) {
  TRowAttributeStringList l;
  l.Add("x");
  const std::vector<std::pair<std::function<void()>, int>> cases = {
      {[&] { l.Get(1); }, 1},         {[&] { l.Get(-1); }, -1},       {[&] { l.Put(5, "y"); }, 5},
      {[&] { l.Insert(2, "y"); }, 2}, {[&] { l.Delete(1); }, 1},      {[&] { l.Exchange(0, 3); }, 3},
      {[&] { l.RowAttr(7); }, 7},     {[&] { l.SetMarks(2, 1); }, 2}, {[&] { l.RowData(-3); }, -3},
  };
  for (const auto& [call, index] : cases) {
    try {
      call();
      ADD_FAILURE() << "no error for index " << index;
    } catch (const EListError& e) {
      EXPECT_EQ(std::string(e.what()), "リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
    }
  }
  EXPECT_NO_THROW(l.Insert(1, "end"));  // Count itself is a valid insert position
  EXPECT_EQ(l.Count(), 2);
}

TEST(TheStringList, CapacityGrowsByTheRule) {
  TheStringList l;
  std::vector<int> seen;
  for (int i = 0; i < 200; ++i) {
    l.Add("r");
    if (seen.empty() || seen.back() != l.Capacity()) seen.push_back(l.Capacity());
  }
  // +4 up to 8, +16 while above 8, then a quarter once above 64.
  std::vector<int> expected = {4, 8, 12, 28, 44, 60, 76, 95, 118, 147, 183, 228};
  EXPECT_EQ(seen, expected);
  EXPECT_THROW(l.SetCapacity(10), EListError);
  l.SetCapacity(500);
  EXPECT_EQ(l.Capacity(), 500);
  EXPECT_EQ(l.Count(), 200);
}

TEST(TheStringList, NotifiesOnlyOutsideUpdateBrackets) {
  TheStringList l;
  int changing = 0, changed = 0;
  l.OnChanging = [&] { ++changing; };
  l.OnChange = [&] { ++changed; };
  l.Add("a");
  l.Put(0, "b");
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  l.BeginUpdate();
  l.BeginUpdate();
  l.Add("c");
  l.Delete(0);
  l.EndUpdate();
  EXPECT_EQ(changed, 2);
  l.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 3);  // once when the outer bracket closes
}

TEST(TheStringList, ExchangeSwapsWholeRecordsAndCopiesAreDeep) {
  TRowAttributeStringList l;
  l.Add("first");
  l.Add("a second row that lives on the heap");
  l.SetMarks(0, 0x8001);
  l.SetTag(0, 42);
  l.SetElementText(0, "elem");
  l.SetRowAttr(1, rowTextEnd);
  l.Exchange(0, 1);
  EXPECT_EQ(l.Get(1), "first");
  EXPECT_EQ(l.Marks(1), 0x8001);
  EXPECT_EQ(l.Tag(1), 42);
  EXPECT_EQ(l.ElementText(1), "elem");
  EXPECT_EQ(l.RowAttr(0), rowTextEnd);
  EXPECT_EQ(l.Marks(0), 0);

  TRowAttributeStringList copy(l);
  l.Put(0, "changed");
  l.SetElementText(1, "");
  EXPECT_EQ(copy.Get(0), "a second row that lives on the heap");
  EXPECT_EQ(copy.ElementText(1), "elem");
}

// Each packed field reads back what was written and leaves every other field alone.
TEST(TRowAttributeStringList, PackedFieldsAreIndependent) {
  struct Field {
    const char* name;
    std::function<void(TRowAttributeStringList&, int)> set;
    std::function<int(const TRowAttributeStringList&)> get;
    int value;
  };
  const std::vector<Field> fields = {
      {"attr", [](auto& l, int v) { l.SetRowAttr(0, static_cast<RowAttribute>(v)); },
       [](auto& l) { return int(l.RowAttr(0)); }, 2},
      {"prev", [](auto& l, int v) { l.SetPrevRowAttr(0, static_cast<RowAttribute>(v)); },
       [](auto& l) { return int(l.PrevRowAttr(0)); }, 3},
      {"bracket", [](auto& l, int v) { l.SetBracketIndex(0, v); }, [](auto& l) { return l.BracketIndex(0); }, 13},
      {"A", [](auto& l, int v) { l.SetElementState(0, v); }, [](auto& l) { return l.ElementState(0); }, 255},
      {"B", [](auto& l, int v) { l.SetRemainLength(0, v); }, [](auto& l) { return l.RemainLength(0); }, 200},
      {"C", [](auto& l, int v) { l.SetStateC(0, v); }, [](auto& l) { return l.StateC(0); }, 129},
      {"D", [](auto& l, int v) { l.SetContinuedKind(0, v); }, [](auto& l) { return l.ContinuedKind(0); }, 21},
      {"E", [](auto& l, int v) { l.SetStateE(0, v); }, [](auto& l) { return l.StateE(0); }, 254},
      {"marks", [](auto& l, int v) { l.SetMarks(0, static_cast<uint16_t>(v)); },
       [](auto& l) { return int(l.Marks(0)); }, 0xFFFF},
  };
  for (const Field& f : fields) {
    TRowAttributeStringList l;
    l.Add("row");
    // Start from distinct values everywhere, then change only this field.
    std::vector<int> before;
    for (const Field& g : fields) {
      if (g.name == std::string("bracket"))
        g.set(l, -1);
      else
        g.set(l, 1);
    }
    for (const Field& g : fields) before.push_back(g.get(l));
    f.set(l, f.value);
    for (size_t k = 0; k < fields.size(); ++k) {
      if (fields[k].name == f.name)
        EXPECT_EQ(fields[k].get(l), f.value) << f.name;
      else
        EXPECT_EQ(fields[k].get(l), before[k]) << fields[k].name << " changed by " << f.name;
    }
    EXPECT_EQ(l.Get(0), "row");
  }
}

TEST(TRowAttributeStringList, RowDataRoundTripsAndKeepsBookmarks) {
  TRowAttributeStringList l;
  l.Add("x");
  l.SetMarks(0, 0x0208);
  TRowAttributeData d;
  d.RowAttribute = rowWrapped;
  d.PrevRowAttribute = rowTextEnd;
  d.BracketIndex = 7;
  d.ElementState = 12;
  d.RemainLength = 3;
  d.StateC = 99;
  d.ContinuedKind = 21;
  d.StateE = 5;
  d.ElementText = "carried";
  l.SetRowData(0, d);
  EXPECT_EQ(l.RowData(0), d);
  EXPECT_EQ(l.Marks(0), 0x0208);
  EXPECT_EQ(l.RowAttr(0), rowWrapped);

  d.BracketIndex = -2;
  d.ElementText.clear();
  l.SetRowData(0, d);
  EXPECT_EQ(l.BracketIndex(0), -2);
  EXPECT_EQ(l.ElementText(0), "");
  EXPECT_EQ(l.Marks(0), 0x0208);
}

TEST(TRowAttributeStringList, LayoutRevisionFollowsCountAndAttributes) {
  TRowAttributeStringList l;
  l.Add("a");
  uint64_t r = l.LayoutRevision();
  l.Put(0, "b");
  l.SetMarks(0, 1);
  l.SetBracketIndex(0, 3);
  EXPECT_EQ(l.LayoutRevision(), r);
  l.SetRowAttr(0, rowWrapped);
  EXPECT_NE(l.LayoutRevision(), r);
  r = l.LayoutRevision();
  l.Add("c");
  EXPECT_NE(l.LayoutRevision(), r);
}

}  // namespace
}  // namespace editor
