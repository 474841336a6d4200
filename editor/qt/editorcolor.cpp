// Colour conversion for painting.
#include "editor/qt/editorcolor.h"

namespace editor::qt {

QColor SystemColor(int index, const QPalette& p) {
  using R = QPalette::ColorRole;
  struct Entry {
    QPalette::ColorGroup group;
    R role;
  };
  // By the platform's system colour index (scroll bar, desktop, captions, menu, window, ...).
  static const Entry kTable[] = {
      {QPalette::Active, R::Button},             // 0 scroll bar
      {QPalette::Active, R::Window},             // 1 desktop
      {QPalette::Active, R::Highlight},          // 2 active caption
      {QPalette::Inactive, R::Highlight},        // 3 inactive caption
      {QPalette::Active, R::Base},               // 4 menu
      {QPalette::Active, R::Base},               // 5 window
      {QPalette::Active, R::Shadow},             // 6 window frame
      {QPalette::Active, R::WindowText},         // 7 menu text
      {QPalette::Active, R::Text},               // 8 window text
      {QPalette::Active, R::HighlightedText},    // 9 caption text
      {QPalette::Active, R::Window},             // 10 active border
      {QPalette::Inactive, R::Window},           // 11 inactive border
      {QPalette::Active, R::Dark},               // 12 application workspace
      {QPalette::Active, R::Highlight},          // 13 highlight
      {QPalette::Active, R::HighlightedText},    // 14 highlighted text
      {QPalette::Active, R::Button},             // 15 button face
      {QPalette::Active, R::Dark},               // 16 button shadow
      {QPalette::Disabled, R::Text},             // 17 gray text
      {QPalette::Active, R::ButtonText},         // 18 button text
      {QPalette::Inactive, R::HighlightedText},  // 19 inactive caption text
      {QPalette::Active, R::Light},              // 20 button highlight
      {QPalette::Active, R::Shadow},             // 21 3D dark shadow
      {QPalette::Active, R::Midlight},           // 22 3D light
      {QPalette::Active, R::ToolTipText},        // 23 info text
      {QPalette::Active, R::ToolTipBase},        // 24 info background
  };
  if (index < 0 || index >= static_cast<int>(std::size(kTable))) return p.color(R::Text);
  return p.color(kTable[index].group, kTable[index].role);
}

QColor ToQColor(store::TColor c, const QPalette& palette, const QColor& none) {
  if (c == store::clNone) return none;
  const auto u = static_cast<uint32_t>(c);
  if (u & 0x80000000u) return SystemColor(static_cast<int>(u & 0xFFFFFF), palette);
  return QColor(u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF);
}

}  // namespace editor::qt
