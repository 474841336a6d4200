// The user's time-stamp formats as the settings dialog's "タイムスタンプ" page edits them: at most
// seven, one of them selected in both linked lists.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace editorsettings {

class TimeStampFormats {
 public:
  static constexpr int kMaxFormats = 7;

  TimeStampFormats() = default;
  explicit TimeStampFormats(std::vector<std::string> formats) : formats_(std::move(formats)) {}

  const std::vector<std::string>& Formats() const { return formats_; }
  int Count() const { return static_cast<int>(formats_.size()); }
  // The row selected in both lists, -1 for none.
  int Selected() const { return selected_; }
  void Select(int row) { selected_ = row >= 0 && row < Count() ? row : -1; }

  // "追加": a typed format while fewer than seven exist. "変更": a typed format and a selected
  // row. "削除": a selected row.
  bool CanAdd(std::string_view typed) const { return !typed.empty() && Count() < kMaxFormats; }
  bool CanChange(std::string_view typed) const { return !typed.empty() && selected_ >= 0; }
  bool CanDelete() const { return selected_ >= 0; }

  // Appends and selects the new row.
  bool Add(std::string_view format);
  // Replaces the selected row.
  bool Change(std::string_view format);
  // Deletes the selected row and selects the row above (the new first row when the first went).
  bool Delete();

 private:
  std::vector<std::string> formats_;  // code page 932
  int selected_ = -1;
};

}  // namespace editorsettings
