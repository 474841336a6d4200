// What the group and item commands ask of the user (message boxes, the entry dialog, the
// multi-delete dialog, the editor settings dialog) and the text rules they apply to names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/colors.h"

namespace mainwin {

enum class BoxIcon { None, Information, Warning, Question, Error };

// A message box that asks: OK and Cancel, or OK alone; or Yes and No (true for Yes).
struct Question {
  std::string caption;  // UTF-8
  std::string text;     // UTF-8; "\r\n" breaks lines
  BoxIcon icon = BoxIcon::Warning;
  bool cancel = true;
  bool yesNo = false;
  bool operator==(const Question&) const = default;
};

// The entry dialog's fields. The name travels as typed (code page 932); styles as bits.
struct EntryFields {
  std::string name;
  store::TColor colour = 0;
  uint8_t style = 0;  // bold 1, italic 2, underline 4, strike-out 8
};

// The entry dialog's refusal.
inline constexpr const char* kNameMissingCaption = "KANATA";
inline constexpr const char* kNameMissingText = "名前を入力してください";

// The editor settings dialog's pages as its callers name them: 0 the default page, otherwise a
// page number plus one ("タイムスタンプ" is the fifth page).
inline constexpr int kSettingsDefaultPage = 0;
inline constexpr int kSettingsTimeStampPage = 5;

// Without leading and trailing spaces and control characters (bytes up to 0x20). Code page 932
// trail bytes are never that low, so cutting bytes never splits a character.
std::string_view TrimName(std::string_view cp932);

// A name the entry dialog accepts: not empty once trimmed, and not one ideographic space alone.
bool EntryNameAcceptable(std::string_view cp932);

// The item name taken from text lines: the first of `count` lines (`lineAt(k)` gives line k)
// that is acceptable, trimmed. Lines after it are not read.
template <class LineAt>
std::optional<std::string> NameFromLines(int count, LineAt lineAt) {
  for (int k = 0; k < count; ++k) {
    const std::string line = lineAt(k);
    if (EntryNameAcceptable(line)) return std::string(TrimName(line));
  }
  return std::nullopt;
}
// The same for one piece of text (the selection), trimmed as a whole.
std::optional<std::string> NameFromSelection(std::string_view selText);

// The positions a multi-delete removes, in the order it removes them: highest first, each once,
// only positions that exist in a list of `count` entries. Deleting from the bottom up keeps the
// positions still to come valid.
std::vector<int> DeletionOrder(std::vector<int> selected, int count);

}  // namespace mainwin
