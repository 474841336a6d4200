// Cutting logical lines into screen rows.
#include "editor/wrap.h"

#include <algorithm>
#include <cstring>

#include "codec/cp932.h"
#include "editor/wrapoption.h"

namespace editor {

DelimiterSet DefaultDelimiters() {
  DelimiterSet d;
  d.set();
  for (int c = '0'; c <= '9'; ++c) d.reset(c);
  for (int c = 'A'; c <= 'Z'; ++c) d.reset(c);
  for (int c = 'a'; c <= 'z'; ++c) d.reset(c);
  d.reset('_');
  for (int c = 0x81; c <= 0x9F; ++c) d.reset(c);
  for (int c = 0xA6; c <= 0xFC; ++c) d.reset(c);
  return d;
}

CharSet::CharSet(std::string_view chars) {
  for (size_t i = 0; i < chars.size(); ++i) {
    const auto c = static_cast<unsigned char>(chars[i]);
    if (codec::IsLeadByte(c) && i + 1 < chars.size()) {
      pairs_.push_back(static_cast<uint16_t>(c << 8 | static_cast<unsigned char>(chars[i + 1])));
      ++i;
    } else {
      single_.set(c);
    }
  }
  std::sort(pairs_.begin(), pairs_.end());
  pairs_.erase(std::unique(pairs_.begin(), pairs_.end()), pairs_.end());
}

bool CharSet::Contains(std::string_view text, size_t pos) const {
  if (pos >= text.size()) return false;
  const auto c = static_cast<unsigned char>(text[pos]);
  if (codec::IsLeadByte(c) && pos + 1 < text.size()) {
    const auto pair = static_cast<uint16_t>(c << 8 | static_cast<unsigned char>(text[pos + 1]));
    return std::binary_search(pairs_.begin(), pairs_.end(), pair);
  }
  return single_.test(c);
}

namespace {

// End (exclusive, 0-based) of the columns a tab starting at 0-based column p covers.
inline int TabEnd(int p, int tab_width, int wrap_byte) {
  int e = (p / tab_width + 1) * tab_width;
  if (wrap_byte > 0) e = std::min(e, (p / wrap_byte + 1) * wrap_byte);
  return e;
}

inline int SafeTab(int tab_width) { return tab_width < 1 ? 1 : tab_width; }

}  // namespace

void BuildColumns(std::string_view text, int tab_width, int wrap_byte, int limit, const DelimiterSet& delimiters,
                  ColumnLayout& out) {
  tab_width = SafeTab(tab_width);
  limit = std::max(limit, 0);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  // Never more columns than the limit, and never more than two per byte (a tab's fill counts
  // towards the limit too).
  const size_t cap = std::min<size_t>(static_cast<size_t>(limit), n * static_cast<size_t>(std::max(tab_width, 2)));
  out.codes.resize(cap + 1);
  out.bytes.resize(cap);
  char* codes = out.codes.data();
  uint32_t* bytes = out.bytes.data();
  size_t i = 0;
  int col = 0;  // columns laid out so far
  while (i < n && col < limit) {
    const unsigned char c = p[i];
    if (codec::IsLeadByte(c) && i + 1 < n) {
      codes[col] = kColLead;
      bytes[col++] = static_cast<uint32_t>(i + 1);
      if (col >= limit) break;
      codes[col] = kColTrail;
      bytes[col++] = static_cast<uint32_t>(i + 2);
      i += 2;
    } else if (c == '\t') {
      const int end = std::min(TabEnd(col, tab_width, wrap_byte), limit);
      const auto after = static_cast<uint32_t>(i + 1);
      codes[col] = kColDelimiter;
      bytes[col++] = after;
      while (col < end) {
        codes[col] = kColTabFill;
        bytes[col++] = after;
      }
      ++i;
    } else {
      codes[col] = delimiters.test(c) ? kColDelimiter : kColWord;
      bytes[col++] = static_cast<uint32_t>(i + 1);
      ++i;
    }
  }
  out.bytes.resize(static_cast<size_t>(col));
  if (i >= n) {
    codes[col] = kColEnd;
    out.codes.resize(static_cast<size_t>(col) + 1);
  } else {
    out.codes.resize(static_cast<size_t>(col));
  }
}

std::string ColumnAttributes(std::string_view text, int tab_width, int wrap_byte, const DelimiterSet& delimiters) {
  ColumnLayout l;
  BuildColumns(text, tab_width, wrap_byte, wrap_byte > 0 ? wrap_byte + 3 : 1000, delimiters, l);
  return l.codes;
}

int DisplayWidth(std::string_view text, int tab_width, int wrap_byte) {
  if (std::memchr(text.data(), '\t', text.size()) == nullptr) return static_cast<int>(text.size());
  tab_width = SafeTab(tab_width);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  int col = 0;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char c = p[i];
    if (codec::IsLeadByte(c) && i + 1 < n) {
      col += 2;
      ++i;
    } else if (c == '\t') {
      col = TabEnd(col, tab_width, wrap_byte);
    } else {
      ++col;
    }
  }
  return col;
}

