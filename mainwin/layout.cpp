#include "mainwin/layout.h"

namespace mainwin {

SplitSizes DefaultListSizes(int viewType, int centreWidth, int centreHeight) {
  SplitSizes s;
  switch (viewType) {
    case store::lvLeft_yoko:
      s.pane = 240;
      s.group = s.pane / 2;
      break;
    case store::lvTop_tate:
      s.pane = 200;
      s.group = s.pane / 2;
      break;
    case store::lvTop_yoko:
      s.pane = 140;
      s.group = centreWidth / 2;
      break;
    default:
      s.pane = 185;
      s.group = centreHeight / 2;
      break;
  }
  return s;
}

bool GeometryUsable(const store::TMainDataClass& d, ScreenSize screen) {
  return d.WindowOptionEnabled && d.Width >= 100 && d.Heigth >= 100 && d.Top >= 0 && d.Top < screen.height &&
         d.Left >= 0 && d.Left < screen.width && d.SplitPositionX >= 70 && d.SplitPositionY >= 50;
}

bool StoreWindowGeometry(store::TMainDataClass& d, const WindowGeometry& w, SplitSizes splits) {
  if (!d.WindowOptionEnabled || d.WindowOptionFixed) return false;
  d.WindowStateMaximized = w.maximized;
  if (!w.maximized) {
    d.Top = w.top;
    d.Left = w.left;
    d.Width = w.width;
    d.Heigth = w.height;
  }
  d.SplitPositionX = splits.pane;
  d.SplitPositionY = splits.group;
  return true;
}

int SplitterLeastSize(int splitterTag, int viewType, int listSplitterPosition) {
  int least = kSplitterMinSize;
  if (splitterTag == kMainSplitterTag && (viewType == store::lvLeft_yoko || viewType == store::lvTop_tate))
    least += listSplitterPosition;
  return least;
}

int ApplySplitterRule(int proposed, int leastSize) { return proposed <= leastSize ? leastSize + 1 : proposed; }

}  // namespace mainwin
