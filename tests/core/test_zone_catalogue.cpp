#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "storage/ini_document.h"
#include "support/fake_files.h"
#include "support/fake_system_clock.h"
#include "support/fake_zone_table.h"
#include "support/stored_values.h"
#include "zones/zone_catalogue.h"

namespace temura {
namespace {

using test::FakeFiles;
using test::FakeSystemClock;
using test::FakeZoneTable;
using test::ruleBlock;
using test::RuleDate;
using test::tableZone;

const std::string kSys = "/opt/temura/TimeZones.dat";
const std::string kUser = "/opt/temura/UserTimeZones.dat";

// Last Sunday of October 03:00 and of March 02:00.
const RuleDate kEuStd{10, 0, 5, 3, 0};
const RuleDate kEuDst{3, 0, 5, 2, 0};

std::vector<std::uint8_t> euRule(std::int32_t bias) {
    return ruleBlock(bias, 0, -60, kEuStd, kEuDst);
}

class Catalogue : public ::testing::Test {
  protected:
    FakeFiles files;
    FakeZoneTable table;
    FakeSystemClock clock;
    ClockState state;

    void SetUp() override { SetInis(state, files, "/opt/temura"); }

    IniDocument built(int year = 2026) {
        EXPECT_GT(CreateTZIni(files, table, kSys, year), 0);
        return IniDocument::parse(files.files[kSys]);
    }

    std::vector<std::string> column(const ZoneList& list, int col) {
        std::vector<std::string> out;
        for (int i = 0; i < list.rowCount(); ++i) out.push_back(list.cellText(i, col));
        return out;
    }

