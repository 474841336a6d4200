// Application settings records: defaults, missing files and properties, the time-stamp and
// shortcut lists.
#include <gtest/gtest.h>

#include "store/datafolder.h"
#include "store/settings.h"
#include "testschema.h"
#include "testutil.h"

using namespace store;
using testutil::Bytes;
using testutil::TempDir;

namespace {

TEST(MainData, DefaultsApplyOnlyWhenTheFileIsMissing) {
  TempDir dir;
  DataFolder folder(dir.Sub("UserData"));
  TMainDataClass m;
  m.Load(folder);
  EXPECT_EQ(m.GroupFontName, kDefaultListFontName);
  EXPECT_EQ(m.GroupFontSize, 10);
  EXPECT_EQ(m.GroupBackColor, clWhite);
  EXPECT_EQ(m.GroupSelColor, clNavy);
  EXPECT_EQ(m.GroupSelFontColorType, fcUnSelColor);
  // The selected row's text: the selection colour inverted.
  EXPECT_EQ(m.GroupSelColor ^ 0x00FFFFFF, 0x007FFFFF);
  EXPECT_TRUE(m.FindWarning);
  EXPECT_FALSE(m.WindowOptionEnabled);
  EXPECT_EQ(m.ListBoxViewType, lvLeft_tate);

  // A file that lacks GroupFontName leaves it empty.
  testutil::WriteAll(folder.FilePath("main.bin"),
                     Bytes().t("TPF0").ss("TMainDataClass").b({0}).ss("Top").b({2, 9}).b({0, 0}));
  TMainDataClass fromFile;
  fromFile.Load(folder);
  EXPECT_EQ(fromFile.GroupFontName, "");
  EXPECT_EQ(fromFile.Top, 9);
  EXPECT_FALSE(fromFile.FindWarning);
}

TEST(MainData, EveryPropertyRoundTrips) {
  TempDir dir;
  DataFolder folder(dir.Path());
  TMainDataClass m;
  m.SetDefaults();
  m.Heigth = 480;
  m.Width = 640;
  m.WindowStateMaximized = true;
  m.ListBoxViewType = lvTop_yoko;
  m.ItemSelFontColorType = fcUnBkColor;
  m.TimeIndex = -1;
  m.IME_ON = true;
  m.Save(folder);
  std::string bytes = testutil::ReadAll(folder.FilePath("main.bin"));
  EXPECT_NE(bytes.find(Bytes().ss("Heigth").b({3, 0xE0, 0x01}).str()), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("ListBoxViewType").b({7}).ss("lvTop_yoko").str()), std::string::npos);
  TMainDataClass back;
  back.Load(folder);
  EXPECT_EQ(testschema::Write(back), testschema::Write(m));
  EXPECT_EQ(back.EffectiveTimeIndex(), 0);
}

TEST(ListData, TimeStampMenuIsTheUsersFormatsThenTheBuiltInOnes) {
  TempDir dir;
  DataFolder folder(dir.Path());
  TListDataClass l;
  l.Load(folder);
  ASSERT_EQ(l.DefaultTimeStampList.size(), 7u);
  EXPECT_EQ(l.DefaultTimeStampList[0], "yyyy/m/d");
  EXPECT_EQ(l.DefaultTimeStampList[5], "ddddd t");
  EXPECT_EQ(l.TimeStampMenuList, l.DefaultTimeStampList);

  l.SetTimeStampList({"hh:nn"});
  ASSERT_EQ(l.TimeStampMenuList.size(), 8u);
  EXPECT_EQ(l.TimeStampMenuList[0], "hh:nn");
  EXPECT_EQ(l.TimeStampMenuList[1], "yyyy/m/d");  // TimeIndex 1
  l.Save(folder);

  TListDataClass back;
  back.Load(folder);
  EXPECT_EQ(back.TimeStampList, (std::vector<std::string>{"hh:nn"}));
  EXPECT_EQ(back.TimeStampMenuList.size(), 8u);
  // Empty lists write no entry.
  std::string bytes = testutil::ReadAll(folder.FilePath("list.bin"));
  EXPECT_EQ(bytes.find("ShortCutList"), std::string::npos);
  EXPECT_NE(bytes.find("TimeStampList.Strings"), std::string::npos);
}

TEST(ListData, ApplyShortCutsFillsPadsAndKeepsExtraLines) {
  std::vector<std::string> current = {"Ctrl+N", "", "F3", "Shift+F3"};
  TListDataClass empty;
  EXPECT_EQ(empty.ApplyShortCuts(current), current);
  EXPECT_EQ(empty.ShortCutList, current);

  TListDataClass shorter;
  shorter.ShortCutList = {"Ctrl+M", "Ctrl+Q"};
  EXPECT_EQ(shorter.ApplyShortCuts(current), (std::vector<std::string>{"Ctrl+M", "Ctrl+Q", "F3", "Shift+F3"}));
  EXPECT_EQ(shorter.ShortCutList.size(), 4u);

  TListDataClass longer;
  longer.ShortCutList = {"a", "b", "c", "d", "e", "f"};
  EXPECT_EQ(longer.ApplyShortCuts(current), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(longer.ShortCutList.size(), 6u);
}

}  // namespace
