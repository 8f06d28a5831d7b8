#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_shell.h"
#include "settings/settings_record.h"
#include "support/test_home.h"
#include "win32/win32_test_support.h"

namespace temura {
namespace {

constexpr RegRoot kHKCR = RegRoot::ClassesRoot;
constexpr RegRoot kHKLM = RegRoot::LocalMachine;
const char* const kAssocKeys[] = {".Temura",
                                  "Temura",
                                  "Temura\\shell",
                                  "Temura\\shell\\open",
                                  "Temura\\shell\\open\\command",
                                  "Temura\\DefaultIcon"};

// What a saved shell link holds, read back through the shell's own object.
struct LinkContents {
    std::string path;
    std::string arguments;
    std::string workingFolder;
};

std::optional<LinkContents> readLink(const std::string& file) {
    std::optional<LinkContents> out;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(win32::widen(file).c_str(), STGM_READ))) {
        wchar_t path[MAX_PATH] = {};
        wchar_t args[MAX_PATH] = {};
        wchar_t dir[MAX_PATH] = {};
        // The target as the link's item list holds it, which the shell follows first. (Wine
        // keeps the link's other copy of the path, its LinkInfo, in the ANSI code page only.)
        LPITEMIDLIST items = nullptr;
        if (SUCCEEDED(link->GetIDList(&items)) && items != nullptr) {
            SHGetPathFromIDListW(items, path);
            CoTaskMemFree(items);
        }
        link->GetArguments(args, MAX_PATH);
        link->GetWorkingDirectory(dir, MAX_PATH);
        out = LinkContents{win32::narrow(path), win32::narrow(args), win32::narrow(dir)};
    }
    if (persist != nullptr) persist->Release();
    if (link != nullptr) link->Release();
    if (SUCCEEDED(init)) CoUninitialize();
    return out;
}

class Win32ShellTest : public ::testing::Test {
  protected:
    Win32ShellTest() {
        for (const char* key : {".Temura", "Temura"}) reg.deleteKey(kHKCR, key);
        reg.deleteKey(kHKLM, kAppPathsKey);
        // A program that exists, in a folder whose name no code page but UTF-16 can hold.
        files.makeFolders(programFolder);
        files.writeAtomically(program, "MZ");
    }
    ~Win32ShellTest() override {
        for (const char* key : {".Temura", "Temura"}) reg.deleteKey(kHKCR, key);
        reg.deleteKey(kHKLM, kAppPathsKey);
    }

    const std::string home = test::makeTempDir("shell");
    const std::string programFolder = home + "\\" + test::kNonAscii;
    const std::string program = programFolder + "\\temura.exe";
    Win32Files files{programFolder};
    Win32Registry reg;
};

TEST_F(Win32ShellTest, AssociationIsWrittenWithTheProgramPathAndAllRemovedByUnAssoc) {
    Win32Shell shell(files);
    EXPECT_TRUE(shell.SetAssoc(program));  // new
    EXPECT_EQ(reg.readString(kHKCR, ".Temura", ""), "Temura");
    EXPECT_EQ(reg.readString(kHKCR, "Temura", ""), "Temura");
    EXPECT_EQ(reg.readString(kHKCR, "Temura\\shell\\open\\command", ""),
              "\"" + program + "\" \"%1\"");
    EXPECT_EQ(reg.readString(kHKCR, "Temura\\DefaultIcon", ""), program + ",1");

    // Rewritten at the next start, following a moved program; Qt's "/" become "\".
    std::string moved = home + "/moved/temura.exe";
    EXPECT_FALSE(shell.SetAssoc(moved));
    EXPECT_EQ(reg.readString(kHKCR, "Temura\\shell\\open\\command", ""),
              "\"" + home + "\\moved\\temura.exe\" \"%1\"");

    reg.createKey(kHKCR, "Temura\\shell\\edit\\command");  // whatever else hangs below
    shell.UnAssoc();
    for (const char* key : kAssocKeys) EXPECT_FALSE(reg.keyExists(kHKCR, key)) << key;
    EXPECT_FALSE(reg.keyExists(kHKCR, "Temura\\shell\\edit"));
    shell.UnAssoc();                       // nothing there: no error
    EXPECT_TRUE(shell.SetAssoc(program));  // new again
}

TEST_F(Win32ShellTest, ProgramPathIsRegisteredAndRemoved) {
    Win32Shell shell(files);
    ASSERT_TRUE(shell.registerProgramPath(program));
    EXPECT_EQ(reg.readString(kHKLM, kAppPathsKey, ""), program);
    EXPECT_EQ(reg.readString(kHKLM, kAppPathsKey, "Path"), programFolder);
    shell.unregisterProgramPath();
    EXPECT_FALSE(reg.keyExists(kHKLM, kAppPathsKey));
    shell.unregisterProgramPath();
}

