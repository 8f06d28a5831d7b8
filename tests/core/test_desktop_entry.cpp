#include <gtest/gtest.h>

#include "storage/desktop_entry.h"

namespace temura {
namespace {

TEST(DesktopExec, QuotesAndEscapesEveryAwkwardCharacter) {
    const struct {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/usr/bin/temura", "\"/usr/bin/temura\" %f"},
        {"/opt/my clock/temura", "\"/opt/my clock/temura\" %f"},
        {"/opt/a\"b/temura", "\"/opt/a\\\\\"b/temura\" %f"},
        {"/opt/100%/temura", "\"/opt/100%%/temura\" %f"},
        {"/opt/$HOME/temura", "\"/opt/\\\\$HOME/temura\" %f"},
        {"/opt/back\\slash/temura", "\"/opt/back\\\\\\\\slash/temura\" %f"},
        {"/opt/`cmd`/temura", "\"/opt/\\\\`cmd\\\\`/temura\" %f"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(desktopExecValue(c.path, "%f"), c.exec) << c.path;
        EXPECT_EQ(desktopExecProgram(c.exec), std::optional<std::string>(c.path)) << c.path;
    }
}

TEST(DesktopExec, RoundTripsAnyPath) {
    const std::string nasty = "/tmp/a b\"c%d$e\\f`g'h;i&j|k*l?m[n]o{p}q~r#s\tt\nu/zażółć/temura";
    EXPECT_EQ(desktopExecProgram(desktopExecValue(nasty, "%f")), nasty);
    EXPECT_EQ(desktopExecProgram(desktopExecValue(nasty, "")), nasty);
    EXPECT_EQ(desktopExecProgram("/usr/bin/temura %f"), std::nullopt);
    EXPECT_EQ(desktopExecProgram("\"unterminated"), std::nullopt);
}

TEST(DesktopEntries, HandlerIsHiddenAndNamesTheMimeType) {
    const std::string entry = settingsFileHandlerEntry("/usr/bin/temura");
    EXPECT_NE(entry.find("NoDisplay=true\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-temura;\n"), std::string::npos);
    EXPECT_NE(entry.find("Exec=\"/usr/bin/temura\" %f\n"), std::string::npos);
    EXPECT_NE(settingsMimePackage().find("<glob pattern=\"*.temura\"/>"), std::string::npos);
    EXPECT_NE(launcherEntry("/opt/t/temura", "/opt/t").find("Path=/opt/t\n"), std::string::npos);
}

}  // namespace
}  // namespace temura
