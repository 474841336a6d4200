// The settings dialog's editor pages without a screen: loading from and applying to the preview
// editor, the check boxes of "エディタ設定２", reserved words, the quotation field and the bracket pairs.
#include <gtest/gtest.h>

#include "editor/editormodel.h"
#include "editorsettings/editorpages.h"
#include "editorsettings/fontchoice.h"
#include "fixture.h"

using namespace editorsettings;
using mwtest::Sjis;
using mwtest::Utf8;

namespace {

TEST(EditorPages, LoadThenApplyAllCarriesEveryValue) {
  editor::EditorModel preview;
  preview.ApplyMainValues();
  EditorPagesState s;
  s.Load(preview);
  EXPECT_EQ(Utf8(s.values.fontName), "ＭＳ ゴシック");
  EXPECT_EQ(s.values.fontSize, 12);  // 16 pixels
  EXPECT_TRUE(s.values.wordWrap);
  EXPECT_EQ(s.values.wrapByte, 60);
  EXPECT_TRUE(s.values.Mark(MarkBox::RetMark));
  EXPECT_TRUE(s.values.Mark(MarkBox::Ruler));
  EXPECT_FALSE(s.values.Mark(MarkBox::Leftbar));
  EXPECT_EQ(s.values.marginLeft, 12);
  EXPECT_EQ(s.values.marginTop, 8);

  EditorPageValues& v = s.values;
  v.fontName = Sjis("IPAGothic");
  v.fontSize = 15;
  v.wordWrap = false;
  v.wrapByte = 99;
  v.wordBreak = false;
  v.followStr = Sjis("。");
  v.leadStr = Sjis("「");
  v.punctuationStr = Sjis("、");
  v.tabLength = 4;
  v.freeCaret = true;
  v.keepCaret = true;
  v.autoIndent = true;
  v.tabIndent = true;
  v.backSpaceUnIndent = true;
  v.softTab = true;
  v.marginLeft = 3;
  v.marginTop = 4;
  v.marginCharacter = 5;
  v.marginLine = 6;
  for (int k = 0; k < kMarkBoxCount; ++k) v.marks[static_cast<size_t>(k)] = !v.marks[static_cast<size_t>(k)];
  v.reserveWords = {"if", Sjis("予約")};
  v.commenter = "//";
  v.quotation = "'";
  s.colors.SetFg(ceWhole, store::clNavy);

  s.ApplyAll(preview);
  EXPECT_EQ(Utf8(preview.Font().Name), "IPAGothic");
  EXPECT_EQ(preview.Font().Size(), 15);
  EXPECT_EQ(preview.Font().Color, store::clNavy);
  EXPECT_FALSE(preview.WordWrap());
  EXPECT_EQ(preview.WrapOption().WrapByte(), 99);
  EXPECT_FALSE(preview.WrapOption().WordBreak());
  EXPECT_EQ(Utf8(preview.WrapOption().FollowStr()), "。");
  EXPECT_EQ(Utf8(preview.WrapOption().LeadStr()), "「");
  EXPECT_EQ(Utf8(preview.WrapOption().PunctuationStr()), "、");
  EXPECT_EQ(preview.Caret().TabSpaceCount(), 4);
  EXPECT_TRUE(preview.Caret().FreeCaret());
  EXPECT_TRUE(preview.Caret().KeepCaret());
  EXPECT_TRUE(preview.Caret().AutoIndent());
  EXPECT_TRUE(preview.Caret().TabIndent());
  EXPECT_TRUE(preview.Caret().BackSpaceUnIndent());
  EXPECT_TRUE(preview.Caret().SoftTab());
  EXPECT_EQ(preview.Margin().Left(), 3);
  EXPECT_EQ(preview.Margin().Top(), 4);
  EXPECT_EQ(preview.Margin().Character(), 5);
  EXPECT_EQ(preview.Margin().Line(), 6);
  EXPECT_FALSE(preview.Marks().RetMark().Visible());
  EXPECT_FALSE(preview.Marks().WrapMark().Visible());
  EXPECT_TRUE(preview.Marks().EofMark().Visible());
  EXPECT_FALSE(preview.View().Mail());
  EXPECT_FALSE(preview.View().Url());
  EXPECT_FALSE(preview.Marks().Underline().Visible());
  EXPECT_FALSE(preview.Ruler().Visible());
  EXPECT_TRUE(preview.Leftbar().Visible());
  EXPECT_TRUE(preview.Leftbar().ZeroBase());
  EXPECT_EQ(preview.Leftbar().ShowNumberMode(), editor::nmLine);
  EXPECT_EQ(preview.ReserveWordList().size(), 2u);
  EXPECT_EQ(preview.View().Commenter(), "//");
  EXPECT_EQ(preview.View().Quotation(), "'");

  // Loading what was applied gives the same values back.
  EditorPagesState again;
  again.Load(preview);
  EXPECT_EQ(again.values.marks, v.marks);
  EXPECT_EQ(again.values.fontSize, 15);
  EXPECT_EQ(again.values.tabLength, 4);
}

TEST(EditorPages, FieldsOutsideTheirRangesAreClampedOnTheWayIn) {
  editor::EditorModel preview;
  EditorPagesState s;
  s.Load(preview);
  s.values.fontSize = 5000;
  s.values.wrapByte = 3;
  s.values.marginLeft = 500;
  s.ApplyAll(preview);
  EXPECT_EQ(preview.Font().Size(), kMaxFontSize);
  EXPECT_EQ(preview.WrapOption().WrapByte(), 20);
  EXPECT_EQ(preview.Margin().Left(), 100);
}

TEST(EditorPages, TabLengthsOutsideTheListShowAsEight) {
  EXPECT_EQ(TabLengthIndex(2), 0);
  EXPECT_EQ(TabLengthIndex(6), 2);
  EXPECT_EQ(TabLengthIndex(3), 3);
  EXPECT_EQ(TabLengthIndex(0), 3);
  EXPECT_EQ(kTabLengths[static_cast<size_t>(TabLengthIndex(12))], 8);
}

TEST(EditorPages, MarkBoxesSwitchOneOptionEach) {
  for (int k = 0; k < kMarkBoxCount; ++k) {
    editor::EditorModel e;
    e.ApplyMainValues();
    const MarkBox box = static_cast<MarkBox>(k);
    const bool before = MarkOf(e, box);
    editor::EditorModel untouched;
    untouched.ApplyMainValues();
    ApplyMark(e, box, !before);
    EXPECT_EQ(MarkOf(e, box), !before) << k;
    // No other box moved with it.
    for (int j = 0; j < kMarkBoxCount; ++j) {
      if (j != k) {
        EXPECT_EQ(MarkOf(e, static_cast<MarkBox>(j)), MarkOf(untouched, static_cast<MarkBox>(j))) << k << "/" << j;
      }
    }
  }
}

TEST(EditorPages, PreviewTextAndItsFirstLine) {
  const std::string text = Utf8(PreviewText());
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "コメント");
  EXPECT_NE(text.find('@'), std::string::npos);
  EXPECT_NE(text.find("http://"), std::string::npos);
  EXPECT_NE(text.find("\r\n\r\n（ここに書き込めます）"), std::string::npos);
  EXPECT_EQ(Utf8(PreviewFirstLine("//")), "//コメント");
  EXPECT_EQ(Utf8(PreviewFirstLine("")), "コメント");
}

