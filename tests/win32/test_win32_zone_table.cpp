#include <gtest/gtest.h>
#include <windows.h>

#include <sddl.h>  // after windows.h, which it needs

#include <cstdio>
#include <set>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_zone_table.h"
#include "storage/ini_document.h"
#include "support/stored_values.h"
#include "support/test_home.h"
#include "win32/win32_test_support.h"
#include "zones/zone_catalogue.h"

namespace temura {
namespace {

constexpr RegRoot kHKCU = RegRoot::CurrentUser;
constexpr int kYear = 2026;

// ---- an account of REG_TZI_FORMAT of the test's own, to check the build against ----

struct RuleDate {
    std::uint16_t month, dayOfWeek, week, hour, minute;
};

std::vector<std::uint8_t> tzi(std::int32_t bias, std::int32_t stdBias, std::int32_t dstBias,
                              RuleDate standard, RuleDate daylight) {
    std::vector<std::uint8_t> b;
    const auto put = [&b](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    for (const std::int32_t v : {bias, stdBias, dstBias}) put(static_cast<std::uint32_t>(v), 4);
    for (const RuleDate& d : {standard, daylight}) {
        for (const std::uint16_t v : {std::uint16_t{0}, d.month, d.dayOfWeek, d.week, d.hour,
                                      d.minute, std::uint16_t{0}, std::uint16_t{0}}) {
            put(v, 2);
        }
    }
    return b;
}

int weekday(int y, int m, int d) {
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3) y -= 1;
    return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

int daysIn(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

// "dd-mm" of the week-th (5: last) given weekday of the month in `year`.
std::string ruleDay(int year, int month, int dayOfWeek, int week) {
    if (month == 0 || week == 0) return "00-00";
    std::vector<int> matches;
    for (int d = 1; d <= daysIn(year, month); ++d) {
        if (weekday(year, month, d) == dayOfWeek) matches.push_back(d);
    }
    const int day = week >= static_cast<int>(matches.size())
                        ? matches.back()
                        : matches[static_cast<std::size_t>(week - 1)];
    char text[8];
    std::snprintf(text, sizeof text, "%02d-%02d", day, month);
    return text;
}

std::string hhmm(int hour, int minute) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

std::int32_t i32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) |
                                     (std::uint32_t{b[at + 2]} << 16) |
                                     (std::uint32_t{b[at + 3]} << 24));
}

int u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}

std::string readFile(const Files& files, const std::string& path) {
    return files.readBytes(path).value_or("<missing>");
}

class ZoneTableTest : public ::testing::Test {
  protected:
    const std::string folder = test::makeTempDir("zones");
    const std::string path = folder + "\\TimeZones.dat";
    Win32Files files{folder};
    Win32Registry reg;
};

TEST_F(ZoneTableTest, WinesTableGivesOneSectionPerZoneMatchingItsRuleBlock) {
    const Win32ZoneTable table;
    ASSERT_TRUE(table.available());
    const std::vector<std::string> names = reg.subKeys(RegRoot::LocalMachine, kTimeZonesKey);
    ASSERT_GT(names.size(), 100u);
    const int built = CreateTZIni(files, table, path, kYear);
    const std::string bytes = readFile(files, path);
    ASSERT_EQ(bytes.rfind(";System Time Zones\r\n", 0), 0u);
    const IniDocument doc = IniDocument::parse(bytes);

    // Straight from the registry, section by section.
    std::set<std::string> sections;
    int position = 0;
    int withRule = 0;
    for (const std::string& name : names) {
        ++position;
        const std::string key = std::string(kTimeZonesKey) + "\\" + name;
        const auto index = reg.readDWord(RegRoot::LocalMachine, key, "Index");
        char padded[16];
        std::snprintf(padded, sizeof padded, "%03d", position);
        const std::string section = "TZ_" + (index ? std::to_string(*index) : padded);
        sections.insert(section);
        SCOPED_TRACE(name + " in " + section);
        ASSERT_TRUE(doc.hasSection(section));
        EXPECT_EQ(doc.value(section, "StdName"),
                  reg.readString(RegRoot::LocalMachine, key, "Std").value_or(""));
        EXPECT_EQ(doc.value(section, "sys"), "1");

        const auto rule = reg.readBinary(RegRoot::LocalMachine, key, "TZI");
        if (!rule || rule->size() != 44) {
            EXPECT_EQ(doc.value(section, "Bias"), "-1");
            continue;
        }
        ++withRule;
        const std::vector<std::uint8_t>& b = *rule;
        EXPECT_EQ(doc.value(section, "Bias"), std::to_string(i32(b, 0)));
        EXPECT_EQ(doc.value(section, "StdBias"), std::to_string(i32(b, 4)));
        EXPECT_EQ(doc.value(section, "DSTBias"), std::to_string(i32(b, 8)));
        EXPECT_EQ(doc.value(section, "StdDate"),
                  ruleDay(kYear, u16(b, 14), u16(b, 16), u16(b, 18)));
        EXPECT_EQ(doc.value(section, "StdTime"), hhmm(u16(b, 20), u16(b, 22)));
        EXPECT_EQ(doc.value(section, "DSTDate"),
                  ruleDay(kYear, u16(b, 30), u16(b, 32), u16(b, 34)));
        EXPECT_EQ(doc.value(section, "DSTTime"), hhmm(u16(b, 36), u16(b, 38)));
        EXPECT_EQ(doc.value(section, "StdDOW"), std::to_string(u16(b, 16)));
        EXPECT_EQ(doc.value(section, "DSTDOW"), std::to_string(u16(b, 32)));
    }
    EXPECT_EQ(built, static_cast<int>(sections.size()));
    EXPECT_EQ(doc.sections().size(), sections.size());
    EXPECT_GT(withRule, 100);
}

