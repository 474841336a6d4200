// How the group and item lists look and sit: the look a list's settings describe (colours, font,
// margins), how one row of it is drawn, and where the list pane and the two lists go for each view
// type. The main window's lists and the settings dialog's samples draw by the same rules.
#pragma once

#include <cstdint>
#include <string>

#include "store/colors.h"
#include "store/settings.h"

namespace editorsettings {

// The settings one list is drawn with (one set for groups, one for items).
struct ListLook {
  store::TColor backColor = store::clWhite;
  store::TColor selColor = store::clNavy;
  store::TColor unfilledColor = store::clWhite;
  std::string fontName;  // code page 932
  int fontSize = 10;     // points
  store::TColor fontColor = 0;
  int selFontColorType = store::fcUnSelColor;
  int lineMargin = 0;
  int leftMargin = 0;
  // The font's line spacing in pixels as the platform measures it (0: not measured). Rows are
  // never lower than it, so descenders are not cut off in fonts taller than size x 1.3.
  int lineSpacing = 0;
};
ListLook GroupLook(const store::TMainDataClass& data);
ListLook ItemLook(const store::TMainDataClass& data);

// How one row is drawn.
struct RowStyle {
  store::TColor background;  // fill of the row's rectangle
  store::TColor text;
  uint8_t fontStyle;  // FontStyle bits of the entry
  int height;
  int textLeft;  // x of the text from the row's left edge
};
RowStyle ListRowStyle(const ListLook& look, store::TColor entryColour, uint8_t entryStyle, bool selected);

// Text colour of the selected row by TSelFontColorType.
store::TColor SelectedTextColor(const ListLook& look, store::TColor entryColour);

// round(size x 1.3 + margin), halves to the even neighbour.
int RowHeight(int fontSize, int lineMargin);
// The height of a row of `look`: RowHeight, but at least the line spacing plus the margin.
int ListRowHeight(const ListLook& look);

// Where the list pane sits and how the two lists share it.
struct ListArrangement {
  bool paneOnTop;        // docked above the editor (else left of it)
  bool listsSideBySide;  // group list left of the item list (else above it)
};
// Unknown view types are taken as lvLeft_tate.
ListArrangement ArrangementOf(int viewType);

}  // namespace editorsettings
