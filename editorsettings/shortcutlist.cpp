// The shortcut list of the settings dialog.
#include "editorsettings/shortcutlist.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace editorsettings {

namespace {
bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}
}  // namespace

std::string ParsableShortcutText(std::string_view stored) {
  while (!stored.empty() && std::isspace(static_cast<unsigned char>(stored.front()))) stored.remove_prefix(1);
  while (!stored.empty() && std::isspace(static_cast<unsigned char>(stored.back()))) stored.remove_suffix(1);
  // The key is what follows the last "+" ("Ctrl++" leaves nothing to rename).
  const size_t plus = stored.rfind('+');
  const size_t keyStart = plus == std::string_view::npos ? 0 : plus + 1;
  const std::string_view key = stored.substr(keyStart);
  static constexpr std::pair<std::string_view, std::string_view> kAliases[] = {
      {"Insert", "Ins"}, {"Delete", "Del"}, {"BkSp", "Backspace"}, {"PgDn", "PgDown"}};
  for (const auto& [alias, name] : kAliases)
    if (SameLetters(key, alias)) return std::string(stored.substr(0, keyStart)) + std::string(name);
  return std::string(stored);
}

std::string ShortcutLine(const std::string& hint, const std::string& shortcut) {
  return hint + "   [ " + (shortcut.empty() ? std::string(kNoShortcutText) : shortcut) + " ]";
}

void ShortcutList::Load(std::vector<std::string> hints, const std::vector<std::string>& stored,
                        const std::vector<std::string>& current) {
  hints_ = std::move(hints);
  reserved_ = stored.empty();
  working_ = stored;
  for (size_t k = working_.size(); k < hints_.size(); ++k) working_.push_back(k < current.size() ? current[k] : "");
}

std::vector<std::string> ShortcutList::Lines() const {
  if (reserved_) return {kShortcutResetLine};
  std::vector<std::string> lines;
  for (int k = 0; k < CommandCount(); ++k) lines.push_back(Line(k));
  return lines;
}

std::string ShortcutList::Line(int k) const {
  if (k < 0 || k >= CommandCount()) return {};
  return ShortcutLine(hints_[static_cast<size_t>(k)], Text(k));
}

std::string ShortcutList::Text(int k) const {
  return k >= 0 && static_cast<size_t>(k) < working_.size() ? working_[static_cast<size_t>(k)] : std::string();
}

ShortcutList::Result ShortcutList::Change(int command, const std::string& shortcut) {
  if (reserved_ || command < 0 || command >= CommandCount()) return Result::Refused;
  if (!shortcut.empty()) {
    for (int k = 0; k < CommandCount(); ++k)
      if (k != command && working_[static_cast<size_t>(k)] == shortcut) return Result::Duplicate;
  }
  working_[static_cast<size_t>(command)] = shortcut;
  return Result::Changed;
}

void ShortcutList::Reset(std::vector<std::string>& storedList) {
  storedList.clear();
  reserved_ = true;
}

}  // namespace editorsettings
