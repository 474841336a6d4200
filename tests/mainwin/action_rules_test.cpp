// The enabling rule in the states a user meets (no group at all, a group without items, the ends
// of the lists, a selection in the editor, history) and which commands the core carries out.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "fixture.h"

using namespace mainwin;
using mwtest::App;
using A = mainwin::ActionId;

namespace {

std::set<ActionId> EnabledNow(App& app) {
  app.core->UpdateActionStates();
  std::set<ActionId> on;
  for (const auto& [id, enabled] : app.host.enabled)
    if (enabled) on.insert(id);
  return on;
}

TEST(Enabling, WithNoGroupAtAllOnlyTheListIndependentCommands) {
  mwtest::TempDir dir;
  App app(dir.Data());
  app.Start();
  EXPECT_EQ(EnabledNow(app),
            (std::set<ActionId>{A::GroupAdd, A::GroupImport, A::GroupMultiDelete, A::ItemMultiDelete, A::WordWrap_Non,
                                A::WordWrap_User, A::WordWrap_Width, A::EditEditor, A::EditEditor_TimeOpen, A::Close}));
  EXPECT_FALSE(app.host.editorEnabled);
  // The history commands follow their lists.
  app.core->Data().History().PushBack(0, 0);
  EXPECT_TRUE(EnabledNow(app).count(A::HistoryBk));
  EXPECT_FALSE(EnabledNow(app).count(A::HistoryFw));
}

TEST(Enabling, AGroupWithoutItems) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {}, -1}, {"B", {{"b0", "x"}}, 0}}, 0);
  App app(dir.Data());
  app.Start();
  const std::set<ActionId> on = EnabledNow(app);
  for (ActionId id :
       {A::ItemAdd, A::AddFile, A::ItemTitleStyleClear, A::GroupTitleStyleClear, A::GroupInsert, A::GroupDel,
        A::GroupEdit, A::GroupCopy, A::EditorEdit_Group, A::GroupExport, A::GroupMoveOneDown})
    EXPECT_TRUE(on.count(id)) << Spec(id).name;
  for (ActionId id : {A::ReOpenGroup, A::GroupMoveOneUp, A::ItemInsert, A::ItemDel, A::ItemEdit, A::SelectAll, A::Paste,
                      A::Undo, A::TimeStamp, A::PrintGroupItems, A::SaveToFile_GroupItems, A::OpenFormEditor_GroupItems,
                      A::ItemMoveOneUp, A::ItemMoveOneDown})
    EXPECT_FALSE(on.count(id)) << Spec(id).name;
  EXPECT_FALSE(app.host.editorEnabled);
  EXPECT_EQ(app.host.status[0], "2 グループ");
  EXPECT_EQ(app.host.status[1], "0 アイテム");
  EXPECT_EQ(app.host.status[4], "標準設定");
}

TEST(Enabling, EndsOfTheListsAndTheSelection) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"A", {{"a0", "text"}, {"a1", ""}, {"a2", ""}}, 0}, {"B", {}, -1}}, 0);
  App app(dir.Data());
  app.Start();
  std::set<ActionId> on = EnabledNow(app);
  EXPECT_TRUE(app.host.editorEnabled);
  EXPECT_FALSE(on.count(A::GroupMoveOneUp));
  EXPECT_TRUE(on.count(A::GroupMoveOneDown));
  EXPECT_FALSE(on.count(A::ItemMoveOneUp));
  EXPECT_TRUE(on.count(A::ItemMoveOneDown));
  EXPECT_TRUE(on.count(A::ReOpenGroup));
  EXPECT_TRUE(on.count(A::PrintGroupItems));
  EXPECT_FALSE(on.count(A::Copy));
  EXPECT_FALSE(on.count(A::Cut));
  EXPECT_FALSE(on.count(A::ItemNameFromSelText));
  app.ClickItem(1);
  on = EnabledNow(app);
  EXPECT_TRUE(on.count(A::ItemMoveOneUp));
  EXPECT_TRUE(on.count(A::ItemMoveOneDown));
  app.ClickItem(2);
  app.ClickGroup(1);
  on = EnabledNow(app);
  EXPECT_TRUE(on.count(A::GroupMoveOneUp));
  EXPECT_FALSE(on.count(A::GroupMoveOneDown));
  app.ClickGroup(0);
  app.ClickItem(0);
  app.editor.SelectAll();
  on = EnabledNow(app);
  EXPECT_TRUE(on.count(A::Copy));
  EXPECT_TRUE(on.count(A::Cut));
  EXPECT_TRUE(on.count(A::ItemNameFromSelText));
}

TEST(Handlers, EveryActionHasOneHandlerInTheTable) {
  // Only the find commands need the find windows, which a test without a screen has not built.
  const std::set<ActionId> findWindows = {A::Find, A::FindFw, A::FindBk, A::Replace};
  mwtest::TempDir dir;
  App app(dir.Data());
  app.Start();
  for (const ActionSpec& a : ActionTable())
    EXPECT_EQ(app.commands->Table().Has(a.id), !findWindows.count(a.id)) << a.name;
  // The window's own command goes to the window; a second handler for an action is refused.
  EXPECT_TRUE(app.Run(A::Close));
  EXPECT_EQ(app.window.closes, 1);
  EXPECT_FALSE(app.Run(A::Find));
  CommandTable table;
  table.Register(A::Close, [] {});
  EXPECT_THROW(table.Register(A::Close, [] {}), std::logic_error);
}

}  // namespace
