#include <gtest/gtest.h>

#include <set>

#include "settings/command_line.h"

namespace temura {
namespace {

struct Expect {
    std::string startupFile = {};
    std::optional<std::uint8_t> mode = std::nullopt;
    bool center = false;
    std::optional<int> x = std::nullopt;
    std::optional<int> y = std::nullopt;
    bool start = false;
    bool fullScreen = false;
    bool homePage = false;
    bool defaults = false;
    std::optional<std::string> folder = std::nullopt;
};

struct Case {
    const char* what;
    std::vector<std::string> args;
    std::set<std::string> files;
    Expect expect;
};

CommandLineResult parse(const std::vector<std::string>& args, const std::set<std::string>& files) {
    CommandLineInput in;
    in.args = args;
    in.fileExists = [files](const std::string& p) { return files.contains(p); };
    in.currentFolder = "/home/ann/work";
    in.userFolder = "/home/ann/.local/share/temura";
    in.dataFolders = {"/opt/temura", "/home/ann/.local/share/temura"};
    in.desktopWidth = 1024;
    in.desktopHeight = 768;
    in.windowWidth = 161;
    in.windowHeight = 70;
    return ParseParams(in);
}

const std::string kUser = "/home/ann/.local/share/temura";

class CommandLineTest : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, GivesTheNetEffect) {
    const Case& c = GetParam();
    const CommandLineResult r = parse(c.args, c.files);
    const Expect& e = c.expect;
    EXPECT_EQ(r.startupFile, e.startupFile);
    EXPECT_EQ(r.mode, e.mode);
    EXPECT_EQ(r.center, e.center);
    EXPECT_EQ(r.x, e.x);
    EXPECT_EQ(r.y, e.y);
    EXPECT_EQ(r.startStopwatch, e.start);
    EXPECT_EQ(r.fullScreen, e.fullScreen);
    EXPECT_EQ(r.openHomePage, e.homePage);
    EXPECT_EQ(r.applyDefaults, e.defaults);
    EXPECT_EQ(r.currentFolder, e.folder);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Switches, CommandLineTest, ::testing::Values(
    Case{"nothing", {}, {}, {}},
    Case{"file with extension", {"/tmp/a.temura"}, {"/tmp/a.temura"}, {.startupFile = "/tmp/a.temura"}},
    Case{"file without extension, relative", {"cfg"}, {"/home/ann/work/cfg.temura"},
         {.startupFile = "/home/ann/work/cfg.temura"}},
    Case{"file in quotes", {"\"../my clock\""}, {"/home/ann/my clock.temura"},
         {.startupFile = "/home/ann/my clock.temura"}},
    Case{"an existing file named like switches is only a file", {"start"},
         {"/home/ann/work/start.temura"}, {.startupFile = "/home/ann/work/start.temura"}},
    Case{"s", {"s"}, {}, {.mode = 4}},
    Case{"start also begins with s", {"start"}, {}, {.mode = 4, .start = true}},
    Case{"long and mixed-case names", {"Timer"}, {}, {.mode = 0}},
    Case{"bmt", {"BMT"}, {}, {.mode = 1}},
    Case{"windows", {"windows"}, {}, {.mode = 2}},
    Case{"zegar and utc: the later row wins", {"utc", "zegar"}, {}, {.mode = 3}},
    Case{"t s", {"t", "s"}, {}, {.mode = 4}},
    Case{"s t", {"s", "t"}, {}, {.mode = 4}},
    Case{"x below 0", {"x=-50"}, {}, {.x = 0}},
    Case{"x beyond the desktop", {"x=5000"}, {}, {.x = 1024 - 161}},
    Case{"x at the desktop's edge", {"x=1024"}, {}, {.x = 1024 - 161}},
    Case{"x in hex, y", {"X=0x10", "y=700"}, {}, {.x = 16, .y = 700}},
    Case{"y beyond", {"y=768"}, {}, {.y = 768 - 70}},
    Case{"x not a number", {"x=abc"}, {}, {}},
    Case{"first matching argument counts", {"x=5", "x=7"}, {}, {.x = 5}},
    Case{"center", {"center", "x=5"}, {}, {.center = true, .x = 5}},
    Case{"full screen", {"FULLSCREEN"}, {}, {.fullScreen = true}},
    Case{"fs", {"fs"}, {}, {.fullScreen = true}},
    Case{"home page", {"i"}, {}, {.homePage = true}},
    Case{"s d without default.temura", {"s", "d"}, {}, {.mode = 0, .defaults = true}},
    Case{"d with default.temura", {"s", "default"}, {"/opt/temura/default.temura"},
         {.startupFile = "/opt/temura/default.temura", .mode = 4}},
    Case{"default.temura in the user folder", {"d"}, {kUser + "/default.temura"},
         {.startupFile = kUser + "/default.temura"}},
    Case{"defaults keep full screen at start", {"fs", "d"}, {},
         {.mode = 0, .fullScreen = true, .defaults = true}},
    Case{"f= replaces default.temura", {"d", "f=my"},
         {"/opt/temura/default.temura", kUser + "/my.temura"},
         {.startupFile = kUser + "/my.temura", .folder = kUser}},
    Case{"f= looks in the user folder, not the current one", {"f=my"},
         {"/home/ann/work/my.temura"}, {.folder = kUser}},
    Case{"f= with quotes and an extension", {"f=\"look 1.ini\""}, {kUser + "/look 1.ini"},
         {.startupFile = kUser + "/look 1.ini", .folder = kUser}},
    Case{"a path among several arguments is not loaded; on drive C it centres",
         {"C:\\Users\\ann\\a.temura", "u"}, {"C:\\Users\\ann\\a.temura"}, {.mode = 3, .center = true}},
    Case{"one path that is not there is matched as switches",
         {"etc/a.temura"}, {}, {.mode = 1}},
    Case{"matching nothing does nothing", {"-q", "42", "?"}, {}, {}}
));
// clang-format on

TEST(FullPath, ResolvesAgainstTheFolder) {
    const struct {
        const char* folder;
        const char* name;
        const char* expected;
    } cases[] = {
        {"/home/ann", "a", "/home/ann/a"},
        {"/home/ann/", "./x/../a", "/home/ann/a"},
        {"/home/ann", "../../../a", "/a"},
        {"/home/ann", "/etc//a", "/etc/a"},
        {"C:\\Users\\ann", "a.temura", "C:\\Users\\ann\\a.temura"},
        {"C:\\Users\\ann", "..\\bob\\a", "C:\\Users\\bob\\a"},
        {"C:\\Users", "D:\\x\\.\\y", "D:\\x\\y"},
        {"C:\\", "..", "C:\\"},
        {"\\\\server\\share", "a", "\\\\server\\share\\a"},
        {"rel", "../../a", "../a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fullPathAgainst(c.folder, c.name), c.expected) << c.folder << " + " << c.name;
    }
    EXPECT_EQ(withSettingsExtension("/a/b"), "/a/b.temura");
    EXPECT_EQ(withSettingsExtension("/a.d/b"), "/a.d/b.temura");
    EXPECT_EQ(withSettingsExtension("C:\\a.d\\b.ini"), "C:\\a.d\\b.ini");
}

TEST(CommandLineHostile, OddArgumentsCauseNoHarm) {
    std::vector<std::string> many;
    for (int i = 0; i < 10000; ++i) many.push_back("arg" + std::to_string(i));
    many.push_back("x=12");
    EXPECT_EQ(parse(many, {}).x, 12);

    const std::string huge(1 << 20, 's');
    EXPECT_EQ(parse({huge}, {}).mode, std::uint8_t{4});
    EXPECT_FALSE(parse({"x=" + std::string(1 << 20, '9')}, {}).x.has_value());
    EXPECT_EQ(parse({"f=" + std::string(1 << 20, '/') + ".."}, {}).currentFolder, kUser);

    const CommandLineResult empty = parse({"", "\"\"", std::string("\0\xff\xfe", 3)}, {});
    EXPECT_FALSE(empty.mode.has_value());
    EXPECT_TRUE(empty.startupFile.empty());
    // Not UTF-8: passed on as bytes.
    const std::string odd = "\xc3\x28\xa0.temura";
    EXPECT_EQ(parse({odd}, {"/home/ann/work/" + odd}).startupFile, "/home/ann/work/" + odd);
}

}  // namespace
}  // namespace temura
