#pragma once

#include "qtgui/form_main.h"
#include "support/fake_desktop.h"
#include "support/fake_system_clock.h"
#include "support/fake_tick_player.h"

namespace temura::test {

// The main window's services for tests of the window alone: fakes, nothing stored.
inline MainServices windowOnlyServices(FakeSystemClock& clock, FakeDesktop& desktop,
                                       FakeTickPlayer& ticks) {
    return MainServices{clock,   desktop, ticks,   englishLocaleNames(), "/nonexistent",
                        {"/nonexistent"}, nullptr, nullptr, nullptr, "/nonexistent/temura",
                        "/nonexistent",   {}};
}

}  // namespace temura::test
