#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clock/clock_state.h"
#include "support/fake_system_clock.h"
#include "ui/main_rules.h"
#include "zones/world_line.h"

namespace temura {
namespace {

using test::FakeSystemClock;

const char* const kNewYork = "300;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/New_York";
// Daylight time from the first Sunday of October to the first Sunday of April.
const char* const kSydney = "-600;0;-60;05-04-2026;03:00;04-10-2026;02:00;Australia/Sydney";
const char* const kTokyo = "-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Tokyo";
const char* const kKiritimati = "-840;0;0;00-00-0000;00:00;00-00-0000;00:00;Pacific/Kiritimati";
const char* const kBakerIsland = "720;0;0;00-00-0000;00:00;00-00-0000;00:00;Etc/GMT+12";

WorldLine line(const char* text) {
    return parseWorldLine(text).value();
}

SystemTime at(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0) {
    FakeSystemClock c;
    c.setLocal(y, mo, d, h, mi, s, ms);
    return c.local;
}

struct ParseCase {
    std::string text;
    bool ok;
};

TEST(WorldLineValue, ParsesOnlyWholeLines) {
    const std::vector<ParseCase> cases = {
        {kNewYork, true},
        {kTokyo, true},
        {"-330;0;0;00-00-0000;00:00;00-00-0000;00:00;Team; India", true},  // ";" in the name
        {"", false},
        {"300;0;-60;01-11-2026;02:00;08-03-2026;02:00;", false},  // no name
        {"300;0;-60;01-11-2026;02:00;08-03-2026;02:00", false},   // a field short
        {";0;-60;01-11-2026;02:00;08-03-2026;02:00;X", false},
        {"3x0;0;-60;01-11-2026;02:00;08-03-2026;02:00;X", false},
        {"300;0;-60;31-02-2026;02:00;08-03-2026;02:00;X", false},  // no such day
        {"300;0;-60;01-11-2026;24:00;08-03-2026;02:00;X", false},
        {"300;0;-60;1-11-2026;02:00;08-03-2026;02:00;X", false},
        {"300;0;-60;00-00-0000;02:00;08-03-2026;02:00;X", false},  // one change-over alone
        {"99999;0;0;00-00-0000;00:00;00-00-0000;00:00;X", false},
        {"300;0;-60;01-11-2026;02:00;08-03-2026;02:00;" + std::string(10'000, 'N'), false},
    };
    for (const ParseCase& c : cases) {
        const auto parsed = parseWorldLine(c.text);
        EXPECT_EQ(parsed.has_value(), c.ok) << c.text.substr(0, 60);
        if (parsed) {
            EXPECT_EQ(worldLineValue(*parsed), c.text);
        }
    }
}

TEST(WorldLineName, ShowsTheCityOrTheNameAsTyped) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"America/New_York", "New York"},
        {"America/Argentina/Buenos_Aires", "Buenos Aires"},
        {"(UTC-05:00) Eastern Time (US & Canada)", "Eastern Time (US & Canada)"},
        {"(GMT+05:30) Asia/Kolkata", "Asia/Kolkata"},
        {"UTC", "UTC"},
        {"Team US/EU", "Team US/EU"},  // a blank: not an IANA name
        {"(UTC) London", "(UTC) London"},
    };
    for (const auto& [name, shown] : cases) EXPECT_EQ(worldDisplayName(name), shown) << name;
    // A name the user gave shows as typed, even one that looks like a zone's.
    WorldLine named;
    named.Name = "Team/US";
    named.Zone = "America/New_York";
    EXPECT_EQ(worldLineLabel(named), "Team/US");
}

TEST(WorldLineList, KeepsEightInTheUsersOrder) {
    std::vector<WorldLine> lines;
    for (int i = 1; i <= 8; ++i) {
        WorldLine l;
        l.Name = "Z" + std::to_string(i);
        ASSERT_TRUE(addWorldLine(lines, l));
    }
    EXPECT_FALSE(addWorldLine(lines, WorldLine{}));
    EXPECT_EQ(lines.size(), 8u);

    ASSERT_TRUE(removeWorldLine(lines, 2));
    EXPECT_FALSE(removeWorldLine(lines, 7));
    ASSERT_TRUE(moveWorldLine(lines, 0, +1));
    EXPECT_FALSE(moveWorldLine(lines, 0, -1));
    EXPECT_FALSE(moveWorldLine(lines, 6, +1));
    ASSERT_TRUE(renameWorldLine(lines, 6, "Mum"));
    EXPECT_FALSE(renameWorldLine(lines, 0, ""));
    std::string order;
    for (const WorldLine& l : lines) order += l.Name + " ";
    EXPECT_EQ(order, "Z2 Z1 Z4 Z5 Z6 Z7 Mum ");
}

struct TextCase {
    const char* what;
    const char* line;
    SystemTime local;  // Warsaw in winter: UTC is an hour behind
    std::int64_t dateShift;
    int timeFormat;
    const char* text;
};

TEST(WorldLineText, DayDifferenceFollowsTheDateLine) {
    const std::vector<TextCase> cases = {
        {"east, past midnight", kTokyo, at(2026, 1, 15, 23, 30), 0, 0, "07:30  Tokyo +1"},
        {"west, same day", kNewYork, at(2026, 1, 15, 23, 30), 0, 0, "17:30  New York"},
        {"west, before midnight", kNewYork, at(2026, 1, 16, 4, 0, 7), 0, 1,
         "22:00:07  New York -1"},
        {"no tenths", kTokyo, at(2026, 1, 15, 12, 0, 7, 900), 0, 2, "20:00:07  Tokyo"},
        {"date line 13 h behind", kKiritimati, at(2026, 1, 16, 12, 30), -780, 0,
         "01:30  Kiritimati +2"},
        {"date line 13 h ahead", kBakerIsland, at(2026, 1, 15, 12, 30), 780, 0, "23:30  GMT+12 -2"},
    };
    for (const TextCase& c : cases) {
        ClockState s;
        s.Mode = kModeTimer;
        s.TimeFormat = static_cast<std::uint8_t>(c.timeFormat);
        s.UseTZ = c.dateShift != 0;
        s.ZoneShift = c.dateShift;
        SystemTime utc = at(c.local.year, c.local.month, c.local.day, c.local.hour - 1,
                            c.local.minute, c.local.second, c.local.millisecond);
        EXPECT_EQ(worldLineText(line(c.line), s, c.local, utc), c.text) << c.what;
    }
}

struct HintCase {
    const char* what;
    const char* line;
    SystemTime utc;
    bool english;
    const char* hint;
};

TEST(WorldLineHint, DaylightJudgedOnTheZonesOwnClock) {
    const std::vector<HintCase> cases = {
        {"north summer", kNewYork, at(2026, 7, 1, 12, 0), true, "New York : -04:00 (DST)"},
        {"south winter", kSydney, at(2026, 7, 1, 12, 0), true, "Sydney : +10:00"},
        {"north winter", kNewYork, at(2026, 1, 15, 12, 0), true, "New York : -05:00"},
        {"south summer", kSydney, at(2026, 1, 15, 12, 0), false, "Sydney : +11:00 (czas letni)"},
        // 2028's second Sunday of March is the 12th, not the 8th.
        {"rule read in 2028", kNewYork, at(2028, 3, 10, 12, 0), true, "New York : -05:00"},
        {"rule read in 2028, after", kNewYork, at(2028, 3, 12, 7, 0), true,
         "New York : -04:00 (DST)"},
        // Sydney's 02:00 on 4 October is 16:00 UTC the day before.
        {"south start, a minute before", kSydney, at(2026, 10, 3, 15, 59), true, "Sydney : +10:00"},
        {"south start", kSydney, at(2026, 10, 3, 16, 0), true, "Sydney : +11:00 (DST)"},
        {"south end, a minute before", kSydney, at(2026, 4, 4, 15, 59), true,
         "Sydney : +11:00 (DST)"},
        {"south end", kSydney, at(2026, 4, 4, 16, 0), true, "Sydney : +10:00"},
    };
    for (const HintCase& c : cases) {
        const auto lines = worldHintLines({line(c.line)}, c.utc, c.english);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], c.hint) << c.what;
    }
}

