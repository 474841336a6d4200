// Encoding to code page 932: glibc's choices for characters with two codes, and counting of the
// characters that have no code.
#include <gtest/gtest.h>

#include <string>

#include "codec/cp932.h"

namespace {

struct EncodeCase {
  const char* name;
  std::u16string text;
  std::string bytes;
  int replaced;
};

class Cp932Encode : public testing::TestWithParam<EncodeCase> {};

TEST_P(Cp932Encode, FromUtf16) {
  const EncodeCase& c = GetParam();
  const codec::Encoded e = codec::Utf16ToCp932(c.text);
  EXPECT_EQ(e.bytes, c.bytes);
  EXPECT_EQ(e.replaced, c.replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp932Encode,
    testing::Values(EncodeCase{"Empty", u"", "", 0},
                    EncodeCase{"AsciiAndJapanese", u"a日本語ｱ\r\n", "a\x93\xFA\x96\x7B\x8C\xEA\xB1\r\n", 0},
                    EncodeCase{"WaveDashAndFullWidthTilde", u"\u301C\uFF5E", "\x81\x60\x81\x60", 0},
                    EncodeCase{"MinusSignAndFullWidthHyphenMinus", u"\u2212\uFF0D", "\x81\x7C\x81\x7C", 0},
                    EncodeCase{"YenSignAndOverline", u"\u00A5\u203E", "\x5C\x7E", 0},
                    EncodeCase{"Nul", std::u16string(u"a\0b", 3), std::string("a\0b", 3), 0},
                    EncodeCase{"NoCodeForHangulOrEuro", u"a한€b", "a??b", 2},
                    EncodeCase{"AstralCharacterIsOneReplacement", u"a\U0001F600b", "a?b", 1},
                    EncodeCase{"LoneSurrogates",
                               u"\xD800"
                               "a"
                               u"\xDC00",
                               "?a?", 2},
                    EncodeCase{"ReplacementCharacterHasNoCode", u"\uFFFD", "?", 1}),
    [](const testing::TestParamInfo<EncodeCase>& info) { return info.param.name; });

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::string bytes;
  int replaced;
  bool looksLikeUtf8;
};

class Cp932FromUtf8 : public testing::TestWithParam<Utf8Case> {};

TEST_P(Cp932FromUtf8, EncodesAndClassifies) {
  const Utf8Case& c = GetParam();
  const codec::Encoded e = codec::Utf8ToCp932(c.utf8);
  EXPECT_EQ(e.bytes, c.bytes);
  EXPECT_EQ(e.replaced, c.replaced);
  EXPECT_EQ(codec::LooksLikeUtf8(c.utf8), c.looksLikeUtf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp932FromUtf8,
    testing::Values(Utf8Case{"Empty", "", "", 0, false},
                    Utf8Case{"PlainAsciiIsNotEvidence", "abc\r\n", "abc\r\n", 0, false},
                    Utf8Case{"Japanese", "日本語ｱ", "\x93\xFA\x96\x7B\x8C\xEA\xB1", 0, true},
                    Utf8Case{"WaveDash", "\xE3\x80\x9C", "\x81\x60", 0, true},
                    Utf8Case{"TwoByteSequenceWithoutCode", "\xC3\xA9", "?", 1, true},
                    Utf8Case{"AstralCharacter",
                             "a\xF0\x9F\x98\x80"
                             "b",
                             "a?b", 1, true},
                    Utf8Case{"Cp932BytesAreNotUtf8", "\x93\xFA\x96\x7B", "???{", 3, false},
                    Utf8Case{"TruncatedSequenceEachByteCounts", "a\xE3\x81", "a??", 2, false},
                    Utf8Case{"StrayContinuation",
                             "\x80"
                             "a",
                             "?a", 1, false},
                    Utf8Case{"OverlongSlash", "\xC0\xAF", "??", 2, false},
                    Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", "???", 3, false},
                    Utf8Case{"BeyondUnicode", "\xF4\x90\x80\x80", "????", 4, false},
                    Utf8Case{"LongAsciiRunThenJapanese", "0123456789abcdefgh日", "0123456789abcdefgh\x93\xFA", 0, true},
                    Utf8Case{"LongAsciiRunThenCutOff", "0123456789abcdefgh\xE6\x97", "0123456789abcdefgh??", 2, false},
                    Utf8Case{"BadByteDoesNotSwallowNext",
                             "\xE3"
                             "a\xE3\x81\x82",
                             "?a\x82\xA0", 1, false}),
    [](const testing::TestParamInfo<Utf8Case>& info) { return info.param.name; });

TEST(Cp932RoundTrip, Utf8TextSurvivesBothWays) {
  const std::string utf8 = "メモ帳：①〜③ ｶﾀｶﾅ ＡＢＣ abc ￥100 ─┼─\r\n次の行";
  const codec::Encoded e = codec::Utf8ToCp932(utf8);
  EXPECT_EQ(e.replaced, 0);
  // U+301C comes back as U+FF5E, glibc's decoding of 81 60; everything else unchanged.
  std::string expected = utf8;
  expected.replace(expected.find("〜"), std::string("〜").size(), "～");
  EXPECT_EQ(codec::Cp932ToUtf8(e.bytes), expected);
  EXPECT_EQ(codec::Utf8ToCp932(codec::Cp932ToUtf8(e.bytes)).bytes, e.bytes);
}

}  // namespace
