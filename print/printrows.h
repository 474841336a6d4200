// Cutting source lines into printed rows: tabs expanded to spaces, the row width measured in
// printer pixels, double-byte characters never split, optional breaking after words.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/rows.h"

namespace print {

struct PrintRow {
  std::string text;                                  // code page 932, tabs expanded
  int line = 0;                                      // source line index, 0-based
  editor::RowAttribute attr = editor::rowLineBreak;  // rowWrapped except on a line's last row
  bool operator==(const PrintRow&) const = default;
};

// A line with its tabs expanded. tabRunEnd[i] is, for a space a tab produced, the offset just
// after that tab's last space; -1 for every other byte.
struct ExpandedLine {
  std::string text;
  std::vector<int> tabRunEnd;
};
// A tab runs to the next multiple of `tabWidth` columns; a double-byte character takes two.
ExpandedLine ExpandTabs(std::string_view line, int tabWidth);

using TextMeasure = std::function<double(std::string_view)>;

struct RowCutRules {
  double width = 0;  // pixels a row may take
  int tabWidth = 8;
  bool wordBreak = true;
};

// Appends the rows of one source line. A line that fits (or is empty) is one row. A longer one is
// cut into the longest pieces that fit, never inside a double-byte character; a tab's spaces stay
// on the row where the tab starts, as many as fit. With word break a cut inside a run of
// single-byte printable characters moves back to just after the last space, control character or
// double-byte character of the row, when there is one.
void CutPrintLine(std::string_view line, int lineIndex, const RowCutRules& rules, const TextMeasure& measure,
                  std::vector<PrintRow>& rows);

std::vector<PrintRow> CutPrintRows(const std::vector<std::string>& lines, const RowCutRules& rules,
                                   const TextMeasure& measure);

}  // namespace print
