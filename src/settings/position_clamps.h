#pragma once

// Position clamps for a position loaded from a settings file: a position at the desktop's size
// counts as beyond it, and the window is pulled back just inside.

namespace temura {

int FixX(int x, int screenWidth);
int FixY(int y, int screenHeight);

}  // namespace temura
