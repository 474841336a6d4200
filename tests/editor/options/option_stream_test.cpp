// The stored form of the option objects: dotted paths in schedule order, every value written,
// round trips, and values read from a record going through the clamping setters.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "changes.h"
#include "optionset.h"

using namespace editor;
using namespace store;
using optiontest::OptionSet;

namespace {

std::string Show(const StreamValue& v) {
  switch (v.tag) {
    case vtFalse: return "False";
    case vtTrue: return "True";
    case vtIdent: return v.bytes;
    case vtInt8: return std::to_string(v.integer);
    case vtInt16: return "i16:" + std::to_string(v.integer);
    case vtInt32: return "i32:" + std::to_string(v.integer);
    default: return "tag " + std::to_string(v.tag);
  }
}

TEST(OptionStream, MainValuesAreWrittenInScheduleOrderWithTheirKinds) {
  OptionSet o;
  o.SetMainValues();
  const std::string bytes = optiontest::Write(o);
  MemoryInput in(bytes);
  StreamRecord rec = ReadRecord(in);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Caret.AutoCursor", "True"},
      {"Caret.AutoIndent", "False"},
      {"Caret.BackSpaceUnIndent", "False"},
      {"Caret.Cursors.DefaultCursor", "-4"},
      {"Caret.Cursors.DragSelCursor", "-12"},
      {"Caret.Cursors.DragSelCopyCursor", "2"},
      {"Caret.Cursors.InSelCursor", "0"},
      {"Caret.Cursors.LeftMarginCursor", "1"},
      {"Caret.Cursors.TopMarginCursor", "0"},
      {"Caret.FreeCaret", "False"},
      {"Caret.FreeRow", "False"},
      {"Caret.InTab", "False"},
      {"Caret.KeepCaret", "False"},
      {"Caret.LockScroll", "False"},
      {"Caret.NextLine", "False"},
      {"Caret.PrevSpaceIndent", "False"},
      {"Caret.RowSelect", "True"},
      {"Caret.SelDragMode", "dmAutomatic"},
      {"Caret.SelMove", "True"},
      {"Caret.SoftTab", "False"},
      {"Caret.Style", "csDefault"},
      {"Caret.TabIndent", "False"},
      {"Caret.TabSpaceCount", "8"},
      {"Imagebar.DigitWidth", "8"},
      {"Imagebar.LeftMargin", "2"},
      {"Imagebar.MarkWidth", "0"},
      {"Imagebar.RightMargin", "2"},
      {"Imagebar.Visible", "False"},
      {"Leftbar.BkColor", "clSilver"},
      {"Leftbar.Color", "clBlack"},
      {"Leftbar.Column", "3"},
      {"Leftbar.Edge", "True"},
      {"Leftbar.LeftMargin", "1"},
      {"Leftbar.RightMargin", "4"},
      {"Leftbar.ShowNumber", "True"},
      {"Leftbar.ShowNumberMode", "nmRow"},
      {"Leftbar.Visible", "False"},
      {"Leftbar.ZeroBase", "False"},
      {"Leftbar.ZeroLead", "False"},
      {"Margin.Character", "0"},
      {"Margin.Left", "12"},
      {"Margin.Line", "0"},
      {"Margin.Top", "8"},
      {"Marks.EofMark.Color", "clOlive"},
      {"Marks.EofMark.Visible", "False"},
      {"Marks.RetMark.Color", "clGray"},
      {"Marks.RetMark.Visible", "True"},
      {"Marks.WrapMark.Color", "clGray"},
      {"Marks.WrapMark.Visible", "True"},
      {"Marks.HideMark.Color", "clRed"},
      {"Marks.HideMark.Visible", "True"},
      {"Marks.Underline.Color", "clGray"},
      {"Marks.Underline.Visible", "True"},
      {"Ruler.BkColor", "clSilver"},
      {"Ruler.Color", "clBlack"},
      {"Ruler.Edge", "True"},
      {"Ruler.GaugeRange", "10"},
      {"Ruler.MarkColor", "clBlack"},
      {"Ruler.Visible", "True"},
      {"Speed.CaretVerticalAc", "2"},
      {"Speed.InitBracketsFull", "True"},
      {"Speed.PageVerticalRange", "2"},
      {"Speed.PageVerticalRangeAc", "2"},
  };
  std::vector<std::pair<std::string, std::string>> written;
  for (const StreamProperty& p : rec.properties) written.emplace_back(p.path, Show(p.value));
  EXPECT_EQ(written, expected);
}

