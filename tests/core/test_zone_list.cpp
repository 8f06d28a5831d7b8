#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_system_clock.h"
#include "zones/zone_list.h"

namespace temura {
namespace {

using test::FakeSystemClock;
using Strings = std::vector<std::string>;

ZoneRow makeRow(const std::string& name, const std::string& gmt, bool user = false) {
    ZoneRow r;
    r.name = name;
    r.gmtBias = gmt;
    r.stdBias = "00:00";
    r.dstBias = "+01:00";
    r.stdDate = "25-10";
    r.stdTime = "03:00";
    r.dstDate = "29-03";
    r.dstTime = "02:00";
    r.kind = YesNoText(!user, true);
    r.icon = user ? kIconUserZero : kIconSystemZero;
    return r;
}

ZoneFields fieldsOf(std::string name, std::array<int, kZoneFieldCount> values) {
    return ZoneFields{std::move(name), values};
}

class ZoneListTest : public ::testing::Test {
  protected:
    FakeSystemClock clock;
    ZoneList list{clock};

    void SetUp() override {
        clock.setLocal(2026, 7, 1, 12, 0);
        clock.setWarsawSummer();
    }

    void fill(const Strings& names) {
        for (const std::string& n : names) list.appendRow(makeRow(n, "00:00"));
        list.Renum();
    }

