#pragma once

#include <QIcon>

namespace temura {

// The program's pictures are drawn in code, so the program stays one self-contained file.
QIcon appIcon();
QIcon startIcon();
QIcon pauseIcon();
QIcon stopIcon();

}  // namespace temura
