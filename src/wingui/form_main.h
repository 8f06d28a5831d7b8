#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clock/clock_state.h"
#include "clock/stopwatch.h"
#include "clock/text_format.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_clock.h"
#include "platform/tick_player.h"
#include "settings/display_look.h"
#include "settings/settings_record.h"
#include "ui/lang_rules.h"
#include "ui/main_rules.h"
#include "ui/menu_rules.h"
#include "wingui/gdi_font.h"
#include "wingui/tray_icon.h"

namespace temura::wingui {

// What the clock window is given from outside; tests pass fakes.
struct MainServices {
    SystemClock& clock;
    Desktop& desktop;
    TickPlayer& ticks;
    LocaleNames names;
    std::string programFolder;
    std::vector<std::string> dataFolders;  // tick file, help and defaults file, in order
    // Settings and shell; without them (tests of the window alone) nothing is stored.
    Registry* registry = nullptr;
    Shell* shell = nullptr;
    Files* files = nullptr;
    std::string programPath;
    std::string userFolder;
    std::vector<std::string> clockArgs;  // the command line without the program's "--" options
};

class TFormFullScreen;
class TFormAbout2;

// One line of the label stack, drawn by the window itself.
struct Label {
    std::wstring text;
    GdiFont font;
    COLORREF colour = RGB(255, 255, 255);
    RECT rect{};
    bool visible = true;
};

// The clock window: a borderless, topmost tool window drawn with GDI.
class TFormMain {
  public:
    // The window's timers: the display tick (one-shot), the deferred re-layout, the paused blink.
    static constexpr UINT_PTR kTimerDisplay = 1;
    static constexpr UINT_PTR kTimerS2 = 2;
    static constexpr UINT_PTR kTimerP = 3;

    TFormMain(ClockState& state, MainServices services);
    ~TFormMain();
    TFormMain(const TFormMain&) = delete;
    TFormMain& operator=(const TFormMain&) = delete;

    HWND hwnd() const { return m_hwnd; }
    ClockState& state() { return m_state; }
    void show();
    // Feeds a message of the loop to the clock's shortcuts; true when it was one.
    bool translateAccelerator(MSG& msg);
    // Runs a command of the menus or keys, then tells the settings listeners.
    void runCommand(Command command);

    void SetSize();
    void SetSize2();
    void SetModeStr();
    void SetClPaused();
    void SetLang();
    void SetHint();
    void TimerTimer();
    void TimerSTimer();
    void WMTimeChange();
    void FormActivate();
    void PlayIt();
    bool tickWouldPlay() const;
    void SetbTickFile();
    void loadSettings(const std::string& path);
    void loadStartupFile();
    bool saveSettingsToRegistry();
    void setSaveOnClose(bool save) { m_saveOnClose = save; }

    // The windows the clock opens, handed over once they exist; each of their commands stays
    // disabled until its opener is set.
    struct WindowOpeners {
        std::function<void()> timeZones;
        std::function<void()> options;
        std::function<void()> loadSettings;
        std::function<void()> saveSettings;
        std::function<void()> about;
    };
    void setWindowOpeners(WindowOpeners openers);
    // Told after every command and settings change (a window showing settings refreshes), after
    // a language switch, after a zone was taken into use or dropped, and after a settings file
    // was loaded (with its path).
    void onSettingsChanged(std::function<void()> f) { m_settingsListeners.push_back(std::move(f)); }
    void onLanguageChanged(std::function<void()> f) { m_languageListeners.push_back(std::move(f)); }
    void onZoneChanged(std::function<void()> f) { m_zoneListeners.push_back(std::move(f)); }
    void onSettingsFileLoaded(std::function<void(const std::string&)> f) {
        m_fileListeners.push_back(std::move(f));
    }
    // Windows that minimising to the tray closes.
    void addCloseOnMinimize(std::function<void()> close) {
        m_closeOnMinimize.push_back(std::move(close));
    }
    void showZoneChanged();
    // Removes every stored trace of the program and ends it without saving.
    void clearRegistryAndQuit();
    void applyLook(const DisplayLook& look);
    DisplayLook currentLook() const;
    void applyWindowUpdate(const WindowUpdate& update, const DisplayLook& look);
    SettingsEnv settingsEnv() const;
    const std::string& startupFile() const { return m_startupFile; }
    const MainServices& services() const { return m_services; }

    // --- The About box (form_main_about.cpp) ---
    // The box the clock plays no tick of its own for while it shows (it ticks itself).
    void setAboutBox(TFormAbout2* about) { m_about = about; }
    bool aboutShowing() const;
    // --- end of the About box ---

    // Paints the whole window onto `dc` (the screen, or a picture for --screenshot).
    void paint(HDC dc);
    SIZE clientSize() const;

    // For tests and the tray: what the window shows.
    Label lblTime, lblDate, lblTZ, lblMode;
    // The world lines as drawn, in the zone-name line's font and colour; empty while hidden.
    const std::vector<std::wstring>& worldLines() const { return m_worldTexts; }
    // Re-reads the lines after the list or its visibility changed, and makes room for them.
    void worldLinesChanged();
    const std::wstring& hintText() const { return m_hint; }
    const std::wstring& trayTip() const { return m_trayTip; }
    const std::string& applicationTitle() const { return m_appTitle; }
    bool trayIconShown() const { return m_tray.shown(); }
    HMENU popMain() const { return m_popMain; }
    HMENU popCti() const { return m_popCti; }
    HWND tooltip() const { return m_tooltip; }
    TFormFullScreen* fullScreenWindow() const { return m_fullScreen.get(); }
    bool buttonsShown() const { return m_buttonsShown; }
    // Brings the menus' checks and enabling in line with the state, as opening them does.
    void popMainPopup();
    void popCtiPopup();

