// Stored colour numbers (low byte red, system colours, clNone) as Qt colours.
#pragma once

#include <QColor>
#include <QPalette>

#include "store/colors.h"

namespace editor::qt {

// A system colour (0x80000000 + index) as the palette role that stands for it on this desktop.
QColor SystemColor(int index, const QPalette& palette);

// clNone gives `none` (the owner's colour); system colours come from `palette`.
QColor ToQColor(store::TColor c, const QPalette& palette, const QColor& none = QColor());

}  // namespace editor::qt
