#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/platform_factory.h"
#include "platform/posix/file_registry.h"
#include "platform/posix/posix_files.h"
#include "storage/text_encoding.h"
#include "support/fake_files.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace temura {
namespace {

using Strings = std::vector<std::string>;
constexpr RegRoot kCU = RegRoot::CurrentUser;
const std::string kKey = "Software\\Corvalen\\Temura\\1.0";

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Strings namesIn(const fs::path& folder) {
    Strings names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

SystemTime at(int second) {
    SystemTime t;
    t.year = 2024;
    t.month = 3;
    t.day = 5;
    t.hour = 6;
    t.minute = 7;
    t.second = second;
    return t;
}

// The real file system, counting atomic writes and failing them on demand (a full disk).
class CountingFiles : public PosixFiles {
  public:
    CountingFiles() : PosixFiles("/nonexistent") {}
    bool writeAtomically(const std::string& path, const std::string& bytes) override {
        if (fail) return false;
        ++writes;
        return PosixFiles::writeAtomically(path, bytes);
    }
    int writes = 0;
    bool fail = false;
};

TEST(FileRegistry, KeepsEverythingInTheFileAcrossRestarts) {
    const fs::path dir = test::makeTempDir("reg");
    const std::string path = (dir / "config/temura/registry.reg").string();  // folders missing
    CountingFiles files;
    {
        FileRegistry reg(path, files, [] { return at(0); });
        EXPECT_FALSE(fs::exists(path));  // reading makes no file
        ASSERT_TRUE(reg.writeString(kCU, kKey, "ExePath", "/usr/bin/temura"));
        ASSERT_TRUE(reg.writeDWord(kCU, kKey, "X", -3));
        ASSERT_TRUE(reg.writeBinary(kCU, kKey, "TZDSTStart", {0, 0, 0, 0, 0x98, 0x1D, 0xE6, 0x40}));
        ASSERT_TRUE(reg.writeString(kCU, "Software\\Zażółć", "Gęślą \"jaźń\"", "Łódź\r\nnext"));
        ASSERT_TRUE(reg.createKey(RegRoot::ClassesRoot, ".Temura"));
        EXPECT_EQ(files.writes, 5);
        EXPECT_EQ(get(path), reg.tree().serialize());
        EXPECT_TRUE(isValidUtf8(get(path)));
    }
    FileRegistry again(path, files, [] { return at(0); });
    EXPECT_EQ(again.readString(kCU, kKey, "exepath"), "/usr/bin/temura");
    EXPECT_EQ(again.readDWord(kCU, kKey, "X"), -3);
    EXPECT_EQ(again.readBinary(kCU, kKey, "TZDSTStart"),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0x98, 0x1D, 0xE6, 0x40}));
    EXPECT_EQ(again.readString(kCU, "SOFTWARE\\Zażółć", "Gęślą \"jaźń\""), "Łódź\r\nnext");
    EXPECT_EQ(again.subKeys(kCU, "Software"), (Strings{"Corvalen", "Zażółć"}));
    EXPECT_TRUE(again.keyExists(RegRoot::ClassesRoot, ".temura"));
    EXPECT_TRUE(again.setAsidePath().empty());

    ASSERT_TRUE(again.deleteKey(kCU, kKey));
    EXPECT_FALSE(FileRegistry(path, files, [] { return at(0); }).keyExists(kCU, kKey));
    EXPECT_EQ(namesIn(fs::path(path).parent_path()), Strings{"registry.reg"});
}

TEST(FileRegistry, FileThatDoesNotParseIsSetAsideUntouched) {
    const std::string junk[] = {
        "",
        std::string("\0\x01\xFF\xFE\x80", 5),
        "[HKEY_CURRENT_USER\\Software]\r\n\"X\"=dword:1\r\n",  // no first line
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\"X\"=dword:1\r\ngarbage\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software]\r\n\"X\"=\"" + std::string(1 << 20, 'v'),
    };
    for (const auto& bytes : junk) {
        SCOPED_TRACE(bytes.substr(0, 60));
        const fs::path dir = test::makeTempDir("bad");
        const std::string path = (dir / "registry.reg").string();
        put(path, bytes);
        put(path + ".bad-20240305-060708", "an earlier one");
        CountingFiles files;

        FileRegistry reg(path, files, [] { return at(8); });
        const std::string aside = path + ".bad-20240305-060708-2";
        EXPECT_EQ(reg.setAsidePath(), aside);
        EXPECT_EQ(get(aside), bytes);
        EXPECT_EQ(get(path + ".bad-20240305-060708"), "an earlier one");
        EXPECT_FALSE(fs::exists(path));
        EXPECT_TRUE(reg.subKeys(kCU, "").empty());  // starts from nothing
        EXPECT_FALSE(reg.keyExists(kCU, "Software"));

        ASSERT_TRUE(reg.writeDWord(kCU, kKey, "X", 1));
        EXPECT_EQ(get(aside), bytes);
        EXPECT_TRUE(RegTree::parse(get(path)));
        EXPECT_EQ(files.writes, 1);
    }
}

