// Arrangement of the list pane and the two lists, their default sizes, the stored window geometry
// and split positions, and the splitter rule. Sizes are pixels.
#pragma once

#include "store/settings.h"

namespace mainwin {

// Designed sizes of the main window and its parts.
inline constexpr int kDesignedWidth = 800;
inline constexpr int kDesignedHeight = 572;
inline constexpr int kSplitterThickness = 3;
inline constexpr int kSplitterMinSize = 50;
inline constexpr int kMainSplitterTag = 1;

// The pane's extent across the main splitter and the group panel's across the list splitter.
struct SplitSizes {
  int pane = 0;
  int group = 0;
};

// Default sizes for a view type; `centreWidth` and `centreHeight` are the area the pane and the
// editor share. The group panel gets half the pane along the list splitter (rounded towards zero).
SplitSizes DefaultListSizes(int viewType, int centreWidth, int centreHeight);

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// Whether the stored geometry may be restored: enabled, at least 100 x 100, the top left corner on
// the screen, and split positions of at least 70 and 50.
bool GeometryUsable(const store::TMainDataClass& data, ScreenSize screen);

// The window as it is at close.
struct WindowGeometry {
  bool maximized = false;
  int top = 0, left = 0, width = 0, height = 0;  // normal-state geometry
};

// Close-time storing: with the option on and not fixed, records the maximised state, the normal
// geometry when not maximised, and the split positions. Returns whether anything was stored.
bool StoreWindowGeometry(store::TMainDataClass& data, const WindowGeometry& window, SplitSizes splits);

// Least size the splitter rule lets the panel on the splitter's near side have: the splitter's
// minimum, plus the list splitter's position for the main splitter in view types 1 and 2, so the
// second list keeps its room. A proposed size not greater than this becomes this + 1.
int SplitterLeastSize(int splitterTag, int viewType, int listSplitterPosition);
int ApplySplitterRule(int proposed, int leastSize);

}  // namespace mainwin
