// Arrangements, default list sizes, the stored geometry's usability and storing, the splitter rule,
// the right-edge wrap column and the caret panel's format.
#include <gtest/gtest.h>

#include "editorsettings/listlook.h"
#include "mainwin/layout.h"
#include "mainwin/mainform.h"

using namespace mainwin;

namespace {

store::TMainDataClass UsableGeometry() {
  store::TMainDataClass d;
  d.SetDefaults();
  d.WindowOptionEnabled = true;
  d.Top = 10;
  d.Left = 20;
  d.Width = 640;
  d.Heigth = 480;
  d.SplitPositionX = 200;
  d.SplitPositionY = 150;
  return d;
}

TEST(Layout, ArrangementsAndDefaultSizes) {
  EXPECT_FALSE(editorsettings::ArrangementOf(store::lvLeft_tate).paneOnTop);
  EXPECT_FALSE(editorsettings::ArrangementOf(store::lvLeft_tate).listsSideBySide);
  EXPECT_TRUE(editorsettings::ArrangementOf(store::lvLeft_yoko).listsSideBySide);
  EXPECT_TRUE(editorsettings::ArrangementOf(store::lvTop_tate).paneOnTop);
  EXPECT_TRUE(editorsettings::ArrangementOf(store::lvTop_yoko).paneOnTop &&
              editorsettings::ArrangementOf(store::lvTop_yoko).listsSideBySide);

  struct Case {
    int type, pane, group;
  } cases[] = {{0, 185, 241}, {1, 240, 120}, {2, 200, 100}, {3, 140, 386}};
  for (const Case& c : cases) {
    SplitSizes s = DefaultListSizes(c.type, 773, 483);
    EXPECT_EQ(s.pane, c.pane) << c.type;
    EXPECT_EQ(s.group, c.group) << c.type;
  }
}

TEST(Layout, StoredGeometryUsability) {
  const ScreenSize screen{1024, 768};
  EXPECT_TRUE(GeometryUsable(UsableGeometry(), screen));
  auto with = [&](auto change) {
    store::TMainDataClass d = UsableGeometry();
    change(d);
    return GeometryUsable(d, screen);
  };
  EXPECT_FALSE(with([](auto& d) { d.WindowOptionEnabled = false; }));
  EXPECT_FALSE(with([](auto& d) { d.Width = 99; }));
  EXPECT_TRUE(with([](auto& d) { d.Width = 100; }));
  EXPECT_FALSE(with([](auto& d) { d.Heigth = 99; }));
  EXPECT_FALSE(with([](auto& d) { d.SplitPositionX = 69; }));
  EXPECT_TRUE(with([](auto& d) { d.SplitPositionX = 70; }));
  EXPECT_FALSE(with([](auto& d) { d.SplitPositionY = 49; }));
  EXPECT_FALSE(with([](auto& d) { d.Top = -1; }));
  EXPECT_FALSE(with([](auto& d) { d.Top = 768; }));
  EXPECT_TRUE(with([](auto& d) { d.Top = 767; }));
  EXPECT_FALSE(with([](auto& d) { d.Left = 1024; }));
}

TEST(Layout, StoringGeometryAtClose) {
  store::TMainDataClass d = UsableGeometry();
  EXPECT_TRUE(StoreWindowGeometry(d, {false, 30, 40, 700, 500}, {210, 160}));
  EXPECT_EQ(d.Top, 30);
  EXPECT_EQ(d.Left, 40);
  EXPECT_EQ(d.Width, 700);
  EXPECT_EQ(d.Heigth, 500);
  EXPECT_EQ(d.SplitPositionX, 210);
  EXPECT_EQ(d.SplitPositionY, 160);

  // Maximised: only the state and the split positions change.
  EXPECT_TRUE(StoreWindowGeometry(d, {true, 0, 0, 1920, 1080}, {220, 170}));
  EXPECT_TRUE(d.WindowStateMaximized);
  EXPECT_EQ(d.Width, 700);
  EXPECT_EQ(d.Top, 30);
  EXPECT_EQ(d.SplitPositionX, 220);

  // Fixed, or the option off: nothing changes.
  d.WindowOptionFixed = true;
  EXPECT_FALSE(StoreWindowGeometry(d, {false, 1, 2, 300, 300}, {100, 100}));
  EXPECT_EQ(d.Width, 700);
  EXPECT_EQ(d.SplitPositionX, 220);
  d.WindowOptionFixed = false;
  d.WindowOptionEnabled = false;
  EXPECT_FALSE(StoreWindowGeometry(d, {false, 1, 2, 300, 300}, {100, 100}));
  EXPECT_EQ(d.Top, 30);
}

TEST(Layout, SplitterRuleKeepsTheSecondListsRoom) {
  // View type 1: the main splitter stops 51 pixels right of the list splitter's left edge.
  const int least = SplitterLeastSize(kMainSplitterTag, store::lvLeft_yoko, 120);
  EXPECT_EQ(least, 170);
  EXPECT_EQ(ApplySplitterRule(100, least), 171);
  EXPECT_EQ(ApplySplitterRule(170, least), 171);
  EXPECT_EQ(ApplySplitterRule(171, least), 171);
  EXPECT_EQ(ApplySplitterRule(300, least), 300);
  EXPECT_EQ(SplitterLeastSize(kMainSplitterTag, store::lvTop_tate, 90), 140);
  EXPECT_EQ(SplitterLeastSize(kMainSplitterTag, store::lvLeft_tate, 90), 50);
  EXPECT_EQ(SplitterLeastSize(kMainSplitterTag, store::lvTop_yoko, 90), 50);
  EXPECT_EQ(SplitterLeastSize(0, store::lvLeft_yoko, 90), 50);
}

TEST(ItemEditingRules, WidthWrapColumnAndCaretPanel) {
  EXPECT_EQ(WidthWrapByte(600, 30, 8, 17), 68);
  EXPECT_EQ(WidthWrapByte(600, 30, 8, 0), 70);
  EXPECT_EQ(WidthWrapByte(600, 30, 0, 17), -1);
  EXPECT_EQ(CaretStatusText(1, 1), "    1 行:   1 桁");
  EXPECT_EQ(CaretStatusText(12345, 1000), "12345 行:1000 桁");
}

TEST(DragRules, AcceptanceAndAutoScroll) {
  EXPECT_TRUE(AcceptsEntryDrop(kItemListTag, kGroupListTag));
  EXPECT_TRUE(AcceptsEntryDrop(kItemListTag, kItemListTag));
  EXPECT_TRUE(AcceptsEntryDrop(kGroupListTag, kGroupListTag));
  EXPECT_FALSE(AcceptsEntryDrop(kGroupListTag, kItemListTag));
  // Font size 10: up within 6 pixels of the top, down within 9 of the bottom.
  EXPECT_EQ(DragAutoScrollStep(6, 200, 10), -1);
  EXPECT_EQ(DragAutoScrollStep(7, 200, 10), 0);
  EXPECT_EQ(DragAutoScrollStep(190, 200, 10), 0);
  EXPECT_EQ(DragAutoScrollStep(191, 200, 10), 1);
}

TEST(Actions, TableFollowsTheListOrderAndEnablingRule) {
  const auto& t = ActionTable();
  EXPECT_EQ(t.size(), 55u);
  EXPECT_EQ(t[0].name, "Action_SelectAll");
  EXPECT_EQ(t[9].name, "Action_HistoryBk");
  EXPECT_EQ(t[54].name, "Action_EditEditor_TimeOpen");
  EXPECT_EQ(Spec(ActionId::WordWrap_Width).tag, 50);
  EXPECT_EQ(Spec(ActionId::GroupMoveOneUp).Hint(), "グループを一つ上へ");
  EXPECT_EQ(Spec(ActionId::TimeStamp).Hint(), "タイムスタンプ");

  // With no group at all only the always-enabled actions and history (by its lists) are enabled.
  ActionConditions none;
  int enabled = 0;
  for (const auto& a : t) enabled += IsEnabled(a.enabling, none) ? 1 : 0;
  EXPECT_EQ(enabled, 10);
  EXPECT_FALSE(IsEnabled(Spec(ActionId::GroupTitleStyleClear).enabling, none));
  // A group selected without items.
  ActionConditions g{0, 3, -1, 0, 0, false, false};
  EXPECT_TRUE(IsEnabled(Spec(ActionId::ItemAdd).enabling, g));
  EXPECT_TRUE(IsEnabled(Spec(ActionId::AddFile).enabling, g));
  EXPECT_TRUE(IsEnabled(Spec(ActionId::ItemTitleStyleClear).enabling, g));
  EXPECT_FALSE(IsEnabled(Spec(ActionId::ReOpenGroup).enabling, g));
  EXPECT_FALSE(IsEnabled(Spec(ActionId::GroupMoveOneUp).enabling, g));
  EXPECT_TRUE(IsEnabled(Spec(ActionId::GroupMoveOneDown).enabling, g));
  ActionConditions last{2, 3, 4, 5, 0, true, false};
  EXPECT_FALSE(IsEnabled(Spec(ActionId::GroupMoveOneDown).enabling, last));
  EXPECT_FALSE(IsEnabled(Spec(ActionId::ItemMoveOneDown).enabling, last));
  EXPECT_TRUE(IsEnabled(Spec(ActionId::HistoryBk).enabling, last));
  EXPECT_FALSE(IsEnabled(Spec(ActionId::Copy).enabling, last));
  // Undo and redo need an open item and something in the editor to undo or redo.
  EXPECT_FALSE(IsEnabled(Spec(ActionId::Undo).enabling, last));
  EXPECT_FALSE(IsEnabled(Spec(ActionId::Redo).enabling, last));
  last.canUndo = true;
  EXPECT_TRUE(IsEnabled(Spec(ActionId::Undo).enabling, last));
  EXPECT_FALSE(IsEnabled(Spec(ActionId::Redo).enabling, last));
  last.canRedo = true;
  last.itemIndex = -1;
  EXPECT_FALSE(IsEnabled(Spec(ActionId::Undo).enabling, last));
  EXPECT_FALSE(IsEnabled(Spec(ActionId::Redo).enabling, last));
}

}  // namespace
