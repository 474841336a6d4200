// Fixed tables of the Shift-JIS search: word delimiters, full-width forms, kana voicing and the
// upper-case maps, with the two string transformations built on them (upper case and widening).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace search {

// A set of byte values, 256 bits.
struct ByteSet {
  std::array<std::uint64_t, 4> bits{};

  constexpr bool Contains(unsigned char b) const { return ((bits[b >> 6] >> (b & 63)) & 1) != 0; }
  constexpr void Add(unsigned char b) { bits[b >> 6] |= std::uint64_t{1} << (b & 63); }
  constexpr void AddRange(int lo, int hi) {
    for (int b = lo; b <= hi; ++b) Add(static_cast<unsigned char>(b));
  }
};

// Bytes that end a word. Lead bytes of double-byte characters and half-width katakana are word
// bytes, so a run of Japanese text is one word; the underscore is a delimiter.
inline constexpr ByteSet DelimiterSet = [] {
  ByteSet s;
  s.AddRange(0x00, 0x2F);
  s.AddRange(0x3A, 0x40);
  s.AddRange(0x5B, 0x60);
  s.AddRange(0x7B, 0x80);
  s.AddRange(0xA0, 0xA5);
  s.AddRange(0xFD, 0xFF);
  return s;
}();

// The full-width (JIS X 0208) form of a single byte: two bytes, or the byte itself when it has
// none (controls, 0x7F-0xA0, 0xE0-0xFF).
struct WideForm {
  unsigned char length;
  unsigned char bytes[2];
};

namespace detail {

constexpr WideForm Two(unsigned code) {
  return {2, {static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code & 0xFF)}};
}

// Full-width forms of 0x20-0x7E. Quotes, minus, yen, circumflex, low line, grave, bar and overline
// take the JIS X 0208 symbols of the same look, not the code page's "full-width" duplicates.
inline constexpr std::array<std::uint16_t, 95> kAsciiWide = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166,  // space ! " # $ % & '
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // ( ) * + , - . /
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // 0-7
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,  // 8 9 : ; < = > ?
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,  // @ A-G
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,  // H-O
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,  // P-W
    0x8277, 0x8278, 0x8279, 0x816D, 0x818F, 0x816E, 0x814F, 0x8151,  // X Y Z [ \ ] ^ _
    0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,  // ` a-g
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,  // h-o
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,  // p-w
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150,          // x y z { | } ~
};

// Full-width forms of the half-width katakana block 0xA1-0xDF.
inline constexpr std::array<std::uint16_t, 63> kKanaWide = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145,                          // 。「」、・
    0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385,  // ヲァィゥェォャュ
    0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349,  // ョッーアイウエオ
    0x834A, 0x834C, 0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358,  // カキクケコサシス
    0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369,  // セソタチツテトナ
    0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377,  // ニヌネノハヒフヘ
    0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386,  // ホマミムメモヤユ
    0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393,  // ヨラリルレロワン
    0x814A, 0x814B,                                                  // ゛゜
};

}  // namespace detail

inline constexpr std::array<WideForm, 256> WideFormTable = [] {
  std::array<WideForm, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = {1, {static_cast<unsigned char>(b), 0}};
  for (int b = 0x20; b <= 0x7E; ++b) t[b] = detail::Two(detail::kAsciiWide[b - 0x20]);
  for (int b = 0xA1; b <= 0xDF; ++b) t[b] = detail::Two(detail::kKanaWide[b - 0xA1]);
  return t;
}();

// One entry per half-width katakana 0xA6-0xDF: the low 7 bits are the character's cell in JIS
// X 0208 row 5 (katakana), bit 7 marks the letters that take a voiced mark (ｶ-ﾄ, ﾊ-ﾎ). ｰ, ﾞ and ﾟ
// live in row 1 and have no cell here.
inline constexpr std::array<unsigned char, 58> KanaVoicingTable = {
    0x72, 0x21, 0x23, 0x25, 0x27, 0x29, 0x63, 0x65,  // ｦｧｨｩｪｫｬｭ
    0x67, 0x43, 0x00, 0x22, 0x24, 0x26, 0x28, 0x2A,  // ｮｯｰｱｲｳｴｵ
    0xAB, 0xAD, 0xAF, 0xB1, 0xB3, 0xB5, 0xB7, 0xB9,  // ｶｷｸｹｺｻｼｽ
    0xBB, 0xBD, 0xBF, 0xC1, 0xC4, 0xC6, 0xC8, 0x4A,  // ｾｿﾀﾁﾂﾃﾄﾅ
    0x4B, 0x4C, 0x4D, 0x4E, 0xCF, 0xD2, 0xD5, 0xD8,  // ﾆﾇﾈﾉﾊﾋﾌﾍ
    0xDB, 0x5E, 0x5F, 0x60, 0x61, 0x62, 0x64, 0x66,  // ﾎﾏﾐﾑﾒﾓﾔﾕ
    0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6F, 0x73,  // ﾖﾗﾘﾙﾚﾛﾜﾝ
    0x00, 0x00,                                      // ﾞﾟ
};

// The platform's single-byte upper case: only a-z change.
inline constexpr std::array<unsigned char, 256> UpperTable = [] {
  std::array<unsigned char, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 0x20 : b);
  return t;
}();

// Trail bytes of the full-width small letters (lead 0x82, 0x81-0x9A) to those of the capitals
// (0x60-0x79). Only meaningful after lead byte 0x82.
inline constexpr std::array<unsigned char, 256> WideUpperTable = [] {
  std::array<unsigned char, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = static_cast<unsigned char>(b >= 0x81 && b <= 0x9A ? b - 0x21 : b);
  return t;
}();

// Shift-JIS bytes (lead << 8 | trail) of a JIS X 0208 code (row and cell 0x21-0x7E each).
constexpr std::uint16_t JisToShiftJis(std::uint16_t jis) {
  const unsigned j1 = jis >> 8;
  const unsigned j2 = jis & 0xFF;
  const unsigned s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
  unsigned s2;
  if (j1 & 1)
    s2 = j2 + (j2 >= 0x60 ? 0x20 : 0x1F);
  else
    s2 = j2 + 0x7E;
  return static_cast<std::uint16_t>(s1 << 8 | s2);
}

// True for the half-width letter and mark pairs that widen to one full-width character: a voiced
// mark after ｳ, ｶ-ﾄ or ﾊ-ﾎ, a semi-voiced mark after ﾊ-ﾎ.
constexpr bool CombinesWithMark(unsigned char letter, unsigned char mark) {
  if (mark == 0xDE) return letter == 0xB3 || (letter >= 0xB6 && letter <= 0xC4) || (letter >= 0xCA && letter <= 0xCE);
  if (mark == 0xDF) return letter >= 0xCA && letter <= 0xCE;
  return false;
}

// The text upper-cased like the platform's ANSI upper case under the Japanese locale: a-z, and
// the full-width small letters to full-width capitals. Trail bytes are never touched.
std::string AnsiUpper(std::string_view text);

// The text with every single-byte character replaced by its full-width form; half-width kana
// with a following voiced or semi-voiced mark become the one voiced or semi-voiced letter.
std::string Widen(std::string_view text);

}  // namespace search