TEST(EditorPages, ReservedWordsAreTheEditorsNonEmptyLines) {
  EXPECT_EQ(ReserveWordsFromText("if\r\nelse\r\n\r\nwhile\n"), (std::vector<std::string>{"if", "else", "while"}));
  EXPECT_EQ(ReserveWordsFromText(""), std::vector<std::string>{});
  EXPECT_EQ(ReserveWordsText({"a", "b"}), "a\r\nb");
  EXPECT_EQ(ReserveWordsFromText(ReserveWordsText({Sjis("予約"), "x"})), (std::vector<std::string>{Sjis("予約"), "x"}));
}

TEST(EditorPages, TheQuotationIsOneSingleByteCharacter) {
  EXPECT_EQ(QuotationOf("\""), "\"");
  EXPECT_EQ(QuotationOf("'x"), "'");
  EXPECT_EQ(QuotationOf(""), "");
  EXPECT_EQ(QuotationOf(Sjis("「")), "");        // half a double-byte character would be garbage
  EXPECT_EQ(QuotationOf(Sjis("ｱ")), Sjis("ｱ"));  // half-width katakana is one byte
}

TEST(BracketPairs, ButtonsNeedTwoDifferentTexts) {
  EXPECT_EQ(TrimBracketText("  [ \t"), "[");
  EXPECT_EQ(TrimBracketText(Sjis("　「")), Sjis("　「"));  // an ideographic space is a character
  EXPECT_EQ(BracketButtonsFor("[", "", -1, 0), (BracketButtons{false, false, false}));
  EXPECT_EQ(BracketButtonsFor("", "]", 0, 1), (BracketButtons{false, false, true}));
  EXPECT_EQ(BracketButtonsFor("*", "*", 0, 1), (BracketButtons{false, false, true}));
  EXPECT_EQ(BracketButtonsFor("[", "]", -1, 1), (BracketButtons{true, false, false}));
  EXPECT_EQ(BracketButtonsFor("[", "]", 0, 1), (BracketButtons{true, true, true}));
  // Fourteen pairs fill the colouring's bracket index: no room for a fifteenth.
  EXPECT_EQ(BracketButtonsFor("[", "]", 3, 14), (BracketButtons{false, true, true}));
}

