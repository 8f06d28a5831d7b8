#pragma once

#include <memory>

#include "qtgui/form_main.h"
#include "qtgui/form_options.h"
#include "qtgui/form_save.h"
#include "qtgui/form_time_zones.h"
#include "support/fake_files.h"
#include "support/fake_prompts.h"
#include "support/fake_shell.h"
#include "support/fake_zone_table.h"
#include "support/main_services.h"
#include "zones/zone_catalogue.h"

namespace temura::test {

// The clock with every window it opens, linked as the program links them, on fakes.
struct ClockWindows {
    FakeSystemClock clock;
    FakeDesktop desktop;
    FakeTickPlayer ticks;
    FakeFiles files;
    FakeShell shell;
    FakePrompts prompts;
    ClockState state;
    std::unique_ptr<TFormMain> main;
    std::unique_ptr<TFormTimeZones> zones;
    std::unique_ptr<TFormSave> save;
    std::unique_ptr<TFormOptions> options;

    void makeMain() {
        clock.setWarsawWinter();
        clock.setLocal(2026, 12, 7, 12, 0, 0, 0);
        state.English = true;
        SetInis(state, files, "/opt/temura");
        MainServices services = windowOnlyServices(clock, desktop, ticks);
        services.files = &files;
        main = std::make_unique<TFormMain>(state, services);
    }
    void makeZonesWindow() {
        zones = std::make_unique<TFormTimeZones>(
            state, clock, files, [](int) { return std::make_unique<FakeZoneTable>(); }, prompts,
            englishLocaleNames());
        main->setTimeZonesWindow(zones.get());
    }
    void makeOptionsWindows() {
        save = std::make_unique<TFormSave>(*main, files, prompts, "/opt/temura");
        options = std::make_unique<TFormOptions>(*main, *save, &shell, prompts, "/opt/temura",
                                                 "/opt/temura/temura");
        main->setOptionsWindows(options.get(), save.get());
    }
    // The windows first: they belong to the clock.
    void closeAll() {
        options.reset();
        save.reset();
        zones.reset();
        main.reset();
    }
};

}  // namespace temura::test
