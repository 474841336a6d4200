// Editor settings records: their stored form, copying from and applying to the editor, the record
// each list carries in its file, and which record is in force.
#include <gtest/gtest.h>

#include "editor/editormodel.h"
#include "editorsettings/editorpropdat.h"
#include "fixture.h"
#include "store/bytestream.h"
#include "store/stream.h"

using namespace editorsettings;
using mwtest::Sjis;

namespace {

std::string Bytes(store::Component& c) {
  store::StringOutput out;
  store::WriteComponent(out, c);
  return out.Bytes();
}

// Position of a property name as the stream writes it (length byte, then the name).
size_t NamePos(const std::string& bytes, const std::string& name) {
  return bytes.find(std::string(1, static_cast<char>(name.size())) + name);
}

TEST(EditorSettingsRecord, StoredInScheduleOrderWithDottedPaths) {
  TEditorPropDat rec;
  rec.DWordWrap = true;
  rec.DEditorWrapOption.SetWrapByte(60);
  rec.Enabled = true;
  const std::string bytes = Bytes(rec);
  EXPECT_EQ(bytes.substr(0, 4), "TPF0");
  EXPECT_NE(bytes.find("TEditorPropDat"), std::string::npos);
  const char* order[] = {"DColor",
                         "DFont.Charset",
                         "DFont.Height",
                         "DWordWrap",
                         "DEditorWrapOption.WrapByte",
                         "DEditorCaret.AutoIndent",
                         "DEditorMarks.RetMark.Visible",
                         "DEditorRuler.Visible",
                         "DEditorLeftbar.Visible",
                         "DEditorViewInfo.Url",
                         "DEditorMargin.Left",
                         "Enabled",
                         "WidthWordWrap"};
  size_t last = 0;
  for (const char* name : order) {
    const size_t pos = NamePos(bytes, name);
    ASSERT_NE(pos, std::string::npos) << name;
    EXPECT_GT(pos, last) << name;
    last = pos;
  }
  // An empty reserved word list is not written; a filled one is, between the left bar and the view.
  EXPECT_EQ(NamePos(bytes, "DReserveWordList.Strings"), std::string::npos);
  rec.DReserveWordList = {"begin", "end"};
  const std::string withWords = Bytes(rec);
  const size_t words = NamePos(withWords, "DReserveWordList.Strings");
  ASSERT_NE(words, std::string::npos);
  EXPECT_GT(words, NamePos(withWords, "DEditorLeftbar.Visible"));
  EXPECT_LT(words, NamePos(withWords, "DEditorViewInfo.Url"));
}

TEST(EditorSettingsRecord, RoundTripsThroughTheStream) {
  TEditorPropDat rec;
  rec.DColor = 0x00E0F0FF;
  rec.DFont.Name = Sjis("ＭＳ ゴシック");
  rec.DFont.Height = -20;
  rec.DFont.Style = store::fsBold;
  rec.DWordWrap = true;
  rec.DEditorWrapOption.SetWrapByte(72);
  rec.DEditorCaret.SetTabSpaceCount(4);
  rec.DEditorMarks.EofMark().SetVisible(true);
  rec.DEditorRuler.SetVisible(true);
  rec.DEditorLeftbar.SetColumn(6);
  rec.DReserveWordList = {"if", "else"};
  rec.DEditorViewInfo.SetUrl(false);
  rec.DEditorMargin.SetTop(5);
  rec.Enabled = true;
  rec.WidthWordWrap = true;
  const std::string bytes = Bytes(rec);

  TEditorPropDat back;
  store::MemoryInput in(bytes);
  store::ReadComponent(in, back);
  EXPECT_EQ(back.DColor, rec.DColor);
  EXPECT_EQ(back.DFont, rec.DFont);
  EXPECT_TRUE(back.DWordWrap);
  EXPECT_EQ(back.DEditorWrapOption.WrapByte(), 72);
  EXPECT_EQ(back.DEditorCaret.TabSpaceCount(), 4);
  EXPECT_TRUE(back.DEditorMarks.EofMark().Visible());
  EXPECT_TRUE(back.DEditorRuler.Visible());
  EXPECT_EQ(back.DEditorLeftbar.Column(), 6);
  EXPECT_EQ(back.DReserveWordList, rec.DReserveWordList);
  EXPECT_FALSE(back.DEditorViewInfo.Url());
  EXPECT_EQ(back.DEditorMargin.Top(), 5);
  EXPECT_TRUE(back.Enabled);
  EXPECT_TRUE(back.WidthWordWrap);
  EXPECT_EQ(Bytes(back), bytes);
}

TEST(EditorSettingsRecord, InitialValues) {
  TEditorPropDat rec;
  EXPECT_EQ(rec.DColor, 0);
  EXPECT_FALSE(rec.DWordWrap);
  EXPECT_FALSE(rec.Enabled);
  EXPECT_FALSE(rec.WidthWordWrap);
  EXPECT_TRUE(rec.DReserveWordList.empty());
  EXPECT_EQ(rec.DFont, store::TFont());
  EXPECT_EQ(rec.DEditorWrapOption.WrapByte(), editor::TEditorWrapOption::kDefaultWrapByte);
}

TEST(EditorSettingsRecord, CopiesTheElevenValuesFromAndToTheEditor) {
  editor::EditorModel source;
  source.ApplyMainValues();
  source.SetColor(0x00CCEEFF);
  store::TFont font = source.Font();
  font.Height = -24;
  source.SetFont(font);
  source.SetWordWrap(false);
  source.WrapOption().SetWrapByte(44);
  source.Caret().SetSoftTab(true);
  source.Marks().WrapMark().SetVisible(false);
  source.Ruler().SetVisible(false);
  source.Leftbar().SetVisible(true);
  source.SetReserveWordList({Sjis("予約"), "word"});
  source.View().SetMail(false);
  source.Margin().SetLeft(30);

  TEditorPropDat rec;
  rec.Enabled = true;
  rec.WidthWordWrap = true;
  rec.CopyFromEditor(source);
  EXPECT_TRUE(rec.Enabled);  // not touched
  EXPECT_TRUE(rec.WidthWordWrap);
  EXPECT_EQ(rec.DEditorWrapOption.WrapByte(), 44);
  EXPECT_EQ(rec.DFont.Height, -24);

  editor::EditorModel target;
  rec.ApplyToEditor(target);
  EXPECT_EQ(target.Color(), 0x00CCEEFF);
  EXPECT_EQ(target.Font(), source.Font());
  EXPECT_FALSE(target.WordWrap());
  EXPECT_TRUE(target.WrapOption() == source.WrapOption());
  EXPECT_TRUE(target.Caret() == source.Caret());
  EXPECT_TRUE(target.Marks() == source.Marks());
  EXPECT_TRUE(target.Ruler() == source.Ruler());
  EXPECT_TRUE(target.Leftbar() == source.Leftbar());
  EXPECT_EQ(target.ReserveWordList(), source.ReserveWordList());
  EXPECT_FALSE(target.View().Mail());
  EXPECT_TRUE(target.Margin() == source.Margin());
}

TEST(EditorSettingsRecord, EachListFileCarriesItsRecordAndTheActiveOneIsChosen) {
  mwtest::TempDir dir;
  store::DataFolder folder(dir.Data());
  folder.EnsureExists();
  store::TRootComponent_Item items(folder, EditorSettingsFactory());
  store::TRootComponent_Group groups(folder, EditorSettingsFactory(), items);
  groups.Add(0, -1, 0, 0, "g");
  SettingsOf(groups).Enabled = true;
  SettingsOf(groups).DEditorWrapOption.SetWrapByte(60);
  groups.SaveToFile("group.bin");

  // No own settings: the global record is in force.
  EXPECT_EQ(&ActiveSettings(groups, items), &SettingsOf(groups));
  SettingsOf(items).Enabled = true;
  SettingsOf(items).WidthWordWrap = true;
  EXPECT_EQ(&ActiveSettings(groups, items), &SettingsOf(items));
  groups.SaveItems(0);

  store::TRootComponent_Item items2(folder, EditorSettingsFactory());
  store::TRootComponent_Group groups2(folder, EditorSettingsFactory(), items2);
  groups2.LoadFromFile("group.bin");
  EXPECT_TRUE(SettingsOf(groups2).Enabled);
  EXPECT_EQ(SettingsOf(groups2).DEditorWrapOption.WrapByte(), 60);
  groups2.LoadItems(0);
  EXPECT_TRUE(SettingsOf(items2).Enabled);
  EXPECT_TRUE(SettingsOf(items2).WidthWordWrap);

  // A file whose settings record has no properties (as the command-line tool writes a new one)
  // leaves the record disabled.
  store::TRootComponent_Item plain(folder, nullptr);
  store::TRootComponent_Group plainGroups(folder, nullptr, plain);
  plainGroups.Add(0, -1, 0, 0, "h");
  plainGroups.SaveToFile("group.bin");
  store::TRootComponent_Item items3(folder, EditorSettingsFactory());
  store::TRootComponent_Group groups3(folder, EditorSettingsFactory(), items3);
  groups3.LoadFromFile("group.bin");
  EXPECT_FALSE(SettingsOf(groups3).Enabled);
  EXPECT_EQ(groups3.Count(), 1);
}

}  // namespace
