// The look of the group and item lists as the settings dialog's "リストボックス" page edits it: one
// record per list, copied out of and back into the application settings record.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/colors.h"
#include "store/settings.h"

namespace editorsettings {

struct ListBoxRecord {
  store::TColor selColor = 0;       // "選択背景色"
  store::TColor backColor = 0;      // "背景色"
  store::TColor unfilledColor = 0;  // "領域外の色"
  store::TColor fontColor = 0;      // "フォント色"
  std::string fontName;             // code page 932
  int fontSize = 0;
  int selFontColorType = store::fcDefFontColor;  // "選択フォント色"
  int lineMargin = 0;
  int leftMargin = 0;
  bool operator==(const ListBoxRecord&) const = default;
};

enum class ListKind { Group, Item };

ListBoxRecord ListBoxRecordOf(const store::TMainDataClass& data, ListKind kind);
void StoreListBoxRecord(store::TMainDataClass& data, ListKind kind, const ListBoxRecord& record);
// The record a missing "main.bin" gives.
ListBoxRecord DefaultListBoxRecord(ListKind kind);

// Field ranges of the page.
inline constexpr int kMinListFontSize = 6;
inline constexpr int kMaxListFontSize = 32;
inline constexpr int kMaxListLineMargin = 10;
inline constexpr int kMaxListLeftMargin = 15;

// What a size or margin field's text does to its value: an empty field is refilled with its
// minimum; text that is not a number in min..max is ignored (nullopt).
std::optional<int> ListFieldValue(std::string_view text, int min, int max);

// Whole-number text as the fields read it: optional spaces around an optionally signed decimal.
std::optional<long long> ReadNumber(std::string_view text);

// The page's two records and which one its controls edit.
class ListBoxPage {
 public:
  void Load(const store::TMainDataClass& data);
  void Store(store::TMainDataClass& data) const;

  ListKind Editing() const { return editing_; }
  void SetEditing(ListKind kind) { editing_ = kind; }
  ListBoxRecord& Current() { return Record(editing_); }
  const ListBoxRecord& Current() const { return Record(editing_); }
  ListBoxRecord& Record(ListKind k) { return k == ListKind::Group ? group_ : item_; }
  const ListBoxRecord& Record(ListKind k) const { return k == ListKind::Group ? group_ : item_; }

  // "アイテムに合わせる" while groups are edited, "グループに合わせる" while items are (UTF-8).
  std::string CopyButtonCaption() const;
  // Copies the other record into the edited one.
  void CopyFromOther();
  // "デフォルトに戻す": the defaults of the edited record.
  void Defaults() { Current() = DefaultListBoxRecord(editing_); }

 private:
  ListBoxRecord group_;
  ListBoxRecord item_;
  ListKind editing_ = ListKind::Group;
};

}  // namespace editorsettings
