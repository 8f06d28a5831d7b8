#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/posix/posix_files.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace temura {
namespace {

using Step = PosixFiles::SaveStep;

std::string get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PosixFilesSteps, RunInOrderFileFlushedBeforeTheRenameAndTheFolderAfterIt) {
    const fs::path dir = test::makeTempDir("steps");
    PosixFiles files(dir.string());
    std::vector<Step> seen;
    files.setStepFailure([&seen](Step step) {
        seen.push_back(step);
        return false;
    });
    ASSERT_TRUE(files.writeAtomically((dir / "a.reg").string(), "new"));
    EXPECT_EQ(seen, (std::vector<Step>{Step::Write, Step::Flush, Step::Rename, Step::FlushFolder}));
    EXPECT_EQ(get(dir / "a.reg"), "new");
}

TEST(PosixFilesSteps, AFailedStepLeavesTheOldFileWholeAndNoTemporaryFile) {
    struct Case {
        Step failing;
        bool hadOld;
        bool saved;  // the folder's flush comes after the rename: the new file is in place
        const char* what;
    };
    const Case cases[] = {
        {Step::Write, true, false, "write fails over an old file"},
        {Step::Flush, true, false, "flush fails over an old file"},
        {Step::Rename, true, false, "rename fails over an old file"},
        {Step::FlushFolder, true, true, "folder flush fails over an old file"},
        {Step::Write, false, false, "write fails for a new file"},
        {Step::Flush, false, false, "flush fails for a new file"},
        {Step::Rename, false, false, "rename fails for a new file"},
        {Step::FlushFolder, false, true, "folder flush fails for a new file"},
    };
    // Big enough to need more than one write call on some systems.
    const std::string old = std::string(300000, 'o') + "\r\nend of the old file\r\n";
    const std::string fresh(200000, 'n');
    for (const auto& c : cases) {
        const fs::path dir = test::makeTempDir("stepfail");
        const fs::path file = dir / "UserTimeZones.dat";
        if (c.hadOld) std::ofstream(file, std::ios::binary) << old;
        PosixFiles files(dir.string());
        files.setStepFailure([&c](Step step) { return step == c.failing; });

        EXPECT_EQ(files.writeAtomically(file.string(), fresh), c.saved) << c.what;
        if (c.saved) {
            EXPECT_EQ(get(file), fresh) << c.what;
        } else if (c.hadOld) {
            EXPECT_EQ(get(file), old) << c.what;
        } else {
            EXPECT_FALSE(fs::exists(file)) << c.what;
        }
        const std::vector<std::string> expected =
            c.hadOld || c.saved ? std::vector<std::string>{"UserTimeZones.dat"}
                                : std::vector<std::string>{};
        EXPECT_EQ(namesIn(dir), expected) << c.what;

        // The seam off again: the same object saves normally.
        files.setStepFailure(nullptr);
        EXPECT_TRUE(files.writeAtomically(file.string(), "after")) << c.what;
        EXPECT_EQ(get(file), "after") << c.what;
    }
}

}  // namespace
}  // namespace temura
