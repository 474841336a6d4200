// Font names of the settings dialog.
#include "editorsettings/fontchoice.h"

#include <algorithm>

#include "codec/cp932.h"

namespace editorsettings {

namespace {
bool AtName(const std::string& n) { return !n.empty() && n[0] == '@'; }

// Only single-byte letters fold: a trail byte in the letter range is part of another character.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (codec::IsLeadByte(x)) {
      if (x != y || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}
}  // namespace

std::vector<std::string> WithoutAtNames(std::vector<std::string> names) {
  names.erase(std::remove_if(names.begin(), names.end(), AtName), names.end());
  return names;
}

std::vector<std::string> WithoutLeadingAtNames(std::vector<std::string> names) {
  const auto first = std::find_if_not(names.begin(), names.end(), AtName);
  names.erase(names.begin(), first);
  return names;
}

int FontIndex(const std::vector<std::string>& names, std::string_view name) {
  if (name.empty()) return -1;
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  for (size_t i = 0; i < names.size(); ++i)
    if (SameIgnoringAsciiCase(names[i], name)) return static_cast<int>(i);
  return -1;
}

}  // namespace editorsettings
