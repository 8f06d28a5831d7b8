#pragma once

#include <string>

namespace temura {

// Plays the clock's tick without waiting for it; a sound that cannot be played is skipped.
class TickPlayer {
public:
    virtual ~TickPlayer() = default;
    virtual void playFile(const std::string& path) = 0;
    virtual void playBuiltIn() = 0;
};

}  // namespace temura
