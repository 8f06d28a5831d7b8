#include "settings/position_clamps.h"

namespace temura {

int FixX(int x, int screenWidth) {
    if (x < -10) return 0;
    if (x >= screenWidth) return screenWidth - 10;
    return x;
}

int FixY(int y, int screenHeight) {
    if (y < -10) return 0;
    if (y >= screenHeight) return screenHeight - 20;
    return y;
}

}  // namespace temura
