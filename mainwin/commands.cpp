#include "mainwin/commands.h"

#include <algorithm>

namespace mainwin {

namespace {
constexpr std::string_view kIdeographicSpace = "\x81\x40";
constexpr bool Blank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
}  // namespace

std::string_view TrimName(std::string_view s) {
  size_t first = 0;
  while (first < s.size() && Blank(s[first])) ++first;
  size_t last = s.size();
  while (last > first && Blank(s[last - 1])) --last;
  return s.substr(first, last - first);
}

bool EntryNameAcceptable(std::string_view cp932) {
  const std::string_view t = TrimName(cp932);
  return !t.empty() && t != kIdeographicSpace;
}

std::optional<std::string> NameFromSelection(std::string_view selText) {
  if (!EntryNameAcceptable(selText)) return std::nullopt;
  return std::string(TrimName(selText));
}

std::vector<int> DeletionOrder(std::vector<int> selected, int count) {
  std::erase_if(selected, [count](int p) { return p < 0 || p >= count; });
  std::sort(selected.begin(), selected.end(), std::greater<int>());
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  return selected;
}

}  // namespace mainwin