TEST(BracketPairs, AddChangeAndDeleteRebuildTheColourList) {
  editor::EditorModel e;
  ColorTable t;
  t.Load(e);
  EXPECT_FALSE(AddBracket(t, "x", "x"));
  ASSERT_TRUE(AddBracket(t, "[", "]"));
  ASSERT_TRUE(AddBracket(t, Sjis("「"), Sjis("」")));
  EXPECT_EQ(t.Count(), 16);
  EXPECT_EQ(t.Get(15), (ColorValue{store::clNone, store::clNone, 0}));
  t.SetFg(15, store::clRed);
  ASSERT_TRUE(ChangeBracket(t, 1, Sjis("『"), Sjis("』")));
  EXPECT_EQ(t.Get(15).fg, store::clRed);  // the pair keeps its colours
  std::vector<std::string> lines = ColorListLines(t.Brackets());
  EXPECT_EQ(Utf8(lines[15]), "強調表示(2)   『 』");
  EXPECT_EQ(Utf8(BracketPairLine(t.Brackets()[1].LeftBracket(), t.Brackets()[1].RightBracket())), "『 』");

  ASSERT_TRUE(DeleteBracket(t, 0));
  EXPECT_FALSE(DeleteBracket(t, 5));
  lines = ColorListLines(t.Brackets());
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(Utf8(lines[14]), "強調表示(1)   『 』");
  EXPECT_EQ(t.Get(14).fg, store::clRed);

  for (int k = 1; k < 14; ++k) ASSERT_TRUE(AddBracket(t, "<" + std::to_string(k), ">"));
  EXPECT_FALSE(AddBracket(t, "{", "}"));
  EXPECT_EQ(t.Brackets().ItemCount(), 14);

  // Applied, the pairs reach the editor's colouring.
  t.ApplyTo(e);
  EXPECT_EQ(e.View().Brackets().ItemCount(), 14);
  EXPECT_EQ(e.View().Brackets()[0].LeftBracket(), Sjis("『"));
}

}  // namespace

namespace {

TEST(FontNames, ListsLeaveOutVerticalFacesAndFindStoredNames) {
  const std::vector<std::string> names = {"@IPAGothic", "@Ricty", "DejaVu Sans", "@Vertical", "IPAGothic"};
  EXPECT_EQ(WithoutAtNames(names), (std::vector<std::string>{"DejaVu Sans", "IPAGothic"}));
  // The list fonts only drop the leading run, where Windows sorts the vertical faces.
  EXPECT_EQ(WithoutLeadingAtNames(names), (std::vector<std::string>{"DejaVu Sans", "@Vertical", "IPAGothic"}));

  const std::vector<std::string> list = {"DejaVu Sans Mono", Sjis("ＭＳ ゴシック"), "IPAGothic"};
  EXPECT_EQ(FontIndex(list, "IPAGothic"), 2);
  EXPECT_EQ(FontIndex(list, "ipagothic"), 2);
  EXPECT_EQ(FontIndex(list, Sjis("ＭＳ ゴシック")), 1);
  EXPECT_EQ(FontIndex(list, "Arial"), -1);
  EXPECT_EQ(FontIndex(list, ""), -1);
  // Case folding touches single-byte letters only: "ア" (83 41) has a capital letter for its trail
  // byte, and folding it would make it "ヂ" (83 61).
  EXPECT_EQ(FontIndex({"\x83\x41"}, "\x83\x61"), -1);
}

}  // namespace
