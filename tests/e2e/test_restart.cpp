#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include "storage/reg_text.h"
#include "support/test_home.h"

namespace temura {
namespace {

constexpr const char* kKey = "Software\\Corvalen\\Temura\\1.0";

// The program in its own home, with the given arguments; it closes itself like a user would.
class Program {
  public:
    explicit Program(QString home, QString platform = QStringLiteral("offscreen"))
        : m_home(std::move(home)), m_platform(std::move(platform)) {}

    int run(QStringList args) {
        QProcess p;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("HOME", m_home);
        e.insert("XDG_CONFIG_HOME", m_home + "/.config");
        e.insert("XDG_DATA_HOME", m_home + "/.local/share");
        e.insert("XDG_RUNTIME_DIR", m_home + "/runtime");
        e.insert("QT_QPA_PLATFORM", m_platform);
        p.setProcessEnvironment(e);
        p.setWorkingDirectory(m_home);
        p.start(QStringLiteral(TEMURA_BINARY), args);
        if (!p.waitForFinished(20'000)) {
            p.kill();
            return -1;
        }
        return p.exitCode();
    }
    QString registryPath() const { return m_home + "/.config/temura/registry.reg"; }
    std::optional<RegTree> registry() const {
        QFile f(registryPath());
        if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
        return RegTree::parse(f.readAll().toStdString());
    }
    std::int32_t dword(const char* name) const {
        const auto tree = registry();
        if (!tree) return -99999;
        const RegData* v = tree->value(RegRoot::CurrentUser, kKey, name);
        return v && v->type == RegType::DWord ? v->number : -99999;
    }
    std::string text(const char* name) const {
        const auto tree = registry();
        if (!tree) return "<none>";
        const RegData* v = tree->value(RegRoot::CurrentUser, kKey, name);
        return v && v->type == RegType::String ? v->text : "<none>";
    }

  private:
    QString m_home;
    QString m_platform;
};

QString freshHome(const char* name) {
    const QString home = QString::fromStdString(test::makeTempDir(name));
    QDir(home).mkpath("runtime");
    QFile::setPermissions(home + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return home;
}

TEST(Restart, LookAndModeSurviveAClose) {
    const QString home = freshHome("restart");
    Program temura(home);
    QFile look(home + "/look.temura");
    ASSERT_TRUE(look.open(QIODevice::WriteOnly));
    look.write(
        "[SETTINGS]\r\nTimerFontSize=30\r\nTimerFontColor=255\r\nBgColor=8421504\r\n"
        "DateVisible=0\r\nTimeFormat=2\r\n");
    look.close();

    ASSERT_EQ(temura.run({"u", "x=100", "y=50", "f=" + home + "/look.temura", "--close-after=300"}),
              0);
    EXPECT_EQ(temura.dword("Mode"), 3);
    EXPECT_EQ(temura.dword("X"), 100);
    EXPECT_EQ(temura.dword("TimerFontSize"), 30);
    EXPECT_EQ(temura.dword("TimerFontColor"), 255);
    EXPECT_EQ(temura.dword("TimerBgColor"), 8421504);
    EXPECT_EQ(temura.dword("DateVisible"), 0);
    EXPECT_EQ(temura.dword("TimeFormat"), 2);

    // Started again with no arguments: the same look and mode, saved back unchanged.
    ASSERT_EQ(temura.run({"--close-after=300"}), 0);
    EXPECT_EQ(temura.dword("Mode"), 3);
    EXPECT_EQ(temura.dword("X"), 100);
    EXPECT_EQ(temura.dword("Y"), 50);
    EXPECT_EQ(temura.dword("TimerFontSize"), 30);
    EXPECT_EQ(temura.dword("TimerFontColor"), 255);
    EXPECT_EQ(temura.dword("DateVisible"), 0);
    EXPECT_EQ(temura.dword("TimeFormat"), 2);
    EXPECT_EQ(temura.text("TimerFontName"), "MS Sans Serif");
}

TEST(Restart, WorldLinesOfAHandWrittenFileSurviveAClose) {
    const QString home = freshHome("world");
    Program temura(home);
    const std::string lines[] = {
        "300;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/New_York",
        "-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Tokyo",
        "-600;0;-60;05-04-2026;03:00;04-10-2026;02:00;Mum",
    };
    QFile file(home + "/world.temura");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[SETTINGS]\r\n");
    for (int i = 0; i < 3; ++i)
        file.write(QString("World%1=").arg(i + 1).toUtf8() + QByteArray::fromStdString(lines[i]) +
                   "\r\n");
    file.close();

    ASSERT_EQ(temura.run({"f=" + home + "/world.temura", "--close-after=300"}), 0);
    // Started again with no arguments: the lines come from the registry and go back to it.
    ASSERT_EQ(temura.run({"--close-after=300"}), 0);
    EXPECT_EQ(temura.text("World1"), lines[0]);
    EXPECT_EQ(temura.text("World2"), lines[1]);
    EXPECT_EQ(temura.text("World3"), lines[2]);
    EXPECT_EQ(temura.text("World4"), "<none>");
    EXPECT_EQ(temura.dword("WorldVisible"), 1);
}

TEST(Restart, CentringUsesThePrimaryMonitorOfTwo) {
    const QString home = freshHome("centre");
    // The primary monitor (the first) at 1280x800, a larger one to its right.
    QFile screens(home + "/screens.json");
    ASSERT_TRUE(screens.open(QIODevice::WriteOnly));
    screens.write(R"({"screens": [
        {"name": "primary", "x": 0, "y": 0, "width": 1280, "height": 800},
        {"name": "second", "x": 1280, "y": 0, "width": 1920, "height": 1080}]})");
    screens.close();
    Program temura(home, "offscreen:configfile=" + home + "/screens.json");
    ASSERT_EQ(temura.run({"c", "--close-after=300"}), 0);
    const int x = temura.dword("X");
    const int y = temura.dword("Y");
    EXPECT_TRUE(x > 400 && x < 640) << x;  // the clock is narrower than 480 px
    EXPECT_TRUE(y > 250 && y < 400) << y;
}

TEST(Restart, GarbageRegistryIsKeptAsideAndDefaultsApply) {
    const QString home = freshHome("garbage");
    Program temura(home);
    QDir(home).mkpath(".config/temura");
    QFile bad(temura.registryPath());
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    const QByteArray garbage("\x01\x02not a registry\xff\xfe\r\n[[[");
    bad.write(garbage);
    bad.close();

    ASSERT_EQ(temura.run({"--close-after=300"}), 0);
    const QStringList aside = QDir(home + "/.config/temura").entryList({"registry.reg.bad-*"});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(home + "/.config/temura/" + aside.first());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), garbage);
    EXPECT_EQ(temura.dword("Mode"), 0);
    EXPECT_EQ(temura.dword("TimerFontSize"), 14);
    EXPECT_EQ(temura.text("Lang"), "en");
}

TEST(Restart, FirstRunMakesTheDesktopShortcutAndAssociation) {
    const QString home = freshHome("firstrun");
    Program temura(home);
    ASSERT_EQ(temura.run({"--close-after=200"}), 0);
    EXPECT_TRUE(QFile::exists(home + "/Desktop/Temura.desktop"));
    EXPECT_TRUE(QFile::exists(home + "/.local/share/mime/packages/temura.xml"));
    EXPECT_TRUE(QFile::exists(home + "/.local/share/applications/temura-open.desktop"));
}

}  // namespace
}  // namespace temura