    ZoneList loaded() {
        ZoneList list(clock);
        LoadIniUserTZ(list, files, kUser);
        LoadIniTZ(list, files, kSys);
        return list;
    }
};

TEST_F(Catalogue, SetInisPlacesBothFilesAndMakesExistingOnesWritable) {
    files.folders.insert("/home/u/.local/share/temura");
    const std::string sys = "/home/u/.local/share/temura/TimeZones.dat";
    files.files[sys] = "x";
    files.readOnlyFiles.insert(sys);
    SetInis(state, files, "/home/u/.local/share/temura");
    EXPECT_EQ(state.SysZonesFile, sys);
    EXPECT_EQ(state.UserZonesFile, "/home/u/.local/share/temura/UserTimeZones.dat");
    EXPECT_FALSE(files.readOnlyFiles.contains(sys));
    EXPECT_FALSE(files.exists(state.UserZonesFile));  // never created here
}

TEST_F(Catalogue, RuleGivesTheDayOfItsYear) {
    struct Case {
        const char* what;
        int year;
        RuleDate rule;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {"1st Sunday", 2026, {3, 0, 1, 2, 0}, "01-03", "02:00"},
        {"4th Sunday", 2026, {3, 0, 4, 2, 0}, "22-03", "02:00"},
        {"last Sunday", 2026, {3, 0, 5, 2, 0}, "29-03", "02:00"},
        {"last Sunday, other year", 2027, {3, 0, 5, 2, 0}, "28-03", "02:00"},
        {"leap February has a 5th Thursday", 2024, {2, 4, 5, 23, 59}, "29-02", "23:59"},
        {"only four Sundays: the 4th", 2026, {2, 0, 5, 1, 30}, "22-02", "01:30"},
        {"seconds dropped, year ignored", 2026, {4, 6, 1, 0, 0, 59, 1999}, "04-04", "00:00"},
        {"month 0: no change-over", 2026, {0, 0, 5, 2, 0}, "00-00", "02:00"},
        {"all zeros", 2026, {}, "00-00", "00:00"},
    };
    for (const Case& c : cases) {
        table.entries = {tableZone(1, "Z", ruleBlock(-60, 0, -60, c.rule, c.rule))};
        const IniDocument doc = built(c.year);
        EXPECT_EQ(doc.value("TZ_1", "StdDate"), c.date) << c.what;
        EXPECT_EQ(doc.value("TZ_1", "StdTime"), c.time) << c.what;
        EXPECT_EQ(doc.value("TZ_1", "StdDOW"), std::to_string(c.rule.dayOfWeek)) << c.what;
    }
}

// The worked example: a zone an hour ahead of UTC with European change-overs, built in 2026.
TEST_F(Catalogue, BuildWritesTheExampleZoneLineForLine) {
    table.entries = {tableZone(42, "(GMT+01:00) Example City", euRule(-60), "Example Standard Time",
                               "Example Daylight Time")};
    EXPECT_EQ(CreateTZIni(files, table, kSys, 2026), 1);
    EXPECT_EQ(files.files[kSys], test::kExampleZoneCatalogue);

    // As the window shows it, and as its first save writes it back.
    ZoneList list = loaded();
    ASSERT_EQ(list.rowCount(), 1);
    std::vector<std::string> cells;
    for (int col = 0; col < kZoneColumnCount; ++col) cells.push_back(list.cellText(0, col));
    EXPECT_EQ(cells, (std::vector<std::string>{"001", "Example City", "+01:00", "00:00", "+01:00",
                                               "25-10", "03:00", "29-03", "02:00", "Yes", ""}));
    EXPECT_EQ(list.iconIndex(0), kIconSystemAhead);
    EXPECT_FALSE(list.nameBold(0));

    ASSERT_TRUE(SaveIniTZ(list, files, kSys));
    EXPECT_EQ(files.files[kSys],
              ";System Time Zones\r\n"
              "[TZ_001]\r\n"
              "DisplayName=Example City\r\n"
              "Bias=-60\r\n"
              "StdBias=0\r\n"
              "DSTBias=-60\r\n"
              "StdDate=25-10\r\n"
              "StdTime=03:00\r\n"
              "DSTDate=29-03\r\n"
              "DSTTime=02:00\r\n"
              "StdDOW=0\r\n"
              "DSTDOW=0\r\n"
              "sys=1\r\n");
}

// The build's dates are exact for its own year; its weekdays carry them to the year of use.
TEST_F(Catalogue, UseGivesTheChangeOversOfTheYearOfUse) {
    table.entries = {
        tableZone(1, "New York", ruleBlock(300, 0, -60, {11, 0, 1, 2, 0}, {3, 0, 2, 2, 0})),
        tableZone(2, "Warsaw", euRule(-60))};
    built(2026);
    // New York's 2026 dates without weekdays: this year's day and month, whatever the year.
    files.files[kUser] =
        "[TZ_001]\r\nDisplayName=Plain\r\nStdDate=01-11\r\nStdTime=02:00\r\n"
        "DSTDate=08-03\r\nDSTTime=02:00\r\n";
    struct Case {
        int row;
        int year;
        DateTime dst;
        DateTime std;
    };
    const auto at = [](int y, int mo, int d, int h) {
        return *tryEncodeDateTime(y, mo, d, h, 0, 0, 0);
    };
    const Case cases[] = {
        {1, 2026, at(2026, 3, 8, 2), at(2026, 11, 1, 2)},
        {1, 2027, at(2027, 3, 14, 2), at(2027, 11, 7, 2)},
        {1, 2028, at(2028, 3, 12, 2), at(2028, 11, 5, 2)},
        {2, 2027, at(2027, 3, 28, 2), at(2027, 10, 31, 3)},
        {2, 2028, at(2028, 3, 26, 2), at(2028, 10, 29, 3)},
        {0, 2027, at(2027, 3, 8, 2), at(2027, 11, 1, 2)},
    };
    for (const Case& c : cases) {
        clock.setLocal(c.year, 1, 1, 12, 0);
        ZoneList list = loaded();
        list.select(c.row);
        const ZoneSelection z = *list.zoneToUse();
        EXPECT_DOUBLE_EQ(z.dstStart, c.dst) << z.name << " " << c.year;
        EXPECT_DOUBLE_EQ(z.stdStart, c.std) << z.name << " " << c.year;
    }
}

TEST(CatalogueNames, NameCut) {
    struct Case {
        const char* display;
        const char* name;
    };
    const Case cases[] = {
        {"(GMT+01:00)   Europe/Warsaw \t", "Europe/Warsaw"},
        {"(GMT-03:00) (Buenos Aires) Argentina", "(Buenos Aires) Argentina"},
        {"(GMT+05:30)", ""},
        {"(GMT+01:00 no closing bracket", "(GMT+01:00 no closing bracket"},
        {"Europe/Warsaw", "Europe/Warsaw"},
        {" (GMT+01:00) Warsaw", " (GMT+01:00) Warsaw"},
        {"(gmt+01:00) Warsaw", "(gmt+01:00) Warsaw"},
    };
    for (const Case& c : cases) EXPECT_EQ(cutDisplayName(c.display), c.name) << c.display;
}

TEST_F(Catalogue, SectionNumbersFromIndexOrPosition) {
    table.entries = {
        tableZone(110, "A", euRule(-60)),     tableZone(std::nullopt, "B", euRule(0)),
        tableZone(-5, "C", euRule(60)),       tableZone(std::nullopt, "D", euRule(0)),
        tableZone(INT32_MIN, "E", euRule(0)),  // an index with the top bit set
    };
    const IniDocument doc = built();
    EXPECT_EQ(doc.sections(),
              (std::vector<std::string>{"TZ_110", "TZ_002", "TZ_-5", "TZ_004", "TZ_-2147483648"}));
}

TEST_F(Catalogue, SameIndexTwiceWritesOneSectionWithTheLaterValues) {
    table.entries = {
        tableZone(7, "(GMT+01:00) First", euRule(-60), "First Std", "First Dlt"),
        tableZone(std::nullopt, "Between", euRule(0)),
        tableZone(7, "(GMT-05:00) Second",
                  ruleBlock(300, 0, -60, {11, 0, 1, 2, 0}, {3, 0, 2, 2, 0}), "Second Std",
                  "Second Dlt"),
    };
    EXPECT_EQ(CreateTZIni(files, table, kSys, 2026), 2);
    const IniDocument doc = IniDocument::parse(files.files[kSys]);
    EXPECT_EQ(doc.sections(), (std::vector<std::string>{"TZ_7", "TZ_002"}));
    EXPECT_EQ(doc.value("TZ_7", "DisplayName"), "Second");
    EXPECT_EQ(doc.value("TZ_7", "StdName"), "Second Std");
    EXPECT_EQ(doc.value("TZ_7", "Bias"), "300");
    EXPECT_EQ(doc.value("TZ_7", "StdDate"), "01-11");
    EXPECT_EQ(doc.value("TZ_7", "DSTDate"), "08-03");
    EXPECT_EQ(doc.keys("TZ_7").size(), 13u);  // replaced in place, no key twice
}

TEST_F(Catalogue, MalformedOrMissingRuleBlock) {
    auto longBlock = euRule(-60);
    longBlock.push_back(0);
    auto shortBlock = euRule(-60);
    shortBlock.pop_back();
    table.entries = {
        tableZone(1, "Long", longBlock),
        tableZone(2, "Short", shortBlock),
        tableZone(3, "Missing", std::nullopt),
    };
    const IniDocument doc = built();
    for (const char* section : {"TZ_1", "TZ_2", "TZ_3"}) {
        for (const char* key : {"Bias", "StdBias", "DSTBias"}) {
            EXPECT_EQ(doc.value(section, key), "-1") << section << key;
        }
        for (const char* key : {"StdDate", "StdTime", "DSTDate", "DSTTime"}) {
            EXPECT_EQ(doc.value(section, key), "") << section << key;
        }
        EXPECT_EQ(doc.value(section, "DSTDOW"), "0");
    }

    const ZoneList list = loaded();
    ASSERT_EQ(list.rowCount(), 3);
    for (int col = kColGMTBias; col <= kColDSTTime; ++col) {
        EXPECT_EQ(column(list, col),
                  std::vector<std::string>(3, col <= kColDSTBias ? "+00:01" : ""));
    }
}

TEST_F(Catalogue, FailedBuildKeepsTheOldFile) {
    files.files[kSys] = "old catalogue";
    table.present = false;
    EXPECT_EQ(CreateTZIni(files, table, kSys, 2026), 0);
    table.present = true;  // a table without zones
    EXPECT_EQ(CreateTZIni(files, table, kSys, 2026), 0);
    table.entries = {tableZone(1, "Z", euRule(0))};
    files.failWrites = true;
    EXPECT_EQ(CreateTZIni(files, table, kSys, 2026), 0);
    EXPECT_EQ(files.files[kSys], "old catalogue");

    // Start-up leaves an existing file alone; a read-only file is made writable and replaced.
    files.failWrites = false;
    EXPECT_FALSE(buildCatalogueIfMissing(files, table, state, 2026));
    EXPECT_EQ(files.files[kSys], "old catalogue");
    files.readOnlyFiles.insert(kSys);
    EXPECT_EQ(CreateTZIni(files, table, kSys, 2026), 1);
    EXPECT_NE(files.files[kSys], "old catalogue");

    // No missing file is created empty: the next start tries again.
    files.files.clear();
    table.entries.clear();
    EXPECT_FALSE(buildCatalogueIfMissing(files, table, state, 2026));
    EXPECT_FALSE(files.exists(kSys));
    table.entries = {tableZone(1, "Z", euRule(0))};
    EXPECT_TRUE(buildCatalogueIfMissing(files, table, state, 2026));
}

TEST_F(Catalogue, LoadPutsUserRowsFirstThenSystemRowsBySectionNumber) {
    files.files[kUser] =
        "[TZ_009]\r\nDisplayName=User B\r\nBias=-120\r\nsys=0\r\n"
        "[TZ_001]\r\nDisplayName=User A\r\nBias=0\r\nsys=0\r\n";
    files.files[kSys] =
        ";System Time Zones\r\n"
        "[TZ_110]\r\nDisplayName=Idx 110\r\nBias=300\r\n"
        "[TZ_5]\r\nDisplayName=Idx 5\r\nBias=-60\r\n"
        "[TZ_ABC]\r\nDisplayName=Pos 3\r\nBias=0\r\n"          // 1003
        "[TZ_99999999999]\r\nDisplayName=Pos 4\r\nBias=0\r\n"  // too large: 1004
        "[NoUnderscore]\r\nDisplayName=Pos 5\r\nBias=0\r\n"    // 1005, after Idx 5
        "[TZ_-5]\r\nDisplayName=Idx -5\r\nBias=0\r\n"          // 995 sorts after 1110
        "[TZ_4]\r\nDisplayName=Idx 4\r\nBias=0\r\n";           // 1004, after Pos 4
    const ZoneList list = loaded();
    EXPECT_EQ(column(list, kColName),
              (std::vector<std::string>{"User B", "User A", "Pos 3", "Pos 4", "Idx 4", "Idx 5",
                                        "Pos 5", "Idx 110", "Idx -5"}));
    EXPECT_EQ(column(list, kColNumber), (std::vector<std::string>{"001", "002", "003", "004", "005",
                                                                  "006", "007", "008", "009"}));
    EXPECT_EQ(column(list, kColSys), (std::vector<std::string>{"No", "No", "Yes", "Yes", "Yes",
                                                               "Yes", "Yes", "Yes", "Yes"}));
    EXPECT_TRUE(list.nameBold(0));
    EXPECT_EQ(list.iconIndex(0), kIconUserAhead);
    EXPECT_EQ(list.iconIndex(1), kIconUserZero);
    EXPECT_EQ(list.iconIndex(5), kIconSystemAhead);
    EXPECT_EQ(list.iconIndex(7), kIconSystemBehind);
    EXPECT_FALSE(list.CatalogueModified());
}

TEST_F(Catalogue, HundredPlusUserRowsMixWithSystemRowsByText) {
    std::string user;
    for (int i = 1; i <= 105; ++i) {
        user += "[TZ_" + std::to_string(i) + "]\r\nDisplayName=U" + std::to_string(i) + "\r\n";
    }
    std::string sys;
    for (int i = 0; i <= 10; ++i) {
        sys += "[TZ_" + std::to_string(i) + "]\r\nDisplayName=S" + std::to_string(i) + "\r\n";
    }
    files.files[kUser] = user;
    files.files[kSys] = sys;
    const std::vector<std::string> names = column(loaded(), kColName);
    ASSERT_EQ(names.size(), 116u);
    EXPECT_EQ(names[99], "U100");
    // "1000" .. "1009" < "101" < "1010" < "102"
    EXPECT_EQ(std::vector<std::string>(names.begin() + 100, names.end()),
              (std::vector<std::string>{"S0", "S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9",
                                        "U101", "S10", "U102", "U103", "U104", "U105"}));
}

TEST_F(Catalogue, FileIntegersAndOffsetLimits) {
    struct Case {
        const char* bias;
        const char* shown;
    };
    const Case cases[] = {
        {"0x3C", "-01:00"},
        {"0XFFFFFFC4", "+01:00"},
        {"$3C", "00:00"},
        {"12abc", "00:00"},
        {"", "00:00"},
        {"99999999999", "00:00"},
        {"-2147483648", "+24:59"},
        {"1500", "-24:59"},
        {"  +330  ", "-05:30"},
    };
    for (const Case& c : cases) {
        files.files[kUser] = std::string("[TZ_001]\r\nBias=") + c.bias + "\r\n";
        const ZoneList list = loaded();
        ASSERT_EQ(list.rowCount(), 1);
        EXPECT_EQ(list.cellText(0, kColGMTBias), c.shown) << c.bias;
        EXPECT_EQ(list.cellText(0, kColStdBias), "00:00");  // missing key
        EXPECT_EQ(list.cellText(0, kColStdDate), "");
    }
}

TEST_F(Catalogue, SaveLoadRoundTrip) {
    files.files[kUser] =
        "[TZ_001]\r\nDisplayName=Kathmandu\r\nBias=-345\r\nStdBias=0\r\nDSTBias=0\r\n"
        "StdDate=00-00\r\nStdTime=00:00\r\nDSTDate=00-00\r\nDSTTime=00:00\r\nsys=0\r\n";
    files.files[kSys] =
        "[TZ_3]\r\nDisplayName=New York\r\nBias=300\r\nStdBias=0\r\nDSTBias=-60\r\n"
        "StdDate=01-11\r\nStdTime=02:00\r\nDSTDate=08-03\r\nDSTTime=02:00\r\n"
        "[TZ_1]\r\nDisplayName=Łódź\r\nBias=-60\r\nStdBias=0\r\nDSTBias=-60\r\n"
        "StdDate=25-10\r\nStdTime=03:00\r\nDSTDate=29-03\r\nDSTTime=02:00\r\n";
    ZoneList first = loaded();
    first.select(2);
    first.actMarkAsUser();  // New York goes to the user file
    ASSERT_TRUE(SaveIniUserTZ(first, files, kUser));
    ASSERT_TRUE(SaveIniTZ(first, files, kSys));

    EXPECT_EQ(files.files[kUser],
              "[TZ_001]\r\nDisplayName=Kathmandu\r\nBias=-345\r\nStdBias=0\r\nDSTBias=0\r\n"
              "StdDate=00-00\r\nStdTime=00:00\r\nDSTDate=00-00\r\nDSTTime=00:00\r\nsys=0\r\n"
              "[TZ_002]\r\nDisplayName=New York\r\nBias=300\r\nStdBias=0\r\nDSTBias=-60\r\n"
              "StdDate=01-11\r\nStdTime=02:00\r\nDSTDate=08-03\r\nDSTTime=02:00\r\nsys=0\r\n");

    // The user rows now come first; every zone keeps its texts.
    const ZoneList second = loaded();
    EXPECT_EQ(column(second, kColName),
              (std::vector<std::string>{"Kathmandu", "New York", "Łódź"}));
    for (const auto& [from, to] : {std::pair{0, 0}, std::pair{2, 1}, std::pair{1, 2}}) {
        for (int col = kColName; col < kZoneColumnCount; ++col) {
            EXPECT_EQ(second.cellText(to, col), first.cellText(from, col)) << to << "/" << col;
        }
    }
    // Saving what was loaded changes no byte.
    const auto before = files.files;
    ASSERT_TRUE(SaveIniUserTZ(second, files, kUser));
    ASSERT_TRUE(SaveIniTZ(second, files, kSys));
    EXPECT_EQ(files.files, before);
}

TEST_F(Catalogue, SavingAnEmptyListLeavesBothFiles) {
    files.files[kUser] = "[TZ_001]\r\nDisplayName=U\r\n";
    files.files[kSys] = ";System Time Zones\r\n[TZ_001]\r\nDisplayName=S\r\n";
    const auto before = files.files;
    ZoneList list = loaded();
    list.setSelection({0, 1});
    list.actRemoveSelected();
    ASSERT_EQ(list.rowCount(), 0);
    EXPECT_TRUE(saveCatalogueOnClose(list, files, state));
    EXPECT_EQ(files.files, before);
    EXPECT_EQ(files.writeCount, 0);
    EXPECT_FALSE(list.CatalogueModified());
}

TEST_F(Catalogue, UserFileIsCreatedOnlyForAUserRow) {
    files.files[kSys] = ";System Time Zones\r\n[TZ_001]\r\nDisplayName=S\r\n";
    ZoneList list = loaded();
    ASSERT_TRUE(SaveIniUserTZ(list, files, kUser));
    EXPECT_FALSE(files.exists(kUser));

    list.select(0);
    list.actMarkAsUser();
    ASSERT_TRUE(SaveIniUserTZ(list, files, kUser));
    ASSERT_TRUE(SaveIniTZ(list, files, kSys));
    EXPECT_EQ(IniDocument::parse(files.files[kUser]).value("TZ_001", "DisplayName"), "S");
    // The system file keeps its comment and loses the zone.
    EXPECT_EQ(files.files[kSys], ";System Time Zones\r\n");
}

TEST_F(Catalogue, FailedSaveKeepsTheOldFileAndTheModifiedMark) {
    files.files[kUser] = "[TZ_001]\r\nDisplayName=Old\r\n";
    ZoneList list = loaded();
    list.select(0);
    list.setName("New");
    list.actOK();
    ASSERT_TRUE(list.CatalogueModified());

    files.failWrites = true;
    EXPECT_FALSE(SaveIniUserTZ(list, files, kUser));
    EXPECT_FALSE(saveCatalogueOnClose(list, files, state));
    EXPECT_EQ(files.files[kUser], "[TZ_001]\r\nDisplayName=Old\r\n");
    EXPECT_TRUE(list.CatalogueModified());

    files.failWrites = false;
    EXPECT_TRUE(saveCatalogueOnClose(list, files, state));
    EXPECT_EQ(IniDocument::parse(files.files[kUser]).value("TZ_001", "DisplayName"), "New");
    EXPECT_FALSE(list.CatalogueModified());
}

TEST_F(Catalogue, Windows1250FileReads) {
    files.files[kUser] =
        "[TZ_001]\r\nDisplayName=\xA3\xF3"
        "d\x9F i \x8Cl\xB9sk\r\nBias=-60\r\n";
    const ZoneList list = loaded();
    ASSERT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.cellText(0, kColName), "Łódź i Śląsk");
    EXPECT_EQ(list.cellText(0, kColGMTBias), "+01:00");
}

TEST_F(Catalogue, HostileFilesLoad) {
    std::mt19937 rng(7);
    std::string binary(4096, '\0');
    for (char& c : binary) c = static_cast<char>(rng() & 0xFF);
    std::string huge = "[TZ_001]\r\nDisplayName=" + std::string(1 << 20, 'x') + "\r\nBias=-60\r\n";

    struct Case {
        const char* what;
        std::string bytes;
        int rows;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"binary", binary, -1},
        {"1 MB line", huge, 1},
        {"one line, no end", std::string(1 << 20, '['), 0},
        {"duplicate sections", "[TZ_1]\nDisplayName=A\n[tz_1]\nDisplayName=B\n[TZ_1]\nBias=9\n", 1},
        {"keys without a section", "Bias=-60\nDisplayName=X\n", 0},
        {"NUL inside", std::string("[TZ_1]\nDisplayName=A\0B\n", 23), 1},
    };
    for (const Case& c : cases) {
        files.files[kSys] = c.bytes;
        files.files[kUser] = c.bytes;
        ZoneList list = loaded();
        if (c.rows >= 0) {
            EXPECT_EQ(list.rowCount(), 2 * c.rows) << c.what;
        }
        for (int i = 0; i < list.rowCount(); ++i) {
            EXPECT_LE(list.cellText(i, kColName).size(), 2047u * 4) << c.what;
        }
        list.actAdd();
        EXPECT_TRUE(saveCatalogueOnClose(list, files, state)) << c.what;
        EXPECT_EQ(loaded().rowCount(), list.rowCount()) << c.what;
    }
    files.files[kUser] = cases[4].bytes;
    EXPECT_EQ(loaded().cellText(0, kColName), "A");  // the first copy is the one read
}

