// Upper-casing and widening of search patterns (and of single text characters).
#include "search/searchtables.h"

#include "codec/cp932.h"

namespace search {

// The two hand-written forms of a half-width katakana must agree: the full-width form and the
// row-5 cell it widens through.
static_assert([] {
  for (int b = 0xA6; b <= 0xDD; ++b) {
    const unsigned cell = KanaVoicingTable[b - 0xA6] & 0x7F;
    if (cell == 0) continue;
    const WideForm& w = WideFormTable[b];
    if (JisToShiftJis(static_cast<std::uint16_t>(0x2500 + cell)) != (w.bytes[0] << 8 | w.bytes[1])) return false;
  }
  return true;
}());

std::string AnsiUpper(std::string_view text) {
  std::string out(text);
  const std::size_t n = out.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (codec::IsLeadByte(c)) {
      if (i + 1 < n) {
        const auto trail = static_cast<unsigned char>(out[i + 1]);
        if (c == 0x82 && trail >= 0x81 && trail <= 0x9A) out[i + 1] = static_cast<char>(WideUpperTable[trail]);
        ++i;
      }
      continue;
    }
    out[i] = static_cast<char>(UpperTable[c]);
  }
  return out;
}

std::string Widen(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const auto c = static_cast<unsigned char>(text[i]);
    const unsigned char next = i + 1 < n ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (codec::IsLeadByte(c)) {
      out.append(text.substr(i, 2));
      i += 2;
      continue;
    }
    if (((c >= 0xA6 && c <= 0xAF) || (c >= 0xB1 && c <= 0xDD)) && (KanaVoicingTable[c - 0xA6] & 0x80)) {
      std::uint16_t jis = static_cast<std::uint16_t>(0x2500 + (KanaVoicingTable[c - 0xA6] & 0x7F));
      i += 1;
      if (next == 0xDE) {
        jis += 1;
        i += 1;
      } else if (next == 0xDF && c >= 0xCA && c <= 0xCE) {
        jis += 2;
        i += 1;
      }
      const std::uint16_t sjis = JisToShiftJis(jis);
      out.push_back(static_cast<char>(sjis >> 8));
      out.push_back(static_cast<char>(sjis & 0xFF));
      continue;
    }
    if (c == 0xB3 && next == 0xDE) {
      out.append("\x83\x94");  // ヴ
      i += 2;
      continue;
    }
    const WideForm& w = WideFormTable[c];
    out.append(reinterpret_cast<const char*>(w.bytes), w.length);
    i += 1;
  }
  return out;
}

}  // namespace search
