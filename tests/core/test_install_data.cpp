// The installed layout: where an installed program finds its data, and whether the files that
// are installed (menu entry, MIME package, metainfo, icons, help) agree with what the program
// itself writes and looks for.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "storage/desktop_entry.h"
#include "storage/utf8_path.h"
#include "ui/data_file_rules.h"
#include "ui/extra_args_rules.h"

namespace temura {
namespace {

namespace fs = std::filesystem;

// The source tree's resources, found from this file's own path (tests/core/ → src/resources/).
fs::path resources() {
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "src" / "resources";
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The keys of a desktop entry's [Desktop Entry] group.
std::map<std::string, std::string> desktopKeys(const std::string& text) {
    std::map<std::string, std::string> keys;
    std::istringstream lines(text);
    std::string line;
    bool inMainGroup = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t eq = line.find('=');
        if (inMainGroup && eq != std::string::npos && line.front() != '#') {
            keys[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return keys;
}

std::set<std::string> matches(const std::string& text, const std::string& pattern) {
    std::set<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it) {
        found.insert((*it)[1].str());
    }
    return found;
}

std::string only(const std::set<std::string>& values) {
    EXPECT_EQ(values.size(), 1u);
    return values.empty() ? std::string() : *values.begin();
}

// ---- data folders of an installed program ----

// A path in its normal form: the folders the program works out itself, and the files found in
// them, are in the system's own separators (backslashes on Windows).
std::string normal(const std::string& path) {
    return utf8FromPath(pathFromUtf8(path).lexically_normal());
}

TEST(InstalledDataFolders, InstalledProgramLooksInShareTemuraLast) {
    // The two folders handed in are searched as named; only the derived one is normalised.
    EXPECT_EQ(dataFolders("/usr/bin", "/home/ann/.local/share/temura"),
              (std::vector<std::string>{"/usr/bin", "/home/ann/.local/share/temura",
                                        normal("/usr/share/temura")}));
    EXPECT_EQ(dataFolders("/usr/local/bin", "/home/ann/.local/share/temura").back(),
              normal("/usr/local/share/temura"));
}

TEST(InstalledDataFolders, InstalledHelpIsFoundWhenNoNearerCopyExists) {
    const auto folders = dataFolders("/usr/bin", "/home/ann/.local/share/temura");
    const auto found = findDataFile(folders, "Help/help.html", [](const std::string& path) {
        return normal(path) == normal("/usr/share/temura/Help/help.html");
    });
    ASSERT_TRUE(found);
    EXPECT_EQ(normal(*found), normal("/usr/share/temura/Help/help.html"));
}

TEST(InstalledDataFolders, UsersOwnFileWinsOverTheInstalledOne) {
    const auto folders = dataFolders("/usr/bin", "/home/ann/.local/share/temura");
    const auto found = findDataFile(folders, "default.temura", [](const std::string& path) {
        return normal(path) == normal("/usr/share/temura/default.temura") ||
               normal(path) == normal("/home/ann/.local/share/temura/default.temura");
    });
    ASSERT_TRUE(found);
    EXPECT_EQ(normal(*found), normal("/home/ann/.local/share/temura/default.temura"));
}

TEST(InstalledDataFolders, CopyInAFolderOfItsOwnSearchesThatFolderOnce) {
    const auto folders = dataFolders("/home/ann/temura", "/home/ann/temura");
    EXPECT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders.front(), "/home/ann/temura");
}

// ---- installed files against the program's own ----

TEST(InstalledFiles, MenuEntryMatchesTheShortcutTheProgramWrites) {
    auto installed = desktopKeys(readFile(resources() / "desktop" / "Temura.desktop"));
    auto shortcut = desktopKeys(launcherEntry("/usr/bin/temura", "/usr/bin"));
    for (const char* key : {"Type", "Name", "Comment", "Icon", "Terminal", "Categories"}) {
        EXPECT_EQ(installed[key], shortcut[key]) << key;
    }
    // Found through PATH, with the file to open, as the program's own handler entry passes it.
    EXPECT_EQ(installed["Exec"], "temura %f");
    EXPECT_EQ(installed["MimeType"],
              desktopKeys(settingsFileHandlerEntry("/x/temura"))["MimeType"]);
}

TEST(InstalledFiles, MimePackageDeclaresTheTypeAndGlobTheProgramRegisters) {
    const std::string installed = readFile(resources() / "desktop" / "temura-mime.xml");
    const std::string own = settingsMimePackage();
    const std::string type = R"re(<mime-type type="([^"]+)")re";
    const std::string glob = R"re(<glob pattern="([^"]+)")re";
    EXPECT_EQ(matches(installed, type), matches(own, type));
    EXPECT_EQ(matches(installed, glob), matches(own, glob));
    EXPECT_EQ(only(matches(own, type)), "application/x-temura");
}

TEST(InstalledFiles, MetainfoLaunchesTheMenuEntryAndProvidesTheProgram) {
    const fs::path folder = resources() / "desktop";
    fs::path file;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().string().ends_with(".metainfo.xml.in")) file = entry.path();
    }
    ASSERT_FALSE(file.empty()) << "no metainfo template in " << folder;
    const std::string xml = readFile(file);
    const std::string id = only(matches(xml, "<id>([^<]+)</id>"));
    // Software centres find the metainfo by its component id.
    EXPECT_EQ(file.filename().string(), id + ".metainfo.xml.in");
    // The user's Start Menu shortcut has the same file name, so it replaces the installed entry.
    EXPECT_EQ(only(matches(xml, R"re(<launchable type="desktop-id">([^<]+)<)re")),
              "Temura.desktop");
    EXPECT_EQ(only(matches(xml, "<binary>([^<]+)</binary>")), "temura");
    EXPECT_EQ(only(matches(xml, "<mediatype>([^<]+)</mediatype>")), "application/x-temura");
    auto entry = desktopKeys(readFile(folder / "Temura.desktop"));
    EXPECT_EQ(only(matches(xml, R"re(<icon type="stock">([^<]+)<)re")), entry["Icon"]);
}

std::uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

TEST(InstalledFiles, IconsAreNamedAfterTheEntryAndSizedAsTheirFolders) {
    const std::string icon =
        desktopKeys(readFile(resources() / "desktop" / "Temura.desktop"))["Icon"];
    const fs::path icons = resources() / "icons";
    EXPECT_TRUE(fs::exists(icons / (icon + ".svg")));

    std::set<unsigned> sizes;
    for (const auto& entry : fs::directory_iterator(icons / "hicolor")) {
        const std::string name = entry.path().filename().string();
        unsigned w = 0;
        unsigned h = 0;
        char x = 0;
        std::istringstream folder(name);
        ASSERT_TRUE(folder >> w >> x >> h && x == 'x' && w == h) << name;
        const std::string png = readFile(entry.path() / "apps" / (icon + ".png"));
        // The PNG signature, then the IHDR chunk: width and height at bytes 16 and 20.
        ASSERT_GE(png.size(), 24u) << name;
        EXPECT_EQ(png.substr(1, 3), "PNG") << name;
        EXPECT_EQ(png.substr(12, 4), "IHDR") << name;
        EXPECT_EQ(bigEndian32(png, 16), w) << name;
        EXPECT_EQ(bigEndian32(png, 20), h) << name;
        sizes.insert(w);
    }
    for (unsigned size : {16u, 24u, 32u, 48u, 64u, 128u, 256u})
        EXPECT_TRUE(sizes.count(size)) << size;
}

TEST(InstalledFiles, HelpDocumentsTheProgramsOwnOptions) {
    const std::string help = readFile(resources() / "Help" / "help.html");
    const auto options = matches(usageText(), R"((--[a-z-]+))");
    EXPECT_GE(options.size(), 2u);
    for (const std::string& option : options) {
        EXPECT_NE(help.find("<code>" + option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace temura
