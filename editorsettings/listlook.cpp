#include "editorsettings/listlook.h"

#include <algorithm>

namespace editorsettings {

ListLook GroupLook(const store::TMainDataClass& d) {
  return {d.GroupBackColor, d.GroupSelColor,         d.GroupUnfilledColor, d.GroupFontName,  d.GroupFontSize,
          d.GroupFontColor, d.GroupSelFontColorType, d.GroupLineMargin,    d.GroupLeftMargin};
}

ListLook ItemLook(const store::TMainDataClass& d) {
  return {d.ItemBackColor, d.ItemSelColor,         d.ItemUnfilledColor, d.ItemFontName,  d.ItemFontSize,
          d.ItemFontColor, d.ItemSelFontColorType, d.ItemLineMargin,    d.ItemLeftMargin};
}

store::TColor SelectedTextColor(const ListLook& look, store::TColor entryColour) {
  constexpr store::TColor kInvert = 0x00FFFFFF;
  switch (look.selFontColorType) {
    case store::fcDefFontColor: return look.fontColor;
    case store::fcUnDefFontColor: return look.fontColor ^ kInvert;
    case store::fcSelFontColor: return entryColour;
    case store::fcUnSelFontColor: return entryColour ^ kInvert;
    case store::fcBkColor: return look.backColor;
    case store::fcUnBkColor: return look.backColor ^ kInvert;
    case store::fcUnSelColor: return look.selColor ^ kInvert;
    default: return entryColour;  // an unknown rule leaves the entry's own colour
  }
}

RowStyle ListRowStyle(const ListLook& look, store::TColor entryColour, uint8_t entryStyle, bool selected) {
  RowStyle s{look.backColor, entryColour, entryStyle, ListRowHeight(look), look.leftMargin};
  if (selected) {
    s.background = look.selColor;
    s.text = SelectedTextColor(look, entryColour);
  }
  return s;
}

int RowHeight(int fontSize, int lineMargin) {
  // In tenths, exactly: size x 13 + margin x 10.
  const long long tenths = static_cast<long long>(fontSize) * 13 + static_cast<long long>(lineMargin) * 10;
  long long q = tenths / 10;
  long long r = tenths % 10;
  if (r < 0) {
    r += 10;
    --q;
  }
  if (r > 5 || (r == 5 && (q & 1) != 0)) ++q;
  return static_cast<int>(q);
}

int ListRowHeight(const ListLook& look) {
  return std::max(RowHeight(look.fontSize, look.lineMargin), look.lineSpacing + look.lineMargin);
}

ListArrangement ArrangementOf(int viewType) {
  switch (viewType) {
    case store::lvLeft_yoko: return {false, true};
    case store::lvTop_tate: return {true, false};
    case store::lvTop_yoko: return {true, true};
    default: return {false, false};
  }
}

}  // namespace editorsettings