struct WakeCase {
    const char* what;
    std::uint8_t mode;
    int timeFormat;
    bool visible;
    int withoutLines;
    int withLines;
};

TEST(WorldLineWake, AddsAWakeOnlyWhereTheTimeLineChangesMoreRarely) {
    FakeSystemClock clock;
    clock.setLocal(2026, 1, 15, 12, 0, 30, 400);
    clock.utc = at(2026, 1, 15, 11, 0, 30, 400);
    clock.uptime = 10'000;  // 50 s to the uptime's next minute
    const std::vector<WakeCase> cases = {
        {"T HH:MM", kModeTimer, 0, true, 29'602, 29'602},
        {"U HH:MM:SS", kModeUtc, 1, true, 602, 602},
        {"W HH:MM", kModeWindows, 0, true, 50'002, 29'602},
        {"W HH:MM:SS", kModeWindows, 1, true, 1002, 602},
        {"W hidden", kModeWindows, 0, false, 50'002, 50'002},
        {"S stopped", kModeStopwatch, 1, true, 1002, 602},
        {"E", kModeETime, 0, true, 56'002, 29'602},
    };
    for (const WakeCase& c : cases) {
        ClockState s;
        s.Mode = c.mode;
        s.TimeFormat = static_cast<std::uint8_t>(c.timeFormat);
        s.ETimeFormat = 0;
        s.StopwatchStopped = true;
        s.WorldVisible = c.visible;
        EXPECT_EQ(msUntilNextChange(s, clock), c.withoutLines) << c.what;
        s.WorldLines = {line(kTokyo)};
        EXPECT_EQ(msUntilNextChange(s, clock), c.withLines) << c.what;
    }
}

}  // namespace
}  // namespace temura
