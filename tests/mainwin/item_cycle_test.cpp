// The cycle around the editor: start-up and close, switching items and groups (write-back, saving
// and loading item files), editor settings and wrap modes, status panels, history, reopening.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "fixture.h"

using namespace mainwin;
using mwtest::App;
using mwtest::SeedGroup;
using mwtest::Sjis;

namespace {

std::vector<SeedGroup> TwoGroups() {
  return {{"仕事", {{"予定", "月曜\r\n火曜\r\n水曜", 2}, {"メモ", "first"}, {"空", ""}}, 1},
          {"趣味", {{"本", "読む本\r\n二冊目"}, {"映画", "観た"}}, 0}};
}

TEST(StartAndClose, FirstStartWithoutDataFolderWritesEveryFileAtClose) {
  mwtest::TempDir dir;
  const std::string data = dir.Data();
  {
    App app(data);
    app.Start();
    EXPECT_TRUE(std::filesystem::is_directory(data));
    EXPECT_EQ(app.core->Data().Groups().Count(), 0);
    EXPECT_EQ(app.groupView.selection, -1);
    EXPECT_TRUE(app.host.errors.empty());
    // The editor keeps its designed look with wrap column 60, which becomes the global settings.
    EXPECT_TRUE(app.editor.WordWrap());
    EXPECT_EQ(app.editor.WrapOption().WrapByte(), 60);
    EXPECT_TRUE(app.core->Data().GlobalSettings().Enabled);
    EXPECT_EQ(app.core->Data().GlobalSettings().DEditorWrapOption.WrapByte(), 60);
    EXPECT_EQ(app.host.wrapMode, WrapMode::User);
    // Defaults of a missing main.bin.
    EXPECT_TRUE(app.core->Data().MainData().FindWarning);
    EXPECT_FALSE(app.core->Data().MainData().WindowOptionEnabled);
    app.core->ActionListUpdate();
    EXPECT_EQ(app.host.status[6], "    1 行:   1 桁");
    EXPECT_EQ(app.host.status[0], "0 グループ");
    EXPECT_EQ(app.host.status[2], "挿入");
    EXPECT_FALSE(app.host.editorEnabled);
    EXPECT_FALSE(app.host.enabled[ActionId::HistoryBk]);
    app.Close();
  }
  for (const char* f : {"main.bin", "list.bin", "group.bin", "History.bin"})
    EXPECT_TRUE(std::filesystem::exists(data + f)) << f;
  // The next start finds the captured global settings.
  App again(data);
  again.core->FormCreate();
  EXPECT_TRUE(again.core->Data().GlobalSettings().Enabled);
  EXPECT_EQ(again.core->Data().GlobalSettings().DEditorWrapOption.WrapByte(), 60);
  EXPECT_TRUE(again.core->Data().GlobalSettings().DWordWrap);
}

TEST(StartAndClose, OpensTheStoredGroupAndItemOnItsLine) {
  mwtest::TempDir dir;
  auto groups = TwoGroups();
  groups[0].selIndex = 0;
  mwtest::Seed(dir.Data(), groups, 0);
  App app(dir.Data());
  app.Start();
  EXPECT_EQ(app.groupView.rows.size(), 2u);
  EXPECT_EQ(app.groupView.selection, 0);
  EXPECT_EQ(app.itemView.selection, 0);
  EXPECT_EQ(app.Text(), "月曜\r\n火曜\r\n水曜");
  EXPECT_EQ(app.editor.Row(), 2);
  EXPECT_FALSE(app.editor.Modified());
  EXPECT_TRUE(app.host.editorEnabled);
  app.core->ActionListUpdate();
  EXPECT_EQ(app.host.status[0], "2 グループ");
  EXPECT_EQ(app.host.status[1], "3 アイテム");
  EXPECT_EQ(app.host.status[4], "標準設定");
  EXPECT_EQ(app.host.status[5], "全 3 行");
  EXPECT_EQ(app.host.status[6], "    3 行:   1 桁");
}

TEST(StartAndClose, AStoredSelectionThatNoLongerExistsSelectsNothing) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 7);
  App app(dir.Data());
  app.Start();
  EXPECT_EQ(app.groupView.selection, -1);
  EXPECT_EQ(app.core->Data().Groups().SelIndex, -1);
  EXPECT_TRUE(app.host.errors.empty());
  app.Close();
  // Nothing open: only group.bin (and the settings records) are written, item files stay.
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0).size(), 3u);
}

