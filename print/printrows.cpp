// Printed rows.
#include "print/printrows.h"

#include <algorithm>
#include <cmath>

#include "codec/cp932.h"

namespace print {

namespace {

int CharLength(std::string_view s, size_t i) { return static_cast<int>(codec::CharLength(s, i)); }

bool IsSingleBytePrintable(std::string_view s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  return c > 0x20 && c != 0x7F && CharLength(s, i) == 1;
}

// A word may end after a space, a control character or a double-byte character.
bool EndsWord(std::string_view s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  return c <= 0x20 || c == 0x7F || CharLength(s, i) == 2;
}

}  // namespace

ExpandedLine ExpandTabs(std::string_view line, int tabWidth) {
  ExpandedLine e;
  e.text.reserve(line.size());
  e.tabRunEnd.reserve(line.size());
  int column = 0;
  for (size_t i = 0; i < line.size();) {
    if (line[i] == '\t') {
      const int spaces = tabWidth - column % tabWidth;
      const int end = static_cast<int>(e.text.size()) + spaces;
      e.text.append(spaces, ' ');
      e.tabRunEnd.insert(e.tabRunEnd.end(), spaces, end);
      column += spaces;
      ++i;
      continue;
    }
    const int len = CharLength(line, i);
    e.text.append(line.substr(i, len));
    e.tabRunEnd.insert(e.tabRunEnd.end(), len, -1);
    column += len;
    i += len;
  }
  return e;
}

void CutPrintLine(std::string_view line, int lineIndex, const RowCutRules& rules, const TextMeasure& measure,
                  std::vector<PrintRow>& rows) {
  const ExpandedLine e = ExpandTabs(line, rules.tabWidth);
  const std::string& s = e.text;
  const double total = s.empty() ? 0 : measure(s);
  if (s.empty() || total <= rules.width) {
    rows.push_back({s, lineIndex, editor::rowLineBreak});
    return;
  }

  // Offsets where a row may end: every character start, and the end.
  std::vector<int> bounds;
  bounds.reserve(s.size() + 1);
  for (size_t i = 0; i < s.size(); i += CharLength(s, i)) bounds.push_back(static_cast<int>(i));
  bounds.push_back(static_cast<int>(s.size()));
  const size_t last = bounds.size() - 1;

  const int rowsNeeded = std::max(1, static_cast<int>(std::ceil(total / std::max(rules.width, 1.0))));
  const int estimate = std::max(1, static_cast<int>((s.size() + rowsNeeded - 1) / rowsNeeded));

  size_t start = 0;  // index into bounds of the row's first character
  while (true) {
    const int pos = bounds[start];
    auto fits = [&](size_t k) { return measure(std::string_view(s).substr(pos, bounds[k] - pos)) <= rules.width; };
    // Start from the estimate, then grow while the piece fits or shrink while it does not; a row
    // holds at least one character.
    size_t k = std::upper_bound(bounds.begin() + start, bounds.end(), pos + estimate) - bounds.begin() - 1;
    k = std::clamp(k, start + 1, last);
    if (fits(k)) {
      while (k < last && fits(k + 1)) ++k;
    } else {
      while (k > start + 1 && !fits(k)) --k;
    }
    if (k == last) {
      rows.push_back({s.substr(pos), lineIndex, editor::rowLineBreak});
      return;
    }

    int cut = bounds[k];
    if (rules.wordBreak && IsSingleBytePrintable(s, cut - 1) && IsSingleBytePrintable(s, cut)) {
      for (size_t j = k; j-- > start;) {
        if (EndsWord(s, bounds[j])) {
          k = j + 1;
          cut = bounds[k];
          break;
        }
      }
    }

    // A tab cut at the row's end keeps the spaces that fit; the rest of it is dropped, so that the
    // next row starts after the tab as the editor's rows do.
    int next = cut;
    if (e.tabRunEnd[cut] >= 0 && e.tabRunEnd[cut - 1] == e.tabRunEnd[cut]) next = e.tabRunEnd[cut];
    if (next >= static_cast<int>(s.size())) {
      rows.push_back({s.substr(pos, cut - pos), lineIndex, editor::rowLineBreak});
      return;
    }
    rows.push_back({s.substr(pos, cut - pos), lineIndex, editor::rowWrapped});
    start = std::lower_bound(bounds.begin() + k, bounds.end(), next) - bounds.begin();
  }
}

std::vector<PrintRow> CutPrintRows(const std::vector<std::string>& lines, const RowCutRules& rules,
                                   const TextMeasure& measure) {
  std::vector<PrintRow> rows;
  rows.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) CutPrintLine(lines[i], static_cast<int>(i), rules, measure, rows);
  return rows;
}

}  // namespace print