TEST_F(Catalogue, UpdateRebuildsAndReloads) {
    files.files[kSys] = ";System Time Zones\r\n[TZ_001]\r\nDisplayName=Stale\r\nBias=0\r\n";
    table.entries = {tableZone(std::nullopt, "(GMT+01:00) Fresh", euRule(-60))};
    ZoneList list = loaded();
    list.actAdd();
    list.setName("Mine");
    list.actOK();
    list.select(0);
    list.setName("Edited system row");
    list.actOK();

    EXPECT_TRUE(UpdateTZ(list, files, table, state, 2026));
    EXPECT_EQ(column(list, kColName), (std::vector<std::string>{"Mine", "Fresh"}));
    EXPECT_TRUE(list.CatalogueModified());  // kept as it was
    EXPECT_EQ(IniDocument::parse(files.files[kSys]).value("TZ_001", "DSTDate"), "29-03");
}

TEST_F(Catalogue, FailedUpdateKeepsTheOldCatalogue) {
    const std::string oldSys = ";System Time Zones\r\n[TZ_001]\r\nDisplayName=Old\r\nBias=0\r\n";
    files.files[kSys] = oldSys;
    ZoneList list = loaded();
    list.select(0);
    list.setName("Unsaved edit");
    list.actOK();

    table.present = false;
    EXPECT_FALSE(UpdateTZ(list, files, table, state, 2026));
    EXPECT_EQ(files.files[kSys], oldSys);
    EXPECT_EQ(column(list, kColName), std::vector<std::string>{"Unsaved edit"});

    // A user file that cannot be saved stops the update before anything is lost.
    table.present = true;
    table.entries = {tableZone(1, "New", euRule(0))};
    list.actMarkAsUser();
    files.readOnlyFiles.insert(kUser);
    EXPECT_FALSE(UpdateTZ(list, files, table, state, 2026));
    EXPECT_EQ(files.files[kSys], oldSys);
    EXPECT_EQ(column(list, kColSys), std::vector<std::string>{"No"});
}

}  // namespace
}  // namespace temura