TEST(Switching, ChoosingAnotherItemWritesBackTextAndLine) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  ASSERT_EQ(app.itemView.selection, 1);
  ASSERT_EQ(app.Text(), "first");
  app.editor.SetRow(0);
  app.editor.SetCol(5);
  app.Type("行");
  app.ClickItem(0);
  EXPECT_EQ(app.Text(), "月曜\r\n火曜\r\n水曜");
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(1).ItemText), "first行");

  // Leaving without typing updates only the line.
  app.editor.SetRow(1);
  app.ClickItem(2);
  EXPECT_EQ(app.core->Data().Items().ItemAt(0).Line, 1);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(0).ItemText), "月曜\r\n火曜\r\n水曜");
  EXPECT_EQ(app.Text(), "");

  // Nothing is on disk before the group is left.
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[1].text, "first");
  app.ClickGroup(1);
  auto stored = mwtest::StoredItems(dir.Data(), 0);
  EXPECT_EQ(stored[1].text, "first行");
  EXPECT_EQ(stored[0].line, 1);
  EXPECT_EQ(app.Text(), "読む本\r\n二冊目");
  EXPECT_EQ(app.itemView.rows.size(), 2u);
  EXPECT_EQ(app.itemView.selection, 0);

  // The group reopens on the item it was left on.
  app.ClickGroup(0);
  EXPECT_EQ(app.itemView.selection, 2);
}

TEST(Switching, CloseSavesTheOpenGroupAndTheNextStartFindsEveryWord) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 1);
  {
    App app(dir.Data());
    app.Start();
    app.editor.SetRowCol(1, 6);
    app.Type("と雑誌");
    app.Close();
  }
  auto stored = mwtest::StoredItems(dir.Data(), 1);
  EXPECT_EQ(stored[0].text, "読む本\r\n二冊目と雑誌");
  EXPECT_EQ(stored[0].line, 1);
  App app(dir.Data());
  app.Start();
  EXPECT_EQ(app.groupView.selection, 1);
  EXPECT_EQ(app.Text(), "読む本\r\n二冊目と雑誌");
  EXPECT_EQ(app.editor.Row(), 1);
}

TEST(Switching, AGroupThatCannotBeSavedStaysOpen) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.Type("X");
  // A file size limit makes the save fail as a full disk would (whoever runs the test).
  signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  app.ClickGroup(1);
  setrlimit(RLIMIT_FSIZE, &old);
  ASSERT_EQ(app.host.errors.size(), 1u);
  EXPECT_EQ(app.groupView.selection, 0);
  EXPECT_EQ(app.core->GroupList().CurIndex(), 0);
  EXPECT_EQ(app.core->Data().Items().Count(), 3);
  EXPECT_EQ(app.Text(), "Xfirst");
  // Once the file can be written, leaving works and keeps the typing.
  app.ClickGroup(1);
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[1].text, "Xfirst");
}

TEST(Switching, HoldsNestAndTheCloseRecordsNoMoreHistory) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  mainwin::Session& s = app.Data();
  app.Type("X");
  {
    const mainwin::Session::Hold outer = s.HoldStore();
    { const mainwin::Session::Hold inner = s.HoldStore(); }
    EXPECT_TRUE(s.StoreHeld());
    s.StoreEditorIntoItem(1, true);
    EXPECT_EQ(mwtest::Utf8(s.Items().ItemAt(1).ItemText), "first");
  }
  EXPECT_FALSE(s.StoreHeld());
  EXPECT_FALSE(s.History().CanBack());
  s.Close(0, 1);
  s.RecordHistoryPosition(0, 2);
  EXPECT_FALSE(s.History().CanBack());
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[1].text, "Xfirst");
}

