// Decoding code page 932: known characters, and text that is cut off or not code page 932 at all.
#include <gtest/gtest.h>

#include <string>

#include "codec/cp932.h"

namespace {

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u16string expected;
};

class Cp932Decode : public testing::TestWithParam<DecodeCase> {};

// UTF-8 of BMP text, written out here so the UTF-8 path is checked against something independent.
std::string Utf8Of(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

TEST_P(Cp932Decode, ToUtf16AndUtf8Agree) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(codec::Cp932ToUtf16(c.bytes), c.expected);
  EXPECT_EQ(codec::Cp932ToUtf8(c.bytes), Utf8Of(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp932Decode,
    testing::Values(DecodeCase{"Empty", "", u""}, DecodeCase{"Ascii", "abc\r\n", u"abc\r\n"},
                    DecodeCase{"LongAsciiRunsAroundKana", "0123456789abcdef\x82\xA0ghijklmnopqrstu\x82",
                               u"0123456789abcdefあghijklmnopqrstu\uFFFD"},
                    DecodeCase{"BackslashAndTildeStayAscii", "\x5C\x7E", u"\\~"},
                    DecodeCase{"Kanji", "\x93\xFA\x96\x7B\x8C\xEA", u"日本語"},
                    DecodeCase{"Hiragana", "\x82\xA0\x82\xF1", u"あん"},
                    DecodeCase{"HalfWidthKatakana", "\xA1\xB1\xDF", u"｡ｱﾟ"}, DecodeCase{"NecSpecial", "\x87\x40", u"①"},
                    DecodeCase{"UserDefinedAreaIsPrivateUse", "\xF0\x40", u"\uE000"},
                    DecodeCase{"WaveDash", "\x81\x60", u"～"}, DecodeCase{"LeadAtEnd", "a\x82", u"a\uFFFD"},
                    DecodeCase{"LeadAlone", "\x82", u"\uFFFD"},
                    DecodeCase{"LeadBeforeLineBreakKeepsIt", "\x82\r\n", u"\uFFFD\r\n"},
                    DecodeCase{"LeadBeforeDelKeepsIt", "\x82\x7F", u"\uFFFD\x7F"},
                    DecodeCase{"LeadPairsWithLeadRangeByte", "\x82\x82\xA0", u"ｂ\uFFFD"},
                    DecodeCase{"UnassignedPairIsOneReplacement",
                               "\x85\x40"
                               "a",
                               u"\uFFFDa"},
                    DecodeCase{"BytesWithoutMapping", "\x80\xA0\xFD\xFE\xFF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
                    DecodeCase{"NulKept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(Cp932DecodeChar, ReportsLengthOfEachCharacter) {
  const std::string text = "a\x82\xA0\x82\r\xB1\x85\x40";
  struct Step {
    std::size_t pos;
    char16_t ch;
    int length;
  };
  for (const Step& s : {Step{0, u'a', 1}, Step{1, u'あ', 2}, Step{3, 0xFFFD, 1}, Step{4, u'\r', 1}, Step{5, u'ｱ', 1},
                        Step{6, 0xFFFD, 2}, Step{8, 0xFFFD, 0}, Step{100, 0xFFFD, 0}}) {
    const codec::DecodedChar d = codec::DecodeChar(text, s.pos);
    EXPECT_EQ(d.ch, s.ch) << "at " << s.pos;
    EXPECT_EQ(d.length, s.length) << "at " << s.pos;
  }
  // The byte walk steps over any byte after a lead byte (here CR), and a lead byte at the very end
  // stands alone.
  for (auto [pos, length] : {std::pair{0, 1}, {1, 2}, {3, 2}, {5, 1}, {6, 2}})
    EXPECT_EQ(codec::CharLength(text, static_cast<std::size_t>(pos)), static_cast<std::size_t>(length)) << "at " << pos;
  EXPECT_EQ(codec::CharLength("a\x82", 1), 1u);
}

TEST(Cp932Decode, EveryByteSequenceDecodesWithoutLosingItsPlace) {
  // Whatever the bytes, the decoded characters account for every byte exactly once.
  std::string all;
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; b += 7) {
      all.push_back(static_cast<char>(a));
      all.push_back(static_cast<char>(b));
    }
  }
  std::size_t bytes = 0;
  std::size_t chars = 0;
  while (bytes < all.size()) {
    const codec::DecodedChar d = codec::DecodeChar(all, bytes);
    ASSERT_GE(d.length, 1);
    bytes += static_cast<std::size_t>(d.length);
    ++chars;
  }
  EXPECT_EQ(bytes, all.size());
  EXPECT_EQ(codec::Cp932ToUtf16(all).size(), chars);
}

}  // namespace
