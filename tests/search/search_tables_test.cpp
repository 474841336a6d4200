// The fixed search tables and the pattern transformations, checked against the codec's idea of
// the same characters.
#include <gtest/gtest.h>

#include <string>

#include "codec/cp932.h"
#include "search/searchtables.h"

namespace {

using namespace search;

std::string WideOf(unsigned char b) {
  const WideForm& w = WideFormTable[b];
  return std::string(reinterpret_cast<const char*>(w.bytes), w.length);
}

std::string Cp932(const char* utf8) { return codec::Utf8ToCp932(utf8).bytes; }

TEST(WideFormTable, AsciiTakesTheFullWidthCharacter) {
  // The full-width forms block U+FF01-U+FF5E, except where the look-alike JIS symbol is used.
  for (int b = 0x21; b <= 0x7E; ++b) {
    if (b == '"' || b == '\'' || b == '\\' || b == '~') continue;
    const codec::Encoded e = codec::Utf16ToCp932(std::u16string(1, static_cast<char16_t>(0xFF00 + b - 0x20)));
    ASSERT_EQ(e.replaced, 0) << b;
    EXPECT_EQ(WideOf(static_cast<unsigned char>(b)), e.bytes) << "byte " << b;
  }
  EXPECT_EQ(WideOf(' '), Cp932("　"));
  EXPECT_EQ(WideOf('"'), Cp932("”"));
  EXPECT_EQ(WideOf('\''), Cp932("’"));
  EXPECT_EQ(WideOf('\\'), Cp932("￥"));
  EXPECT_EQ(WideOf('~'), Cp932("￣"));
}

TEST(WideFormTable, HalfWidthKatakanaTakeTheirFullWidthLetters) {
  const std::string half = Cp932("｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ");
  const std::string full = Cp932(
      "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリ"
      "ルレロワン゛゜");
  ASSERT_EQ(half.size(), 0xDFu - 0xA1u + 1);
  for (std::size_t i = 0; i < half.size(); ++i)
    EXPECT_EQ(WideOf(static_cast<unsigned char>(half[i])), full.substr(2 * i, 2)) << "byte " << std::hex << (0xA1 + i);
}

TEST(WideFormTable, BytesWithoutFullWidthFormStayThemselves) {
  for (int b : {0x00, 0x09, 0x0D, 0x1F, 0x7F, 0x80, 0xA0, 0xE0, 0xFD, 0xFF})
    EXPECT_EQ(WideOf(static_cast<unsigned char>(b)), std::string(1, static_cast<char>(b))) << b;
}

struct TransformCase {
  const char* name;
  std::string input;
  std::string expected;
};

class WidenCase : public testing::TestWithParam<TransformCase> {};
TEST_P(WidenCase, Widens) { EXPECT_EQ(Widen(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, WidenCase,
                         testing::Values(TransformCase{"Ascii", "Ab1", Cp932("Ａｂ１")},
                                         TransformCase{"VoicedLetters", Cp932("ｶﾞｻﾞﾀﾞﾊﾞﾄﾞ"), Cp932("ガザダバド")},
                                         TransformCase{"SemiVoicedLetters", Cp932("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"), Cp932("パピプペポ")},
                                         TransformCase{"Vu", Cp932("ｳﾞ"), Cp932("ヴ")},
                                         TransformCase{"MarkAfterLetterThatTakesNone", Cp932("ｱﾞｶﾟｳﾟ"),
                                                       Cp932("ア゛カ゜ウ゜")},
                                         TransformCase{"LoneMarks", Cp932("ﾞﾟ"), Cp932("゛゜")},
                                         TransformCase{"DoubleByteCopied", Cp932("日本ﾞ"), Cp932("日本゛")},
                                         TransformCase{"LeadByteWithControlTrail", "\x82\r", "\x82\r"},
                                         TransformCase{"CutOffLeadByte", "a\x82", Cp932("ａ") + "\x82"},
                                         TransformCase{"Controls", "\t\r\n", "\t\r\n"}),
                         [](const testing::TestParamInfo<TransformCase>& info) { return info.param.name; });

class AnsiUpperCase : public testing::TestWithParam<TransformCase> {};
TEST_P(AnsiUpperCase, UpperCases) { EXPECT_EQ(AnsiUpper(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, AnsiUpperCase,
                         testing::Values(TransformCase{"Ascii", "abz@[`{AZ", "ABZ@[`{AZ"},
                                         TransformCase{"FullWidthSmallLetters", Cp932("ａｍｚＡ"), Cp932("ＡＭＺＡ")},
                                         TransformCase{"TrailBytesUntouched", "\x83\x61\x83\x7A\x88\x81",
                                                       "\x83\x61\x83\x7A\x88\x81"},
                                         TransformCase{"GreekAndAccentsUntouched", Cp932("αβ"), Cp932("αβ")},
                                         TransformCase{"HalfWidthKanaUntouched", Cp932("ｱｶﾞ"), Cp932("ｱｶﾞ")},
                                         TransformCase{"CutOffLeadByte", "a\x82", "A\x82"}),
                         [](const testing::TestParamInfo<TransformCase>& info) { return info.param.name; });

TEST(JisToShiftJis, KnownCodes) {
  EXPECT_EQ(JisToShiftJis(0x2121), 0x8140);  // 　
  EXPECT_EQ(JisToShiftJis(0x2422), 0x82A0);  // あ
  EXPECT_EQ(JisToShiftJis(0x255F), 0x837E);  // ミ
  EXPECT_EQ(JisToShiftJis(0x2560), 0x8380);  // ム, trail byte skips 0x7F
  EXPECT_EQ(JisToShiftJis(0x3021), 0x889F);  // 亜
  EXPECT_EQ(JisToShiftJis(0x5F21), 0xE040);
  EXPECT_EQ(JisToShiftJis(0x7426), 0xEAA4);  // 熙, the last code of JIS X 0208
}

}  // namespace
