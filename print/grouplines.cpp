// Lines of a group's items for printing.
#include "print/grouplines.h"

#include "editor/wrap.h"

namespace print {

std::vector<std::string> GroupItemLines(const std::vector<std::string>& itemTexts) {
  std::vector<std::string> lines;
  std::string text;
  for (const std::string& item : itemTexts) {
    text.assign(item);
    text.append("\r\n");
    editor::ForEachRawLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  }
  return lines;
}

}  // namespace print