TEST(OptionStream, EntriesHaveTheExactBytesOfTheirKind) {
  OptionSet o;
  o.SetMainValues();
  o.Caret.SetStyle(csBrief);
  o.Caret.Cursors().SetInSelCursor(-200);
  const std::string bytes = optiontest::Write(o);
  using namespace std::string_literals;
  auto entry = [](const std::string& path, const std::string& value) {
    return std::string(1, static_cast<char>(path.size())) + path + value;
  };
  for (const std::string& e :
       {entry("Caret.TabSpaceCount", "\x02\x08"s), entry("Caret.Cursors.DefaultCursor", "\x02\xFC"s),
        entry("Caret.Cursors.InSelCursor", "\x03\x38\xFF"s),
        entry("Caret.Style",
              "\x07\x07"
              "csBrief"s),
        entry("Marks.RetMark.Color",
              "\x07\x06"
              "clGray"s),
        entry("Marks.EofMark.Visible", "\x08"s), entry("Speed.InitBracketsFull", "\x09"s)}) {
    EXPECT_NE(bytes.find(e), std::string::npos) << e.substr(1);
  }
}

TEST(OptionStream, MainValuesReadBackIntoDefaultObjects) {
  OptionSet main;
  main.SetMainValues();
  OptionSet back;
  optiontest::Read(optiontest::Write(main), back);
  EXPECT_TRUE(back.Caret == main.Caret);
  EXPECT_TRUE(back.Marks == main.Marks);
  EXPECT_TRUE(back.Margin == main.Margin);
  EXPECT_TRUE(back.Ruler == main.Ruler);
  EXPECT_TRUE(back.Leftbar == main.Leftbar);
  EXPECT_TRUE(back.Imagebar == main.Imagebar);
  EXPECT_TRUE(back.Speed == main.Speed);
  EXPECT_FALSE(OptionSet().Caret == main.Caret);  // the round trip moved something
}

TEST(OptionStream, EveryPropertyAwayFromItsDefaultSurvivesARoundTrip) {
  OptionSet changed;
  for (const optiontest::Change& c : optiontest::kChanges) c.apply(changed);
  changed.Speed.SetCaretVerticalAc(4);
  changed.Speed.SetInitBracketsFull(true);
  changed.Speed.SetPageVerticalRange(1);
  changed.Speed.SetPageVerticalRangeAc(3);
  OptionSet back;
  optiontest::Read(optiontest::Write(changed), back);
  for (const optiontest::Change& c : optiontest::kChanges) EXPECT_TRUE(c.check(back)) << c.name;
  EXPECT_TRUE(back.Speed == changed.Speed);
}

StreamValue Int(int64_t v) {
  StreamValue s;
  s.tag = v >= -128 && v <= 127 ? vtInt8 : v >= -32768 && v <= 32767 ? vtInt16 : vtInt32;
  s.integer = v;
  return s;
}

TEST(OptionStream, StoredValuesOutOfRangeAreClampedWhenRead) {
  StreamRecord rec;
  rec.className = "TOptionSet";
  rec.properties = {{"Caret.TabSpaceCount", Int(7)},   {"Caret.Cursors.DefaultCursor", Int(40000)},
                    {"Leftbar.Column", Int(0)},        {"Margin.Left", Int(-5)},
                    {"Ruler.GaugeRange", Int(20)},     {"Imagebar.MarkWidth", Int(1000)},
                    {"Speed.CaretVerticalAc", Int(9)}, {"Speed.PageVerticalRange", Int(-1)}};
  StringOutput out;
  WriteRecord(out, rec);
  OptionSet o;
  optiontest::Read(out.Bytes(), o);
  EXPECT_EQ(o.Caret.TabSpaceCount(), 6);
  EXPECT_EQ(o.Caret.Cursors().DefaultCursor(), 32767);
  EXPECT_EQ(o.Leftbar.Column(), 1);
  EXPECT_EQ(o.Margin.Left(), 0);
  EXPECT_EQ(o.Ruler.GaugeRange(), 10);
  EXPECT_EQ(o.Imagebar.MarkWidth(), 100);
  EXPECT_EQ(o.Speed.CaretVerticalAc(), 4);
  EXPECT_EQ(o.Speed.PageVerticalRange(), 1);
  EXPECT_EQ(o.changes, 5);  // reading goes through the notifying setters; GaugeRange stayed 10
}

}  // namespace
