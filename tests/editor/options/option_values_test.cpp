// What a new option object holds, what the main window's editor starts from, and how setters clamp.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>

#include "optionset.h"

using namespace editor;
using namespace store;
using optiontest::OptionSet;

namespace {

struct Value {
  const char* name;
  std::function<int64_t(const OptionSet&)> get;
  int64_t def;
  int64_t main;
};

const Value kValues[] = {
    {"Caret.AutoCursor", [](auto& o) { return o.Caret.AutoCursor(); }, true, true},
    {"Caret.AutoIndent", [](auto& o) { return o.Caret.AutoIndent(); }, true, false},
    {"Caret.BackSpaceUnIndent", [](auto& o) { return o.Caret.BackSpaceUnIndent(); }, true, false},
    {"Caret.Cursors.DefaultCursor", [](auto& o) { return o.Caret.Cursors().DefaultCursor(); }, -4, -4},
    {"Caret.Cursors.DragSelCursor", [](auto& o) { return o.Caret.Cursors().DragSelCursor(); }, -12, -12},
    {"Caret.Cursors.DragSelCopyCursor", [](auto& o) { return o.Caret.Cursors().DragSelCopyCursor(); }, 2, 2},
    {"Caret.Cursors.InSelCursor", [](auto& o) { return o.Caret.Cursors().InSelCursor(); }, 0, 0},
    {"Caret.Cursors.LeftMarginCursor", [](auto& o) { return o.Caret.Cursors().LeftMarginCursor(); }, 1, 1},
    {"Caret.Cursors.TopMarginCursor", [](auto& o) { return o.Caret.Cursors().TopMarginCursor(); }, 0, 0},
    {"Caret.FreeCaret", [](auto& o) { return o.Caret.FreeCaret(); }, true, false},
    {"Caret.FreeRow", [](auto& o) { return o.Caret.FreeRow(); }, false, false},
    {"Caret.InTab", [](auto& o) { return o.Caret.InTab(); }, false, false},
    {"Caret.KeepCaret", [](auto& o) { return o.Caret.KeepCaret(); }, false, false},
    {"Caret.RowSelect", [](auto& o) { return o.Caret.RowSelect(); }, true, true},
    {"Caret.SelDragMode", [](auto& o) { return o.Caret.SelDragMode(); }, dmAutomatic, dmAutomatic},
    {"Caret.SelMove", [](auto& o) { return o.Caret.SelMove(); }, true, true},
    {"Caret.Style", [](auto& o) { return o.Caret.Style(); }, csDefault, csDefault},
    {"Caret.TabSpaceCount", [](auto& o) { return o.Caret.TabSpaceCount(); }, 8, 8},
    {"Marks.EofMark.Color", [](auto& o) { return o.Marks.EofMark().Color(); }, 0x808080, clOlive},
    {"Marks.EofMark.Visible", [](auto& o) { return o.Marks.EofMark().Visible(); }, false, false},
    {"Marks.RetMark.Color", [](auto& o) { return o.Marks.RetMark().Color(); }, 0x808080, clGray},
    {"Marks.RetMark.Visible", [](auto& o) { return o.Marks.RetMark().Visible(); }, false, true},
    {"Marks.WrapMark.Visible", [](auto& o) { return o.Marks.WrapMark().Visible(); }, false, true},
    {"Marks.HideMark.Color", [](auto& o) { return o.Marks.HideMark().Color(); }, 0x808080, clRed},
    {"Marks.HideMark.Visible", [](auto& o) { return o.Marks.HideMark().Visible(); }, false, true},
    {"Marks.Underline.Visible", [](auto& o) { return o.Marks.Underline().Visible(); }, false, true},
    {"Margin.Character", [](auto& o) { return o.Margin.Character(); }, 0, 0},
    {"Margin.Left", [](auto& o) { return o.Margin.Left(); }, 19, 12},
    {"Margin.Line", [](auto& o) { return o.Margin.Line(); }, 0, 0},
    {"Margin.Top", [](auto& o) { return o.Margin.Top(); }, 2, 8},
    {"Ruler.BkColor", [](auto& o) { return o.Ruler.BkColor(); }, 0xC0C0C0, clSilver},
    {"Ruler.Color", [](auto& o) { return o.Ruler.Color(); }, 0, clBlack},
    {"Ruler.Edge", [](auto& o) { return o.Ruler.Edge(); }, true, true},
    {"Ruler.GaugeRange", [](auto& o) { return o.Ruler.GaugeRange(); }, 10, 10},
    {"Ruler.MarkColor", [](auto& o) { return o.Ruler.MarkColor(); }, 0, clBlack},
    {"Ruler.Visible", [](auto& o) { return o.Ruler.Visible(); }, false, true},
    {"Leftbar.BkColor", [](auto& o) { return o.Leftbar.BkColor(); }, clSilver, clSilver},
    {"Leftbar.Column", [](auto& o) { return o.Leftbar.Column(); }, 4, 3},
    {"Leftbar.Edge", [](auto& o) { return o.Leftbar.Edge(); }, true, true},
    {"Leftbar.LeftMargin", [](auto& o) { return o.Leftbar.LeftMargin(); }, 8, 1},
    {"Leftbar.RightMargin", [](auto& o) { return o.Leftbar.RightMargin(); }, 4, 4},
    {"Leftbar.ShowNumber", [](auto& o) { return o.Leftbar.ShowNumber(); }, true, true},
    {"Leftbar.ShowNumberMode", [](auto& o) { return o.Leftbar.ShowNumberMode(); }, nmRow, nmRow},
    {"Leftbar.Visible", [](auto& o) { return o.Leftbar.Visible(); }, false, false},
    {"Leftbar.ZeroLead", [](auto& o) { return o.Leftbar.ZeroLead(); }, false, false},
    {"Imagebar.DigitWidth", [](auto& o) { return o.Imagebar.DigitWidth(); }, 8, 8},
    {"Imagebar.LeftMargin", [](auto& o) { return o.Imagebar.LeftMargin(); }, 2, 2},
    {"Imagebar.MarkWidth", [](auto& o) { return o.Imagebar.MarkWidth(); }, 0, 0},
    {"Imagebar.RightMargin", [](auto& o) { return o.Imagebar.RightMargin(); }, 2, 2},
    {"Imagebar.Visible", [](auto& o) { return o.Imagebar.Visible(); }, true, false},
    {"Speed.CaretVerticalAc", [](auto& o) { return o.Speed.CaretVerticalAc(); }, 2, 2},
    {"Speed.InitBracketsFull", [](auto& o) { return o.Speed.InitBracketsFull(); }, false, true},
    {"Speed.PageVerticalRange", [](auto& o) { return o.Speed.PageVerticalRange(); }, 2, 2},
    {"Speed.PageVerticalRangeAc", [](auto& o) { return o.Speed.PageVerticalRangeAc(); }, 2, 2},
    {"BorderStyle", [](auto& o) { return o.Props.BorderStyle; }, bsSingle, bsSingle},
    {"Color", [](auto& o) { return o.Props.Color; }, clWhite, clWhite},
    {"HitStyle", [](auto& o) { return o.Props.HitStyle; }, hsSelect, hsSelect},
    {"ReadOnly", [](auto& o) { return o.Props.ReadOnly; }, false, false},
    {"ScrollBars", [](auto& o) { return o.Props.ScrollBars; }, ssNone, ssBoth},
    {"UndoListMax", [](auto& o) { return o.Props.UndoListMax(); }, 64, 64},
    {"WantReturns", [](auto& o) { return o.Props.WantReturns; }, true, true},
    {"WantTabs", [](auto& o) { return o.Props.WantTabs; }, true, true},
    {"WordWrap", [](auto& o) { return o.Props.WordWrap; }, false, true},
    {"Font.Height", [](auto& o) { return o.Props.Font.Height; }, -12, -16},
    {"Font.Charset", [](auto& o) { return o.Props.Font.Charset; }, DEFAULT_CHARSET, SHIFTJIS_CHARSET},
    {"Font.Color", [](auto& o) { return o.Props.Font.Color; }, clBlack, clBlack},
};

TEST(OptionValues, NewObjectsHoldDefaultsAndMainValuesFollowTheMainWindow) {
  OptionSet def;
  OptionSet main;
  main.SetMainValues();
  for (const Value& v : kValues) {
    EXPECT_EQ(v.get(def), v.def) << v.name;
    EXPECT_EQ(v.get(main), v.main) << v.name;
  }
  EXPECT_EQ(def.Props.Font.Name, "FixedSys");
  EXPECT_EQ(main.Props.Font.Name, "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");  // ＭＳ ゴシック
  EXPECT_TRUE(def.Props.ReserveWordList.empty());
}

TEST(OptionValues, SettersClampOutOfRangeValues) {
  constexpr int64_t kHuge = std::numeric_limits<int64_t>::max();
  struct Case {
    const char* name;
    std::function<void(OptionSet&, int64_t)> set;
    std::function<int64_t(const OptionSet&)> get;
    int64_t in, out;
  };
  auto tab = [](OptionSet& o, int64_t v) { o.Caret.SetTabSpaceCount(v); };
  auto tabGet = [](const OptionSet& o) -> int64_t { return o.Caret.TabSpaceCount(); };
  auto gauge = [](OptionSet& o, int64_t v) { o.Ruler.SetGaugeRange(v); };
  auto gaugeGet = [](const OptionSet& o) -> int64_t { return o.Ruler.GaugeRange(); };
  auto column = [](OptionSet& o, int64_t v) { o.Leftbar.SetColumn(v); };
  auto columnGet = [](const OptionSet& o) -> int64_t { return o.Leftbar.Column(); };
  auto left = [](OptionSet& o, int64_t v) { o.Margin.SetLeft(v); };
  auto leftGet = [](const OptionSet& o) -> int64_t { return o.Margin.Left(); };
  const Case cases[] = {
      {"TabSpaceCount", tab, tabGet, 3, 2},
      {"TabSpaceCount", tab, tabGet, 7, 6},
      {"TabSpaceCount", tab, tabGet, 12, 8},
      {"TabSpaceCount", tab, tabGet, 1, 2},
      {"TabSpaceCount", tab, tabGet, 4, 4},
      {"TabSpaceCount", tab, tabGet, -kHuge, 2},
      {"TabSpaceCount", tab, tabGet, kHuge, 8},
      {"GaugeRange", gauge, gaugeGet, 9, 8},
      {"GaugeRange", gauge, gaugeGet, 20, 10},
      {"GaugeRange", gauge, gaugeGet, 0, 8},
      {"Leftbar.Column", column, columnGet, 0, 1},
      {"Leftbar.Column", column, columnGet, 9, 8},
      {"Leftbar.Column", column, columnGet, 5, 5},
      {"Margin.Left", left, leftGet, -5, 0},
      {"Margin.Left", left, leftGet, 150, 100},
      {"Margin.Left", left, leftGet, 100, 100},
      {"Margin.Top", [](auto& o, int64_t v) { o.Margin.SetTop(v); }, [](auto& o) { return o.Margin.Top(); }, 101, 100},
      {"Margin.Line", [](auto& o, int64_t v) { o.Margin.SetLine(v); }, [](auto& o) { return o.Margin.Line(); }, -1, 0},
      {"Margin.Character", [](auto& o, int64_t v) { o.Margin.SetCharacter(v); },
       [](auto& o) { return o.Margin.Character(); }, 4096, 100},
      {"Leftbar.LeftMargin", [](auto& o, int64_t v) { o.Leftbar.SetLeftMargin(v); },
       [](auto& o) { return o.Leftbar.LeftMargin(); }, 101, 100},
      {"Leftbar.RightMargin", [](auto& o, int64_t v) { o.Leftbar.SetRightMargin(v); },
       [](auto& o) { return o.Leftbar.RightMargin(); }, -3, 0},
      {"Imagebar.DigitWidth", [](auto& o, int64_t v) { o.Imagebar.SetDigitWidth(v); },
       [](auto& o) { return o.Imagebar.DigitWidth(); }, 101, 100},
      {"Imagebar.LeftMargin", [](auto& o, int64_t v) { o.Imagebar.SetLeftMargin(v); },
       [](auto& o) { return o.Imagebar.LeftMargin(); }, -1, 0},
      {"Imagebar.MarkWidth", [](auto& o, int64_t v) { o.Imagebar.SetMarkWidth(v); },
       [](auto& o) { return o.Imagebar.MarkWidth(); }, 300, 100},
      {"Imagebar.RightMargin", [](auto& o, int64_t v) { o.Imagebar.SetRightMargin(v); },
       [](auto& o) { return o.Imagebar.RightMargin(); }, kHuge, 100},
      {"Speed.CaretVerticalAc", [](auto& o, int64_t v) { o.Speed.SetCaretVerticalAc(v); },
       [](auto& o) { return o.Speed.CaretVerticalAc(); }, 0, 1},
      {"Speed.PageVerticalRange", [](auto& o, int64_t v) { o.Speed.SetPageVerticalRange(v); },
       [](auto& o) { return o.Speed.PageVerticalRange(); }, 260, 4},
      {"Speed.PageVerticalRangeAc", [](auto& o, int64_t v) { o.Speed.SetPageVerticalRangeAc(v); },
       [](auto& o) { return o.Speed.PageVerticalRangeAc(); }, 3, 3},
      {"UndoListMax", [](auto& o, int64_t v) { o.Props.SetUndoListMax(v); },
       [](auto& o) { return o.Props.UndoListMax(); }, 63, 64},
      {"UndoListMax", [](auto& o, int64_t v) { o.Props.SetUndoListMax(v); },
       [](auto& o) { return o.Props.UndoListMax(); }, 1000, 1000},
  };
  for (const Case& c : cases) {
    OptionSet o;
    c.set(o, c.in);
    EXPECT_EQ(c.get(o), c.out) << c.name << " set to " << c.in;
  }
}

}  // namespace
