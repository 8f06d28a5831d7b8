// The local help page against the clock window: every key the window answers is documented, and
// an installed program's F1 opens the installed page.

#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "qtgui/form_main.h"
#include "support/fake_desktop.h"
#include "support/fake_system_clock.h"
#include "support/fake_tick_player.h"
#include "support/main_services.h"
#include "support/test_home.h"
#include "ui/data_file_rules.h"

namespace temura {
namespace {

namespace fs = std::filesystem;

using test::FakeDesktop;
using test::FakeSystemClock;
using test::FakeTickPlayer;

// tests/gui/ → src/resources/Help/help.html
fs::path sourceHelpPage() {
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "src" / "resources" /
           "Help" / "help.html";
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class HelpPageTest : public ::testing::Test {
  protected:
    FakeSystemClock clock;
    FakeDesktop desktop;
    FakeTickPlayer ticks;
    ClockState state;
    std::unique_ptr<TFormMain> form;

    void makeForm(std::vector<std::string> dataFolders) {
        clock.setWarsawWinter();
        clock.setLocal(2026, 12, 7, 12, 0, 0, 0);
        state.English = true;
        MainServices services = test::windowOnlyServices(clock, desktop, ticks);
        services.dataFolders = std::move(dataFolders);
        form = std::make_unique<TFormMain>(state, services);
    }
};

TEST_F(HelpPageTest, EveryShortcutOfTheClockIsDocumented) {
    const std::string help = readFile(sourceHelpPage());
    ASSERT_FALSE(help.empty()) << sourceHelpPage();
    makeForm({"/nonexistent"});
    int keys = 0;
    for (QAction* action : form->actions()) {
        for (const QKeySequence& key : action->shortcuts()) {
            const std::string text = key.toString(QKeySequence::PortableText).toStdString();
            EXPECT_NE(help.find("<kbd>" + text + "</kbd>"), std::string::npos)
                << text << " (" << action->text().toStdString() << ") is not in the help page";
            ++keys;
        }
    }
    EXPECT_GE(keys, 30);  // the window's actions were found at all
}

TEST_F(HelpPageTest, InstalledProgramOpensTheInstalledPage) {
    // <prefix>/bin/temura with its data in <prefix>/share/temura, as the package installs it.
    const fs::path prefix = test::makeTempDir("prefix");
    const fs::path page = prefix / "share" / "temura" / "Help" / "help.html";
    fs::create_directories(prefix / "bin");
    fs::create_directories(page.parent_path());
    std::ofstream(page) << "<html></html>";
    const fs::path user = test::makeTempDir("user");

    makeForm(dataFolders((prefix / "bin").string(), user.string()));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_F1);

    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], "file:" + page.lexically_normal().string());
}

}  // namespace
}  // namespace temura
