#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/win32/win32_files.h"
#include "storage/user_folder.h"
#include "support/test_home.h"
#include "win32/win32_test_support.h"

namespace temura {
namespace {

namespace fs = std::filesystem;

fs::path pathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(pathOf(folder))) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

TEST(Win32Files, WriteAtomicallyCreatesAndReplacesLeavingNoTempFile) {
    const std::string dir = test::makeTempDir("write");
    Win32Files files(dir);
    const std::string binary("a\0b\r\n\xFF\x1A", 7);
    for (const std::string& path : {dir + "\\TimeZones.dat", dir + "/TimeZones.dat"}) {
        for (const std::string& bytes : {std::string("first"), binary, std::string()}) {
            ASSERT_TRUE(files.writeAtomically(path, bytes));
            EXPECT_EQ(files.readBytes(path), bytes);
        }
    }
    const std::string big(3 * 65536 + 17, 'z');
    ASSERT_TRUE(files.writeAtomically(dir + "\\TimeZones.dat", big));
    EXPECT_EQ(files.readBytes(dir + "\\TimeZones.dat"), big);
    EXPECT_EQ(namesIn(dir), (Names{"TimeZones.dat"}));
}

TEST(Win32Files, FailedWriteLeavesTheOldFileWholeAndNoTempFile) {
    const std::string dir = test::makeTempDir("fail");
    Win32Files files(dir);
    ASSERT_TRUE(files.writeAtomically(dir + "\\keep.dat", "old contents"));
    ASSERT_TRUE(files.makeFolders(dir + "\\a folder"));
    ASSERT_TRUE(
        SetFileAttributesW(win32::widen(dir + "\\keep.dat").c_str(), FILE_ATTRIBUTE_READONLY));

    const std::string targets[] = {
        dir + "\\keep.dat",          // read-only: Windows will not replace it
        dir + "\\a folder",          // a folder is not a file
        dir + "\\missing\\new.dat",  // no such folder
        dir + "\\",                  // no file name
    };
    for (const std::string& target : targets) {
        EXPECT_FALSE(files.writeAtomically(target, "new")) << target;
    }
    EXPECT_EQ(files.readBytes(dir + "\\keep.dat"), "old contents");
    EXPECT_EQ(namesIn(dir), (Names{"a folder", "keep.dat"}));

    // Made writable again, it takes the write.
    ASSERT_TRUE(files.clearReadOnly(dir + "\\keep.dat"));
    EXPECT_TRUE(files.writeAtomically(dir + "\\keep.dat", "new"));
}

TEST(Win32Files, ClearReadOnlyLeavesOnlyTheArchiveAttribute) {
    const std::string dir = test::makeTempDir("attributes");
    Win32Files files(dir);
    const std::string path = dir + "\\UserTimeZones.dat";
    ASSERT_TRUE(files.writeAtomically(path, "x"));
    ASSERT_TRUE(SetFileAttributesW(win32::widen(path).c_str(), FILE_ATTRIBUTE_READONLY |
                                                                   FILE_ATTRIBUTE_HIDDEN |
                                                                   FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(files.clearReadOnly(path));
    EXPECT_EQ(test::attributesOf(path), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_FALSE(files.clearReadOnly(dir + "\\missing.dat"));
}

TEST(Win32Files, FoldersAndTheRestOfTheService) {
    const std::string dir = test::makeTempDir("misc");
    Win32Files files(dir + "\\");
    EXPECT_EQ(files.programFolder(), dir);  // without its trailing separator
    EXPECT_FALSE(files.readBytes(dir + "\\missing"));
    EXPECT_FALSE(files.readBytes(dir));  // a folder has no bytes

    EXPECT_TRUE(files.makeFolders(dir + "\\a\\b/c"));
    EXPECT_TRUE(files.exists(dir + "\\a\\b\\c"));
    ASSERT_TRUE(files.writeAtomically(dir + "\\file", "x"));
    EXPECT_FALSE(files.makeFolders(dir + "\\file\\sub"));  // a file is in the way

    // Writable is tried for real, and the probe goes again.
    EXPECT_TRUE(files.folderWritable(dir));
    EXPECT_FALSE(files.folderWritable(dir + "\\missing"));
    EXPECT_FALSE(files.folderWritable(dir + "\\file"));
    EXPECT_EQ(namesIn(dir), (Names{"a", "file"}));

    EXPECT_TRUE(files.remove(dir + "\\file"));
    EXPECT_FALSE(files.exists(dir + "\\file"));
    EXPECT_FALSE(files.remove(dir + "\\file"));

    const std::string temp = files.tempFolder();
    wchar_t expected[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, expected);
    EXPECT_EQ(temp + "\\", win32::narrow(std::wstring(expected, length)));
    EXPECT_FALSE(onCdRomDrive(temp));
}

TEST(Win32Files, NonAsciiNamesSurvive) {
    const std::string dir = test::makeTempDir("names") + "\\" + test::kNonAscii;
    Win32Files files(dir);
    ASSERT_TRUE(files.makeFolders(dir));
    EXPECT_TRUE(files.folderWritable(dir));
    const std::string path = dir + "\\" + test::kNonAscii + ".temura";
    ASSERT_TRUE(files.writeAtomically(path, test::kNonAscii));
    EXPECT_TRUE(files.exists(path));
    EXPECT_EQ(files.readBytes(path), test::kNonAscii);
    EXPECT_EQ(namesIn(dir), (Names{std::string(test::kNonAscii) + ".temura"}));
    EXPECT_TRUE(files.remove(path));
}

TEST(Win32Files, AProgramOnACdRomKeepsItsFilesInTheTemporaryFolder) {
    // The test prefix maps T: to a folder on disk and tells Wine it is a CD-ROM drive, so a probe
    // file could be made there: the drive type alone has to say no.
    if (GetDriveTypeW(L"T:\\") != DRIVE_CDROM) {
        GTEST_SKIP()
            << "no CD-ROM drive T: in this Wine prefix (cmake/wine-prefix.cmake makes one)";
    }
    Win32Files files("T:\\Temura");
    EXPECT_TRUE(files.exists("T:\\Temura"));
    EXPECT_TRUE(onCdRomDrive("T:\\Temura"));
    EXPECT_TRUE(onCdRomDrive("T:/Temura/TimeZones.dat"));
    EXPECT_FALSE(files.folderWritable("T:\\Temura"));
    EXPECT_EQ(userFolder(files, "", ""), files.tempFolder() + "\\temura");
}

}  // namespace
}  // namespace temura
