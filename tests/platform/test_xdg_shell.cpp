#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <filesystem>
#include <fstream>

#include "platform/posix/posix_files.h"
#include "platform/posix/xdg_shell.h"
#include "storage/desktop_entry.h"
#include "support/test_home.h"

namespace temura {
namespace {

namespace fs = std::filesystem;

std::string readText(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string execOf(const std::string& entry) {
    const auto at = entry.find("\nExec=");
    if (at == std::string::npos) return {};
    const auto end = entry.find('\n', at + 1);
    return entry.substr(at + 6, end - at - 6);
}

class XdgShellTest : public ::testing::Test {
protected:
    std::string root = test::makeTempDir("shell");
    PosixFiles files{root};
    std::string dataHome = root + "/data";
    std::string desktop = root + "/Desktop";
    XdgShell shell{files, dataHome, desktop};
};

TEST_F(XdgShellTest, AssociationWritesPackageAndHandlerThenGoes) {
    EXPECT_TRUE(shell.SetAssoc("/usr/bin/temura"));
    EXPECT_FALSE(shell.SetAssoc("/usr/bin/temura"));  // not new the second time
    const std::string mime = readText(shell.mimePackagePath());
    EXPECT_NE(mime.find("application/x-temura"), std::string::npos);
    const std::string handler = readText(shell.handlerEntryPath());
    EXPECT_EQ(desktopExecProgram(execOf(handler)), "/usr/bin/temura");
    EXPECT_NE(handler.find("NoDisplay=true"), std::string::npos);

    EXPECT_FALSE(shell.SetAssoc("/opt/moved/temura"));  // follows a moved program
    EXPECT_EQ(desktopExecProgram(execOf(readText(shell.handlerEntryPath()))),
              "/opt/moved/temura");

    shell.UnAssoc();
    EXPECT_FALSE(fs::exists(shell.mimePackagePath()));
    EXPECT_FALSE(fs::exists(shell.handlerEntryPath()));
}

TEST_F(XdgShellTest, ShortcutsInBothPlaces) {
    for (const std::string location : {"Desktop", "Start Menu"}) {
        SCOPED_TRACE(location);
        EXPECT_FALSE(shell.ShortcutExists(location));
        EXPECT_TRUE(shell.CreateShortcut("Temura", "/opt/t/temura", location));
        EXPECT_TRUE(shell.ShortcutExists(location));
        const std::string path = shell.shortcutFolder(location) + "/Temura.desktop";
        EXPECT_TRUE(fs::status(path).permissions() != fs::perms::none);
        EXPECT_NE(fs::status(path).permissions() & fs::perms::owner_exec, fs::perms::none);
        shell.DeleteShortcut(location);
        EXPECT_FALSE(shell.ShortcutExists(location));
    }
    EXPECT_EQ(shell.shortcutFolder("Start Menu"), dataHome + "/applications");
    EXPECT_FALSE(shell.CreateShortcut("Temura", "/opt/t/temura", "Nowhere"));
}

TEST_F(XdgShellTest, AnyFileOfThatNameCountsAsTheShortcut) {
    fs::create_directories(desktop);
    std::ofstream(desktop + "/Temura.desktop") << "not even a desktop entry";
    EXPECT_TRUE(shell.ShortcutExists("Desktop"));
    shell.DeleteShortcut("Desktop");
    EXPECT_FALSE(fs::exists(desktop + "/Temura.desktop"));
}

TEST_F(XdgShellTest, AwkwardProgramPathsGiveValidEntries) {
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed";
    const std::string program = root + "/a dir \"with\" 100% $HOME and \\ back/temura";
    ASSERT_TRUE(shell.SetAssoc(program));
    ASSERT_TRUE(shell.CreateShortcut("Temura", program, "Start Menu"));
    for (const std::string& path :
         {shell.handlerEntryPath(), shell.shortcutFolder("Start Menu") + "/Temura.desktop"}) {
        SCOPED_TRACE(path);
        QProcess p;
        p.start(validator, {QString::fromStdString(path)});
        ASSERT_TRUE(p.waitForFinished(10'000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString()
                                   << p.readAllStandardError().toStdString();
        EXPECT_EQ(desktopExecProgram(execOf(readText(path))), program);
    }
}

}  // namespace
}  // namespace temura
