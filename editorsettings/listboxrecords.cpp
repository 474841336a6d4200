// The list-box records of the settings dialog.
#include "editorsettings/listboxrecords.h"

#include <cctype>

namespace editorsettings {

ListBoxRecord ListBoxRecordOf(const store::TMainDataClass& d, ListKind kind) {
  if (kind == ListKind::Group)
    return {d.GroupSelColor, d.GroupBackColor,        d.GroupUnfilledColor, d.GroupFontColor, d.GroupFontName,
            d.GroupFontSize, d.GroupSelFontColorType, d.GroupLineMargin,    d.GroupLeftMargin};
  return {d.ItemSelColor, d.ItemBackColor,        d.ItemUnfilledColor, d.ItemFontColor, d.ItemFontName,
          d.ItemFontSize, d.ItemSelFontColorType, d.ItemLineMargin,    d.ItemLeftMargin};
}

void StoreListBoxRecord(store::TMainDataClass& d, ListKind kind, const ListBoxRecord& r) {
  if (kind == ListKind::Group) {
    d.GroupSelColor = r.selColor;
    d.GroupBackColor = r.backColor;
    d.GroupUnfilledColor = r.unfilledColor;
    d.GroupFontColor = r.fontColor;
    d.GroupFontName = r.fontName;
    d.GroupFontSize = r.fontSize;
    d.GroupSelFontColorType = r.selFontColorType;
    d.GroupLineMargin = r.lineMargin;
    d.GroupLeftMargin = r.leftMargin;
  } else {
    d.ItemSelColor = r.selColor;
    d.ItemBackColor = r.backColor;
    d.ItemUnfilledColor = r.unfilledColor;
    d.ItemFontColor = r.fontColor;
    d.ItemFontName = r.fontName;
    d.ItemFontSize = r.fontSize;
    d.ItemSelFontColorType = r.selFontColorType;
    d.ItemLineMargin = r.lineMargin;
    d.ItemLeftMargin = r.leftMargin;
  }
}

ListBoxRecord DefaultListBoxRecord(ListKind kind) {
  store::TMainDataClass defaults;
  defaults.SetDefaults();
  return ListBoxRecordOf(defaults, kind);
}

std::optional<long long> ReadNumber(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  bool negative = false;
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (t.empty() || t.size() > 18) return std::nullopt;
  long long v = 0;
  for (char c : t) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return negative ? -v : v;
}

std::optional<int> ListFieldValue(std::string_view text, int min, int max) {
  if (text.empty()) return min;
  const std::optional<long long> v = ReadNumber(text);
  if (!v || *v < min || *v > max) return std::nullopt;
  return static_cast<int>(*v);
}

void ListBoxPage::Load(const store::TMainDataClass& data) {
  group_ = ListBoxRecordOf(data, ListKind::Group);
  item_ = ListBoxRecordOf(data, ListKind::Item);
}

void ListBoxPage::Store(store::TMainDataClass& data) const {
  StoreListBoxRecord(data, ListKind::Group, group_);
  StoreListBoxRecord(data, ListKind::Item, item_);
}

std::string ListBoxPage::CopyButtonCaption() const {
  return editing_ == ListKind::Group ? "アイテムに合わせる" : "グループに合わせる";
}

void ListBoxPage::CopyFromOther() {
  Current() = Record(editing_ == ListKind::Group ? ListKind::Item : ListKind::Group);
}

}  // namespace editorsettings