WrapRules WrapRules::From(const TEditorWrapOption& option, bool word_wrap, int tab_width,
                          const DelimiterSet& delimiters) {
  WrapRules r;
  r.WordWrap = word_wrap;
  r.WrapByte = option.WrapByte();
  r.WordBreak = option.WordBreak();
  r.FollowPunctuation = option.FollowPunctuation();
  r.Leading = option.Leading();
  r.FollowRetMark = option.FollowRetMark();
  r.Punctuation = CharSet(option.PunctuationStr());
  r.Lead = CharSet(option.LeadStr());
  r.Follow = CharSet(option.FollowStr());
  r.TabWidth = tab_width;
  r.Delimiters = delimiters;
  return r;
}

int CountRawLines(std::string_view text) {
  int n = 0;
  ForEachRawLine(text, [&](std::string_view) { ++n; });
  return n;
}

std::string CrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      out += "\r\n";
      if (ch == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    } else {
      out += ch;
    }
  }
  return out;
}

WrapEngine::WrapEngine(WrapRules rules) : rules_(std::move(rules)) {
  rules_.WrapByte = std::clamp(rules_.WrapByte, 2, 100000);
  rules_.TabWidth = SafeTab(rules_.TabWidth);
}

bool WrapEngine::FitsOneRow(std::string_view line) const {
  if (!rules_.WordWrap) return true;
  // Every byte takes at least one column, so only a shorter line can fit, and without a tab its
  // width is its length.
  const auto wrap = static_cast<size_t>(rules_.WrapByte);
  if (line.size() >= wrap) return false;
  if (std::memchr(line.data(), '\t', line.size()) == nullptr) return true;
  return DisplayWidth(line, rules_.TabWidth, rules_.WrapByte) < rules_.WrapByte;
}

int WrapEngine::StepBack(int column) const {
  const char code = layout_.Code(column);
  if (code == kColTrail) return column - 2;
  if (code == kColTabFill) {
    while (column > 1 && layout_.Code(column) == kColTabFill) --column;
    return column - 1;  // past the tab's own column
  }
  return column - 1;
}

int WrapEngine::SpanAfter(int column) const {
  const char code = layout_.Code(column + 1);
  switch (code) {
    case kColLead: return 2;
    case kColWord:
    case kColDelimiter: {
      int span = 1;
      while (layout_.Code(column + 1 + span) == kColTabFill) ++span;
      return span;
    }
    default:  // end of text, or inside a tab's fill
      return 0;
  }
}

bool WrapEngine::CharAtIn(std::string_view rest, int column, const CharSet& set) const {
  if (column < 1 || column > layout_.Columns()) return false;
  const char code = layout_.Code(column);
  const uint32_t end = layout_.bytes[column - 1];
  if (code == kColLead) return false;  // half a character
  const uint32_t start = code == kColTrail ? end - 2 : end - 1;
  return set.Contains(rest, start);
}

