#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "storage/ini_document.h"
#include "storage/text_encoding.h"

namespace temura {
namespace {

using Strings = std::vector<std::string>;

// A file as people and older versions leave it: a comment before the first section, blank lines,
// junk, odd spacing, a duplicate section and a duplicate key.
const std::string kMessy =
    ";System Time Zones\r\n"
    "stray=before any section\r\n"
    "\r\n"
    "[TZ_001]\r\n"
    "  DisplayName  =  \"Warsaw\"  \t\r\n"
    "; a comment = not a key\r\n"
    "Bias=-60\r\n"
    "bias=999\r\n"
    "no equals sign here\r\n"
    "=no key\r\n"
    "\r\n"
    "[ tz_002 ] trailing text\r\n"
    "DisplayName=Kyiv\r\n"
    "[TZ_001]\r\n"
    "Bias=123\r\n"
    "Extra=only in the copy\r\n"
    "[broken header\r\n"
    "\t\r\n";

TEST(IniDocument, RoundTripKeepsEveryLineByteForByte) {
    EXPECT_EQ(IniDocument::parse(kMessy).serialize(), kMessy);
}

TEST(IniDocument, AnyLineEndBecomesCrLfIncludingTheLast) {
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"", ""},
        {"\n", "\r\n"},
        {"[A]\nk=v", "[A]\r\nk=v\r\n"},
        {"[A]\rk=v\r", "[A]\r\nk=v\r\n"},
        {"[A]\r\n\r\nk=v\n\r\n", "[A]\r\n\r\nk=v\r\n\r\n"},
        {"a\r\r\nb\n\nc", "a\r\n\r\nb\r\n\r\nc\r\n"},  // CR, then CR LF: two lines
    };
    for (const auto& c : cases) EXPECT_EQ(IniDocument::parse(c.in).serialize(), c.out);
}

