// Table-driven code page 932 <-> Unicode conversion; the tables reproduce glibc's "CP932".
#include "codec/cp932.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace codec {
namespace {

#include "codec/cp932_table.inc"

constexpr char16_t kReplacement = 0xFFFD;

constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

constexpr int LeadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31; }

// Decoding rules: a lead byte at the end, or followed by a byte outside the trail range, is one
// U+FFFD and only the lead byte is consumed, so the following byte (often a CR or an ASCII letter)
// still shows as itself. A lead byte with a byte in the trail range is one character even when the
// code is unassigned; such a pair becomes one U+FFFD for both bytes, matching how the editor
// counts it as one two-column character.
inline DecodedChar DecodeAt(const unsigned char* p, std::size_t size, std::size_t i) {
  const unsigned char c = p[i];
  if (!IsLeadByte(c)) return {kSingleByte[c], 1};
  if (i + 1 >= size || !IsTrailByte(p[i + 1])) return {kReplacement, 1};
  return {kDoubleByte[LeadIndex(c)][p[i + 1] - 0x40], 2};
}

// Code page 932 code for a BMP code point, 0 when there is none (U+0000 is handled by callers).
inline std::uint16_t ReverseLookup(char16_t cp) { return kReversePage[kReverseIndex[cp >> 8]][cp & 0xFF]; }

// Writes the code for cp at out and returns the end; counts a character without a code.
inline char* PutCode(char* out, char16_t cp, int& replaced) {
  if (cp == 0) {
    *out++ = '\0';
    return out;
  }
  const std::uint16_t code = ReverseLookup(cp);
  if (code == 0) {
    *out++ = '?';
    ++replaced;
  } else if (code < 0x100) {
    *out++ = static_cast<char>(code);
  } else {
    *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
  }
  return out;
}

inline char* PutUtf8(char* out, char16_t cp) {
  if (cp < 0x80) {
    *out++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out++ = static_cast<char>(0xC0 | (cp >> 6));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | (cp >> 12));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

// Length of the well-formed UTF-8 sequence at p[i] (1-4) and its code point, or 0 when the byte
// at i does not start one (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut off).
inline int Utf8Sequence(const unsigned char* p, std::size_t size, std::size_t i, char32_t& cp) {
  const unsigned char c = p[i];
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  int len;
  char32_t min;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2, min = 0x80, cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3, min = 0x800, cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4, min = 0x10000, cp = c & 0x07;
  } else {
    return 0;
  }
  if (size - i < static_cast<std::size_t>(len)) return 0;
  for (int k = 1; k < len; ++k) {
    const unsigned char t = p[i + k];
    if ((t & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (t & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// Length of the run of ASCII bytes at p[i..size), looked at eight bytes at a time.
inline std::size_t AsciiRun(const unsigned char* p, std::size_t size, std::size_t i) {
  const std::size_t start = i;
  while (i + 8 <= size) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    if (word & 0x8080808080808080ULL) break;
    i += 8;
  }
  while (i < size && p[i] < 0x80) ++i;
  return i - start;
}

}  // namespace

DecodedChar DecodeChar(std::string_view cp932, std::size_t pos) {
  if (pos >= cp932.size()) return {kReplacement, 0};
  return DecodeAt(reinterpret_cast<const unsigned char*>(cp932.data()), cp932.size(), pos);
}

std::u16string Cp932ToUtf16(std::string_view cp932) {
  const auto* p = reinterpret_cast<const unsigned char*>(cp932.data());
  const std::size_t size = cp932.size();
  // Never more code units than bytes; fill in place and trim.
  std::u16string out(size, u'\0');
  std::size_t o = 0;
  for (std::size_t i = 0; i < size;) {
    const DecodedChar d = DecodeAt(p, size, i);
    out[o++] = d.ch;
    i += static_cast<std::size_t>(d.length);
  }
  out.resize(o);
  return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  const auto* p = reinterpret_cast<const unsigned char*>(cp932.data());
  const std::size_t size = cp932.size();
  std::string out;
  out.reserve(size + size / 2);
  // Convert through a small buffer: a byte can become up to three, and sizing the whole output for
  // that would triple the memory of a large text.
  constexpr std::size_t kChunk = 4096;
  char buffer[kChunk * 3];
  for (std::size_t i = 0; i < size;) {
    char* o = buffer;
    const std::size_t chunkEnd = size - i > kChunk ? i + kChunk : size;
    while (i < chunkEnd) {
      if (p[i] < 0x80) {
        const std::size_t run = AsciiRun(p, chunkEnd, i);
        std::memcpy(o, p + i, run);
        o += run;
        i += run;
        continue;
      }
      const DecodedChar d = DecodeAt(p, size, i);
      o = PutUtf8(o, d.ch);
      i += static_cast<std::size_t>(d.length);
    }
    out.append(buffer, o);
  }
  return out;
}

Encoded Utf16ToCp932(std::u16string_view utf16) {
  Encoded result;
  const std::size_t size = utf16.size();
  // At most two bytes per code unit.
  result.bytes.resize(size * 2);
  char* const begin = result.bytes.data();
  char* o = begin;
  for (std::size_t i = 0; i < size; ++i) {
    const char16_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDFFF) {
      // A character beyond the BMP (or a lone surrogate) has no code: one "?" per character.
      if (c <= 0xDBFF && i + 1 < size && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) ++i;
      *o++ = '?';
      ++result.replaced;
      continue;
    }
    o = PutCode(o, c, result.replaced);
  }
  result.bytes.resize(static_cast<std::size_t>(o - begin));
  return result;
}

Encoded Utf8ToCp932(std::string_view utf8) {
  Encoded result;
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  // Never longer than the input: a sequence of k bytes gives at most min(k, 2) bytes.
  result.bytes.resize(size);
  char* const begin = result.bytes.data();
  char* o = begin;
  for (std::size_t i = 0; i < size;) {
    if (p[i] < 0x80) {
      const std::size_t run = AsciiRun(p, size, i);
      std::memcpy(o, p + i, run);
      o += run;
      i += run;
      continue;
    }
    char32_t cp = 0;
    const int len = Utf8Sequence(p, size, i, cp);
    if (len == 0) {
      // Each byte that is not part of a well-formed sequence is one "?".
      *o++ = '?';
      ++result.replaced;
      ++i;
      continue;
    }
    if (cp > 0xFFFF) {
      *o++ = '?';
      ++result.replaced;
    } else {
      o = PutCode(o, static_cast<char16_t>(cp), result.replaced);
    }
    i += static_cast<std::size_t>(len);
  }
  result.bytes.resize(static_cast<std::size_t>(o - begin));
  return result;
}

bool LooksLikeUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  bool multiByte = false;
  for (std::size_t i = 0; i < size;) {
    if (p[i] < 0x80) {
      i += AsciiRun(p, size, i);
      continue;
    }
    char32_t cp = 0;
    const int len = Utf8Sequence(p, size, i, cp);
    if (len == 0) return false;
    multiByte = true;
    i += static_cast<std::size_t>(len);
  }
  return multiByte;
}

}  // namespace codec