TEST_F(ZoneTableTest, TheExampleZoneGivesExactlyItsFifteenLines) {
    const test::ScratchKey key("Time Zones");
    const std::string zone = key / "Example Standard Time";
    reg.writeDWord(kHKCU, zone, "Index", 42);
    reg.writeString(kHKCU, zone, "Display", "Example City");
    reg.writeString(kHKCU, zone, "Std", "Example Standard Time");
    reg.writeString(kHKCU, zone, "Dlt", "Example Daylight Time");
    reg.writeBinary(kHKCU, zone, "TZI", tzi(-60, 0, -60, {10, 0, 5, 3, 0}, {3, 0, 5, 2, 0}));

    ASSERT_EQ(CreateTZIni(files, Win32ZoneTable(kHKCU, key.path()), path, kYear), 1);
    EXPECT_EQ(readFile(files, path), test::kExampleZoneCatalogue);
}

TEST_F(ZoneTableTest, ValuesOfTheWrongTypeOrSizeCountAsMissing) {
    const test::ScratchKey key("Time Zones");
    const auto rule = tzi(300, 0, -60, {11, 0, 1, 2, 0}, {3, 0, 2, 2, 0});
    // A: index with the top bit set, GMT prefix cut. B: no index, a 43-byte rule, a DWORD display.
    // C: a 45-byte rule, a non-ASCII name.
    reg.writeDWord(kHKCU, key / "A zone", "Index", -2);
    reg.writeString(kHKCU, key / "A zone", "Display", "(GMT-05:00) Eastern Time");
    reg.writeBinary(kHKCU, key / "A zone", "TZI", rule);
    reg.writeDWord(kHKCU, key / "B zone", "Display", 7);
    reg.writeBinary(kHKCU, key / "B zone", "TZI",
                    std::vector<std::uint8_t>(rule.begin(), rule.end() - 1));
    auto longer = rule;
    longer.push_back(0);
    reg.writeString(kHKCU, key / "C zone", "Display", test::kNonAscii);
    reg.writeBinary(kHKCU, key / "C zone", "TZI", longer);

    const Win32ZoneTable table(kHKCU, key.path());
    const std::vector<ZoneTableEntry> zones = table.zones();
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[0].index, -2);
    EXPECT_FALSE(zones[1].index);
    EXPECT_FALSE(zones[1].display);
    EXPECT_FALSE(zones[1].rule);
    EXPECT_FALSE(zones[2].rule);

    ASSERT_EQ(CreateTZIni(files, table, path, kYear), 3);
    const IniDocument doc = IniDocument::parse(readFile(files, path));
    EXPECT_EQ(doc.sections(), (std::vector<std::string>{"TZ_-2", "TZ_002", "TZ_003"}));
    EXPECT_EQ(doc.value("TZ_-2", "DisplayName"), "Eastern Time");
    EXPECT_EQ(doc.value("TZ_-2", "Bias"), "300");
    EXPECT_EQ(doc.value("TZ_-2", "StdDate"), "01-11");
    EXPECT_EQ(doc.value("TZ_-2", "DSTDate"), "08-03");
    EXPECT_EQ(doc.value("TZ_002", "DisplayName"), "");
    EXPECT_EQ(doc.value("TZ_002", "Bias"), "-1");
    EXPECT_EQ(doc.value("TZ_002", "StdDate"), "");
    EXPECT_EQ(doc.value("TZ_003", "DisplayName"), test::kNonAscii);
    EXPECT_EQ(doc.value("TZ_003", "DSTBias"), "-1");
}

// A sub-key that is listed but cannot be opened for reading: its DACL grants only DELETE, so the
// test can still remove it.
class UnreadableKey {
  public:
    explicit UnreadableKey(std::string path) : m_path(win32::widen(path)) {
        RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str());  // left by a crashed run
        PSECURITY_DESCRIPTOR sd = nullptr;
        EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:P(A;;0x10000;;;WD)", SDDL_REVISION_1, &sd, nullptr));
        HKEY k = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, WRITE_DAC,
                                  nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        if (k != nullptr) {
            EXPECT_EQ(RegSetKeySecurity(k, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
            RegCloseKey(k);
        }
        LocalFree(sd);
    }
    ~UnreadableKey() { RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str()); }
    UnreadableKey(const UnreadableKey&) = delete;
    UnreadableKey& operator=(const UnreadableKey&) = delete;

  private:
    std::wstring m_path;
};

TEST_F(ZoneTableTest, ASubKeyThatCannotBeOpenedStillTakesItsNumber) {
    const test::ScratchKey key("Time Zones");
    const auto rule = tzi(-60, 0, -60, {10, 0, 5, 3, 0}, {3, 0, 5, 2, 0});
    for (const char* name : {"A zone", "C zone", "F zone", "G zone"}) {
        reg.writeBinary(kHKCU, key / name, "TZI", rule);
    }
    reg.writeDWord(kHKCU, key / "F zone", "Index", 42);
    const UnreadableKey b(key / "B closed"), d(key / "D closed"), e(key / "E closed");
    ASSERT_EQ(reg.subKeys(kHKCU, key.path()).size(), 7u);
    ASSERT_FALSE(reg.keyExists(kHKCU, key / "B closed"));

    ASSERT_EQ(CreateTZIni(files, Win32ZoneTable(kHKCU, key.path()), path, kYear), 4);
    const IniDocument doc = IniDocument::parse(readFile(files, path));
    EXPECT_EQ(doc.sections(), (std::vector<std::string>{"TZ_001", "TZ_003", "TZ_42", "TZ_007"}));
}

}  // namespace
}  // namespace temura
