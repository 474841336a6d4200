// The settings dialog's application-wide pages without a screen: list-box records, time-stamp
// formats, shortcuts, window options, the field check on "登録" and what "登録" stores.
#include <gtest/gtest.h>

#include "editorsettings/settingsrun.h"
#include "fixture.h"

using namespace editorsettings;

namespace {

TEST(ListBoxPage, RecordsCopyDefaultsAndStoreBack) {
  store::TMainDataClass d;
  d.SetDefaults();
  d.GroupFontColor = store::clRed;
  d.GroupFontSize = 14;
  d.ItemSelFontColorType = store::fcBkColor;
  d.ItemLeftMargin = 7;
  ListBoxPage page;
  page.Load(d);
  EXPECT_EQ(page.Editing(), ListKind::Group);
  EXPECT_EQ(page.Current().fontColor, store::clRed);
  EXPECT_EQ(page.CopyButtonCaption(), "アイテムに合わせる");
  page.SetEditing(ListKind::Item);
  EXPECT_EQ(page.CopyButtonCaption(), "グループに合わせる");
  EXPECT_EQ(page.Current().leftMargin, 7);

  // "グループに合わせる": the item record becomes the group record; the group record is untouched.
  page.CopyFromOther();
  EXPECT_EQ(page.Record(ListKind::Item), page.Record(ListKind::Group));
  EXPECT_EQ(page.Record(ListKind::Item).fontSize, 14);

  // "デフォルトに戻す" touches only the edited record.
  page.SetEditing(ListKind::Group);
  page.Defaults();
  const ListBoxRecord def = page.Record(ListKind::Group);
  EXPECT_EQ(def.fontName, store::kDefaultListFontName);
  EXPECT_EQ(def.fontSize, 10);
  EXPECT_EQ(def.selColor, store::clNavy);
  EXPECT_EQ(def.backColor, store::clWhite);
  EXPECT_EQ(def.selFontColorType, store::fcUnSelColor);
  EXPECT_EQ(page.Record(ListKind::Item).fontSize, 14);

  store::TMainDataClass out;
  page.Store(out);
  EXPECT_EQ(ListBoxRecordOf(out, ListKind::Group), def);
  EXPECT_EQ(out.ItemFontColor, store::clRed);
  EXPECT_EQ(out.ItemFontSize, 14);
  EXPECT_EQ(out.ItemSelFontColorType, d.GroupSelFontColorType);
}

TEST(ListBoxPage, EmptyFieldsTakeTheMinimumAndOutOfRangeValuesAreIgnored) {
  EXPECT_EQ(ListFieldValue("", kMinListFontSize, kMaxListFontSize), kMinListFontSize);
  EXPECT_EQ(ListFieldValue("12", kMinListFontSize, kMaxListFontSize), 12);
  EXPECT_EQ(ListFieldValue("33", kMinListFontSize, kMaxListFontSize), std::nullopt);
  EXPECT_EQ(ListFieldValue("5", kMinListFontSize, kMaxListFontSize), std::nullopt);
  EXPECT_EQ(ListFieldValue("-1", 0, kMaxListLineMargin), std::nullopt);
  EXPECT_EQ(ListFieldValue("1x", 0, kMaxListLeftMargin), std::nullopt);
  EXPECT_EQ(ListFieldValue("", 0, kMaxListLeftMargin), 0);
  EXPECT_EQ(ReadNumber(" +42 "), 42);
  EXPECT_EQ(ReadNumber("-7"), -7);
  EXPECT_EQ(ReadNumber("-"), std::nullopt);
  EXPECT_EQ(ReadNumber("1 2"), std::nullopt);
}

TEST(TimeStampPage, AtMostSevenFormatsAndTheSelectionFollowsTheEdits) {
  TimeStampFormats f({"yyyy", "hh:nn"});
  EXPECT_FALSE(f.CanChange("x"));  // nothing selected
  EXPECT_FALSE(f.CanDelete());
  EXPECT_FALSE(f.CanAdd(""));
  ASSERT_TRUE(f.Add("dd"));
  EXPECT_EQ(f.Selected(), 2);
  ASSERT_TRUE(f.Change("ddd"));
  EXPECT_EQ(f.Formats()[2], "ddd");
  f.Select(1);
  ASSERT_TRUE(f.Delete());
  EXPECT_EQ(f.Formats(), (std::vector<std::string>{"yyyy", "ddd"}));
  EXPECT_EQ(f.Selected(), 0);  // the row above
  ASSERT_TRUE(f.Delete());
  EXPECT_EQ(f.Selected(), 0);  // the first row went: the new first row
  ASSERT_TRUE(f.Delete());
  EXPECT_EQ(f.Selected(), -1);
  EXPECT_FALSE(f.Delete());

  for (int k = 0; k < 7; ++k) ASSERT_TRUE(f.Add(std::to_string(k)));
  EXPECT_FALSE(f.CanAdd("yy"));
  EXPECT_FALSE(f.Add("yy"));
  EXPECT_EQ(f.Count(), 7);
  EXPECT_TRUE(f.CanChange("yy"));  // a full list can still be changed
  f.Select(9);
  EXPECT_EQ(f.Selected(), -1);
}

TEST(Shortcuts, StoredTextsOfOtherSpellingsBecomeThePlatformsKeyNames) {
  EXPECT_EQ(ParsableShortcutText("Insert"), "Ins");
  EXPECT_EQ(ParsableShortcutText("insert"), "Ins");
  EXPECT_EQ(ParsableShortcutText("Ins"), "Ins");
  EXPECT_EQ(ParsableShortcutText("Shift+Insert"), "Shift+Ins");
  EXPECT_EQ(ParsableShortcutText("Ctrl+BkSp"), "Ctrl+Backspace");
  EXPECT_EQ(ParsableShortcutText("Ctrl+PgDn"), "Ctrl+PgDown");
  EXPECT_EQ(ParsableShortcutText(" Ctrl+Delete "), "Ctrl+Del");
  EXPECT_EQ(ParsableShortcutText("Ctrl+F"), "Ctrl+F");
  EXPECT_EQ(ParsableShortcutText("Shift+F3"), "Shift+F3");
  EXPECT_EQ(ParsableShortcutText("Ctrl++"), "Ctrl++");
  EXPECT_EQ(ParsableShortcutText("Ctrl+Inserts"), "Ctrl+Inserts");
  EXPECT_EQ(ParsableShortcutText(""), "");
}

TEST(ShortcutPage, LinesDuplicatesAndClearing) {
  ShortcutList s;
  s.Load({"全て選択", "コピー", "一行削除"}, {"Ctrl+A", "Ctrl+C"}, {"Ctrl+A", "Ctrl+C", ""});
  EXPECT_FALSE(s.ResetReserved());
  EXPECT_EQ(s.Lines(),
            (std::vector<std::string>{"全て選択   [ Ctrl+A ]", "コピー   [ Ctrl+C ]", "一行削除   [ なし ]"}));

  EXPECT_EQ(s.Change(2, "Ctrl+C"), ShortcutList::Result::Duplicate);
  EXPECT_EQ(s.Text(2), "");
  EXPECT_EQ(s.Change(1, "Ctrl+C"), ShortcutList::Result::Changed);  // its own shortcut again
  EXPECT_EQ(s.Change(2, "Ctrl+D"), ShortcutList::Result::Changed);
  EXPECT_EQ(s.Line(2), "一行削除   [ Ctrl+D ]");
  // Clearing is always allowed, even when another command has no shortcut either.
  EXPECT_EQ(s.Change(0, ""), ShortcutList::Result::Changed);
  EXPECT_EQ(s.Change(1, ""), ShortcutList::Result::Changed);
  EXPECT_EQ(s.Line(1), "コピー   [ なし ]");
  EXPECT_EQ(s.Change(3, "F2"), ShortcutList::Result::Refused);
}

TEST(ShortcutPage, ResetEmptiesTheStoredListAndReopeningShowsOnlyTheReservation) {
  std::vector<std::string> stored = {"Ctrl+A", "Ctrl+C", "", "Ctrl+Q"};  // a fourth line without command
  ShortcutList s;
  s.Load({"a", "b", "c"}, stored, {"", "", ""});
  EXPECT_EQ(s.Working(), stored);  // lines beyond the commands are kept
  s.Reset(stored);
  EXPECT_TRUE(stored.empty());
  EXPECT_TRUE(s.ResetReserved());
  EXPECT_EQ(s.Lines(), std::vector<std::string>{"設定リセット予約済み"});
  EXPECT_EQ(s.Change(0, "F5"), ShortcutList::Result::Refused);

  ShortcutList reopened;
  reopened.Load({"a", "b", "c"}, stored, {"Ctrl+A", "Ctrl+C", ""});
  EXPECT_TRUE(reopened.ResetReserved());
  EXPECT_EQ(reopened.Lines(), std::vector<std::string>{"設定リセット予約済み"});
}

// A host on plain records that notes what the window was asked to do.
struct RecordingHost {
  TEditorPropDat global, group;
  store::TMainDataClass main;
  store::TListDataClass list;
  std::vector<std::string> calls;
  std::vector<std::pair<int, std::string>> shortcuts;
  SettingsHost host{
      global,
      group,
      main,
      list,
      {"h0", "h1", "h2"},
      {"Ctrl+A", "", "F3"},
      [this](int k, const std::string& t) { shortcuts.emplace_back(k, t); },
      [this] { calls.push_back("layout"); },
      [this] {
        calls.push_back(main.WindowOptionEnabled && !main.WindowOptionFixed ? "geometry" : "geometry-ignored");
        if (main.WindowOptionEnabled && !main.WindowOptionFixed) main.Width = 640;
      },
      [this] { calls.push_back("fonts"); }};
  RecordingHost() {
    main.SetDefaults();
    list.RebuildTimeStampLists();
  }
};

TEST(AcceptAppSettings, StoresEveryPageAndAppliesLayoutFontsAndShortcuts) {
  RecordingHost h;
  h.main.WindowOptionEnabled = true;
  h.list.ShortCutList = {"Ctrl+A", "", "F3"};
  h.list.TimeStampList = {"yyyy"};
  AppSettingsState s;
  s.Load(h.host);
  EXPECT_TRUE(s.other.findWarning);
  EXPECT_EQ(s.other.placement, WindowPlacement::Restore);
  EXPECT_EQ(s.stamps.Formats(), std::vector<std::string>{"yyyy"});

  s.other.findWarning = false;
  s.other.viewType = store::lvTop_yoko;
  s.other.imeOn = true;
  s.lists.Current().fontSize = 20;
  s.stamps.Add("hh");
  ASSERT_EQ(s.shortcuts.Change(1, "Ctrl+K"), ShortcutList::Result::Changed);
  s.Accept(h.host);

  EXPECT_FALSE(h.main.FindWarning);
  EXPECT_EQ(h.main.ListBoxViewType, store::lvTop_yoko);
  EXPECT_TRUE(h.main.IME_ON);
  EXPECT_EQ(h.main.GroupFontSize, 20);
  EXPECT_EQ(h.list.TimeStampList, (std::vector<std::string>{"yyyy", "hh"}));
  ASSERT_EQ(h.list.TimeStampMenuList.size(), 9u);  // the user's two, then the seven built-in ones
  EXPECT_EQ(h.list.TimeStampMenuList[2], store::BuiltInTimeStampFormats()[0]);
  EXPECT_EQ(h.list.ShortCutList, (std::vector<std::string>{"Ctrl+A", "Ctrl+K", "F3"}));
  EXPECT_EQ(h.shortcuts, (std::vector<std::pair<int, std::string>>{{0, "Ctrl+A"}, {1, "Ctrl+K"}, {2, "F3"}}));
  EXPECT_EQ(h.calls, (std::vector<std::string>{"layout", "fonts"}));
}

TEST(AcceptAppSettings, LayoutIsAppliedAgainOnlyWhenChangedOrPlacementIsNotRemembered) {
  struct Case {
    WindowPlacement placement;
    int viewType;
    bool layout;
  };
  const Case cases[] = {
      {WindowPlacement::Restore, store::lvLeft_tate, false},
      {WindowPlacement::Fixed, store::lvLeft_tate, false},
      {WindowPlacement::Centred, store::lvLeft_tate, true},
      {WindowPlacement::Restore, store::lvLeft_yoko, true},
  };
  for (const Case& c : cases) {
    RecordingHost h;
    AppSettingsState s;
    s.Load(h.host);
    s.other.placement = c.placement;
    s.other.viewType = c.viewType;
    s.Accept(h.host);
    EXPECT_EQ(h.calls.front() == "layout", c.layout) << static_cast<int>(c.placement) << " " << c.viewType;
    EXPECT_EQ(PlacementOf(h.main), c.placement);
  }
}

TEST(AcceptAppSettings, AWaitingShortcutResetIsNotUndone) {
  RecordingHost h;
  h.list.ShortCutList = {"Ctrl+A", "", "F3"};
  AppSettingsState s;
  s.Load(h.host);
  s.shortcuts.Reset(h.list.ShortCutList);
  s.Accept(h.host);
  EXPECT_TRUE(h.list.ShortCutList.empty());
  EXPECT_TRUE(h.shortcuts.empty());
}

TEST(WindowOptions, ThreeChoicesAndSavingThePositionNow) {
  store::TMainDataClass d;
  EXPECT_EQ(PlacementOf(d), WindowPlacement::Centred);
  StorePlacement(d, WindowPlacement::Fixed);
  EXPECT_TRUE(d.WindowOptionEnabled && d.WindowOptionFixed);
  StorePlacement(d, WindowPlacement::Restore);
  EXPECT_TRUE(d.WindowOptionEnabled);
  EXPECT_FALSE(d.WindowOptionFixed);
  StorePlacement(d, WindowPlacement::Centred);
  EXPECT_FALSE(d.WindowOptionEnabled);

  // The window stores its geometry only while the option is on and not fixed: saving now must
  // open that door for the moment, and close it behind.
  RecordingHost h;
  h.main.WindowOptionFixed = true;
  EXPECT_EQ(SaveWindowPositionNow(h.main, h.host.storeWindowGeometry), WindowPlacement::Fixed);
  EXPECT_EQ(h.calls, std::vector<std::string>{"geometry"});
  EXPECT_EQ(h.main.Width, 640);
  EXPECT_EQ(PlacementOf(h.main), WindowPlacement::Fixed);
}

TEST(Validation, TheFirstFailingFieldInOrderIsReported) {
  const ValidationInput good{true, "12", "70", true, true, true};
  EXPECT_EQ(FirstValidationError(good), std::nullopt);
  struct Case {
    ValidationInput in;
    const char* message;
  };
  const Case cases[] = {
      {{false, "", "", false, false, true}, "フォントが選択されていません"},
      {{true, "", "x", false, false, true}, "フォントサイズが不正です"},
      {{true, "1 2", "70", true, true, true}, "フォントサイズが不正です"},
      {{true, "12", "", false, false, true}, "折り返し文字数が不正です"},
      {{true, "12", "70", false, false, true}, "タブ文字の長さが選択されていません"},
      {{true, "12", "70", true, false, true}, "グループのリストボックスのフォントが選択されていません"},
  };
  for (const Case& c : cases) EXPECT_EQ(FirstValidationError(c.in), std::optional<std::string>(c.message)) << c.message;
  // Per group the list-box page is hidden: its font cannot be chosen there, so it is not asked for.
  EXPECT_EQ(FirstValidationError({true, "12", "70", true, false, false}), std::nullopt);
}

}  // namespace
