// The list control's bookkeeping: notification on change only, ClickCancel, PrevIndex/CurIndex,
// the horizontal extent.
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

}  // namespace