TEST(EditorSettings, GroupSettingsWinAndWrapModesUseTheWidthFormula) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.editor.Margin().SetLeft(30);  // gutter 30 (bars hidden)
  ASSERT_EQ(app.editor.TextLeft(), 30);

  app.commands->Editing().WordWrapExecute(50);
  EXPECT_EQ(app.editor.WrapOption().WrapByte(), 68);  // (600 - 30 - 4 - 17) div 8
  EXPECT_EQ(app.host.wrapMode, WrapMode::Width);
  EXPECT_EQ(app.editor.ScrollBars(), editor::ssVertical);
  EXPECT_TRUE(app.core->Data().GlobalSettings().WidthWordWrap);
  app.host.verticalBar = false;
  app.core->UpdateWrapState();
  EXPECT_EQ(app.editor.WrapOption().WrapByte(), 70);

  app.commands->Editing().WordWrapExecute(48);
  EXPECT_FALSE(app.editor.WordWrap());
  EXPECT_FALSE(app.core->Data().GlobalSettings().DWordWrap);
  EXPECT_EQ(app.host.wrapMode, WrapMode::None);
  EXPECT_EQ(app.editor.ScrollBars(), editor::ssBoth);

  app.commands->Editing().WordWrapExecute(49);
  EXPECT_TRUE(app.editor.WordWrap());
  EXPECT_EQ(app.editor.WrapOption().WrapByte(), 60);  // the stored column
  EXPECT_EQ(app.host.wrapMode, WrapMode::User);
  EXPECT_FALSE(app.core->Data().GlobalSettings().WidthWordWrap);

  // A group with settings of its own applies them; the status panel says so.
  auto& own = app.core->Data().GroupSettings();
  own.CopyFromEditor(app.editor);
  own.DEditorWrapOption.SetWrapByte(30);
  own.Enabled = true;
  app.core->ApplyEditorSettings();
  EXPECT_EQ(app.editor.WrapOption().WrapByte(), 30);
  EXPECT_EQ(app.core->StatusText(4), "設定あり");
  // Switching to a group without own settings shows the global ones again.
  app.ClickGroup(1);
  EXPECT_EQ(app.editor.WrapOption().WrapByte(), 60);
  EXPECT_EQ(app.core->StatusText(4), "標準設定");
  app.ClickGroup(0);
  EXPECT_EQ(app.editor.WrapOption().WrapByte(), 30);
}

TEST(Modes, InsertAndReadOnlyShowInTheirPanels) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.commands->Editing().ToggleInsert();
  EXPECT_TRUE(app.editor.Overwrite());
  EXPECT_EQ(app.host.status[2], "上書");
  EXPECT_TRUE(app.host.checked[ActionId::insert]);
  app.commands->Editing().ToggleInsert();
  EXPECT_EQ(app.host.status[2], "挿入");
  app.commands->Editing().ToggleReadOnly();
  EXPECT_EQ(app.host.status[3], "ReadOnly");
  EXPECT_TRUE(app.host.checked[ActionId::ReadOnly]);
  // Read-only belongs to the editor and survives item changes.
  app.ClickItem(0);
  EXPECT_TRUE(app.editor.ReadOnly());
  app.commands->Editing().ToggleReadOnly();
  EXPECT_EQ(app.host.status[3], "");
}

TEST(History, BackAndForwardAcrossGroups) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();        // at (0, 1)
  app.ClickItem(2);   // records (0, 1)
  app.ClickGroup(1);  // records (0, 2), opens (1, 0)
  app.ClickItem(1);   // records (1, 0)
  EXPECT_TRUE(app.host.enabled[ActionId::HistoryBk]);
  EXPECT_EQ(store::THistoryCollection::Positions(app.core->Data().History().CollectionBk),
            (std::vector<store::HistoryPosition>{{0, 1}, {0, 2}, {1, 0}}));

  app.commands->History().HistoryBack();
  EXPECT_EQ(app.itemView.selection, 0);
  EXPECT_EQ(app.Text(), "読む本\r\n二冊目");
  app.commands->History().HistoryBack();
  EXPECT_EQ(app.groupView.selection, 0);
  EXPECT_EQ(app.itemView.selection, 2);
  EXPECT_TRUE(app.host.enabled[ActionId::HistoryFw]);
  app.commands->History().HistoryForward();
  EXPECT_EQ(app.groupView.selection, 1);
  EXPECT_EQ(app.itemView.selection, 0);
  app.commands->History().HistoryForward();
  EXPECT_EQ(app.itemView.selection, 1);
  EXPECT_FALSE(app.host.enabled[ActionId::HistoryFw]);
  // Stepping itself recorded nothing new on the back stack.
  EXPECT_EQ(app.core->Data().History().CollectionBk.size(), 3u);
}