    Strings names() const {
        Strings out;
        for (int i = 0; i < list.rowCount(); ++i) out.push_back(list.cellText(i, kColName));
        return out;
    }
};

TEST_F(ZoneListTest, SelectingFillsTheFieldsAndSnapshot) {
    ZoneRow r = makeRow("India", "-05:30");
    r.dstBias = "+01:00";
    r.stdBias = "-00:30";
    r.dstDate = "29-03";
    r.dstTime = "02:05";
    r.stdDate = "xx-10";  // unparsable: 0 and 0
    r.stdTime = "45:99";  // beyond the spins: held at 23 and 59
    list.appendRow(r);
    list.appendRow(makeRow("Other", "00:00"));
    list.Renum();

    list.setSelection({1, 0});
    EXPECT_EQ(list.firstSelected(), 0);
    EXPECT_EQ(list.fields(), fieldsOf("India", {-5, -30, 1, 0, 0, -30, 29, 3, 2, 5, 0, 0, 23, 59}));
    EXPECT_EQ(list.SelectionSnapshot(), list.fields());
    EXPECT_EQ(list.windowCaption(), "Time Zones (India)");
    EXPECT_FALSE(list.ZoneModified());
    list.SetLang(false);
    EXPECT_EQ(list.windowCaption(), "Strefy czasowe");
    EXPECT_EQ(list.fields().name, "India");  // the fields stay

    list.setSelection({});
    EXPECT_EQ(list.fields().name, "");
    EXPECT_EQ(list.windowCaption(), "Strefy czasowe");
    EXPECT_FALSE(list.ZoneModified());
}

TEST_F(ZoneListTest, OkWithUnchangedFieldsNormalisesWithoutMarking) {
    ZoneRow r = makeRow("Odd", "+1:5");
    r.stdDate = "xx-10";
    r.dstDate = "5-3";
    r.dstTime = "2:0";
    list.appendRow(r);
    list.Renum();
    list.select(0);
    list.actOK();
    const ZoneRow& after = list.row(0);
    EXPECT_EQ(after.gmtBias, "+01:05");
    EXPECT_EQ(after.stdDate, "00-00");
    EXPECT_EQ(after.dstDate, "05-03");
    EXPECT_EQ(after.dstTime, "02:00");
    EXPECT_EQ(after.icon, kIconSystemZero);
    EXPECT_FALSE(list.CatalogueModified());
}

TEST_F(ZoneListTest, OkBuildsOffsetsWithSignedMinutes) {
    struct Case {
        int hours;
        int minutes;
        const char* text;
    };
    const Case cases[] = {
        {-5, 30, "-04:30"}, {-5, -30, "-05:30"}, {0, -30, "-00:30"}, {5, -30, "+04:30"},
        {0, 0, "00:00"},    {24, 59, "+24:59"},  {99, 99, "+24:59"},  // held to the spin range
    };
    for (const Case& c : cases) {
        list.clearRows();
        list.appendRow(makeRow("Z", "00:00"));
        list.Renum();
        list.setCatalogueModified(false);
        list.select(0);
        list.setField(kGMTBiasHour, c.hours);
        list.setField(kGMTBiasMin, c.minutes);
        list.setField(kStdBiasHour, c.hours);
        list.setField(kStdBiasMin, c.minutes);
        list.actOK();
        EXPECT_EQ(list.row(0).gmtBias, c.text) << c.hours << " " << c.minutes;
        EXPECT_EQ(list.row(0).stdBias, c.text);
        const bool changed = c.hours != 0 || c.minutes != 0;
        EXPECT_EQ(list.CatalogueModified(), changed) << c.text;
        EXPECT_EQ(list.row(0).icon, changed ? kIconChanged : kIconSystemZero);
    }
}

TEST_F(ZoneListTest, LongNameAlwaysCountsAsChanged) {
    list.appendRow(makeRow(std::string(256, 'n'), "00:00"));
    list.appendRow(makeRow("ż" + std::string(254, 'n'), "00:00"));  // 255 characters, 256 bytes
    list.select(1);
    EXPECT_FALSE(list.ZoneModified());
    list.select(0);
    EXPECT_TRUE(list.ZoneModified());
}

TEST_F(ZoneListTest, AddAppendsAnEmptyUserRowAndSelectsIt) {
    fill({"A", "B"});
    list.select(0);
    list.SetLang(false);
    EXPECT_EQ(list.actAdd(), 2);
    EXPECT_TRUE(list.CatalogueModified());
    EXPECT_EQ(list.selection(), std::vector<int>{2});
    Strings cells;
    for (int col = 0; col < kZoneColumnCount; ++col) cells.push_back(list.cellText(2, col));
    EXPECT_EQ(cells, (Strings{"003", "", "00:00", "00:00", "00:00", "00-00", "00:00", "00-00",
                              "00:00", "Nie", ""}));
    EXPECT_EQ(list.iconIndex(2), kIconChanged);
    EXPECT_TRUE(list.nameBold(2));
    EXPECT_EQ(list.fields(), ZoneFields{});
    EXPECT_EQ(list.windowCaption(), "Strefy czasowe ()");
}

TEST_F(ZoneListTest, DeleteRemovesEverySelectedRow) {
    fill({"A", "B", "C", "D"});
    list.actRemoveSelected();
    EXPECT_FALSE(list.CatalogueModified());  // nothing selected
    list.setSelection({3, 1});
    list.actRemoveSelected();
    EXPECT_EQ(names(), (Strings{"A", "C"}));
    EXPECT_EQ(list.cellText(1, kColNumber), "002");
    EXPECT_TRUE(list.CatalogueModified());
    EXPECT_FALSE(list.hasSelection());
    EXPECT_EQ(list.fields().name, "");
    EXPECT_FALSE(list.enabledActions().actRemoveSelected);
}

TEST_F(ZoneListTest, MoveUpAndDown) {
    struct Case {
        const char* what;
        std::vector<int> selected;
        bool up;
        Strings order;
        bool modified;
    };
    const Case cases[] = {
        {"up on 001 does nothing", {0}, true, {"A", "B", "C", "D"}, false},
        {"up on 002", {1}, true, {"B", "A", "C", "D"}, true},
        {"up on 004", {3}, true, {"A", "B", "D", "C"}, true},
        {"down on 001", {0}, false, {"B", "A", "C", "D"}, true},
        {"down on 003", {2}, false, {"A", "B", "D", "C"}, true},
        {"down on the last row marks modified", {3}, false, {"A", "B", "C", "D"}, true},
        {"several selected: the first moves", {3, 2}, true, {"A", "C", "B", "D"}, true},
        {"nothing selected", {}, false, {"A", "B", "C", "D"}, false},
    };
    for (const Case& c : cases) {
        list.clearRows();
        fill({"A", "B", "C", "D"});
        list.setCatalogueModified(false);
        list.setSelection(c.selected);
        const auto moving = list.firstSelected();
        const std::string name = moving ? list.cellText(*moving, kColName) : "";
        c.up ? list.actMoveUp() : list.actMoveDown();
        EXPECT_EQ(names(), c.order) << c.what;
        EXPECT_EQ(list.CatalogueModified(), c.modified) << c.what;
        EXPECT_EQ(list.cellText(3, kColNumber), "004") << c.what;
        if (moving) {
            EXPECT_EQ(list.cellText(*list.firstSelected(), kColName), name) << c.what;
        }
        EXPECT_EQ(list.selection().size(), c.selected.size()) << c.what;
    }
}

TEST_F(ZoneListTest, OrderingIsByNumberTextAndStable) {
    const std::pair<const char*, const char*> rows[] = {
        {"a", "101"}, {"b", "1009"}, {"c", "002"}, {"d", "10"}, {"e", "002"}, {"f", "1000"},
    };
    for (const auto& [name, number] : rows) {
        ZoneRow r = makeRow(name, "00:00");
        r.number = number;
        list.appendRow(r);
    }
    list.sortByNumber();
    EXPECT_EQ(names(), (Strings{"c", "e", "d", "f", "b", "a"}));  // a prefix sorts first
    list.setNumber(0, "1005");
    EXPECT_EQ(names(), (Strings{"e", "d", "f", "c", "b", "a"}));
    list.setNumber(0, "1009");  // equal to b's, and e was above b
    EXPECT_EQ(names(), (Strings{"d", "f", "c", "e", "b", "a"}));

    // Long enough that an unstable sort would show.
    list.clearRows();
    Strings odd, even;
    for (int i = 0; i < 60; ++i) {
        ZoneRow r = makeRow(std::to_string(i), "00:00");
        r.number = i % 2 ? "1" : "0";
        (i % 2 ? odd : even).push_back(r.name);
        list.appendRow(r);
    }
    list.sortByNumber();
    even.insert(even.end(), odd.begin(), odd.end());
    EXPECT_EQ(names(), even);
}

TEST_F(ZoneListTest, MarkChangesKindOfEverySelectedRow) {
    list.appendRow(makeRow("A", "00:00", true));
    list.appendRow(makeRow("B", "-01:00", false));
    list.appendRow(makeRow("C", "+01:00", true));
    list.Renum();
    list.actMarkAsSystem();
    EXPECT_FALSE(list.CatalogueModified());

    list.SetLang(false);
    list.setSelection({0, 2});
    list.actMarkAsSystem();
    EXPECT_EQ(list.cellText(0, kColSys), "Tak");
    EXPECT_EQ(list.cellText(1, kColSys), "Yes");  // untouched, kept its language
    EXPECT_EQ(list.cellText(2, kColSys), "Tak");
    EXPECT_FALSE(list.nameBold(0));
    EXPECT_EQ(list.iconIndex(0), kIconChanged);
    EXPECT_EQ(list.iconIndex(1), kIconSystemZero);  // not selected: untouched
    EXPECT_TRUE(list.CatalogueModified());

    list.select(1);
    list.actMarkAsUser();
    EXPECT_EQ(list.cellText(1, kColSys), "Nie");
    EXPECT_TRUE(list.nameBold(1));
}

TEST_F(ZoneListTest, CopyPasteClear) {
    fill({"A"});
    EXPECT_FALSE(list.enabledActions().actPasteInfo);
    list.setField(kStdMin, 7);
    list.actPasteInfo();  // nothing copied yet
    EXPECT_EQ(list.fields().values[kStdMin], 7);

    // Copy works without a selected row too.
    const ZoneFields typed =
        fieldsOf(std::string(300, 'q'), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    list.setFields(typed);
    list.actCopyInfo();
    EXPECT_TRUE(list.enabledActions().actPasteInfo);
    EXPECT_EQ(list.CopiedZone()->name.size(), 255u);

    list.actClear();
    EXPECT_EQ(list.fields(), ZoneFields{});
    list.actPasteInfo();
    EXPECT_EQ(list.fields().values, typed.values);
    EXPECT_EQ(list.fields().name, std::string(255, 'q'));
    EXPECT_EQ(list.cellText(0, kColName), "A");
    EXPECT_FALSE(list.CatalogueModified());
}

TEST_F(ZoneListTest, EnablingFollowsTheSelection) {
    fill({"A"});
    const auto selectionDriven = [](const ZoneActionState& a) {
        return std::vector<bool>{
            a.actRemoveSelected, a.actMoveUp,       a.actMoveDown, a.actUse,    a.actOK,
            a.actMarkAsUser,     a.actMarkAsSystem, a.edName,      a.biasGroups};
    };
    EXPECT_EQ(selectionDriven(list.enabledActions()), std::vector<bool>(9, false));
    list.select(0);
    EXPECT_EQ(selectionDriven(list.enabledActions()), std::vector<bool>(9, true));
}

// New York against a Warsaw clock in 2026 (US change-overs 8 March and 1 November).
TEST_F(ZoneListTest, PreviewInDaylightAndStandardTime) {
    ZoneRow ny = makeRow("New York", "-05:00");
    ny.dstDate = "08-03";
    ny.stdDate = "01-11";
    ny.stdTime = "02:00";
    ZoneRow none = makeRow("No rules", "+05:30");
    none.dstDate = none.stdDate = "00-00";
    list.appendRow(ny);
    list.appendRow(none);
    list.Renum();
    const LocaleNames names = englishLocaleNames();

    struct Case {
        const char* what;
        int month, day, hour, minute, second, ms;
        bool summer;
        bool english;
        int row;
        std::int64_t shift;
        const char* time;
        const char* date;
    };
    const Case cases[] = {
        {"summer", 7, 1, 12, 0, 0, 0, true, true, 0, -360, "06:00:00  (daylight saving time)",
         "01.07.2026"},
        {"winter", 1, 15, 2, 0, 0, 0, false, true, 0, -360, "20:00:00  (standard time)",
         "14.01.2026"},
        {"winter, Polish", 1, 15, 2, 0, 0, 0, false, false, 0, -360, "20:00:00  (Czas standardowy)",
         "14.01.2026"},
        {"US summer, Warsaw winter", 3, 20, 12, 0, 0, 0, false, false, 0, -300,
         "07:00:00  (czas letni)", "20.03.2026"},
        // In the last second of daylight time the zone is in neither window.
        {"half a second before std", 11, 1, 1, 59, 59, 500, false, true, 0, -360, "19:59:59",
         "31.10.2026"},
        {"no rules", 7, 1, 12, 0, 0, 0, true, true, 1, 210, "15:30:00", "01.07.2026"},
    };
    for (const Case& c : cases) {
        clock.setLocal(2026, c.month, c.day, c.hour, c.minute, c.second, c.ms);
        c.summer ? clock.setWarsawSummer() : clock.setWarsawWinter();
        list.SetLang(c.english);
        list.select(c.row);
        list.DispSelectedTime();
        EXPECT_EQ(list.preview().shift, c.shift) << c.what;
        EXPECT_EQ(list.previewTimeText(), c.time) << c.what;
        EXPECT_EQ(list.previewDateText(4, names), c.date) << c.what;
    }
    list.setSelection({});
    EXPECT_EQ(list.previewTimeText(), "");
    EXPECT_EQ(list.previewDateText(4, names), "");
}

// A typed date gets the weekday it falls on in the year of typing; an untouched one keeps its own.
TEST_F(ZoneListTest, OkGivesTypedDatesThisYearsWeekday) {
    struct Case {
        const char* what;
        const char* date;
        std::optional<int> dow;
        int day, month, year;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"typed", "29-03", 0, 14, 3, 2026, 6},
        {"typed into a row without one", "00-00", std::nullopt, 8, 3, 2027, 1},
        {"untouched, a later year", "08-03", 0, 8, 3, 2027, 0},
        {"untouched, written otherwise", "8-3", 0, 8, 3, 2027, 0},
        {"untouched without one", "08-03", std::nullopt, 8, 3, 2027, std::nullopt},
        {"no such day", "08-03", 0, 29, 2, 2027, std::nullopt},
    };
    for (const Case& c : cases) {
        clock.setLocal(c.year, 1, 1, 12, 0);
        list.clearRows();
        ZoneRow r = makeRow("Z", "00:00");
        r.dstDate = c.date;
        r.dstDow = c.dow;
        list.appendRow(r);
        list.select(0);
        list.setField(kDSTDay, c.day);
        list.setField(kDSTMonth, c.month);
        list.actOK();
        EXPECT_EQ(list.row(0).dstDow, c.expected) << c.what;
    }
}

TEST_F(ZoneListTest, UseBuildsTheSelectionFromTheRowTexts) {
    ZoneRow r = makeRow("Kolkata", "+05:30");
    r.dstBias = "-00:30";
    r.stdDate = "31-02";  // no such day: 0
    list.appendRow(r);
    list.Renum();
    EXPECT_FALSE(list.zoneToUse().has_value());

    list.select(0);
    list.setName("edited but not applied");
    const ZoneSelection z = *list.zoneToUse();
    EXPECT_EQ(z.name, "Kolkata");
    EXPECT_EQ(z.bias, 330);
    EXPECT_EQ(z.dstBias, -30);
    EXPECT_EQ(z.stdBias, 0);
    EXPECT_EQ(z.dstStart, *tryEncodeDateTime(2026, 3, 29, 2, 0, 0, 0));
    EXPECT_EQ(z.stdStart, 0.0);

    ClockState s;
    clock.setWarsawWinter();
    applyZone(s, clock, z);
    EXPECT_TRUE(s.UseTZ);
    EXPECT_EQ(s.ZoneShift, -60 + 330);
}

}  // namespace
}  // namespace temura
