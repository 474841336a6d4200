// Text in a format: quotes, double-byte characters (whose trail bytes may look like specifier
// letters) and other characters are copied, never read as specifiers.
#include <gtest/gtest.h>

#include "timestamp_util.h"

namespace {

using tstest::Format;
using tstest::kMorning;
using tstest::Sjis;

TEST(Text, Quotes) {
  const struct {
    const char* format;
    const char* expected;
  } cases[] = {
      {"'yyyy'", "yyyy"},
      {"\"dd/mm\"", "dd/mm"},
      {"yyyy'年'", "2026年"},
      {"'h' h", "h 9"},
      {"'it''s'", "its"},
      {"\"it's\"", "it's"},
      {"'say \"d\"'", "say \"d\""},
      {"''d", "8"},
      // An unclosed quote runs to the end of the format.
      {"d'月 ampm h", "8月 ampm h"},
      {"h\"", "9"},
      {"'", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(Format(c.format, kMorning), c.expected);
  }
}

TEST(Text, DoubleByteCharactersWithLetterTrailBytes) {
  // Each of these has a trail byte that is a letter of the language: 派 'h', 芭 'm', 馬 'n',
  // 把 'c', 播 'd', 尿 'A', 敗 's', 配 'z', 杯 't', 輩 'y', 波 'g', 覇 'e', 蚤 'a', 年 'N',
  // Ｅ 'd', Ｎ 'm'; ソ and 表 end in 0x5C.
  const char* const chars[] = {"派", "芭", "馬", "把", "播", "尿", "敗", "配", "杯",
                               "輩", "波", "覇", "蚤", "年", "Ｅ", "Ｎ", "ソ", "表"};
  std::string all;
  for (const char* ch : chars) {
    const std::string sjis = Sjis(ch);
    ASSERT_EQ(sjis.size(), 2u) << ch;
    const unsigned char trail = static_cast<unsigned char>(sjis[1]);
    EXPECT_TRUE((trail >= 'A' && trail <= 'Z') || (trail >= 'a' && trail <= 'z') || trail == 0x5C) << ch;
    EXPECT_EQ(Format(ch, kMorning), ch);
    all += ch;
  }
  EXPECT_EQ(Format(all, kMorning), all);
  EXPECT_EQ(Format("d" + all + "d", kMorning), "8" + all + "8");
  EXPECT_EQ(Format("'" + all + "'", kMorning), all);
}

TEST(Text, TrailBytesNeitherMarkNorLink) {
  // 尿 = 94 41: its trail 'A' followed by "M/PM" must not make a half-day marker, so the hour
  // stays on the 24-hour clock; the later "M"s are read as ordinary specifiers.
  EXPECT_EQ(Format("hh尿M/PM", tstest::kNight), "23尿59/P12");
  // 派 = 94 68 ends in 'h': the "m" after it is the month, not minutes.
  EXPECT_EQ(Format("d派m", kMorning), "8派12");
  // A lone lead byte at the end of a format is copied as it is.
  EXPECT_EQ(editorsettings::FormatDateTime("d\x94", kMorning), "8\x94");
  EXPECT_EQ(editorsettings::FormatDateTime("'\x94", kMorning), "\x94");
}

TEST(Text, OtherCharactersAreCopied) {
  EXPECT_EQ(Format("[#%1 -_.,;!?]", kMorning), "[#%1 -_.,;!?]");
  // Letters that are no specifier keep their case.
  EXPECT_EQ(Format("bBfiJkLoPqrUvwX", kMorning), "bBfiJkLoPqrUvwX");
  EXPECT_EQ(Format("", kMorning), "");
}

}  // namespace
