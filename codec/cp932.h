// Code page 932 (Shift-JIS) bytes <-> Unicode. The core keeps text as code page 932 bytes; this is
// the one place that converts, used at the Qt boundary and by the command-line companion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace codec {

// Lead byte of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Bytes of the character starting at `pos` (inside `s`): 2 for a lead byte with a byte after it,
// else 1. Stepping by it never cuts a character and never runs past the end.
constexpr std::size_t CharLength(std::string_view s, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

// Decoding never fails: a byte or pair without a mapping (a truncated lead byte, an unassigned
// code) becomes one U+FFFD.
std::u16string Cp932ToUtf16(std::string_view cp932);
std::string Cp932ToUtf8(std::string_view cp932);

// The character at byte `pos`, for callers that draw or measure one character at a time. `length`
// is the number of bytes it takes: 2 for a lead byte with a byte of the trail range (0x40-0x7E,
// 0x80-0xFC) after it, else 1; a lead byte that is cut off or followed by any other byte is one
// U+FFFD of length 1. A `pos` at or beyond the end gives U+FFFD with length 0.
struct DecodedChar {
  char16_t ch;
  int length;
};
DecodedChar DecodeChar(std::string_view cp932, std::size_t pos);

// Encoding replaces every character code page 932 cannot hold by "?" and counts them.
struct Encoded {
  std::string bytes;
  int replaced = 0;
};
Encoded Utf16ToCp932(std::u16string_view utf16);
Encoded Utf8ToCp932(std::string_view utf8);

// True when the bytes are valid UTF-8 and contain at least one multi-byte sequence, i.e. text
// that is UTF-8 rather than code page 932 (plain ASCII is both and answers false).
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace codec
