#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/links.h"
#include "clock/clock_state.h"
#include "dialogs/form_about.h"
#include "mainwin/data_file_rules.h"
#include "mainwin/extra_args_rules.h"
#include "mainwin/form_full_screen.h"
#include "mainwin/form_main.h"
#include "mainwin/locale_names_qt.h"
#include "mainwin/screenshot.h"
#include "platform/platform_factory.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_tick_player.h"

namespace {

// Wayland clients cannot stay on top, place themselves or be translucent: use XWayland.
void preferXcbUnderWayland() {
    const bool platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const bool wayland = (session && std::string(session) == "wayland") ||
                         std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!platformChosen && wayland && std::getenv("DISPLAY") != nullptr) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const temura::ExtraArgs extras = temura::parseExtraArgs(args);
    if (extras.help) {
        std::fputs(temura::usageText().c_str(), stdout);
        return 0;
    }
    if (extras.version) {
        std::printf("Temura %s\n", temura::links::kVersion);
        return 0;
    }
    for (const std::string& unknown : extras.unknown) {
        std::fprintf(stderr, "temura: ignoring unknown option %s\n", unknown.c_str());
    }

    preferXcbUnderWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Temura"));
    QApplication::setQuitOnLastWindowClosed(false);

    auto clock = temura::makeSystemClock();
    temura::QtDesktop desktop;
    temura::QtTickPlayer ticks;
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    const std::string userFolder =
        (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/temura"))
            .toStdString();
    temura::ClockState state;
    state.English = true;  // until stored settings choose the language
    temura::TFormMain formMain(
        state, temura::MainServices{*clock, desktop, ticks, temura::localeNames(QLocale::system()),
                                    programFolder,
                                    temura::dataFolders(programFolder, userFolder)});
    temura::TFormFullScreen formFullScreen;
    formMain.setFullScreenWindow(&formFullScreen);
    temura::TFormAbout2 formAbout(state, desktop, ticks);
    formMain.setAboutBox(&formAbout);

    if (!extras.screenshot.empty()) {
        const QString path = QString::fromStdString(extras.screenshot);
        if (!temura::saveScreenshot(formMain, path)) {
            std::fprintf(stderr, "temura: cannot write %s\n", extras.screenshot.c_str());
            return 1;
        }
        std::printf("Saved %s\n", extras.screenshot.c_str());
        return 0;
    }

    formMain.show();
    return QApplication::exec();
}
