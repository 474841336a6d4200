// The list control's bookkeeping and drawing rules: notification on change only, ClickCancel,
// PrevIndex/CurIndex, the horizontal extent, row heights and selected-row colours.
#include <gtest/gtest.h>

#include "fixture.h"
#include "mainwin/listbox.h"
#include "store/errors.h"

using namespace mainwin;

namespace {

struct Recorded {
  ListBoxKor list{kItemListTag};
  mwtest::FakeListView view;
  int clicks = 0;
  Recorded() {
    list.SetView(&view);
    list.OnClick = [this] { ++clicks; };
    list.SetItems({"alpha", "beta", "gamma"});
  }
};

TEST(ListBoxKor, NotifiesOnlyWhenTheSelectionChangesAndKeepsPreviousAndCurrent) {
  Recorded r;
  r.list.SetItemIndex(1);
  EXPECT_EQ(r.clicks, 1);
  EXPECT_EQ(r.list.PrevIndex(), -1);
  EXPECT_EQ(r.list.CurIndex(), 1);
  EXPECT_EQ(r.view.selection, 1);

  // The same entry again: no notification, but the extent is set again.
  r.view.extent = -1;
  r.list.SetItemIndex(1);
  EXPECT_EQ(r.clicks, 1);
  EXPECT_GT(r.view.extent, 0);

  r.list.UserSelected(2);
  EXPECT_EQ(r.clicks, 2);
  EXPECT_EQ(r.list.PrevIndex(), 1);
  EXPECT_EQ(r.list.CurIndex(), 2);

  // Refilling keeps both indices; clearing resets them.
  r.list.SetItems({"a", "b", "c", "d"});
  EXPECT_EQ(r.list.PrevIndex(), 1);
  EXPECT_EQ(r.list.CurIndex(), 2);
  r.list.SetPrevIndex(-7);
  EXPECT_EQ(r.list.PrevIndex(), -1);
  r.list.Clear();
  EXPECT_EQ(r.list.CurIndex(), -1);
  EXPECT_EQ(r.list.ItemIndex(), -1);
  EXPECT_TRUE(r.view.rows.empty());
  EXPECT_THROW(r.list.SetItemIndex(0), store::Error);
}

TEST(ListBoxKor, ClickCancelIgnoresSelectionChangesEntirely) {
  Recorded r;
  r.list.SetItemIndex(0);
  r.list.ClickCancel = true;
  r.list.UserSelected(2);
  EXPECT_EQ(r.clicks, 1);
  EXPECT_EQ(r.list.CurIndex(), 0);
  EXPECT_EQ(r.list.PrevIndex(), -1);
  r.list.ClickCancel = false;
  r.list.Click();
  EXPECT_EQ(r.clicks, 2);
  EXPECT_EQ(r.list.PrevIndex(), 0);
  EXPECT_EQ(r.list.CurIndex(), 2);
}

TEST(ListBoxKor, MovingAndRemovingCarryTheSelection) {
  Recorded r;
  r.list.SetItemIndex(0);
  r.list.MoveItem(0, 2);
  EXPECT_EQ(r.list.ItemIndex(), 2);
  EXPECT_EQ(r.view.rows, (std::vector<std::string>{"beta", "gamma", "alpha"}));
  r.list.RemoveItem(2);
  EXPECT_EQ(r.list.ItemIndex(), -1);
  EXPECT_EQ(r.list.CurIndex(), 0);  // bookkeeping waits for the next Click
}

TEST(ListBoxKor, HorizontalExtentMeasuresTheVisibleEntries) {
  ListBoxKor list(kGroupListTag);
  mwtest::FakeListView view;
  view.charWidth = 10;
  view.clientHeight = 18;  // font height -13: 18 / |-13 + 4| = 2 rows measured
  list.SetView(&view);
  list.SetFontHeight(-13);
  list.SetItems({"ab", "abcd", "abcdefgh", "x"});
  // Rows 0 and 1 are measured; the widest is "abcd" with a space after it.
  EXPECT_EQ(list.ComputeExtent(), 50);
  view.top = 2;
  EXPECT_EQ(list.ComputeExtent(), 90);
  view.top = 3;
  EXPECT_EQ(list.ComputeExtent(), 20);
  // A font height that makes the divisor zero counts one pixel a row instead of dividing by zero.
  list.SetFontHeight(-4);
  view.top = 1;
  EXPECT_EQ(list.ComputeExtent(), 90);
  // Drawing sets a pending extent once.
  EXPECT_TRUE(list.ExtentPending());
  list.AfterDraw();
  EXPECT_FALSE(list.ExtentPending());
  EXPECT_EQ(view.extent, 90);
}

TEST(ListDrawing, RowHeightRoundsHalvesToEvenAndCoversTheLineSpacing) {
  struct Case {
    int size, margin, height;
  } cases[] = {{9, 0, 12}, {10, 0, 13}, {15, 0, 20}, {5, 0, 6}, {10, 2, 15}, {25, 0, 32}, {35, 0, 46}, {0, 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(RowHeight(c.size, c.margin), c.height) << c.size << "+" << c.margin;
  // A row is never lower than the font's measured line spacing plus the margin.
  ListLook look;
  look.fontSize = 10;
  look.lineMargin = 2;
  look.lineSpacing = 12;
  EXPECT_EQ(ListRowHeight(look), 15);
  look.lineSpacing = 17;
  EXPECT_EQ(ListRowStyle(look, 0, 0, false).height, 19);
}

TEST(ListDrawing, SelectedTextColourFollowsTheSevenRules) {
  ListLook look;
  look.fontColor = 0x000010;
  look.backColor = 0x00FFFFFF;
  look.selColor = store::clNavy;
  const store::TColor entry = 0x000080FF;
  struct Case {
    store::TSelFontColorType type;
    store::TColor want;
  } cases[] = {
      {store::fcDefFontColor, 0x000010},   {store::fcUnDefFontColor, 0xFFFFEF}, {store::fcSelFontColor, 0x0080FF},
      {store::fcUnSelFontColor, 0xFF7F00}, {store::fcBkColor, 0xFFFFFF},        {store::fcUnBkColor, 0x000000},
      {store::fcUnSelColor, 0x7FFFFF},
  };
  for (const Case& c : cases) {
    look.selFontColorType = c.type;
    EXPECT_EQ(SelectedTextColor(look, entry), c.want) << c.type;
    RowStyle selected = ListRowStyle(look, entry, store::fsBold, true);
    EXPECT_EQ(selected.background, store::clNavy);
    EXPECT_EQ(selected.text, c.want);
  }
  RowStyle plain = ListRowStyle(look, entry, store::fsItalic, false);
  EXPECT_EQ(plain.background, 0x00FFFFFF);
  EXPECT_EQ(plain.text, entry);
  EXPECT_EQ(plain.fontStyle, store::fsItalic);
}

TEST(ListDrawing, DefaultsDrawTheSelectedRowInInvertedNavy) {
  store::TMainDataClass data;
  data.SetDefaults();
  const ListLook group = GroupLook(data);
  EXPECT_EQ(group.fontSize, 10);
  EXPECT_EQ(group.fontName, store::kDefaultListFontName);
  RowStyle s = ListRowStyle(group, 0, 0, true);
  EXPECT_EQ(s.text, 0x7FFFFF);
  EXPECT_EQ(s.height, 13);
  data.ItemLineMargin = 3;
  data.ItemLeftMargin = 4;
  EXPECT_EQ(ListRowStyle(ItemLook(data), 0, 0, false).height, 16);
  EXPECT_EQ(ListRowStyle(ItemLook(data), 0, 0, false).textLeft, 4);
}

}  // namespace