  private:
    // Where a menu item stands, for bringing its check and enabling up to date.
    struct MenuSlot {
        HMENU menu;
        UINT position;
        Command command;
    };

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createWindow();
    void createTooltip();
    void buildMenus();
    void destroyMenus();
    void fillMenu(HMENU menu, const std::vector<MenuItem>& items, const MainTexts& texts,
                  std::vector<MenuSlot>& slots);
    MenuContext menuContext() const;
    void applySlotStates(const std::vector<MenuSlot>& slots);
    std::wstring ownerDrawnText(Command command) const;
    void buildAccelerators();
    void applyStartLook();
    void readStoredSettings();
    void applyCommandLine();
    void applyStartPosition();
    void notify(const std::vector<std::function<void()>>& listeners);
    bool hasOpener(Command c) const;
    void remakeFonts();
    void setOpacity(int alpha);
    void moveTo(int x, int y);
    POINT position() const;
    void invalidate(const RECT* part = nullptr);

    void runCommandOnly(Command command);
    void setMode(std::uint8_t mode);
    void lblModeClick();
    void changeFontSize(int step);
    void toggleFontStyle(bool italic);
    void actShowButtonsExecute();
    void actSysClockExecute();
    void actCloseExecute();
    void actHelpExecute();
    void actDefaultExecute();
    void actMinimizeExecute();
    void actRestoreExecute();
    void actChangeLanguageExecute();
    void actPlayTickExecute();
    void enterFullScreen();
    void leaveFullScreen();
    void applyStopwatch(const StopwatchEffects& effects);
    void showTimeText(const std::string& text);
    void openTrace();
    void traceChange(const std::string& text);
    void runDisplayTickOnce();
    void scheduleDisplayTick(int ms);
    bool raisingAllowed() const;
    void raiseAboveOthers();
    void updateTooltipRects();
    void showPopMain(POINT at);
    void showPopCti();
    void onMeasureItem(MEASUREITEMSTRUCT& m);
    void onDrawItem(const DRAWITEMSTRUCT& d);
    void onTray(LPARAM lParam);
    void onLeftDown(POINT p);
    void onMouseMove(POINT p, WPARAM keys);
    void onLeftUp(POINT p);
    void snapToEdges();
    std::optional<Command> buttonAt(POINT p) const;
    bool onModeLetter(POINT p) const;
    void paintButtons(HDC dc, int width, int height);
    LayoutInput measureLayout(HDC dc, bool widthsOnly);
    // New texts for the world lines; repaints their rows when one changed. Answers whether the
    // number of lines changed (the window then needs another size).
    bool refreshWorldLines();
    void paintWorldLines(HDC dc);

    ClockState& m_state;
    MainServices m_services;
    HWND m_hwnd = nullptr;
    HWND m_tooltip = nullptr;
    HMENU m_popMain = nullptr;
    HMENU m_popCti = nullptr;
    HACCEL m_accel = nullptr;
    std::vector<MenuSlot> m_mainSlots;
    std::vector<MenuSlot> m_ctiSlots;
    WindowOpeners m_openers;
    std::vector<std::function<void()>> m_settingsListeners;
    std::vector<std::function<void()>> m_languageListeners;
    std::vector<std::function<void()>> m_zoneListeners;
    std::vector<std::function<void(const std::string&)>> m_fileListeners;
    std::vector<std::function<void()>> m_closeOnMinimize;
    GdiFont m_headerFont;
    GdiFont m_exitFont;
    GdiFont m_exitFontBold;
    TrayIcon m_tray;
    UINT m_taskbarCreated = 0;
    std::unique_ptr<TFormFullScreen> m_fullScreen;
    TFormAbout2* m_about = nullptr;
    int m_dpi = 96;
    SIZE m_size{161, 138};
    std::vector<std::wstring> m_worldTexts;
    RECT m_worldRect{};
    int m_worldLeft = 0;
    int m_worldLineHeight = 0;
    int m_buttonsTop = 0;
    bool m_buttonsShown = false;
    Colour m_timeBackground = 0;
    Colour m_lookDateColour = 0xFFFFFF;  // as stored: a system colour stays one
    Colour m_lookTzColour = 0xFFFFFF;
    Colour m_timeColour = 0xFFFFFF;  // the time line's colour now (the paused blink changes it)
    std::int32_t m_alpha = 255;
    std::wstring m_hint;
    std::wstring m_trayTip;
    std::string m_appTitle = "Temura";  // "Paused" while the stopwatch is paused
    std::uint32_t m_lastSlowTick = 0;
    bool m_menuOpen = false;
    bool m_saveOnClose = true;
    bool m_startFullScreen = false;
    bool m_centreOnShow = false;
    std::optional<int> m_startX;
    std::optional<int> m_startY;
    std::string m_startupFile;
    HANDLE m_trace = INVALID_HANDLE_VALUE;
    // Dragging: where the left button went down, and on what.
    bool m_pressed = false;
    POINT m_pressAt{};
    std::optional<Command> m_pressButton;
    bool m_pressOnMode = false;
};

}  // namespace temura::wingui
