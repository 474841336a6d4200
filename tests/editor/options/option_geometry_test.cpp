// Pixel geometry that follows from the options: ruler, row pitch, bars and the text area's edges.
#include <gtest/gtest.h>

#include "optionset.h"

using namespace editor;
using optiontest::OptionSet;

namespace {

TEST(OptionGeometry, RulerHeightAndTextAreaTop) {
  OptionSet o;  // margin top 2, ruler hidden
  EXPECT_EQ(TextAreaTop(o.Margin, o.Ruler), 2);
  o.Ruler.SetVisible(true);
  EXPECT_EQ(RulerHeight(o.Ruler), 11);
  EXPECT_EQ(TextAreaTop(o.Margin, o.Ruler), 13);
  o.Ruler.SetEdge(false);
  EXPECT_EQ(RulerHeight(o.Ruler), 10);
  EXPECT_EQ(TextAreaTop(o.Margin, o.Ruler), 12);
}

TEST(OptionGeometry, UnderlineMakesEveryRowOnePixelTaller) {
  OptionSet o;
  o.Margin.SetLine(3);
  EXPECT_EQ(RowPitch(16, o.Margin, o.Marks), 19);
  o.Marks.Underline().SetVisible(true);
  EXPECT_EQ(RowPitch(16, o.Margin, o.Marks), 20);
  o.Marks.Underline().SetVisible(false);
  EXPECT_EQ(RowPitch(16, o.Margin, o.Marks), 19);
  o.Margin.SetCharacter(2);
  EXPECT_EQ(CharacterWidth(8, o.Margin), 10);
}

TEST(OptionGeometry, NumberDigits) {
  const struct {
    int64_t n;
    int digits;
  } cases[] = {{-1, 1}, {0, 1}, {9, 1}, {10, 2}, {99, 2}, {100, 3}, {99999999, 8}, {100000000, 9}};
  for (const auto& c : cases) EXPECT_EQ(NumberDigits(c.n), c.digits) << c.n;
}

TEST(OptionGeometry, BarWidthsAndTheTextAreaLeftEdge) {
  OptionSet o;
  o.SetMainValues();  // left margin 12; image bar hidden; line-number bar: 1 + 3 digits + 4
  EXPECT_EQ(LeftbarWidth(o.Leftbar, 8), 1 + 24 + 4);
  EXPECT_EQ(LeftbarWidth(o.Leftbar, 8, 2), 1 + 24 + 4);
  EXPECT_EQ(LeftbarWidth(o.Leftbar, 8, 5), 1 + 40 + 4);  // more rows than Column digits hold
  EXPECT_EQ(ImagebarWidth(o.Imagebar), 2 + 8 + 0 + 2);
  o.Imagebar.SetMarkWidth(11);
  EXPECT_EQ(ImagebarWidth(o.Imagebar), 2 + 8 + 11 + 2);

  EXPECT_EQ(TextAreaLeft(o.Margin, o.Imagebar, o.Leftbar, 8), 12);
  o.Leftbar.SetVisible(true);
  EXPECT_EQ(TextAreaLeft(o.Margin, o.Imagebar, o.Leftbar, 8), 12 + 29);
  o.Imagebar.SetVisible(true);
  EXPECT_EQ(TextAreaLeft(o.Margin, o.Imagebar, o.Leftbar, 8, 4), 12 + 23 + 1 + 32 + 4);
}

}  // namespace