TEST(IniDocument, ReadingRules) {
    const IniDocument doc = IniDocument::parse(kMessy);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"TZ_001", "DisplayName", "\"Warsaw\""},  // trimmed, quotes kept
        {"tz_001", "DISPLAYNAME", "\"Warsaw\""},
        {"TZ_001", "Bias", "-60"},          // first of two keys
        {"TZ_001", "Extra", std::nullopt},  // only in the second copy of the section
        {"TZ_002", "displayname", "Kyiv"},  // header with blanks and text after "]"
        {"TZ_001", "; a comment", std::nullopt},
        {"TZ_001", "no equals sign here", std::nullopt},
        {"", "stray", std::nullopt},  // lines before the first section belong to none
        {"broken header", "x", std::nullopt},
        {"TZ_003", "Bias", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doc.value(c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
    EXPECT_EQ(doc.valueOr("TZ_003", "Bias", "0"), "0");
    EXPECT_EQ(doc.sections(), (Strings{"TZ_001", "tz_002"}));
    EXPECT_EQ(doc.keys("tz_001"), (Strings{"DisplayName", "Bias"}));
    EXPECT_TRUE(doc.hasSection("TZ_002"));
    EXPECT_FALSE(doc.hasSection("broken header"));
    EXPECT_TRUE(doc.keys("nowhere").empty());
}

TEST(IniDocument, ValuesAreTrimmedAndCutAt2047Characters) {
    std::string polish;
    for (int i = 0; i < 3000; ++i) polish += "ł";
    const struct {
        std::string raw;
        std::string read;
    } cases[] = {
        {"", ""},
        {" \t ", ""},
        {" a = b ", "a = b"},
        {"a ; b", "a ; b"},
        {std::string(2047, 'x'), std::string(2047, 'x')},
        {std::string(2048, 'y'), std::string(2047, 'y')},
        {"  " + polish + "  ", polish.substr(0, 2047 * 2)},  // two bytes a character
    };
    for (const auto& c : cases) {
        const IniDocument doc = IniDocument::parse("[S]\nk=" + c.raw + "\n");
        EXPECT_EQ(doc.value("S", "k"), c.read) << c.raw.substr(0, 20);
    }
}

TEST(IniDocument, SetValueChangesOnlyItsLine) {
    IniDocument doc = IniDocument::parse(kMessy);
    doc.setValue("tz_001", "BIAS", "-120");               // existing key: spelling and spacing kept
    doc.setValue("TZ_001", "displayname", "\"Warsaw\"");  // same value: line untouched
    doc.setValue("TZ_001", "StdBias", "0");               // new key: after the last key line
    doc.setValue("TZ_002", "Note", "two\r\nlines");
    doc.setValue("New", "Key", "v");  // new section: at the end of the file
    const std::string expected =
        ";System Time Zones\r\n"
        "stray=before any section\r\n"
        "\r\n"
        "[TZ_001]\r\n"
        "  DisplayName  =  \"Warsaw\"  \t\r\n"
        "; a comment = not a key\r\n"
        "Bias=-120\r\n"
        "bias=999\r\n"
        "StdBias=0\r\n"
        "no equals sign here\r\n"
        "=no key\r\n"
        "\r\n"
        "[ tz_002 ] trailing text\r\n"
        "DisplayName=Kyiv\r\n"
        "Note=two  lines\r\n"
        "[TZ_001]\r\n"
        "Bias=123\r\n"
        "Extra=only in the copy\r\n"
        "[broken header\r\n"
        "\t\r\n"
        "[New]\r\n"
        "Key=v\r\n";
    EXPECT_EQ(doc.serialize(), expected);
    EXPECT_EQ(doc.value("TZ_001", "Bias"), "-120");
    EXPECT_EQ(doc.keys("TZ_001"), (Strings{"DisplayName", "Bias", "StdBias"}));
    EXPECT_EQ(doc.sections(), (Strings{"TZ_001", "tz_002", "New"}));

    // A key whose line has spaces around "=" keeps them.
    IniDocument spaced = IniDocument::parse("[S]\r\n  Key = old\r\n");
    spaced.setValue("S", "key", "new");
    EXPECT_EQ(spaced.serialize(), "[S]\r\n  Key = new\r\n");
}

TEST(IniDocument, EraseRemovesEveryCopyAndItsLines) {
    IniDocument doc = IniDocument::parse(kMessy);
    doc.eraseSection("tz_001");
    EXPECT_EQ(doc.serialize(),
              ";System Time Zones\r\n"
              "stray=before any section\r\n"
              "\r\n"
              "[ tz_002 ] trailing text\r\n"
              "DisplayName=Kyiv\r\n");
    EXPECT_FALSE(doc.hasSection("TZ_001"));
    doc.eraseSection("TZ_001");           // nothing left to erase
    doc.setValue("TZ_001", "Bias", "5");  // comes back, at the end and empty of old keys
    EXPECT_EQ(doc.keys("TZ_001"), (Strings{"Bias"}));
    EXPECT_EQ(doc.sections(), (Strings{"tz_002", "TZ_001"}));

    doc.eraseAllSections();
    EXPECT_EQ(doc.serialize(), ";System Time Zones\r\nstray=before any section\r\n\r\n");
    EXPECT_TRUE(doc.sections().empty());
}

TEST(IniDocument, CopiesAreIndependent) {
    const IniDocument original = IniDocument::parse("[A]\r\nk=1\r\n");
    IniDocument copy = original;
    copy.setValue("A", "k", "2");
    copy.eraseSection("a");
    copy.setValue("B", "k", "3");
    IniDocument assigned;
    assigned = copy;
    assigned.setValue("B", "k", "4");
    EXPECT_EQ(original.serialize(), "[A]\r\nk=1\r\n");
    EXPECT_EQ(copy.serialize(), "[B]\r\nk=3\r\n");
    EXPECT_EQ(assigned.value("b", "K"), "4");
    IniDocument moved = std::move(assigned);
    moved.eraseSection("B");
    EXPECT_EQ(moved.serialize(), "");
}

TEST(IniDocument, Cp1250FileComesBackAsUtf8) {
    const std::string cp1250 =
        "[SETTINGS]\r\nTZName=Zegar \xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\r\n";
    IniDocument doc = IniDocument::parse(cp1250);
    EXPECT_EQ(doc.value("settings", "tzname"), "Zegar ąćęłńóśźż");
    doc.setValue("SETTINGS", "DateFontName", "Łódź");
    const std::string saved = doc.serialize();
    EXPECT_EQ(saved, "[SETTINGS]\r\nTZName=Zegar ąćęłńóśźż\r\nDateFontName=Łódź\r\n");
    EXPECT_TRUE(isValidUtf8(saved));
    EXPECT_EQ(IniDocument::parse(saved).serialize(), saved);
}

TEST(IniDocument, HostileInputNeitherCrashesNorChangesOnReparse) {
    std::vector<std::string> inputs = {
        "",
        std::string(1, '\0'),
        std::string("[\0]\r\n\0=\0\r\n", 10),
        "[",
        "]",
        "=",
        "[]\r\n=\r\nk=\r\n",
        "\xEF\xBB\xBF[A]\r\nk=v",
    };
    std::string allBytes;
    for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
    inputs.push_back(allBytes);
    // Random text from the characters that matter to the parser, plus bytes that break UTF-8.
    const std::string alphabet = std::string("[]=; \t\r\naAbB\0\xFF\xC5\x82", 16);
    std::mt19937 random(20260301);
    for (int n = 0; n < 300; ++n) {
        std::string s(random() % 200, ' ');
        for (char& c : s) c = alphabet[random() % alphabet.size()];
        inputs.push_back(s);
    }
    for (const auto& input : inputs) {
        IniDocument doc = IniDocument::parse(input);
        const std::string once = doc.serialize();
        ASSERT_TRUE(isValidUtf8(once));
        ASSERT_EQ(IniDocument::parse(once).serialize(), once);
        for (const auto& section : doc.sections()) {
            ASSERT_TRUE(doc.hasSection(section));
            for (const auto& key : doc.keys(section)) {
                const auto v = doc.value(section, key);
                ASSERT_TRUE(v.has_value());
                ASSERT_EQ(v->find_first_of("\r\n"), std::string::npos);
            }
        }
        doc.setValue("a", "b", "c");
        ASSERT_EQ(doc.value("A", "B"), "c");
        ASSERT_EQ(IniDocument::parse(doc.serialize()).value("a", "b"), "c");
    }
}

double secondsFor(const auto& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Bounds are loose (sanitizer builds are slow); what they catch is work growing with the square
// of the file, which at these sizes takes many seconds.
TEST(IniDocument, LargeFilesStayFast) {
    const std::string megabyteLine = "[S]\r\nk=" + std::string(1 << 20, 'v') + "\r\n";
    EXPECT_LT(secondsFor([&] {
                  const IniDocument doc = IniDocument::parse(megabyteLine);
                  EXPECT_EQ(doc.value("S", "k")->size(), IniDocument::kMaxValueChars);
                  EXPECT_EQ(doc.serialize(), megabyteLine);
              }),
              2.0);

    constexpr int kCount = 10000;
    std::string manySections;
    std::string manyKeys = "[Big]\r\n";
    for (int i = 0; i < kCount; ++i) {
        manySections +=
            "[TZ_" + std::to_string(i) + "]\r\nBias=" + std::to_string(i) + "\r\nsys=1\r\n";
        manyKeys += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    }
    EXPECT_LT(secondsFor([&] {
                  IniDocument doc = IniDocument::parse(manySections);
                  const Strings names = doc.sections();
                  ASSERT_EQ(names.size(), static_cast<std::size_t>(kCount));
                  for (int i = 0; i < kCount; ++i) {
                      ASSERT_EQ(doc.value(names[static_cast<std::size_t>(i)], "bias"),
                                std::to_string(i));
                  }
                  for (const auto& name : names) doc.setValue(name, "StdBias", "0");
                  for (const auto& name : names) doc.eraseSection(name);
                  EXPECT_EQ(doc.serialize(), "");
              }),
              2.0);
    EXPECT_LT(secondsFor([&] {
                  IniDocument doc = IniDocument::parse(manyKeys);
                  const Strings keys = doc.keys("big");
                  ASSERT_EQ(keys.size(), static_cast<std::size_t>(kCount));
                  for (int i = 0; i < kCount; ++i) {
                      ASSERT_EQ(doc.value("Big", keys[static_cast<std::size_t>(i)]),
                                std::to_string(i));
                      doc.setValue("Big", "New" + std::to_string(i), "x");
                  }
              }),
              2.0);
}

}  // namespace
}  // namespace temura
