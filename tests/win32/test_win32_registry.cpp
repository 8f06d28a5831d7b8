#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "platform/win32/win32_registry.h"
#include "win32/win32_test_support.h"

namespace temura {
namespace {

using test::ScratchKey;

constexpr RegRoot kHKCU = RegRoot::CurrentUser;

TEST(Win32Registry, ValuesRoundTrip) {
    const ScratchKey key("values");
    Win32Registry reg;
    for (const std::string& text :
         {std::string(), std::string(test::kNonAscii), std::string("C:\\Program Files\\x.exe"),
          std::string(2047, 'x')}) {
        ASSERT_TRUE(reg.writeString(kHKCU, key.path(), test::kNonAscii, text));
        EXPECT_EQ(reg.valueType(kHKCU, key.path(), test::kNonAscii), RegType::String);
        EXPECT_EQ(reg.readString(kHKCU, key.path(), test::kNonAscii), text);
    }
    for (const std::int32_t v : {0, -1, -60, 0xFFFFFF, INT_MIN, INT_MAX}) {
        ASSERT_TRUE(reg.writeDWord(kHKCU, key.path(), "D", v));
        EXPECT_EQ(reg.valueType(kHKCU, key.path(), "D"), RegType::DWord);
        EXPECT_EQ(reg.readDWord(kHKCU, key.path(), "D"), v);
    }
    // An 8-byte date-time (46000.5625: 2025-12-09 13:30), as the settings store it.
    const std::vector<std::vector<std::uint8_t>> blocks = {
        {0x00, 0x00, 0x00, 0x00, 0x12, 0x76, 0xE6, 0x40}, {}, std::vector<std::uint8_t>(44, 0xA5)};
    for (const auto& bytes : blocks) {
        ASSERT_TRUE(reg.writeBinary(kHKCU, key.path(), "B", bytes));
        EXPECT_EQ(reg.valueType(kHKCU, key.path(), "B"), RegType::Binary);
        EXPECT_EQ(reg.readBinary(kHKCU, key.path(), "B"), bytes) << bytes.size();
    }
    // What other programs read: a plain little-endian DWORD, and the key's default value.
    DWORD raw = 0;
    DWORD size = sizeof raw;
    ASSERT_TRUE(reg.writeDWord(kHKCU, key.path(), "D", -2));
    ASSERT_TRUE(reg.writeString(kHKCU, key.path(), "", "Temura"));
    const std::wstring path = win32::widen(key.path());
    ASSERT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, path.c_str(), L"D", RRF_RT_REG_DWORD, nullptr, &raw, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(raw, 0xFFFFFFFEu);
    wchar_t text[16] = {};
    size = sizeof text;
    ASSERT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(text, L"Temura");
}

TEST(Win32Registry, EachReadAnswersOnlyForItsOwnType) {
    const ScratchKey key("types");
    Win32Registry reg;
    reg.writeString(kHKCU, key.path(), "S", "12");
    reg.writeDWord(kHKCU, key.path(), "D", 12);
    reg.writeBinary(kHKCU, key.path(), "B", {1, 2, 3, 4});
    const wchar_t expand[] = L"%TEMP%";
    ASSERT_TRUE(test::writeRawValue(HKEY_CURRENT_USER, key.path(), "E", REG_EXPAND_SZ, expand,
                                    sizeof expand));
    const std::uint32_t bigEndian = 0x0C000000;
    ASSERT_TRUE(test::writeRawValue(HKEY_CURRENT_USER, key.path(), "BE", REG_DWORD_BIG_ENDIAN,
                                    &bigEndian, sizeof bigEndian));

    const struct {
        const char* name;
        RegType type;
        bool asString, asDWord, asBinary;
    } cases[] = {
        {"S", RegType::String, true, false, false},
        {"D", RegType::DWord, false, true, false},
        {"B", RegType::Binary, false, false, true},
        {"E", RegType::Other, false, false, false},
        {"BE", RegType::Other, false, false, false},
        {"none", RegType::Missing, false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reg.valueType(kHKCU, key.path(), c.name), c.type) << c.name;
        EXPECT_EQ(reg.readString(kHKCU, key.path(), c.name).has_value(), c.asString) << c.name;
        EXPECT_EQ(reg.readDWord(kHKCU, key.path(), c.name).has_value(), c.asDWord) << c.name;
        EXPECT_EQ(reg.readBinary(kHKCU, key.path(), c.name).has_value(), c.asBinary) << c.name;
    }
    EXPECT_EQ(reg.valueType(kHKCU, key / "missing", "S"), RegType::Missing);
}

TEST(Win32Registry, StringsStopAtTheirFirstNulWithOrWithoutATerminator) {
    const ScratchKey key("nul");
    Win32Registry reg;
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    const wchar_t embedded[] = L"abc\0def";
    const char oddLength[] = {'a', 0, 'b', 0, 'c'};
    const struct {
        const char* name;
        const void* data;
        DWORD size;
        const char* expected;
    } cases[] = {{"U", unterminated, sizeof unterminated, "abc"},
                 {"E", embedded, sizeof embedded, "abc"},
                 {"O", oddLength, sizeof oddLength, "ab"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(
            test::writeRawValue(HKEY_CURRENT_USER, key.path(), c.name, REG_SZ, c.data, c.size));
        EXPECT_EQ(reg.readString(kHKCU, key.path(), c.name), c.expected) << c.name;
    }
}

TEST(Win32Registry, KeysAreMadeListedAndDeletedWithEverythingUnder) {
    const ScratchKey key("tree");
    Win32Registry reg;
    EXPECT_FALSE(reg.keyExists(kHKCU, key.path()));
    ASSERT_TRUE(reg.createKey(kHKCU, key / "a\\deep\\er"));
    ASSERT_TRUE(reg.writeDWord(kHKCU, key / "b", "v", 1));
    ASSERT_TRUE(reg.createKey(kHKCU, key / test::kNonAscii));
    EXPECT_TRUE(reg.keyExists(kHKCU, key / "A\\DEEP"));  // without regard to case

    std::vector<std::string> names = reg.subKeys(kHKCU, key.path());
    std::vector<std::string> expected{"a", "b", test::kNonAscii};
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(reg.subKeys(kHKCU, key / "missing").empty());

    EXPECT_TRUE(reg.deleteKey(kHKCU, key / "a"));
    EXPECT_FALSE(reg.keyExists(kHKCU, key / "a\\deep\\er"));
    EXPECT_TRUE(reg.keyExists(kHKCU, key / "b"));
    EXPECT_TRUE(reg.deleteKey(kHKCU, key.path()));
    EXPECT_FALSE(reg.keyExists(kHKCU, key.path()));
    EXPECT_TRUE(reg.deleteKey(kHKCU, key.path()));  // already gone
    // A whole hive is never ours to delete.
    EXPECT_FALSE(reg.deleteKey(kHKCU, ""));
    EXPECT_TRUE(reg.keyExists(kHKCU, "Software"));
}

}  // namespace
}  // namespace temura
