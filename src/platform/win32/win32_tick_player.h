#pragma once

#include <string>

#include "platform/tick_player.h"

namespace temura {

// The tick through PlaySound, without waiting and without the system's default sound in place of
// one that cannot be played: a missing or broken file, or a module without the WAVE resource, is
// silence. Each tick cuts off what is still playing of the one before.
class Win32TickPlayer : public TickPlayer {
  public:
    void playFile(const std::string& path) override;
    // The WAVE resource IDW_TICK of the program's own executable.
    void playBuiltIn() override;
};

}  // namespace temura