TEST(History, SkipsTheCurrentPositionAndDropsPositionsThatAreGone) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();  // at (0, 1)
  auto& h = app.core->Data().History();
  h.PushBack(0, 0);
  h.PushBack(0, 1);  // equals the current position: skipped
  app.commands->History().HistoryBack();
  EXPECT_EQ(app.itemView.selection, 0);
  EXPECT_EQ(app.editor.Row(), 2);  // the item's stored line

  h.PushBack(5, 0);  // no such group
  app.commands->History().HistoryBack();
  EXPECT_EQ(app.itemView.selection, 0);
  h.PushBack(1, 9);  // the group exists, the item does not
  app.commands->History().HistoryBack();
  EXPECT_EQ(app.groupView.selection, 1);
  for (auto& p : store::THistoryCollection::Positions(h.CollectionBk)) EXPECT_NE(p, (store::HistoryPosition{1, 9}));
  for (auto& p : store::THistoryCollection::Positions(h.CollectionFw)) EXPECT_NE(p, (store::HistoryPosition{1, 9}));
}

TEST(Reopen, ItemAndGroupDropUnsavedChanges) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 0);
  App app(dir.Data());
  app.Start();
  app.Type("zz");
  EXPECT_TRUE(app.editor.Modified());
  app.commands->History().ReOpenItem();
  EXPECT_EQ(app.Text(), "first");
  EXPECT_FALSE(app.editor.Modified());

  // Change another item in memory, then reopen the group: the file's state comes back.
  app.Type("A");
  app.ClickItem(0);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(1).ItemText), "Afirst");
  app.host.confirmAnswer = false;
  app.commands->History().ReOpenGroup();
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(1).ItemText), "Afirst");
  app.host.confirmAnswer = true;
  app.commands->History().ReOpenGroup();
  EXPECT_EQ(app.host.confirmations.back(), "グループの開き直し");
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Items().ItemAt(1).ItemText), "first");
  EXPECT_EQ(app.itemView.selection, 1);  // the store's stored selection
  EXPECT_EQ(app.Text(), "first");
}

TEST(TimeStamps, MenuShowsEveryFormatAndTheCommandInsertsTheChosenOne) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), TwoGroups(), 1);
  App app(dir.Data());
  app.commands->History().SetClock([] { return editorsettings::DateTime{2024, 5, 3, 14, 7, 9, 0}; });
  app.Start();
  app.core->Data().ListData().SetTimeStampList({Sjis("yyyy'年'")});
  auto menu = app.commands->History().TimeStampMenu();
  ASSERT_EQ(menu.size(), 8u);
  EXPECT_EQ(mwtest::Utf8(menu[0].caption), "2024年");
  EXPECT_EQ(menu[1].caption, "2024/5/3");
  EXPECT_EQ(menu[2].caption, "2024/5/3 14:7:9");
  EXPECT_EQ(menu[3].caption, "24/05/03 2:7 PM");
  EXPECT_EQ(mwtest::Utf8(menu[4].caption), "令6年5月3日 (金)");
  EXPECT_EQ(mwtest::Utf8(menu[5].caption), "令和06年05月03日 金曜日 14時7分9秒");
  EXPECT_EQ(menu[6].caption, "2024/05/03 14:07");
  EXPECT_EQ(mwtest::Utf8(menu[7].caption), "2024年5月3日 午後2時");
  EXPECT_TRUE(menu[0].checked);
  EXPECT_EQ(menu[7].tag, 7);

  app.commands->History().ChooseTimeStamp(2);
  menu = app.commands->History().TimeStampMenu();
  EXPECT_TRUE(menu[2].checked);
  EXPECT_FALSE(menu[0].checked);
  app.editor.SetRowCol(0, 0);
  app.commands->History().InsertTimeStamp();
  EXPECT_EQ(app.Text(), "2024/5/3 14:7:9読む本\r\n二冊目");

  // -1 is taken as 0 and stored so; a position past the list inserts nothing.
  app.commands->History().ChooseTimeStamp(-1);
  app.editor.SetRowCol(0, 0);
  app.commands->History().InsertTimeStamp();
  EXPECT_EQ(app.core->Data().MainData().TimeIndex, 0);
  EXPECT_EQ(app.Text(), "2024年2024/5/3 14:7:9読む本\r\n二冊目");
  app.commands->History().ChooseTimeStamp(8);
  const std::string before = app.Text();
  app.commands->History().InsertTimeStamp();
  EXPECT_EQ(app.Text(), before);
  EXPECT_EQ(app.host.errors.size(), 1u);
}

