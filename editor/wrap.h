// Cutting logical lines into screen rows: display columns, the column attribute string and the
// Japanese line-breaking rules (double-byte split, word break, hanging punctuation, kinsoku).
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/rows.h"

namespace editor {

class TEditorWrapOption;

// Bytes that end a word. Held per editor; the wrapping engine takes it as a parameter.
using DelimiterSet = std::bitset<256>;
// Every byte except "0"-"9", "A"-"Z", "_", "a"-"z", 0x81-0x9F and 0xA6-0xFC.
DelimiterSet DefaultDelimiters();

// Codes of the column attribute string.
inline constexpr char kColEnd = '0';        // after the last column: end of text
inline constexpr char kColWord = '1';       // single-byte word character
inline constexpr char kColDelimiter = '2';  // single-byte delimiter, a tab's own column included
inline constexpr char kColTabFill = '3';    // fill column of a tab
inline constexpr char kColLead = '4';       // first column of a double-byte character
inline constexpr char kColTrail = '5';      // second column of a double-byte character

// A set of code page 932 characters; a double-byte character matches only as a whole.
class CharSet {
 public:
  CharSet() = default;
  explicit CharSet(std::string_view chars);
  // Whether the character starting at text[pos] (one or two bytes) belongs to the set.
  bool Contains(std::string_view text, size_t pos) const;

 private:
  std::bitset<256> single_;
  std::vector<uint16_t> pairs_;  // sorted
};

// The columns of a text laid out from a row start.
struct ColumnLayout {
  std::string codes;            // codes[c - 1] is column c; a final '0' when the text ended
  std::vector<uint32_t> bytes;  // bytes[c - 1]: text bytes in columns 1..c (fill adds none)
  int Columns() const { return static_cast<int>(bytes.size()); }
  bool Ended() const { return !codes.empty() && codes.back() == kColEnd; }
  char Code(int column) const {
    return column >= 1 && column <= static_cast<int>(codes.size()) ? codes[column - 1] : kColEnd;
  }
};

// Lays out at most `limit` columns of `text`. A tab takes its own column and fills to the next
// multiple of `tab_width`, and with `wrap_byte` > 0 also stops at the next multiple of it.
void BuildColumns(std::string_view text, int tab_width, int wrap_byte, int limit, const DelimiterSet& delimiters,
                  ColumnLayout& out);
// The column attribute string as the editor builds it: up to wrap_byte + 3 columns with word wrap
// (wrap_byte > 0), up to 1000 without.
std::string ColumnAttributes(std::string_view text, int tab_width, int wrap_byte,
                             const DelimiterSet& delimiters = DefaultDelimiters());
// Display width over the whole text; a text without a tab is its byte length.
int DisplayWidth(std::string_view text, int tab_width, int wrap_byte);

// Everything the cutting depends on.
struct WrapRules {
  bool WordWrap = false;
  int WrapByte = 80;
  bool WordBreak = false;
  bool FollowPunctuation = false;
  bool Leading = false;
  bool FollowRetMark = false;
  CharSet Punctuation;
  CharSet Lead;
  CharSet Follow;
  int TabWidth = 8;
  DelimiterSet Delimiters = DefaultDelimiters();

  static WrapRules From(const TEditorWrapOption& option, bool word_wrap, int tab_width,
                        const DelimiterSet& delimiters = DefaultDelimiters());
};

// One row of a cut line: a byte range of the line and how the row ends.
struct RowCut {
  uint32_t offset;
  uint32_t length;
  RowAttribute attr;
};

// Calls f(line) for every raw line of `text`, cut at CR LF, lone CR and lone LF. A final line
// break ends the last line; an empty text is one empty line.
template <class F>
void ForEachRawLine(std::string_view text, F&& f) {
  const char* p = text.data();
  const size_t n = text.size();
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    const char ch = p[i];
    if (ch == '\r' || ch == '\n') {
      f(text.substr(start, i - start));
      if (ch == '\r' && i + 1 < n && p[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < n || n == 0) f(text.substr(start));
}

// The number of raw lines ForEachRawLine visits.
int CountRawLines(std::string_view text);

// `text` with every lone CR or LF made a CR LF, the line end the rows stand for, so that byte
// offsets counted in the text match offsets counted over the rows.
std::string CrLfLineEnds(std::string_view text);

class WrapEngine {
 public:
  explicit WrapEngine(WrapRules rules = {});
  const WrapRules& Rules() const { return rules_; }

  // Appends the rows of one logical line (no CR or LF inside); offsets are relative to `line`.
  // Every row but the last is rowWrapped; the last is rowLineBreak.
  void CutLine(std::string_view line, std::vector<RowCut>& cuts);
  // Rows CutLine would produce (1 when word wrap is off or the line is narrower than WrapByte).
  int CountRows(std::string_view line);
  // Cuts every raw line of `text` and appends the rows; the caller sets the last row's attribute.
  void WrapText(std::string_view text, TEditorStringList& out);

 private:
  bool FitsOneRow(std::string_view line) const;
  // Where the row starting at the beginning of `rest` ends, in bytes (> 0); `rest` is wider than
  // WrapByte - 1 columns and layout_ holds its columns.
  uint32_t RowEnd(std::string_view rest);
  // Column-wise steps over whole characters of layout_.
  int StepBack(int column) const;
  int SpanAfter(int column) const;  // columns of the character after `column`, 0 when none
  bool CharAtIn(std::string_view rest, int column, const CharSet& set) const;
  bool CharAfterIn(std::string_view rest, int column, const CharSet& set) const;

  WrapRules rules_;
  ColumnLayout layout_;
  std::vector<RowCut> scratch_;
};

}  // namespace editor
