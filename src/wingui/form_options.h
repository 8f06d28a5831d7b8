#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/options_rules.h"
#include "wingui/dialog_window.h"
#include "wingui/form_main.h"
#include "wingui/win_prompts.h"

namespace temura::wingui {

// The faces of every font installed on the system, sorted, without the vertical "@" twins.
std::vector<std::wstring> installedFontNames();

// The options window: the look of the clock's lines, what the clock shows, the formats, the
// language, and the settings-file, registry and shortcut commands. Every control applies at
// once; the clock itself is the preview.
class TFormOptions : public DialogWindow {
  public:
    // Notification codes a colour rectangle sends its parent in WM_COMMAND.
    static constexpr int kSwatchLeftClick = 0x100;
    static constexpr int kSwatchRightPress = 0x101;

    // `openSave` refreshes and shows the save-settings window. Follows the clock's settings
    // (while shown) and language.
    TFormOptions(TFormMain& main, WinPrompts& prompts, std::function<void()> openSave);
    ~TFormOptions() override;

    // Fills every control from the running state.
    void GetInfo();
    void SetLang();
    // GetInfo, then show: the clock's Options command.
    void open();
    // The clock's Load settings... and Save settings... commands, and this window's buttons.
    void actLoadSettingsExecute();
    void actSaveSettingsExecute();

    // The client sizes (at 96 DPI) of the Fonts page and of every other page.
    PageSize compactSize() const { return m_compact; }
    PageSize fontsPageSize() const { return m_fontsPage.window; }
    int pageShown() const;
    // The window's client size now, at 96 DPI.
    PageSize clientSize() const;

    // What a colour rectangle shows, as stored (a system colour stays one).
    static Colour swatchValue(HWND swatch);
    // The hint a control shows.
    std::string tipOf(HWND control) const;

    // One group per line of the clock; the same controls in each.
    struct FontGroup {
        HWND box = nullptr;
        HWND lblSize = nullptr;
        HWND size = nullptr;  // read-only edit, the up-down's buddy
        HWND upDown = nullptr;
        HWND lblColor = nullptr;
        HWND colour = nullptr;
        HWND lblName = nullptr;
        HWND fonts = nullptr;
        HWND lblStyle = nullptr;
        HWND bold = nullptr;
        HWND italic = nullptr;
    };

    HWND pc = nullptr;
    HWND btnDefault = nullptr, btnSaveSettings = nullptr, btnLoadSettings = nullptr;
    HWND lblBg = nullptr, shBgColor = nullptr, lblTransparency = nullptr, tbAlpha = nullptr,
         lblAlpha = nullptr;
    HWND chShowMode = nullptr, chShowDate = nullptr, chShowTZ = nullptr, chShowWorld = nullptr,
         chPlayTick = nullptr, chShortcut = nullptr, chMenuStart = nullptr;
    FontGroup gbFont, gbDateFont, gbTZFont;
    HWND btnTimerToDate = nullptr, btnDateToTimer = nullptr, btnTimerToTZ = nullptr,
         btnTZToTimer = nullptr, btnDateToTZ = nullptr, btnTZToDate = nullptr;
    HWND gbTimeFormat = nullptr, gbETimeFormat = nullptr, gbDateFormat = nullptr;
    std::array<HWND, 3> rbTimeFormat{};   // rbTFShort, rbTFMid, rbTFLong
    std::array<HWND, 3> rbETimeFormat{};  // rbETFShort, rbETFMid, rbETFLong
    // rbDFLongNames, rbDFShortNames, rbDFLongDay, rbDFShortDay, rbDFShort, rbDFRev
    std::array<HWND, 6> rbDateFormat{};
    HWND gbLang = nullptr, rbEn = nullptr, rbPl = nullptr;
    HWND btnDelReg = nullptr;
    HWND tips = nullptr;  // the hints of the colour rectangles and of btnDefault

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCommand(int id, int code, HWND control) override;

  private:
    void buildMainPage();
    void buildFontsPage();
    FontGroup makeFontGroup(int left, int top, int firstId, const std::vector<std::wstring>& faces);
    void buildFormatPage();
    void buildLangPage();
    void buildAccelerators();
    HWND onPage(int page, HWND control);
    HWND frame(int x, int y, int w, int h);
    void setTip(HWND control, const std::string& text);
    void pcChange();
    void setClientSize(PageSize size);
    void placeFrame();
    int textWidth(HWND control) const;
    static void setSwatch(HWND swatch, Colour colour);

    void tbAlphaChange();
    void chooseColour(Swatch which);
    void setColour(Swatch which, Colour colour);
    void copyFont(ClockLine from, ClockLine to);
    void changeFontSize(ClockLine line);
    void changeFontName(ClockLine line, int code);
    void changeFontStyle(ClockLine line);
    void setShown(bool ClockState::*field, Command toggle, HWND box);
    void setShortcut(const char* location, HWND box);
    void rbEnClick();
    void btnDelRegClick();
    const FontGroup& group(ClockLine line) const;
    HWND swatchOf(Swatch which) const;

    TFormMain& m_main;
    WinPrompts& m_prompts;
    std::function<void()> m_openSave;
    std::array<Colour, 5> m_customColours{};
    std::vector<HWND> m_tipped;                // the controls with a hint
    std::array<std::vector<HWND>, 5> m_pages;  // each page's controls, shown with its tab
    int m_pageTop = 0;                         // where the pages start, at 96 DPI
    PageSize m_compact;
    FontsPage m_fontsPage;
    bool m_filling = false;  // GetInfo is writing the controls: their handlers stay quiet
};

}  // namespace temura::wingui