TEST(EditorInput, WheelSelectionModeAndLinks) {
  mwtest::TempDir dir;
  std::string text;
  for (int i = 0; i < 100; ++i) text += "row " + std::to_string(i) + "\r\n";
  text = "see www.example.com or a@b.jp\r\n" + text;
  mwtest::Seed(dir.Data(), {{"g", {{"i", text}}}}, 0);
  App app(dir.Data());
  app.Start();
  app.commands->Editing().WordWrapExecute(48);

  app.core->Wheel(-2);
  EXPECT_EQ(app.editor.TopRow(), 2);
  app.core->Wheel(5);
  EXPECT_EQ(app.editor.TopRow(), 0);

  using editor::MouseButton;
  app.core->EditorMousePress(MouseButton::Left, editor::kModAlt);
  EXPECT_TRUE(app.editor.BoxSelection());
  app.core->EditorMousePress(MouseButton::Right, editor::kModAlt);
  EXPECT_TRUE(app.editor.BoxSelection());
  app.core->EditorKeyPress(editor::keys::kDelete, 0);
  EXPECT_TRUE(app.editor.BoxSelection());
  app.core->EditorKeyPress('A', editor::kModCtrl);
  EXPECT_TRUE(app.editor.BoxSelection());
  app.core->EditorKeyPress('A', 0);
  EXPECT_FALSE(app.editor.BoxSelection());
  app.core->EditorMousePress(MouseButton::Left, editor::kModAlt);
  app.core->EditorMousePress(MouseButton::Left, 0);
  EXPECT_FALSE(app.editor.BoxSelection());

  const int y = app.editor.RowY(0) + 2;
  EXPECT_EQ(app.core->EditorMouseMove(app.editor.ColX(1), y), EditorCursor::IBeam);
  EXPECT_EQ(app.core->LinkTarget(), "");
  EXPECT_EQ(app.core->EditorMouseMove(app.editor.ColX(6), y), EditorCursor::Hand);
  EXPECT_EQ(app.core->LinkTarget(), "www.example.com");
  EXPECT_TRUE(app.core->EditorDoubleClick(app.editor.ColX(6), y));
  EXPECT_EQ(app.host.opened.back(), "http://www.example.com");
  EXPECT_EQ(app.core->EditorMouseMove(app.editor.ColX(25), y), EditorCursor::Hand);
  EXPECT_EQ(app.core->LinkTarget(), "mailto:a@b.jp");
  // Mail colouring off: no link.
  app.editor.View().SetMail(false);
  EXPECT_EQ(app.core->EditorMouseMove(app.editor.ColX(25), y), EditorCursor::IBeam);
  EXPECT_FALSE(app.core->EditorDoubleClick(app.editor.ColX(25), y));
  // Left of the gutter the editor's own cursor stays, and a double click does nothing there.
  EXPECT_EQ(app.core->EditorMouseMove(2, y), EditorCursor::Editor);
  EXPECT_TRUE(app.core->EditorDoubleClick(2, y));
  EXPECT_EQ(app.host.opened.size(), 1u);
}

}  // namespace
