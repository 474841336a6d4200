// The pictures of the actions and of the program, drawn by the program so the set looks the same on
// every desktop (and costs no image files at start-up).
#pragma once

#include <QIcon>
#include <QPixmap>

#include "mainwin/actions.h"

namespace mainwin::qt {

// The 16-pixel picture of an action; a null icon for the few actions that show none.
QIcon ActionIcon(ActionId id);

// The program's own picture (window icon, About box): desktop/sorametext.svg, the same picture
// the desktop shows for the installed program.
QPixmap ProgramIconPixmap(int size);
QIcon ProgramIcon();

}  // namespace mainwin::qt
