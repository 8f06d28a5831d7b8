#pragma once

#include <string>

#include "platform/files.h"

namespace temura::wingui {

class TFormMain;

// Draws the clock as it stands into a picture and saves it as PNG; false when it cannot.
bool saveScreenshot(TFormMain& form, Files& files, const std::string& path);

}  // namespace temura::wingui
