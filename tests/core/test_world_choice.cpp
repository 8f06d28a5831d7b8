#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_system_clock.h"
#include "zones/world_choice.h"
#include "zones/zone_list.h"

namespace temura {
namespace {

using Strings = std::vector<std::string>;

ZoneEntry entry(std::string name, std::int32_t bias, std::int32_t dstBias, std::string stdDate,
                std::string dstDate, std::optional<int> stdDow = std::nullopt,
                std::optional<int> dstDow = std::nullopt) {
    ZoneEntry e;
    e.DisplayName = std::move(name);
    e.Bias = bias;
    e.DSTBias = dstBias;
    e.StdDate = std::move(stdDate);
    e.StdTime = "02:00";
    e.DSTDate = std::move(dstDate);
    e.DSTTime = "02:00";
    e.StdDOW = stdDow;
    e.DSTDOW = dstDow;
    return e;
}

// A line named after a zone, its figures not those of any zone below.
WorldLine stale(const std::string& name) {
    WorldLine l;
    l.Bias = 1;
    l.Name = name;
    return l;
}

// The line copies what "Use" takes: the catalogue's own sign, the dates in the given year as the
// rule's weekday has them, a zone with a change-over alone as one without.
TEST(WorldChoice, LineFromACatalogueRowCopiesWhatUseTakes) {
    const struct {
        ZoneEntry zone;
        int year;
        const char* value;  // none when empty
    } cases[] = {
        {entry("America/New_York", 300, -60, "02-11", "09-03", 0, 0), 2026,
         "300;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/New_York"},
        {entry("America/New_York", 300, -60, "02-11", "09-03", 0, 0), 2027,
         "300;0;-60;07-11-2027;02:00;14-03-2027;02:00;America/New_York"},
        {entry("Old file", -60, -60, "25-10", "29-03"), 2027,
         "-60;0;-60;25-10-2027;02:00;29-03-2027;02:00;Old file"},
        {entry("(UTC+05:30) India", -330, 0, "00-00", "00-00"), 2026,
         "-330;0;0;00-00-0000;00:00;00-00-0000;00:00;(UTC+05:30) India"},
        {entry("Half", -60, -60, "00-00", "29-03"), 2026,
         "-60;0;-60;00-00-0000;00:00;00-00-0000;00:00;Half"},
        {entry("", 0, 0, "00-00", "00-00"), 2026, ""},
        {entry("Far", -1500, 0, "00-00", "00-00"), 2026, ""},
        {entry("Long " + std::string(600, 'x'), 0, 0, "00-00", "00-00"), 2026, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone.DisplayName.substr(0, 20) + " " + std::to_string(c.year));
        const auto line = worldLineOf(selectionOf(rowFromEntry(c.zone, true), c.year));
        EXPECT_EQ(line ? worldLineValue(*line) : std::string(), c.value);
    }
}

// Toggling builds the list in the order chosen; the column shows each zone's place.
TEST(WorldChoice, ToggleKeepsTheOrderChosenAndRefusesANinth) {
    std::vector<WorldLine> lines;
    const auto toggle = [&lines](const std::string& name) {
        return toggleWorldLine(lines, ZoneSelection{name, 60, 0, 0, 0, 0});
    };
    const struct {
        const char* zone;
        WorldToggle outcome;
        const char* after;  // the lines' names, one letter each
    } steps[] = {
        {"A", WorldToggle::Added, "A"},    {"B", WorldToggle::Added, "AB"},
        {"C", WorldToggle::Added, "ABC"},  {"A", WorldToggle::Removed, "BC"},
        {"", WorldToggle::Unusable, "BC"}, {"D", WorldToggle::Added, "BCD"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.zone);
        EXPECT_EQ(toggle(s.zone), s.outcome);
        std::string names;
        for (const WorldLine& l : lines) names += l.Name;
        EXPECT_EQ(names, s.after);
    }
    EXPECT_EQ((Strings{worldClockCell(lines, "B"), worldClockCell(lines, "D"),
                       worldClockCell(lines, "A")}),
              (Strings{"1", "3", ""}));
    for (const char* name : {"E", "F", "G", "H", "I"}) EXPECT_EQ(toggle(name), WorldToggle::Added);
    EXPECT_EQ(toggle("J"), WorldToggle::Full);
    EXPECT_EQ(lines.size(), kMaxWorldLines);
    EXPECT_EQ(toggle("I"), WorldToggle::Removed);
}

// Move, rename and the enabling of the commands, on the lines A, B, C.
TEST(WorldChoice, MoveRenameAndEnablingFollowTheZonesLine) {
    enum Op { Earlier, Later, Rename };
    const struct {
        const char* zone;
        Op op;
        std::string name;
        bool changed;
        const char* after;  // first letters of the lines' names
    } cases[] = {
        {"B", Earlier, "", true, "BAC"},
        {"B", Later, "", true, "ACB"},
        {"A", Earlier, "", false, "ABC"},
        {"C", Later, "", false, "ABC"},
        {"X", Later, "", false, "ABC"},
        {"B", Rename, "Mum", true, "AMC"},
        {"B", Rename, "  ", false, "ABC"},  // blank: the zone's own name, as it was
        {"B", Rename, "two\nlines", false, "ABC"},
        {"B", Rename, std::string(600, 'n'), false, "ABC"},  // beyond what is stored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.op) + " " + c.name.substr(0, 9));
        std::vector<WorldLine> lines = {stale("A"), stale("B"), stale("C")};
        const bool changed = c.op == Rename
                                 ? renameZoneWorldLine(lines, c.zone, c.name)
                                 : moveZoneWorldLine(lines, c.zone, c.op == Later ? 1 : -1);
        EXPECT_EQ(changed, c.changed);
        std::string letters;
        for (const WorldLine& l : lines) letters += l.Name.front();
        EXPECT_EQ(letters, c.after);
    }

    // A line the user named still belongs to its zone, and a blank name gives the zone's back.
    std::vector<WorldLine> named = {stale("A"), stale("B")};
    EXPECT_EQ(worldLineName(named, "B"), "B");
    ASSERT_TRUE(renameZoneWorldLine(named, "B", "Mum"));
    EXPECT_EQ(worldClockCell(named, "B"), "2");
    // The rename box offers "Mum": accepting it as it stands keeps the user's name.
    EXPECT_EQ(worldLineName(named, "B"), "Mum");
    EXPECT_FALSE(renameZoneWorldLine(named, "B", "Mum"));
    EXPECT_EQ(worldLineName(named, "X"), std::nullopt);
    EXPECT_TRUE(moveZoneWorldLine(named, "B", -1));
    ASSERT_TRUE(renameZoneWorldLine(named, "B", ""));
    EXPECT_EQ(named.front(), stale("B"));

    const std::vector<WorldLine> lines = {stale("A"), stale("B"), stale("C")};
    const struct {
        std::optional<std::string> selected;
        bool on, onClock, earlier, later, name;
    } enabling[] = {
        {std::nullopt, false, false, false, false, false},
        {"X", true, false, false, false, false},
        {"A", true, true, false, true, true},
        {"B", true, true, true, true, true},
        {"C", true, true, true, false, true},
    };
    for (const auto& e : enabling) {
        SCOPED_TRACE(e.selected.value_or("none"));
        const WorldActionState a = worldActions(lines, e.selected);
        EXPECT_EQ((std::vector<bool>{a.actWorld, a.onClock, a.actWorldEarlier, a.actWorldLater,
                                     a.actWorldName}),
                  (std::vector<bool>{e.on, e.onClock, e.earlier, e.later, e.name}));
    }
}

// After OK or Update the lines that carry a zone's name take its figures; a renamed line and a
// line whose zone is gone keep their own.
TEST(WorldChoice, LinesFollowTheirZonesAfterOkAndUpdate) {
    test::FakeSystemClock clock;
    clock.setLocal(2026, 7, 1, 12, 0);
    ZoneList list(clock);
    list.appendRow(rowFromEntry(entry("Tokyo", -540, 0, "00-00", "00-00"), true));
    list.appendRow(rowFromEntry(entry("Tokyo", -600, 0, "00-00", "00-00"), true));  // a twin
    list.appendRow(rowFromEntry(entry("Warsaw", -60, -60, "25-10", "29-03", 0, 0), true));
    const std::string tokyo = "-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Tokyo";
    const std::string warsaw = "-60;0;-60;25-10-2026;02:00;29-03-2026;02:00;Warsaw";

    std::vector<WorldLine> lines = {stale("Warsaw"), stale("Mum"), stale("Gone"), stale("Tokyo"),
                                    stale("Gran")};
    lines[4].Zone = "Warsaw";
    EXPECT_TRUE(refreshWorldLines(lines, list, 2026));
    EXPECT_EQ(worldLineValue(lines[0]), warsaw);
    EXPECT_EQ(worldLineValue(lines[4]), warsaw.substr(0, warsaw.rfind(';') + 1) + "Gran");
    EXPECT_EQ(lines[4].Zone, "Warsaw");
    EXPECT_EQ(lines[1], stale("Mum"));
    EXPECT_EQ(lines[2], stale("Gone"));
    EXPECT_EQ(worldLineValue(lines[3]), tokyo);  // the first zone of the name
    EXPECT_FALSE(refreshWorldLines(lines, list, 2026));

    // OK on a zone that was called Tokyo; the other lines stay as they are.
    const struct {
        const char* what;
        ZoneSelection zone;
        bool changed;
        const char* lastName;
    } edits[] = {
        {"figures", {"Tokyo", 600, 0, 0, 0, 0}, true, "Tokyo"},
        {"name", {"Edo", 540, 0, 0, 0, 0}, true, "Edo"},
        {"unchanged", {"Tokyo", 540, 0, 0, 0, 0}, false, "Tokyo"},
        {"emptied name", {"", 540, 0, 0, 0, 0}, false, "Tokyo"},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.what);
        std::vector<WorldLine> edited = lines;
        EXPECT_EQ(followZoneEdit(edited, "Tokyo", e.zone), e.changed);
        EXPECT_EQ(edited[3].Name, e.lastName);
        EXPECT_EQ(-edited[3].Bias, e.changed ? e.zone.bias : 540);
        EXPECT_TRUE(std::equal(lines.begin(), lines.begin() + 3, edited.begin()));
    }
    EXPECT_FALSE(followZoneEdit(lines, "Lima", ZoneSelection{"Lima", -300, 0, 0, 0, 0}));

    // The window's OK: the line is found by the row's name from before the edit.
    list.setSelection({});
    EXPECT_FALSE(okFollowingWorldLines(list, lines));
    list.setSelection({0});
    EXPECT_EQ(selectedZoneName(list), "Tokyo");
    list.setName("Edo");
    EXPECT_TRUE(okFollowingWorldLines(list, lines));
    EXPECT_EQ(lines[3].Name, "Edo");
    EXPECT_EQ(selectedZoneName(list), "Edo");
}

}  // namespace
}  // namespace temura
