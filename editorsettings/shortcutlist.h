// The keyboard shortcuts as the settings dialog's "ショートカットキー" list edits them: one line per
// command, "hint   [ shortcut ]", a duplicate rule, and the reset that takes effect at the next start.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace editorsettings {

// Texts of the list (UTF-8).
inline constexpr const char* kNoShortcutText = "なし";
inline constexpr const char* kShortcutResetLine = "設定リセット予約済み";
inline constexpr const char* kDuplicateShortcutMessage = "キーが重複しています";
inline constexpr const char* kShortcutResetCaption = "設定リセットの確認";
inline constexpr const char* kShortcutResetQuestion =
    "次回起動時にショートカットキーの\r\n全設定がデフォルトに戻ります";

// A stored shortcut text in the form the platform parses: surrounding spaces dropped and the key
// names of other spellings ("Insert", "Delete", "BkSp", "PgDn", as older lists hold them) taken
// as the platform's ("Ins", "Del", "Backspace", "PgDown"). Empty stays empty (no shortcut).
std::string ParsableShortcutText(std::string_view stored);

// hint + "   [ " + shortcut + " ]", "なし" standing for no shortcut.
std::string ShortcutLine(const std::string& hint, const std::string& shortcut);

class ShortcutList {
 public:
  enum class Result { Changed, Duplicate, Refused };

  // `hints` names every command (UTF-8, action-list order); `stored` is the list settings record's
  // ShortCutList; `current` every command's shortcut in force. The working list starts as the
  // stored one, padded with the current shortcuts; lines beyond the commands are kept as they are.
  // An empty stored list means a reset is waiting for the next start.
  void Load(std::vector<std::string> hints, const std::vector<std::string>& stored,
            const std::vector<std::string>& current);

  int CommandCount() const { return static_cast<int>(hints_.size()); }
  bool ResetReserved() const { return reserved_; }
  // The list as shown: one line per command, or the single reset line.
  std::vector<std::string> Lines() const;
  std::string Line(int command) const;
  // The working shortcut of a command ("" for none).
  std::string Text(int command) const;
  const std::vector<std::string>& Working() const { return working_; }

  // "変更": another command with the same non-empty shortcut refuses it (Duplicate); clearing is
  // always allowed. Refused when the command does not exist or a reset is waiting.
  Result Change(int command, const std::string& shortcut);
  // "デフォルトに戻す" answered with OK: the stored list is emptied at once.
  void Reset(std::vector<std::string>& storedList);

 private:
  std::vector<std::string> hints_;
  std::vector<std::string> working_;
  bool reserved_ = false;
};

}  // namespace editorsettings