TEST(FileRegistry, FileThatCannotBeSetAsideIsNeverWrittenOver) {
    // The in-memory files cannot be renamed on disk, as a read-only folder would refuse it.
    test::FakeFiles files;
    const std::string path = "/home/ann/.config/temura/registry.reg";
    files.makeFolders("/home/ann/.config/temura");
    files.files[path] = "not a registry file";
    FileRegistry reg(path, files, [] { return at(0); });
    EXPECT_TRUE(reg.setAsidePath().empty());
    EXPECT_FALSE(reg.writeDWord(kCU, kKey, "X", 5));
    EXPECT_EQ(reg.readDWord(kCU, kKey, "X"), 5);  // the session goes on in memory
    reg.beginBatch();
    EXPECT_TRUE(reg.writeDWord(kCU, kKey, "Y", 6));
    EXPECT_FALSE(reg.commitBatch());
    EXPECT_EQ(files.files[path], "not a registry file");
    EXPECT_EQ(files.writeCount, 0);
}

TEST(FileRegistry, SavesOnlyRealChangesAndBatchesOnce) {
    const fs::path dir = test::makeTempDir("batch");
    const std::string path = (dir / "registry.reg").string();
    CountingFiles files;
    FileRegistry reg(path, files, [] { return at(0); });

    ASSERT_TRUE(reg.writeDWord(kCU, kKey, "X", 1));
    ASSERT_EQ(files.writes, 1);
    // Nothing that leaves the tree as it was reaches the disk.
    EXPECT_TRUE(reg.writeDWord(kCU, kKey, "x", 1));
    EXPECT_TRUE(reg.createKey(kCU, "software\\CORVALEN"));
    EXPECT_TRUE(reg.deleteKey(kCU, "Software\\Missing"));
    EXPECT_TRUE(reg.commitBatch());
    EXPECT_EQ(files.writes, 1);
    EXPECT_FALSE(reg.createKey(kCU, "Bad\\\\Name"));
    EXPECT_FALSE(reg.writeString(kCU, kKey, "Bad", "\xFF"));
    EXPECT_EQ(files.writes, 1);

    {
        RegistryBatch outer(reg);
        for (int i = 0; i < 40; ++i)
            ASSERT_TRUE(reg.writeDWord(kCU, kKey, "V" + std::to_string(i), i));
        {
            RegistryBatch inner(reg);
            ASSERT_TRUE(reg.writeString(kCU, kKey, "Lang", "pl"));
        }
        ASSERT_TRUE(reg.deleteKey(kCU, "Software\\Corvalen\\Temura"));
        ASSERT_TRUE(reg.writeDWord(kCU, kKey, "X", 2));
        EXPECT_EQ(files.writes, 1);
    }
    EXPECT_EQ(files.writes, 2);
    EXPECT_EQ(get(path), reg.tree().serialize());
    EXPECT_EQ(reg.tree().valueNames(kCU, kKey), Strings{"X"});

    reg.beginBatch();
    EXPECT_TRUE(reg.commitBatch());  // an empty batch saves nothing
    EXPECT_EQ(files.writes, 2);
}

TEST(FileRegistry, FailedSaveLeavesTheOldFileWholeAndIsRetried) {
    const fs::path dir = test::makeTempDir("fail");
    const std::string path = (dir / "registry.reg").string();
    CountingFiles files;
    FileRegistry reg(path, files, [] { return at(0); });
    ASSERT_TRUE(reg.writeDWord(kCU, kKey, "X", 1));
    const std::string before = get(path);

    files.fail = true;
    EXPECT_FALSE(reg.writeDWord(kCU, kKey, "X", 2));
    EXPECT_EQ(reg.readDWord(kCU, kKey, "X"), 2);
    reg.beginBatch();
    EXPECT_TRUE(reg.writeDWord(kCU, kKey, "Y", 3));
    EXPECT_FALSE(reg.commitBatch());
    EXPECT_EQ(get(path), before);
    EXPECT_EQ(namesIn(dir), Strings{"registry.reg"});

    files.fail = false;
    EXPECT_TRUE(reg.commitBatch());  // what is still unsaved goes out now
    const auto saved = RegTree::parse(get(path));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved->value(kCU, kKey, "X"), RegData::dword(2));
    EXPECT_EQ(*saved->value(kCU, kKey, "Y"), RegData::dword(3));
}

TEST(FileRegistry, WhereTheFileLives) {
    struct Case {
        std::string xdg, home, expected;
    };
    const Case cases[] = {
        {"/x/conf", "/home/ann", "/x/conf/temura/registry.reg"},
        {"/x/conf/", "/home/ann", "/x/conf/temura/registry.reg"},
        {"relative/conf", "/home/ann", "/home/ann/.config/temura/registry.reg"},
        {"", "/home/ann/", "/home/ann/.config/temura/registry.reg"},
        {"", "/", "/.config/temura/registry.reg"},
        {"", "", "/tmp/temura/registry.reg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(defaultRegistryPath(c.xdg, c.home, "/tmp"), c.expected) << c.xdg << c.home;
    }

    // The factory follows the environment, which the test home points at a fresh folder.
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    PosixFiles files("/nonexistent");
    auto reg = makeRegistry(files);
    ASSERT_TRUE(reg->writeDWord(kCU, kKey, "X", 7));
    const auto saved = RegTree::parse(get(config + "/temura/registry.reg"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved->value(kCU, kKey, "X"), RegData::dword(7));
}

}  // namespace
}  // namespace temura
