#pragma once

#include <QString>

namespace temura {

class TFormMain;

// Shows the clock, runs one display tick, saves the window as a PNG; false when it could not.
bool saveScreenshot(TFormMain& form, const QString& path);

}  // namespace temura
