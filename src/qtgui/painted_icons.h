#pragma once

#include <QIcon>

namespace temura {

// The program's icon, from the renderings built into the program.
QIcon appIcon();
// The button pictures are drawn in code.
QIcon startIcon();
QIcon pauseIcon();
QIcon stopIcon();

}  // namespace temura
