// How list rows are drawn: row heights and selected-row colours, and the looks the settings give.
#include <gtest/gtest.h>

#include "editorsettings/listlook.h"

using namespace editorsettings;

namespace {

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
