#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/win32/win32_tick_player.h"
#include "support/test_home.h"

namespace temura {
namespace {

// Nothing here can be heard: the file is missing and the test program carries no WAVE resource.
// What must hold is that neither call fails loudly or waits for a sound.
TEST(Win32TickPlayer, WhatCannotBePlayedIsSkippedAtOnce) {
    Win32TickPlayer player;
    const std::string missing = test::makeTempDir("tick") + "/no such tick.wav";
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i) {
        player.playFile(missing);
        player.playFile("");
        player.playBuiltIn();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
}  // namespace temura
