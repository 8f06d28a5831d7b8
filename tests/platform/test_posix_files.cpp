#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/platform_factory.h"
#include "platform/posix/posix_files.h"
#include "storage/user_folder.h"
#include "support/fake_files.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace temura {
namespace {

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

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

using Names = std::vector<std::string>;

TEST(PosixFiles, WriteAtomicallyCreatesAndReplacesLeavingNoTempFile) {
    const fs::path dir = test::makeTempDir("write");
    const fs::path file = dir / "TimeZones.dat";
    PosixFiles files(dir.string());
    const std::string binary("a\0b\r\n\xFF", 6);

    ASSERT_TRUE(files.writeAtomically(file.string(), "first"));
    EXPECT_EQ(get(file), "first");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    ASSERT_TRUE(files.writeAtomically(file.string(), binary));
    EXPECT_EQ(get(file), binary);
    ASSERT_TRUE(files.writeAtomically(file.string(), ""));
    EXPECT_EQ(get(file), "");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(namesIn(dir), (Names{"TimeZones.dat"}));
}

TEST(PosixFiles, WriteAtomicallyWritesThroughASymbolicLink) {
    const fs::path dir = test::makeTempDir("link");
    put(dir / "real.temura", "old");
    fs::create_symlink("real.temura", dir / "link.temura");
    PosixFiles files(dir.string());
    ASSERT_TRUE(files.writeAtomically((dir / "link.temura").string(), "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.temura"));
    EXPECT_EQ(get(dir / "real.temura"), "new");
}

TEST(PosixFiles, FailedWriteLeavesOldFileWholeAndNoTempFile) {
    const fs::path dir = test::makeTempDir("fail");
    put(dir / "keep.dat", "old contents");
    fs::create_directory(dir / "a folder");
    PosixFiles files(dir.string());

    const fs::path targets[] = {
        dir / "missing" / "x.dat",  // the folder is not there
        dir / "a folder",           // the target is a folder
        dir / "a folder" / "",      // no file name
        "",
    };
    for (const auto& target : targets) {
        EXPECT_FALSE(files.writeAtomically(target.string(), "new")) << target;
    }
    EXPECT_EQ(namesIn(dir), (Names{"a folder", "keep.dat"}));

    // A write that fails half way: the file-size limit also binds root, unlike permission bits.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written =
        files.writeAtomically((dir / "keep.dat").string(), std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(get(dir / "keep.dat"), "old contents");
    EXPECT_EQ(namesIn(dir), (Names{"a folder", "keep.dat"}));
}

// Judged by the owner's write bit, not access(): the tests also run as root, who may write anyway.
TEST(PosixFiles, WriteAtomicallyKeepsAFileItsOwnerMayNotWrite) {
    struct Case {
        bool hadOld;
        fs::perms mode;
        bool viaLink;
        bool saved;
        const char* what;
    };
    using P = fs::perms;
    const Case cases[] = {
        {true, P::owner_read | P::group_read | P::others_read, false, false, "read-only 0444"},
        {true, P::owner_read | P::group_write | P::others_write, false, false,
         "others may write, the owner may not"},
        {true, P::none, false, false, "no bits at all"},
        {true, P::owner_read, true, false, "read-only behind a symbolic link"},
        {true, P::owner_read | P::owner_write, false, true, "writable 0600"},
        {true, P::owner_write, false, true, "write-only 0200"},
        {false, P::none, false, true, "no file yet"},
    };
    for (const auto& c : cases) {
        const fs::path dir = test::makeTempDir("readonly");
        const fs::path file = dir / "settings.temura";
        const fs::path target = c.viaLink ? dir / "link.temura" : file;
        if (c.hadOld) {
            put(file, "old\r\nbytes");
            fs::permissions(file, c.mode, fs::perm_options::replace);
        }
        if (c.viaLink) fs::create_symlink(file.filename(), target);
        PosixFiles files(dir.string());

        EXPECT_EQ(files.writeAtomically(target.string(), "new"), c.saved) << c.what;
        EXPECT_EQ(get(file), c.saved ? "new" : "old\r\nbytes") << c.what;
        if (c.hadOld) {
            EXPECT_EQ(fs::status(file).permissions(), c.mode) << c.what;
        }
        EXPECT_EQ(namesIn(dir).size(), c.viaLink ? 2u : 1u) << c.what;  // no temporary file left
    }
}

TEST(PosixFiles, ReadExistsRemoveAndClearReadOnly) {
    const fs::path dir = test::makeTempDir("read");
    PosixFiles files(dir.string());
    const std::string binary("\0\x01\xFE\xFF", 4);
    put(dir / "bin", binary);
    put(dir / "empty", "");

    EXPECT_EQ(files.readBytes((dir / "bin").string()), binary);
    EXPECT_EQ(files.readBytes((dir / "empty").string()), "");
    EXPECT_EQ(files.readBytes((dir / "missing").string()), std::nullopt);
    EXPECT_EQ(files.readBytes(dir.string()), std::nullopt);
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(files.readBytes((dir / "fifo").string()), std::nullopt);  // and does not hang

    fs::permissions(dir / "bin", fs::perms::owner_read | fs::perms::group_read,
                    fs::perm_options::replace);
    EXPECT_TRUE(files.clearReadOnly((dir / "bin").string()));
    EXPECT_EQ(fs::status(dir / "bin").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_FALSE(files.clearReadOnly((dir / "missing").string()));

    EXPECT_TRUE(files.exists((dir / "bin").string()));
    EXPECT_TRUE(files.remove((dir / "bin").string()));
    EXPECT_FALSE(files.exists((dir / "bin").string()));
    EXPECT_FALSE(files.remove((dir / "bin").string()));
    EXPECT_FALSE(files.remove(dir.string()));  // folders are not deleted this way
    EXPECT_TRUE(fs::is_directory(dir));
}

TEST(PosixFiles, FolderWritableTriesForReal) {
    const fs::path dir = test::makeTempDir("probe");
    put(dir / "file", "x");
    PosixFiles files(dir.string());
    EXPECT_TRUE(files.folderWritable(dir.string()));
    EXPECT_FALSE(files.folderWritable((dir / "missing").string()));
    EXPECT_FALSE(files.folderWritable((dir / "file").string()));
    EXPECT_FALSE(files.folderWritable("/proc/self"));  // writable bits, but nothing can be made
    EXPECT_EQ(namesIn(dir), (Names{"file"}));          // the probe is gone
}

TEST(PosixFiles, FoldersComeWithoutTrailingSeparator) {
    const fs::path dir = test::makeTempDir("tmpdir");
    const char* oldTmp = std::getenv("TMPDIR");
    const std::string saved = oldTmp != nullptr ? oldTmp : "";
    setenv("TMPDIR", (dir.string() + "/").c_str(), 1);
    const auto files = makeFiles(dir.string() + "/");
    EXPECT_EQ(files->programFolder(), dir.string());
    EXPECT_EQ(files->tempFolder(), dir.string());
    if (oldTmp != nullptr) {
        setenv("TMPDIR", saved.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
}

TEST(UserFolder, ProgramFolderWhenWritableElseDataHome) {
    const fs::path dir = test::makeTempDir("user");
    const fs::path home = dir / "home";
    const fs::path data = dir / "data";
    put(dir / "a-file", "x");
    struct Case {
        fs::path program;
        std::string xdgDataHome;
        fs::path expected;
        const char* what;
    };
    const Case cases[] = {
        {dir, data.string(), dir, "a copy in a writable folder of its own"},
        {dir / "missing", data.string(), data / "temura", "program folder not there"},
        {dir / "a-file", data.string(), data / "temura", "program folder is a file"},
        {dir / "missing", "", home / ".local/share/temura", "no XDG_DATA_HOME"},
        {dir / "missing", "relative/path", home / ".local/share/temura", "relative XDG_DATA_HOME"},
    };
    for (const auto& c : cases) {
        PosixFiles files(c.program.string());
        EXPECT_EQ(userFolder(files, c.xdgDataHome, home.string()), c.expected.string()) << c.what;
        EXPECT_TRUE(fs::is_directory(c.expected)) << c.what;
    }
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST(UserFolder, WithoutAnyHomeFallsBackToTheTemporaryFolder) {
    test::FakeFiles files;
    files.readOnlyFolders.insert(files.program);
    EXPECT_EQ(userFolder(files, "", ""), "/tmp/temura");
    EXPECT_TRUE(files.folderWritable("/tmp/temura"));
    EXPECT_TRUE(files.writeAtomically("/tmp/temura/TimeZones.dat", ";System Time Zones\r\n"));
}

}  // namespace
}  // namespace temura