TEST_F(Win32ShellTest, ShortcutsAreSavedFoundAndDeletedInTheNamedFolders) {
    const test::ScratchKey folders("Shell Folders");
    const std::string desktop = home + "\\Desktop";
    const std::string startMenu = home + "\\Start Menu";  // missing: made on the first shortcut
    files.makeFolders(desktop);
    reg.writeString(RegRoot::CurrentUser, folders.path(), "Desktop", desktop);
    reg.writeString(RegRoot::CurrentUser, folders.path(), "Start Menu", startMenu);
    Win32Shell shell(files, folders.path());

    for (const std::string& location : {std::string("Desktop"), std::string("Start Menu")}) {
        SCOPED_TRACE(location);
        const std::string folder = location == "Desktop" ? desktop : startMenu;
        const std::string link = folder + "\\Temura.lnk";
        EXPECT_FALSE(shell.ShortcutExists(location));
        ASSERT_TRUE(shell.CreateShortcut("Temura", program, location));
        EXPECT_TRUE(test::isFile(link));
        EXPECT_TRUE(shell.ShortcutExists(location));
        const auto contents = readLink(link);
        ASSERT_TRUE(contents);
        EXPECT_EQ(contents->path, program);
        EXPECT_EQ(contents->arguments, "");
        EXPECT_EQ(contents->workingFolder, programFolder + "\\");
        // Saving again replaces the file.
        EXPECT_TRUE(shell.CreateShortcut("Temura", program, location));
        shell.DeleteShortcut(location);
        EXPECT_FALSE(test::isFile(link));
        EXPECT_FALSE(shell.ShortcutExists(location));
        shell.DeleteShortcut(location);
    }

    // Any file of that name counts as the shortcut.
    ASSERT_TRUE(files.writeAtomically(desktop + "\\Temura.lnk", "not a link"));
    EXPECT_TRUE(shell.ShortcutExists("Desktop"));
    shell.DeleteShortcut("Desktop");
    EXPECT_FALSE(test::isFile(desktop + "\\Temura.lnk"));
}

TEST_F(Win32ShellTest, LocationsTheKeyDoesNotNameHaveNoShortcut) {
    const test::ScratchKey folders("Shell Folders");
    reg.writeString(RegRoot::CurrentUser, folders.path(), "Desktop", "");
    Win32Shell shell(files, folders.path());
    for (const char* location : {"Desktop", "Start Menu", "Nowhere", ""}) {
        EXPECT_FALSE(shell.CreateShortcut("Temura", program, location)) << location;
        EXPECT_FALSE(shell.ShortcutExists(location)) << location;
        shell.DeleteShortcut(location);
    }
    Win32Shell noKey(files, folders / "missing");
    EXPECT_FALSE(noKey.ShortcutExists("Desktop"));
    EXPECT_FALSE(noKey.CreateShortcut("Temura", program, "Desktop"));
}

TEST_F(Win32ShellTest, TheUsersOwnShellFoldersWork) {
    Win32Shell shell(files);
    const std::string desktop = shell.shortcutFolder("Desktop");
    ASSERT_FALSE(desktop.empty()) << "Wine's prefix names a Desktop folder";
    EXPECT_FALSE(shell.shortcutFolder("Start Menu").empty());
    shell.DeleteShortcut("Desktop");
    ASSERT_TRUE(shell.CreateShortcut("Temura", program, "Desktop"));
    EXPECT_TRUE(test::isFile(desktop + "\\Temura.lnk"));
    EXPECT_TRUE(shell.ShortcutExists("Desktop"));
    shell.DeleteShortcut("Desktop");
    EXPECT_FALSE(shell.ShortcutExists("Desktop"));
}

TEST_F(Win32ShellTest, ClearRegAndExitRemovesEverythingTheProgramWrote) {
    const test::ScratchKey folders("Shell Folders");
    reg.writeString(RegRoot::CurrentUser, folders.path(), "Desktop", home + "\\Desktop");
    reg.writeString(RegRoot::CurrentUser, folders.path(), "Start Menu", home + "\\Menu");
    Win32Shell shell(files, folders.path());
    shell.SetAssoc(program);
    shell.registerProgramPath(program);
    shell.CreateShortcut("Temura", program, "Desktop");
    shell.CreateShortcut("Temura", program, "Start Menu");
    reg.deleteKey(RegRoot::CurrentUser, kSettingsKey);
    reg.writeString(RegRoot::CurrentUser, kSettingsKey, "ExePath", program);

    EXPECT_TRUE(ClearRegAndExit(reg, shell));
    EXPECT_FALSE(reg.keyExists(RegRoot::CurrentUser, kSettingsKey));
    EXPECT_TRUE(reg.keyExists(RegRoot::CurrentUser, "Software\\Corvalen\\Temura"));  // parents stay
    EXPECT_FALSE(reg.keyExists(kHKLM, kAppPathsKey));
    for (const char* key : kAssocKeys) EXPECT_FALSE(reg.keyExists(kHKCR, key)) << key;
    EXPECT_FALSE(shell.ShortcutExists("Desktop"));
    EXPECT_FALSE(shell.ShortcutExists("Start Menu"));
    reg.deleteKey(RegRoot::CurrentUser, "Software\\Corvalen");
}

}  // namespace
}  // namespace temura
