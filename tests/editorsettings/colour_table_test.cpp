// The settings dialog's colour list: which controls each entry has, the lines it shows, what each
// entry reads from and writes into the editor, the grid and the panels' tags.
#include <gtest/gtest.h>

#include <stdexcept>

#include "editor/editormodel.h"
#include "editorsettings/colortable.h"
#include "fixture.h"

using namespace editorsettings;
using mwtest::Sjis;
using mwtest::Utf8;
using store::clNone;

namespace {

TEST(ColourList, EntriesEnableTheirControls) {
  struct Row {
    int entry;
    const char* name;
    EntryControls controls;
  };
  const Row rows[] = {
      {ceWhole, "全体", {true, true, false}},
      {ceSelect, "選択領域", {true, true, false}},
      {ceRetMark, "改行文字", {true, false, false}},
      {ceWrapMark, "折り返し表示", {true, false, false}},
      {ceEofMark, "文末表示", {true, false, false}},
      {ceUnderline, "下線表示", {true, false, false}},
      {ceMail, "メールアドレス", {true, true, true}},
      {ceUrl, "ＵＲＬ", {true, true, true}},
      {ceComment, "コメント行", {true, true, true}},
      {ceStr, "引用符で囲まれた文字列", {true, true, true}},
      {ceRuler, "ルーラー", {true, true, false}},
      {ceRulerMarker, "ルーラーのマーカー", {true, false, false}},
      {ceLeftbar, "行数表示", {true, true, false}},
      {ceReserve, "予約語", {true, true, true}},
      {kFixedColorEntries, nullptr, {true, true, true}},
      {kFixedColorEntries + 13, nullptr, {true, true, true}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ControlsOf(r.entry), r.controls) << r.entry;
    if (r.name) {
      EXPECT_EQ(Utf8(FixedColorEntryNames()[static_cast<size_t>(r.entry)]), r.name);
    }
  }
  EXPECT_EQ(FixedColorEntryNames().size(), 14u);
}

TEST(ColourList, LinesFollowTheBracketPairsAndTheNameListMustHaveFourteen) {
  editor::TFountainBracketCollection brackets;
  brackets.Add("[", "]");
  brackets.Add(Sjis("「"), Sjis("」"));
  const std::vector<std::string> lines = ColorListLines(brackets);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(Utf8(lines[13]), "予約語");
  EXPECT_EQ(Utf8(lines[14]), "強調表示(1)   [ ]");
  EXPECT_EQ(Utf8(lines[15]), "強調表示(2)   「 」");

  EXPECT_NO_THROW(CheckColorEntryNames(FixedColorEntryNames()));
  std::vector<std::string> short_list = FixedColorEntryNames();
  short_list.pop_back();
  try {
    CheckColorEntryNames(short_list);
    FAIL() << "a list of 13 names opened";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "ColorList不一致");
  }
}

TEST(ColourTable, ReadsEachEntryFromItsOption) {
  editor::EditorModel e;
  e.ApplyMainValues();
  e.Marks().EofMark().SetColor(0x00112233);
  e.Leftbar().SetBkColor(0x00445566);
  e.View().Brackets().Add("<", ">").ItemColor.SetColor(store::clPurple);
  ColorTable t;
  t.Load(e);
  EXPECT_EQ(t.Count(), 15);
  EXPECT_EQ(t.Get(ceWhole), (ColorValue{store::clBlack, store::clWhite, 0}));
  EXPECT_EQ(t.Get(ceSelect), (ColorValue{store::clWhite, store::clNavy, 0}));
  EXPECT_EQ(t.Get(ceRetMark).fg, store::clGray);
  EXPECT_EQ(t.Get(ceEofMark).fg, 0x00112233);
  EXPECT_EQ(t.Get(ceMail).fg, store::clGreen);
  EXPECT_EQ(t.Get(ceUrl).fg, store::clBlue);
  EXPECT_EQ(t.Get(ceComment).fg, store::clMaroon);
  EXPECT_EQ(t.Get(ceRuler), (ColorValue{store::clBlack, store::clSilver, 0}));
  EXPECT_EQ(t.Get(ceLeftbar).bg, 0x00445566);
  EXPECT_EQ(t.Get(ceReserve).fg, store::clRed);
  EXPECT_EQ(t.Get(kFixedColorEntries).fg, store::clPurple);
  EXPECT_EQ(t.Get(kFixedColorEntries).bg, clNone);
}

