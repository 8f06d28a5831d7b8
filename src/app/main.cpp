#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/links.h"
#include "clock/clock_state.h"
#include "platform/platform_factory.h"
#include "platform/posix/pulse_tick_player.h"
#include "platform/qt/qt_desktop.h"
#include "qtgui/form_about.h"
#include "qtgui/form_full_screen.h"
#include "qtgui/form_main.h"
#include "qtgui/form_options.h"
#include "qtgui/form_save.h"
#include "qtgui/form_time_zones.h"
#include "qtgui/locale_names_qt.h"
#include "qtgui/prompts.h"
#include "qtgui/qt_translation.h"
#include "qtgui/screenshot.h"
#include "storage/user_folder.h"
#include "ui/data_file_rules.h"
#include "ui/extra_args_rules.h"
#include "zones/zone_catalogue.h"

namespace {

// Wayland clients cannot stay on top, place themselves or be translucent: use XWayland.
void preferXcbUnderWayland() {
    const bool platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const bool wayland =
        (session && std::string(session) == "wayland") || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!platformChosen && wayland && std::getenv("DISPLAY") != nullptr) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
    }
}

// With shared-memory images every repaint of the tiny clock costs the X server a round trip
// that wakes the program again; plain PutImage of a few kilobytes costs nothing comparable.
void preferPlainXImages() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", QByteArrayLiteral("1"));
    }
}

// The built-in click, carried in the program's resources.
std::string builtInTick() {
    QFile file(QStringLiteral(":/sound/tick.wav"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
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
    preferPlainXImages();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Temura"));
    QApplication::setQuitOnLastWindowClosed(false);
    temura::QtTranslation qtTexts;  // outlives every window

    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    auto clock = temura::makeSystemClock();
    auto files = temura::makeFiles(programFolder);
    auto registry = temura::makeRegistry(*files);
    auto shell = temura::makeShell(*files);
    temura::QtDesktop desktop;
    temura::PulseTickPlayer ticks(builtInTick());
    const std::string userFolder = temura::userFolder(*files, env("XDG_DATA_HOME"), env("HOME"));

    temura::ClockState state;
    state.English = true;  // the stored settings choose the language
    // The zone catalogue lives in the user folder; the system file is built once.
    const int year = clock->localTime().year;
    temura::SetInis(state, *files, userFolder);
    temura::buildCatalogueIfMissing(*files, *temura::makeZoneTable(year), state, year);

    temura::MainServices services{
        *clock,         desktop,
        ticks,          temura::localeNames(QLocale::system()),
        programFolder,  temura::dataFolders(programFolder, userFolder),
        registry.get(), shell.get(),
        files.get(),    QCoreApplication::applicationFilePath().toStdString(),
        userFolder,     extras.clockArgs};
    temura::TFormMain formMain(state, services);
    // Qt's own buttons and dialogs speak the language the settings chose, and follow every
    // switch: from the menus and options (languageChanged) or from a loaded settings file.
    const auto followLanguage = [&qtTexts, &state] { qtTexts.setEnglish(state.English); };
    followLanguage();
    QObject::connect(&formMain, &temura::TFormMain::languageChanged, &formMain, followLanguage);
    QObject::connect(&formMain, &temura::TFormMain::settingsChanged, &formMain, followLanguage);
    temura::TFormFullScreen formFullScreen;
    formMain.setFullScreenWindow(&formFullScreen);
    temura::QtPrompts prompts;
    std::unique_ptr<temura::TFormTimeZones> formTimeZones;
    std::unique_ptr<temura::TFormSave> formSave;
    std::unique_ptr<temura::TFormOptions> formOptions;
    formMain.setWindowMaker([&] {
        formTimeZones = std::make_unique<temura::TFormTimeZones>(
            state, *clock, *files, &temura::makeZoneTable, prompts, services.names);
        formTimeZones->TimerTZTimer();  // its list at once: it is made to be shown
        formMain.setTimeZonesWindow(formTimeZones.get());
        formSave = std::make_unique<temura::TFormSave>(formMain, *files, prompts, userFolder);
        formOptions = std::make_unique<temura::TFormOptions>(
            formMain, *formSave, shell.get(), prompts, userFolder, services.programPath);
        formMain.setOptionsWindows(formOptions.get(), formSave.get());
    });
    temura::TFormAbout2 formAbout(state, desktop, ticks);
    formMain.setAboutBox(&formAbout);
    formMain.loadStartupFile();

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
    if (extras.closeAfterMs >= 0) {
        QTimer::singleShot(extras.closeAfterMs, &formMain, &QWidget::close);
    }
    const int result = QApplication::exec();
    // Zones edited in a window left open until the end are kept too.
    if (formTimeZones) formTimeZones->saveIfModified();
    return result;
}