bool WrapEngine::CharAfterIn(std::string_view rest, int column, const CharSet& set) const {
  if (SpanAfter(column) == 0) return false;
  const uint32_t start = column >= 1 ? layout_.bytes[column - 1] : 0;
  return set.Contains(rest, start);
}

uint32_t WrapEngine::RowEnd(std::string_view rest) {
  const WrapRules& r = rules_;
  const int wrap = r.WrapByte;
  int c = wrap;

  if (layout_.Code(c) == kColLead) {
    // A double-byte character never splits: it goes to the next row whole.
    c -= 1;
  } else if (r.WordBreak && layout_.Code(wrap + 1) != kColEnd) {
    const int floor = wrap / 3;
    bool found = false;
    for (;;) {
      const char code = layout_.Code(c);
      if (code == kColDelimiter || code == kColTabFill || code == kColTrail) {
        found = true;
        break;
      }
      if (c <= floor) break;
      c = StepBack(c);
    }
    if (!found) c = floor;
  }

  if (r.FollowPunctuation) {
    // Hanging punctuation: at most two columns past the row width.
    const int limit = wrap + 2;
    while (c < limit) {
      const int span = SpanAfter(c);
      if (span == 0 || c + span > limit || !CharAfterIn(rest, c, r.Punctuation)) break;
      c += span;
    }
  }

  const auto bytes_at = [&](int col) -> uint32_t { return col >= 1 ? layout_.bytes[col - 1] : 0; };
  if (r.Leading && bytes_at(c) < rest.size()) {
    const int floor = (wrap / 5) * 4;
    while (c > floor && CharAtIn(rest, c, r.Lead)) c = StepBack(c);
    const int columns_after = layout_.Columns() - c;
    if (columns_after >= 2 && CharAfterIn(rest, c, r.Follow)) {
      while (c > floor && (CharAtIn(rest, c, r.Lead) || CharAfterIn(rest, c, r.Follow))) c = StepBack(c);
    }
  }

  uint32_t bytes = bytes_at(std::max(c, 0));
  if (bytes == 0) {
    // Never an empty row in the middle of a line: take at least one character.
    bytes = static_cast<uint32_t>(codec::CharLength(rest, 0));
  }
  return bytes;
}

void WrapEngine::CutLine(std::string_view line, std::vector<RowCut>& cuts) {
  if (FitsOneRow(line)) {
    cuts.push_back({0, static_cast<uint32_t>(line.size()), rowLineBreak});
    return;
  }
  const int limit = rules_.WrapByte + 8;  // enough look-ahead for every rule
  size_t pos = 0;
  bool emitted = false;
  for (;;) {
    const std::string_view rest = line.substr(pos);
    BuildColumns(rest, rules_.TabWidth, rules_.WrapByte, limit, rules_.Delimiters, layout_);
    // The cursor is at column WrapByte, or at the end of text when that comes first.
    if (layout_.Code(rules_.WrapByte) == kColEnd) break;
    const uint32_t n = RowEnd(rest);
    cuts.push_back({static_cast<uint32_t>(pos), n, rowWrapped});
    emitted = true;
    pos += n;
  }
  if (pos < line.size()) {
    cuts.push_back({static_cast<uint32_t>(pos), static_cast<uint32_t>(line.size() - pos), rowLineBreak});
  } else if (emitted && rules_.FollowRetMark) {
    cuts.back().attr = rowLineBreak;
  } else {
    cuts.push_back({static_cast<uint32_t>(pos), 0, rowLineBreak});
  }
}

int WrapEngine::CountRows(std::string_view line) {
  if (FitsOneRow(line)) return 1;
  scratch_.clear();
  CutLine(line, scratch_);
  return static_cast<int>(scratch_.size());
}

void WrapEngine::WrapText(std::string_view text, TEditorStringList& out) {
  ForEachRawLine(text, [&](std::string_view line) {
    if (FitsOneRow(line)) {
      out.AddRow(line, rowLineBreak);
      return;
    }
    scratch_.clear();
    CutLine(line, scratch_);
    for (const RowCut& cut : scratch_) out.AddRow(line.substr(cut.offset, cut.length), cut.attr);
  });
}

}  // namespace editor
