// temura.exe: the clock as a native Windows program.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/links.h"
#include "clock/clock_state.h"
#include "platform/platform_factory.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_tick_player.h"
#include "storage/user_folder.h"
#include "ui/data_file_rules.h"
#include "ui/extra_args_rules.h"
#include "wingui/dialog_window.h"
#include "wingui/form_about.h"
#include "wingui/form_main.h"
#include "wingui/form_options.h"
#include "wingui/form_save.h"
#include "wingui/form_time_zones.h"
#include "wingui/locale_names_win.h"
#include "wingui/screenshot.h"
#include "wingui/win_prompts.h"
#include "zones/zone_catalogue.h"

namespace {

std::vector<std::string> arguments() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 1; argv && i < argc; ++i) args.push_back(temura::win32::narrow(argv[i]));
    if (argv) LocalFree(argv);
    return args;
}

std::string programPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return temura::win32::narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string environment(const wchar_t* name) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD n = GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(std::size(buffer)));
    return n > 0 && n < std::size(buffer) ? temura::win32::narrow(std::wstring(buffer, n))
                                          : std::string();
}

// A program of the GUI subsystem has no console of its own: the text goes to the output it was
// given, or to the console of the command prompt it was started from, or into a message box.
void say(const std::string& text, bool error) {
    HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    }
    DWORD written = 0;
    if (out != nullptr && out != INVALID_HANDLE_VALUE &&
        WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        return;
    }
    MessageBoxW(nullptr, temura::win32::widen(text).c_str(), L"Temura",
                error ? MB_ICONWARNING : MB_ICONINFORMATION);
}

int runMessageLoop(temura::wingui::TFormMain& form) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (temura::wingui::DialogWindow::preTranslate(msg)) continue;
        if (form.translateAccelerator(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const temura::ExtraArgs extras = temura::parseExtraArgs(arguments());
    if (extras.help) {
        say(temura::usageText(), false);
        return 0;
    }
    if (extras.version) {
        say(std::string("Temura ") + temura::links::kVersion + "\n", false);
        return 0;
    }
    for (const std::string& unknown : extras.unknown) {
        say("temura: ignoring unknown option " + unknown + "\n", true);
    }

    const std::string exePath = programPath();
    const std::string programFolder = folderOf(exePath);
    auto clock = temura::makeSystemClock();
    auto files = temura::makeFiles(programFolder);
    auto registry = temura::makeRegistry(*files);
    auto shell = temura::makeShell(*files);
    temura::Win32Desktop desktop;
    temura::Win32TickPlayer ticks;
    const std::string userFolder = temura::windowsUserFolder(
        *files, temura::onCdRomDrive(programFolder), environment(L"LOCALAPPDATA"));

    temura::ClockState state;
    state.English = true;  // the stored settings choose the language
    const int year = clock->localTime().year;
    temura::SetInis(state, *files, userFolder);
    temura::buildCatalogueIfMissing(*files, *temura::makeZoneTable(year), state, year);

    temura::wingui::MainServices services{
        *clock,         desktop,
        ticks,          temura::wingui::userLocaleNames(),
        programFolder,  temura::dataFolders(programFolder, userFolder),
        registry.get(), shell.get(),
        files.get(),    exePath,
        userFolder,     extras.clockArgs};
    temura::wingui::TFormMain form(state, services);
    // The clock's windows, made once in this order and kept until the end; hidden when closed.
    temura::wingui::SystemPrompts prompts;
    temura::wingui::TFormTimeZones formTimeZones(form, *files, prompts, &temura::makeZoneTable);
    formTimeZones.TimerTZTimer();  // its list at once rather than half a second later
    form.onLanguageChanged([&formTimeZones] { formTimeZones.SetLang(); });
    form.addCloseOnMinimize([&formTimeZones] { formTimeZones.close(); });
    temura::wingui::TFormSave formSave(form, *files, prompts, userFolder);
    temura::wingui::TFormOptions formOptions(form, prompts, [&formSave] { formSave.open(); });
    form.addCloseOnMinimize([&formOptions] { formOptions.hide(); });
    temura::wingui::TFormAbout2 formAbout(form);
    temura::wingui::TFormMain::WindowOpeners openers;
    openers.timeZones = [&formTimeZones] { formTimeZones.open(); };
    openers.options = [&formOptions] { formOptions.open(); };
    openers.loadSettings = [&formOptions] { formOptions.actLoadSettingsExecute(); };
    openers.saveSettings = [&formOptions] { formOptions.actSaveSettingsExecute(); };
    openers.about = [&formAbout] { formAbout.open(); };
    form.setWindowOpeners(openers);
    form.loadStartupFile();

    if (!extras.screenshot.empty()) {
        form.setSaveOnClose(false);
        form.TimerTimer();
        form.SetSize();  // as the deferred re-layout after the first tick would
        if (!temura::wingui::saveScreenshot(form, *files, extras.screenshot)) {
            say("temura: cannot write " + extras.screenshot + "\n", true);
            return 1;
        }
        say("Saved " + extras.screenshot + "\n", false);
        return 0;
    }

    form.show();
    if (extras.closeAfterMs >= 0) {
        SetTimer(form.hwnd(), 100, static_cast<UINT>(extras.closeAfterMs),
                 [](HWND w, UINT, UINT_PTR, DWORD) {
                     KillTimer(w, 100);
                     PostMessageW(w, WM_CLOSE, 0, 0);
                 });
    }
    const int result = runMessageLoop(form);
    // Zones edited in a window left open until the end are kept too.
    formTimeZones.saveIfModified();
    return result;
}
