#pragma once

#include <string>
#include <vector>

#include "platform/tick_player.h"

namespace temura::test {

// Counts ticks instead of playing them.
class FakeTickPlayer : public TickPlayer {
public:
    int builtIn = 0;
    std::vector<std::string> files;
    void playFile(const std::string& path) override { files.push_back(path); }
    void playBuiltIn() override { ++builtIn; }
    int total() const { return builtIn + static_cast<int>(files.size()); }
};

}  // namespace temura::test