TEST(ColourTable, WritesEachEntryIntoItsOption) {
  editor::EditorModel source;
  source.ApplyMainValues();
  source.View().Brackets().Add("(", ")");
  ColorTable t;
  t.Load(source);
  // A distinct colour per entry and control, so a crossed wire shows.
  for (int k = 0; k < t.Count(); ++k) {
    t.SetFg(k, 0x010000 * (k + 1));
    t.SetBg(k, 0x000100 * (k + 1));
  }
  t.SetStyleBit(ceMail, store::fsBold, true);
  t.SetStyleBit(ceReserve, store::fsItalic, true);
  t.SetStyleBit(kFixedColorEntries, store::fsStrikeOut, true);

  editor::EditorModel e;
  e.ApplyMainValues();
  t.ApplyTo(e);
  auto fg = [](int k) { return 0x010000 * (k + 1); };
  auto bg = [](int k) { return 0x000100 * (k + 1); };
  const editor::TEditorColors& c = e.View().Colors();
  EXPECT_EQ(e.Font().Color, fg(ceWhole));
  EXPECT_EQ(e.Color(), bg(ceWhole));
  EXPECT_EQ(c.Select.Color(), fg(ceSelect));
  EXPECT_EQ(c.Select.BkColor(), bg(ceSelect));
  EXPECT_EQ(e.Marks().RetMark().Color(), fg(ceRetMark));
  EXPECT_EQ(e.Marks().WrapMark().Color(), fg(ceWrapMark));
  EXPECT_EQ(e.Marks().EofMark().Color(), fg(ceEofMark));
  EXPECT_EQ(e.Marks().Underline().Color(), fg(ceUnderline));
  EXPECT_EQ(c.Mail.Color(), fg(ceMail));
  EXPECT_EQ(c.Mail.BkColor(), bg(ceMail));
  EXPECT_EQ(c.Mail.Style(), store::fsBold);
  EXPECT_EQ(c.Url.Color(), fg(ceUrl));
  EXPECT_EQ(c.Comment.BkColor(), bg(ceComment));
  EXPECT_EQ(c.Str.Color(), fg(ceStr));
  EXPECT_EQ(e.Ruler().Color(), fg(ceRuler));
  EXPECT_EQ(e.Ruler().BkColor(), bg(ceRuler));
  EXPECT_EQ(e.Ruler().MarkColor(), fg(ceRulerMarker));
  EXPECT_EQ(e.Leftbar().Color(), fg(ceLeftbar));
  EXPECT_EQ(e.Leftbar().BkColor(), bg(ceLeftbar));
  EXPECT_EQ(c.Reserve().Color(), fg(ceReserve));
  EXPECT_EQ(c.Reserve().Style(), store::fsItalic);
  ASSERT_EQ(e.View().Brackets().ItemCount(), 1);
  EXPECT_EQ(e.View().Brackets()[0].ItemColor.Color(), fg(kFixedColorEntries));
  EXPECT_EQ(e.View().Brackets()[0].ItemColor.BkColor(), bg(kFixedColorEntries));
  EXPECT_EQ(e.View().Brackets()[0].ItemColor.Style(), store::fsStrikeOut);
  // The font keeps its face and size: only its colour belongs to the table.
  EXPECT_EQ(e.Font().Name, source.Font().Name);
  EXPECT_EQ(e.Font().Height, source.Font().Height);
}

TEST(ColourTable, ControlsAnEntryLacksChangeNothing) {
  editor::EditorModel e;
  e.ApplyMainValues();
  ColorTable t;
  t.Load(e);
  const ColorValue ret = t.Get(ceRetMark);
  EXPECT_FALSE(t.SetBg(ceRetMark, store::clRed));
  EXPECT_FALSE(t.SetStyleBit(ceRetMark, store::fsBold, true));
  EXPECT_EQ(t.Get(ceRetMark), ret);
  EXPECT_FALSE(t.SetStyleBit(ceWhole, store::fsBold, true));
  EXPECT_EQ(t.Get(ceWhole).style, 0);
  EXPECT_TRUE(t.SetBg(ceWhole, store::clYellow));
  EXPECT_FALSE(t.SetBg(ceWhole, store::clYellow));          // same value
  EXPECT_FALSE(t.SetFg(kFixedColorEntries, store::clRed));  // no such pair
  // Style bits toggle one at a time.
  EXPECT_TRUE(t.SetStyleBit(ceUrl, store::fsUnderline, true));
  EXPECT_TRUE(t.SetStyleBit(ceUrl, store::fsBold, true));
  EXPECT_TRUE(t.SetStyleBit(ceUrl, store::fsUnderline, false));
  EXPECT_EQ(t.Get(ceUrl).style, store::fsBold);
}

TEST(ColourGrid, SixteenColoursAndThePanelTags) {
  EXPECT_EQ(GridIndex(store::clBlack), 0);
  EXPECT_EQ(GridIndex(store::clWhite), 15);
  EXPECT_EQ(GridIndex(store::clRed), 9);
  EXPECT_EQ(GridIndex(0x00123456), -1);
  EXPECT_EQ(GridIndex(clNone), -1);
  EXPECT_EQ(GridIndex(store::clWindowText), -1);

  const EntryControls all{true, true, true};
  EXPECT_EQ(TagsOf({clNone, store::clRed, 0}, all), (PanelTags{true, false, false, false}));
  EXPECT_EQ(TagsOf({0x00123456, clNone, 0}, all), (PanelTags{false, true, true, false}));
  EXPECT_EQ(TagsOf({store::clNavy, 0x00ABCDEF, 0}, all), (PanelTags{false, false, false, true}));
  // A control the entry does not have carries no tag, whatever value lies behind it.
  EXPECT_EQ(TagsOf({store::clGray, clNone, 0}, ControlsOf(ceRetMark)), PanelTags{});
}

}  // namespace
