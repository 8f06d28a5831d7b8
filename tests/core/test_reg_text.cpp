#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "storage/memory_registry.h"
#include "storage/reg_text.h"
#include "storage/text_encoding.h"

namespace temura {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Strings = std::vector<std::string>;
constexpr RegRoot kCU = RegRoot::CurrentUser;
const std::string kKey = "Software\\Corvalen\\Temura\\1.0";

std::string crlf(const std::string& lf) {
    std::string out;
    for (char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The text of a file with one key holding the given value lines.
std::string oneKey(const std::string& valueLines) {
    return "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + kKey + "]\n" + valueLines + "\n";
}

TEST(RegText, DocumentedExampleReadsAndWritesBackByteForByte) {
    const std::string file = crlf(
        "REGEDIT4\n\n"
        "[HKEY_CURRENT_USER\\Software\\Corvalen\\Temura\\1.0]\n"
        "\"ExePath\"=\"/usr/bin/temura\"\n"
        "\"X\"=dword:00000200\n"
        "\"TZDSTStart\"=hex:00,00,00,00,00,00,00,00\n\n");
    for (const std::string& text : {file, file.substr(0, file.size() - 2)}) {
        const auto tree = RegTree::parse(text);
        ASSERT_TRUE(tree);
        EXPECT_EQ(*tree->value(kCU, kKey, "ExePath"), RegData::string("/usr/bin/temura"));
        EXPECT_EQ(*tree->value(kCU, kKey, "x"), RegData::dword(512));
        EXPECT_EQ(*tree->value(kCU, kKey, "TZDSTStart"), RegData::binary(Bytes(8, 0)));
        EXPECT_EQ(tree->serialize(), file);
    }
    // LF line ends and the other header read the same.
    std::string lf = file;
    std::erase(lf, '\r');
    lf.replace(0, 8, "Windows Registry Editor Version 5.00");
    EXPECT_EQ(RegTree::parse(lf)->serialize(), file);
}

TEST(RegText, ValueForms) {
    struct Case {
        std::string line;
        std::string name;
        RegData expected;
    };
    const std::vector<Case> cases = {
        {R"("Q"="say \"hi\" \\ C:\Temp\"")", "Q", RegData::string(R"(say "hi" \ C:\Temp")")},
        {R"(@="default")", "", RegData::string("default")},
        {R"(""="empty name is the default")", "", RegData::string("empty name is the default")},
        {"\"Sp\" \t= \"  kept  \"  ", "Sp", RegData::string("  kept  ")},
        {R"("Zażółć"="gęślą")", "zAżółć", RegData::string("gęślą")},
        {R"("N"=dword:ffffffff)", "N", RegData::dword(-1)},
        {R"("N"=DWORD:1F)", "N", RegData::dword(31)},
        {R"("N"=dword:80000000)", "N", RegData::dword(INT32_MIN)},
        {R"("B"=hex:)", "B", RegData::binary({})},
        {"\"B\"=hex:0a,B,ff,\\\n    10,20\\\n  ,30", "B",
         RegData::binary({0x0A, 0x0B, 0xFF, 0x10, 0x20, 0x30})},
        {R"("B"=hex(3):01,02,)", "B", RegData::binary({1, 2})},
        {R"("D"=hex(4):01,01,00,00)", "D", RegData::dword(257)},
        {R"("S"=hex(1):61,0a,62,00)", "S", RegData::string("a\nb")},
        {R"("S"=hex(1):e9,00)", "S", RegData::string("é")},  // not UTF-8: the old code page
        {R"("M"=hex(7):61,00,00)", "M", RegData::other(7, {0x61, 0, 0})},
        {R"("Q"=hex(b):01,00,00,00,00,00,00,00)", "Q",
         RegData::other(11, {1, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto tree = RegTree::parse(oneKey(c.line));
        ASSERT_TRUE(tree);
        ASSERT_NE(tree->value(kCU, kKey, c.name), nullptr);
        EXPECT_EQ(*tree->value(kCU, kKey, c.name), c.expected);
        // Whatever form it was read in, what is written reads back as the same value.
        const auto again = RegTree::parse(tree->serialize());
        ASSERT_TRUE(again);
        EXPECT_EQ(*again->value(kCU, kKey, c.name), c.expected);
        EXPECT_EQ(again->serialize(), tree->serialize());
    }
}

TEST(RegText, FilesThatDoNotParse) {
    const std::string key = "[HKEY_CURRENT_USER\\A]\n";
    const std::vector<std::string> files = {
        "",
        "REGEDIT5\n",
        " REGEDIT4\n",
        "[HKEY_CURRENT_USER\\A]\nREGEDIT4\n",
        "REGEDIT4\nstray text\n",
        "REGEDIT4\n\"X\"=dword:1\n",  // a value before any key
        "REGEDIT4\n[HKEY_USERS\\A]\n",
        "REGEDIT4\n[HKCU\\A]\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\\\\B]\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\\]\n",
        "REGEDIT4\n[-HKEY_CURRENT_USER]\n",
        "REGEDIT4\n[-HKEY_CURRENT_USER\\A]\n\"X\"=dword:1\n",
        "REGEDIT4\n" + key + "\"X\"=\"unterminated\n",
        "REGEDIT4\n" + key + "\"X\"=\"a\" ; comment\n",
        "REGEDIT4\n" + key + "\"X\"\n",
        "REGEDIT4\n" + key + "X=\"a\"\n",
        "REGEDIT4\n" + key + "\"X\"=dword:123456789\n",
        "REGEDIT4\n" + key + "\"X\"=dword:12g4\n",
        "REGEDIT4\n" + key + "\"X\"=42\n",
        "REGEDIT4\n" + key + "\"X\"=hex:100\n",
        "REGEDIT4\n" + key + "\"X\"=hex:01,,02\n",
        "REGEDIT4\n" + key + "\"X\"=hex(zz):01\n",
        "REGEDIT4\n" + key + "\"X\"=hex:01,\\",
        "REGEDIT4\n" + key + "\"X\"=hex:01\n  02\n",
        "REGEDIT4\n" + key + "\"X" + std::string(1, '\0') + "Y\"=dword:1\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\n",
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(RegTree::parse(file));
        EXPECT_FALSE(RegTree::parse(crlf(file)));
    }
    std::string deep = "REGEDIT4\n[HKEY_CURRENT_USER";
    for (std::size_t i = 0; i < RegTree::kMaxDepth; ++i) deep += "\\k";
    EXPECT_TRUE(RegTree::parse(deep + "]\n"));
    EXPECT_FALSE(RegTree::parse(deep + "\\k]\n"));
    EXPECT_TRUE(RegTree::parse("REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(255, 'k') + "]\n"));
}

TEST(RegText, CommentsBlanksDeletionsAndMergedKeys) {
    const auto tree = RegTree::parse(
        "\xEF\xBB\xBFREGEDIT4\n"
        "; a comment\n"
        "   \t\n"
        "[hkey_current_user\\SOFTWARE\\Gone\\Child]\n"
        "\"V\"=dword:1\n"
        "  [HKEY_CURRENT_USER\\Software\\Keep]  \n"
        "  \"A\"=dword:1\n"
        "\"B\"=dword:2\n"
        "\"Dropped\"=dword:3\n"
        "[-HKEY_CURRENT_USER\\software\\gone]\n"
        "[-HKEY_CURRENT_USER\\Software\\NeverWasThere]\n"
        "[HKEY_CURRENT_USER\\software\\KEEP]\n"
        "\"a\"=dword:9\n"
        "\"dropped\"=-\n"
        "\"C\"=dword:3\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Empty]\n"
        "[HKEY_CLASSES_ROOT]\n"
        "@=\"root value\"\n");
    ASSERT_TRUE(tree);
    EXPECT_FALSE(tree->keyExists(kCU, "Software\\Gone"));
    EXPECT_EQ(tree->subKeys(kCU, "Software"), Strings{"Keep"});
    EXPECT_EQ(tree->valueNames(kCU, "SOFTWARE\\keep"), (Strings{"A", "B", "C"}));
    EXPECT_EQ(*tree->value(kCU, "Software\\Keep", "A"), RegData::dword(9));
    EXPECT_EQ(tree->serialize(), crlf("REGEDIT4\n\n"
                                      "[HKEY_CURRENT_USER\\SOFTWARE\\Keep]\n"
                                      "\"A\"=dword:00000009\n"
                                      "\"B\"=dword:00000002\n"
                                      "\"C\"=dword:00000003\n\n"
                                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Empty]\n\n"
                                      "[HKEY_CLASSES_ROOT]\n"
                                      "@=\"root value\"\n\n"));
}

TEST(RegText, OtherEncodingsOfTheFile) {
    // Windows-1250: the file as an older program wrote it.
    const auto cp1250 = RegTree::parse("REGEDIT4\n[HKEY_CURRENT_USER\\Z\xB3oty]\n\"N\"=\"\xB9\"\n");
    ASSERT_TRUE(cp1250);
    EXPECT_EQ(*cp1250->value(kCU, "Złoty", "N"), RegData::string("ą"));

    // UTF-16LE with its byte-order mark, as the Windows editor exports; its hex(1) is UTF-16 too.
    const std::u16string text =
        u"\xFEFFWindows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Ł]\r\n"
        u"\"S\"=hex(1):41,00,3d,d8,00,de,00,00\r\n\"Q\"=\"€\"\r\n";
    std::string wide;
    for (const char16_t unit : text) {
        wide += static_cast<char>(unit & 0xFF);
        wide += static_cast<char>(unit >> 8);
    }
    const auto utf16 = RegTree::parse(wide);
    ASSERT_TRUE(utf16);
    EXPECT_EQ(*utf16->value(kCU, "Ł", "S"), RegData::string("A\xF0\x9F\x98\x80"));
    EXPECT_EQ(*utf16->value(kCU, "Ł", "Q"), RegData::string("€"));
    EXPECT_EQ(utf16->value(kCU, "ł", "Q"), nullptr);  // case folds in ASCII only
}

TEST(RegText, TreeEditsFollowTheRegistryRules) {
    RegTree tree;
    EXPECT_TRUE(tree.keyExists(kCU, ""));
    EXPECT_EQ(tree.createKey(kCU, "Software\\Corvalen"), RegChange::Changed);
    EXPECT_EQ(tree.createKey(kCU, "SOFTWARE\\corvalen"), RegChange::Unchanged);
    EXPECT_EQ(tree.createKey(kCU, "software\\B"), RegChange::Changed);
    EXPECT_EQ(tree.createKey(kCU, "Software\\a"), RegChange::Changed);
    EXPECT_EQ(tree.subKeys(kCU, "SOFTWARE"), (Strings{"a", "B", "Corvalen"}));
    EXPECT_FALSE(tree.keyExists(RegRoot::LocalMachine, "Software"));

    EXPECT_EQ(tree.setValue(kCU, "S\\K", "v", RegData::dword(1)), RegChange::Changed);
    EXPECT_EQ(tree.setValue(kCU, "s\\k", "V", RegData::dword(1)), RegChange::Unchanged);
    EXPECT_EQ(tree.setValue(kCU, "s\\k", "V", RegData::string("1")), RegChange::Changed);
    EXPECT_EQ(tree.valueNames(kCU, "S\\K"), Strings{"v"});
    RegData sloppy = RegData::dword(5);
    sloppy.text = "ignored";  // members the type does not use take no part
    EXPECT_EQ(tree.setValue(kCU, "S\\K", "w", sloppy), RegChange::Changed);
    EXPECT_EQ(tree.setValue(kCU, "S\\K", "w", RegData::dword(5)), RegChange::Unchanged);

    for (const std::string& key : Strings{"\\A", "A\\", "A\\\\B", std::string(256, 'k'),
                                          std::string("A\0B", 3), "A\nB", "\xC5"}) {
        EXPECT_EQ(tree.createKey(kCU, key), RegChange::Refused) << key;
    }
    for (const std::string& name : Strings{std::string("a\0b", 3), "a\rb", "\xFF"}) {
        EXPECT_EQ(tree.setValue(kCU, "New", name, RegData::dword(1)), RegChange::Refused);
    }
    EXPECT_EQ(tree.setValue(kCU, "New", "s", RegData::string("\xC3(")), RegChange::Refused);
    EXPECT_FALSE(tree.keyExists(kCU, "New"));  // a refused write leaves no key behind
    EXPECT_EQ(tree.setValue(kCU, "New", "back\\slash", RegData::dword(1)), RegChange::Changed);

    EXPECT_EQ(tree.deleteKey(kCU, ""), RegChange::Refused);
    EXPECT_EQ(tree.deleteKey(kCU, "Nope\\Nope"), RegChange::Unchanged);
    EXPECT_EQ(tree.deleteKey(kCU, "SOFTWARE"), RegChange::Changed);
    EXPECT_FALSE(tree.keyExists(kCU, "Software\\Corvalen"));
    EXPECT_EQ(tree.deleteValue(kCU, "s\\k", "V"), RegChange::Changed);
    EXPECT_EQ(tree.valueNames(kCU, "S\\K"), Strings{"w"});
    EXPECT_EQ(*tree.value(kCU, "S\\K", "W"), RegData::dword(5));
}

TEST(RegText, SerializeIsStableAndEverythingRoundTrips) {
    double days = 45292.75;  // 2024-01-01 18:00 as a date-time value
    Bytes stamp(8);
    std::memcpy(stamp.data(), &days, 8);
    const auto build = [&](bool reversed) {
        RegTree tree;
        Strings keys = {"Software\\Zeta", "Software\\alpha", "Software\\Corvalen\\Temura\\1.0",
                        "Empty\\Leaf"};
        if (reversed) keys = {keys[3], keys[2], keys[1], keys[0]};
        for (const auto& k : keys) tree.createKey(kCU, k);
        tree.setValue(kCU, kKey, "TZDSTStart", RegData::binary(stamp));
        tree.setValue(kCU, kKey, "Name",
                      RegData::string("quote\" back\\ line\r\nnul" + std::string(1, '\0') + "end"));
        tree.setValue(kCU, kKey, "", RegData::string(""));
        tree.setValue(kCU, kKey, "Long", RegData::binary(Bytes(100, 0xAB)));
        tree.setValue(kCU, kKey, "Multi", RegData::other(0x7, {0x61, 0, 0}));
        return tree;
    };
    const std::string text = build(false).serialize();
    EXPECT_EQ(build(true).serialize(), text);
    EXPECT_NE(text.find("\r\n[HKEY_CURRENT_USER\\Empty\\Leaf]\r\n"), std::string::npos);
    EXPECT_EQ(text.find("[HKEY_CURRENT_USER\\Empty]"), std::string::npos);  // implied by Leaf
    EXPECT_NE(text.find("\"TZDSTStart\"=hex:00,00,00,00,98,1d,e6,40\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Multi\"=hex(7):61,00,00\r\n"), std::string::npos);
    std::size_t longest = 0;
    for (std::size_t at = 0, nl; (nl = text.find("\r\n", at)) != std::string::npos; at = nl + 2) {
        longest = std::max(longest, nl - at);
    }
    EXPECT_LE(longest, 80u);

    const auto back = RegTree::parse(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->serialize(), text);
    EXPECT_EQ(*back->value(kCU, kKey, "name"), *build(false).value(kCU, kKey, "Name"));
    double read = 0;
    std::memcpy(&read, back->value(kCU, kKey, "TZDSTStart")->bytes.data(), 8);
    EXPECT_EQ(read, days);
    EXPECT_TRUE(back->keyExists(kCU, "Empty"));
    EXPECT_EQ(back->subKeys(kCU, "Software"), (Strings{"alpha", "Corvalen", "Zeta"}));
}

TEST(RegText, HostileInputNeverCrashesAndWhatParsesIsStable) {
    std::vector<std::string> inputs = {std::string(1, '\0'), "REGEDIT4",      "REGEDIT4\n[",
                                       "REGEDIT4\n[]",       "REGEDIT4\n[-]", "\xFF\xFE",
                                       "\xFF\xFE\x52"};
    std::string allBytes = "REGEDIT4\n";
    for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
    inputs.push_back(allBytes);
    // Lines glued from pieces of the syntax, some with a byte swapped for one that matters.
    const Strings pieces = {"[HKEY_CURRENT_USER\\k",
                            "]",
                            "[-HKEY_CLASSES_ROOT\\K",
                            "\\",
                            "\"n\"",
                            "@",
                            "=",
                            "\"v\\\"\"",
                            "dword:",
                            "1f",
                            "hex",
                            "(7)",
                            ":",
                            "0a,",
                            "ff",
                            ",\\",
                            ";",
                            "-",
                            " ",
                            "\r",
                            ""};
    const char kBytes[] = "[]\"=@\\-;:,()\t\r\n0fx\0\xFF\xC5\x82";
    const std::string swaps(kBytes, sizeof kBytes - 1);
    std::mt19937 random(20260412);
    for (int n = 0; n < 3000; ++n) {
        std::string s = "REGEDIT4\n";
        for (int line = static_cast<int>(random() % 6); line > 0; --line) {
            std::string text;
            for (int k = static_cast<int>(random() % 4); k >= 0; --k) {
                text += pieces[random() % pieces.size()];
            }
            if (!text.empty() && random() % 4 == 0) {
                text[random() % text.size()] = swaps[random() % swaps.size()];
            }
            s += text + "\n";
        }
        inputs.push_back(s);
    }
    int parsed = 0;
    for (const auto& input : inputs) {
        const auto tree = RegTree::parse(input);
        if (!tree) continue;
        ++parsed;
        const std::string once = tree->serialize();
        ASSERT_TRUE(isValidUtf8(once)) << input;
        const auto again = RegTree::parse(once);
        ASSERT_TRUE(again) << input;
        ASSERT_EQ(again->serialize(), once) << input;
    }
    EXPECT_GT(parsed, 300);  // the generator does reach the paths that parse
}

double secondsFor(const auto& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Loose bounds (sanitizer builds are slow); they catch work that grows with the square of the size.
TEST(RegText, LargeInputsRoundTripQuickly) {
    const std::string mega(1 << 20, 'v');
    EXPECT_LT(secondsFor([&] {
                  RegTree tree;
                  ASSERT_EQ(tree.setValue(kCU, "K", "s", RegData::string(mega)),
                            RegChange::Changed);
                  ASSERT_EQ(tree.setValue(kCU, "K", "b", RegData::binary(Bytes(1 << 20, 7))),
                            RegChange::Changed);
                  const auto back = RegTree::parse(tree.serialize());
                  ASSERT_TRUE(back);
                  EXPECT_EQ(*back->value(kCU, "K", "s"), RegData::string(mega));
                  EXPECT_EQ(back->value(kCU, "K", "b")->bytes.size(), 1u << 20);
                  EXPECT_FALSE(RegTree::parse("REGEDIT4\n" + mega + "\n"));
                  EXPECT_FALSE(RegTree::parse(std::string(1 << 20, '\xFF')));
              }),
              5.0);

    constexpr int kCount = 10000;
    std::string manyKeys = "REGEDIT4\n";
    std::string manyValues = "REGEDIT4\n[HKEY_CURRENT_USER\\Big]\n";
    for (int i = 0; i < kCount; ++i) {
        manyKeys += "[HKEY_CURRENT_USER\\K\\" + std::to_string(i) + "]\n\"v\"=dword:1\n";
        manyValues += "\"V" + std::to_string(i) + "\"=\"" + std::to_string(i) + "\"\n";
    }
    EXPECT_LT(secondsFor([&] {
                  auto keys = RegTree::parse(manyKeys);
                  ASSERT_TRUE(keys);
                  EXPECT_EQ(keys->subKeys(kCU, "k").size(), static_cast<std::size_t>(kCount));
                  EXPECT_EQ(RegTree::parse(keys->serialize())->serialize(), keys->serialize());
                  auto values = RegTree::parse(manyValues);
                  ASSERT_TRUE(values);
                  for (int i = 0; i < kCount; ++i) {
                      ASSERT_EQ(values->value(kCU, "big", "v" + std::to_string(i))->text,
                                std::to_string(i));
                  }
                  for (int i = 0; i < kCount; i += 2) {
                      values->deleteValue(kCU, "Big", "V" + std::to_string(i));
                  }
                  EXPECT_EQ(values->valueNames(kCU, "Big").size(), kCount / 2u);
                  EXPECT_EQ(values->value(kCU, "Big", "V9999")->text, "9999");
              }),
              5.0);
}

TEST(MemoryRegistry, TypedReadsAndRefusedRoots) {
    MemoryRegistry reg;
    ASSERT_TRUE(reg.writeDWord(kCU, kKey, "X", -7));
    ASSERT_TRUE(reg.writeString(kCU, kKey, "Lang", "pl"));
    ASSERT_TRUE(reg.writeBinary(kCU, kKey, "TZDSTStart", Bytes(8, 1)));
    EXPECT_EQ(reg.valueType(kCU, kKey, "x"), RegType::DWord);
    EXPECT_EQ(reg.valueType(kCU, kKey, "Lang"), RegType::String);
    EXPECT_EQ(reg.valueType(kCU, kKey, "TZDSTStart"), RegType::Binary);
    EXPECT_EQ(reg.valueType(kCU, kKey, "Y"), RegType::Missing);
    EXPECT_EQ(reg.readDWord(kCU, kKey, "X"), -7);
    EXPECT_EQ(reg.readDWord(kCU, kKey, "Lang"), std::nullopt);  // wrong type reads as nothing
    EXPECT_EQ(reg.readString(kCU, kKey, "X"), std::nullopt);
    EXPECT_EQ(reg.readBinary(kCU, kKey, "Lang"), std::nullopt);
    EXPECT_EQ(reg.readBinary(kCU, kKey, "TZDSTStart"), Bytes(8, 1));
    EXPECT_TRUE(reg.keyExists(kCU, "software\\corvalen"));
    EXPECT_FALSE(reg.writeString(kCU, kKey, "Bad", "\xFF"));

    const RegRoot lm = RegRoot::LocalMachine;
    ASSERT_TRUE(reg.createKey(lm, "SOFTWARE\\Old"));
    reg.setWritable(lm, false);
    EXPECT_FALSE(reg.createKey(lm, "SOFTWARE\\App Paths\\Temura.exe"));
    EXPECT_TRUE(reg.createKey(lm, "software\\old"));  // opening is no write
    EXPECT_FALSE(reg.writeString(lm, "SOFTWARE\\Old", "Path", "/usr/bin"));
    EXPECT_FALSE(reg.deleteKey(lm, "SOFTWARE\\Old"));
    EXPECT_TRUE(reg.deleteKey(lm, "SOFTWARE\\Missing"));
    EXPECT_TRUE(reg.keyExists(lm, "SOFTWARE\\Old"));
    EXPECT_TRUE(reg.deleteKey(kCU, kKey));
    EXPECT_TRUE(reg.keyExists(kCU, "Software\\Corvalen\\Temura"));
    EXPECT_FALSE(reg.keyExists(kCU, kKey));
}

}  // namespace
}  // namespace temura
