// The conversion tables as a whole: every code round-trips to a code of the same character, and
// the committed tables still agree with glibc's converter they were generated from.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "codec/cp932.h"

namespace {

std::vector<std::string> AllDoubleByteCodes() {
  std::vector<std::string> codes;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!codec::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  return codes;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  for (unsigned char c : bytes) {
    s += digits[c >> 4];
    s += digits[c & 15];
  }
  return s;
}

TEST(Cp932Table, EveryMappedCodeDecodesToOneCharacterThatEncodesBackToIt) {
  int mapped = 0;
  for (const std::string& code : AllDoubleByteCodes()) {
    const std::u16string u = codec::Cp932ToUtf16(code);
    ASSERT_EQ(u.size(), 1u) << Hex(code);
    if (u[0] == 0xFFFD) continue;
    ++mapped;
    const codec::Encoded back = codec::Utf16ToCp932(u);
    EXPECT_EQ(back.replaced, 0) << Hex(code);
    // Duplicates (NEC/IBM) may come back as their other code, but never as another character.
    EXPECT_EQ(codec::Cp932ToUtf16(back.bytes), u) << Hex(code) << " -> " << Hex(back.bytes);
  }
  // JIS X 0208 with the NEC and IBM extensions and the user-defined area.
  EXPECT_GT(mapped, 9000);
}

TEST(Cp932Table, SingleBytesRoundTrip) {
  for (int b = 0; b < 0x100; ++b) {
    if (codec::IsLeadByte(static_cast<unsigned char>(b))) continue;
    const std::string byte(1, static_cast<char>(b));
    const std::u16string u = codec::Cp932ToUtf16(byte);
    ASSERT_EQ(u.size(), 1u);
    if (b == 0x80 || b == 0xA0 || b >= 0xFD) {
      EXPECT_EQ(u[0], 0xFFFD) << b;
      continue;
    }
    EXPECT_EQ(u[0], b >= 0xA1 ? 0xFF61 + (b - 0xA1) : b) << b;
    EXPECT_EQ(codec::Utf16ToCp932(u).bytes, byte) << b;
  }
}

TEST(Cp932Table, NecIbmDuplicateEncodesToItsIbmCode) {
  const std::u16string u = codec::Cp932ToUtf16("\xED\x40");
  ASSERT_EQ(u.size(), 1u);
  EXPECT_NE(u[0], 0xFFFD);
  EXPECT_EQ(codec::Utf16ToCp932(u).bytes, "\xFA\x5C");
}

class GlibcCp932 : public testing::Test {
 protected:
  void SetUp() override {
    decoder_ = iconv_open("UTF-16LE", "CP932");
    encoder_ = iconv_open("CP932", "UTF-16LE");
    if (decoder_ == reinterpret_cast<iconv_t>(-1) || encoder_ == reinterpret_cast<iconv_t>(-1))
      GTEST_SKIP() << "glibc has no CP932 converter here";
  }
  void TearDown() override {
    if (decoder_ != reinterpret_cast<iconv_t>(-1)) iconv_close(decoder_);
    if (encoder_ != reinterpret_cast<iconv_t>(-1)) iconv_close(encoder_);
  }
  // The converted bytes, or nothing when iconv rejects the input.
  static bool Convert(iconv_t cd, const std::string& in, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return false;
    out.assign(buffer, outPtr);
    return true;
  }
  iconv_t decoder_ = reinterpret_cast<iconv_t>(-1);
  iconv_t encoder_ = reinterpret_cast<iconv_t>(-1);
};

TEST_F(GlibcCp932, DecodingAgreesForEveryCode) {
  std::vector<std::string> codes = AllDoubleByteCodes();
  for (int b = 0; b < 0x100; ++b)
    if (!codec::IsLeadByte(static_cast<unsigned char>(b))) codes.push_back(std::string(1, static_cast<char>(b)));
  for (const std::string& code : codes) {
    std::string utf16le;
    std::u16string expected = u"\uFFFD";
    if (Convert(decoder_, code, utf16le) && utf16le.size() == 2)
      expected = std::u16string(1, static_cast<char16_t>(static_cast<unsigned char>(utf16le[0]) |
                                                         static_cast<unsigned char>(utf16le[1]) << 8));
    EXPECT_EQ(codec::Cp932ToUtf16(code), expected) << Hex(code);
  }
}

TEST_F(GlibcCp932, EncodingAgreesForEveryBmpCodePoint) {
  int encodable = 0;
  for (char32_t cp = 1; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::u16string u(1, static_cast<char16_t>(cp));
    std::string expected;
    const std::string in{static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8)};
    const codec::Encoded e = codec::Utf16ToCp932(u);
    if (Convert(encoder_, in, expected)) {
      ++encodable;
      EXPECT_EQ(e.bytes, expected) << std::hex << static_cast<unsigned>(cp);
      EXPECT_EQ(e.replaced, 0);
    } else {
      EXPECT_EQ(e.bytes, "?") << std::hex << static_cast<unsigned>(cp);
      EXPECT_EQ(e.replaced, 1);
    }
  }
  EXPECT_GT(encodable, 9000);
}

}  // namespace
