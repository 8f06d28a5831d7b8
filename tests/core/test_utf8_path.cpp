#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/user_folder.h"
#include "storage/utf8_path.h"
#include "support/fake_files.h"
#include "ui/data_file_rules.h"

// Paths with letters outside ASCII keep their UTF-8 text through every std::filesystem step (on
// Windows its narrow strings are in the ANSI code page, not UTF-8).

namespace temura {
namespace {

const char* const kNames[] = {
    "Zegar", "Zażółć gęślą jaźń", "Ωμέγα", "時計", "\xF0\x9F\x95\x90 clock",
};

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST(Utf8Path, TextSurvivesTheRoundTrip) {
    for (const char* name : kNames) {
        const std::string folder = std::string("/opt/") + name;
        EXPECT_EQ(utf8FromPath(pathFromUtf8(folder)), folder);
        EXPECT_EQ(utf8FromPath(pathFromUtf8(folder).filename()), name);
        EXPECT_EQ(utf8FromPath(pathFromUtf8(folder + "/help.html").parent_path()), folder);
    }
}

TEST(Utf8Path, DataFilesAreLookedUpUnderTheFolderAsNamed) {
    for (const char* name : kNames) {
        const std::string folder = std::string("/opt/") + name;
        std::vector<std::string> asked;
        const auto found = findDataFile({folder}, "Help/help.html", [&asked](const std::string& p) {
            asked.push_back(p);
            return true;
        });
        ASSERT_TRUE(found) << name;
        EXPECT_TRUE(startsWith(*found, folder)) << *found;
        EXPECT_TRUE(endsWith(*found, "help.html")) << *found;
        EXPECT_EQ(asked, std::vector<std::string>{*found});
    }
}

TEST(Utf8Path, TheUserFolderKeepsTheHomesName) {
    for (const char* name : kNames) {
        test::FakeFiles files;
        files.readOnlyFolders.insert(files.program);
        const std::string home = std::string("home-") + name;  // relative: the same on every system
        const std::string folder = userFolder(files, "", home);
        EXPECT_TRUE(startsWith(folder, home)) << folder;
        EXPECT_TRUE(endsWith(folder, "temura")) << folder;
    }
}

}  // namespace
}  // namespace temura
