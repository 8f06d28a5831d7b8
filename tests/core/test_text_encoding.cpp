#include <gtest/gtest.h>

#include <set>
#include <string>

#include "storage/text_encoding.h"

namespace temura {
namespace {

TEST(Utf8Validation, AcceptsOnlyWellFormedSequences) {
    struct Case {
        std::string bytes;
        bool valid;
        const char* what;
    };
    const Case cases[] = {
        {"", true, "empty"},
        {std::string("a\0b", 3), true, "NUL is ASCII"},
        {"\xC5\x82", true, "two bytes (l with stroke)"},
        {"\xE2\x82\xAC", true, "three bytes (euro sign)"},
        {"\xF0\x9F\x95\x90", true, "four bytes (clock face)"},
        {"\xF4\x8F\xBF\xBF", true, "U+10FFFF, the last code point"},
        {"\xED\x9F\xBF", true, "U+D7FF, just below the surrogates"},
        {"\x80", false, "lone continuation byte"},
        {"\xC0\x80", false, "overlong NUL"},
        {"\xE0\x9F\xBF", false, "overlong three-byte form"},
        {"\xF0\x8F\xBF\xBF", false, "overlong four-byte form"},
        {"\xED\xA0\x80", false, "surrogate U+D800"},
        {"\xF4\x90\x80\x80", false, "beyond U+10FFFF"},
        {"\xF5\x80\x80\x80", false, "lead byte F5"},
        {"\xE2\x82", false, "cut off at the end"},
        {"\xE2\x28\xA1", false, "bad continuation"},
        {"ok\xB9", false, "CP1250 letter after ASCII"},
    };
    for (const auto& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.what;
}

TEST(Cp1250, PolishLettersAndUndefinedBytes) {
    // a-ogonek, c-acute, e-ogonek, l-stroke, n-acute, o-acute, s-acute, z-acute, z-dot, then
    // capitals.
    EXPECT_EQ(cp1250ToUtf8("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"), "ąćęłńóśźż");
    EXPECT_EQ(cp1250ToUtf8("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"), "ĄĆĘŁŃÓŚŹŻ");
    EXPECT_EQ(cp1250ToUtf8("\x80\x84\x93\x96\xA0\xFF"), "€„“–\u00A0˙");
    EXPECT_EQ(cp1250ToUtf8("\x81\x83\x88\x90\x98"), "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(cp1250ToUtf8(std::string("a\0\x7F", 3)), std::string("a\0\x7F", 3));
}

TEST(Cp1250, EveryByteGivesValidUtf8AndDefinedBytesAreDistinct) {
    std::set<std::string> seen;
    for (int b = 0; b < 256; ++b) {
        const std::string out = cp1250ToUtf8(std::string(1, static_cast<char>(b)));
        ASSERT_TRUE(isValidUtf8(out)) << b;
        if (out != "\uFFFD") {
            EXPECT_TRUE(seen.insert(out).second) << "duplicate mapping " << b;
        }
    }
    EXPECT_EQ(seen.size(), 251u);  // five bytes are undefined in the code page
}

TEST(DecodeFileText, PicksOneEncodingForTheWholeFile) {
    struct Case {
        std::string bytes;
        std::string text;
        const char* what;
    };
    const Case cases[] = {
        {"", "", "empty"},
        {"Zegar=ł\r\n", "Zegar=ł\r\n", "UTF-8 stays"},
        {"\xEF\xBB\xBFX=1", "X=1", "byte-order mark dropped"},
        {"\xEF\xBB\xBF", "", "only a byte-order mark"},
        {"\xEF\xBB\xBF\xEF\xBB\xBF[A]", "[A]", "repeated marks"},
        {"Zegar=\xB3\r\nA=ł", "Zegar=ł\r\nA=Ĺ‚", "one CP1250 byte makes it all CP1250"},
        {"\xEF\xBB\xBF\xB3", "ď»żł", "mark with CP1250 after it is not UTF-8"},
    };
    for (const auto& c : cases) {
        const std::string text = decodeFileText(c.bytes);
        EXPECT_EQ(text, c.text) << c.what;
        EXPECT_TRUE(isValidUtf8(text)) << c.what;
    }
}

TEST(Utf8Truncate, CountsCharactersNotBytes) {
    struct Case {
        std::string text;
        std::size_t count;
        std::string expected;
    };
    const Case cases[] = {
        {"", 5, ""},
        {"abc", 0, ""},
        {"abc", 2, "ab"},
        {"łąka", 2, "łą"},
        {"€€€", 1, "€"},
        {"a\xF0\x9F\x95\x90"
         "b",
         2, "a\xF0\x9F\x95\x90"},
        // Not UTF-8: still cut on a byte boundary and never past the end.
        {"\xC5", 1, "\xC5"},
        {"\x80\x80\x80", 1, "\x80\x80\x80"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8Truncate(c.text, c.count), c.expected) << c.text;
}

}  // namespace
}  // namespace temura
