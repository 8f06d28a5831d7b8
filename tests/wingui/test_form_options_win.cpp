// The Windows options window driven as a user would (clicks, keys, its tabs) and read back from
// its controls and from the clock behind it.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>

#include <functional>

#include "settings/settings_file.h"
#include "support/fake_files.h"
#include "support/fake_shell.h"
#include "ui/lang_rules.h"
#include "wingui/fake_win_prompts.h"
#include "wingui/form_options.h"
#include "wingui/win_clock_window.h"
#include "zones/world_line.h"

namespace temura::test {
namespace {

using wingui::TFormOptions;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

std::string textOf(HWND w) {
    wchar_t buffer[512] = {};
    GetWindowTextW(w, buffer, static_cast<int>(std::size(buffer)));
    return win32::narrow(buffer);
}

bool isChecked(HWND b) {
    return SendMessageW(b, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Sees whether the clock is marked as under a file dialog while the dialog is open.
class FlagWatchingPrompts : public FakeWinPrompts {
  public:
    const bool* flag = nullptr;
    bool flagSeen = false;
    std::string openFileName(HWND owner, const std::string& start, const std::string& filter,
                             const std::string& extension) override {
        flagSeen = flag && *flag;
        return FakeWinPrompts::openFileName(owner, start, filter, extension);
    }
};

class WinOptionsTest : public ::testing::Test, public ClockWindow {
  protected:
    FakeFiles fakeFiles;
    FakeShell fakeShell;
    FlagWatchingPrompts prompts;
    std::unique_ptr<TFormOptions> options;
    int saveOpened = 0;

    void SetUp() override { start(true); }
    void TearDown() override {
        options.reset();
        form.reset();
        pump(nullptr);
    }
    void start(bool withShell) {
        options.reset();
        form.reset();
        files = &fakeFiles;
        shell = withShell ? &fakeShell : nullptr;
        make();
        prompts.flag = &state.FileDialogOpen;
        options = std::make_unique<TFormOptions>(*form, prompts, [this] { ++saveOpened; });
        options->open();
        pump(form.get());
    }

    void click(HWND b) {
        SendMessageW(b, BM_CLICK, 0, 0);
        pump(form.get());
    }
    // Clicks the page's tab, as the user picks a page.
    void page(int index) {
        RECT r{};
        SendMessageW(options->pc, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(options->pc, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(options->pc, WM_LBUTTONUP, 0, at);
        pump(form.get());
    }
    void leftClick(HWND swatch) {
        SendMessageW(swatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(swatch, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        pump(form.get());
    }
    void rightPress(HWND swatch) {
        SendMessageW(swatch, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        pump(form.get());
    }
    // Moves the slider and tells the window as the slider itself does.
    void slide(int percent) {
        SendMessageW(options->tbAlpha, TBM_SETPOS, TRUE, percent);
        SendMessageW(options->hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, percent),
                     reinterpret_cast<LPARAM>(options->tbAlpha));
        pump(form.get());
    }
    void key(HWND control, WORD vk) {
        SendMessageW(control, WM_KEYDOWN, vk, 1);
        SendMessageW(control, WM_KEYUP, vk, 0xC0000001);
        pump(form.get());
    }
    void focus(HWND w) {
        SetForegroundWindow(w);
        SetFocus(w);
        pump(form.get(), 100);
    }
    void press(std::initializer_list<WORD> keys) {
        pressKeys(keys);
        pump(form.get(), 150);
    }
    int sliderPosition() {
        return static_cast<int>(SendMessageW(options->tbAlpha, TBM_GETPOS, 0, 0));
    }
    // The opacity the clock's window has on the screen.
    int shownOpacity() {
        if (!(GetWindowLongPtrW(form->hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED)) return 255;
        BYTE alpha = 0;
        DWORD flags = 0;
        GetLayeredWindowAttributes(form->hwnd(), nullptr, &alpha, &flags);
        return alpha;
    }
    void changeLook(const std::function<void(DisplayLook&)>& change) {
        DisplayLook look = form->currentLook();
        change(look);
        form->applyLook(look);
        options->GetInfo();
    }
    std::string tabText(int index) {
        wchar_t buffer[128] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = static_cast<int>(std::size(buffer));
        SendMessageW(options->pc, TCM_GETITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        return win32::narrow(buffer);
    }
};

TEST_F(WinOptionsTest, EveryCaptionInBothLanguages) {
    for (const bool english : {true, false}) {
        if (state.English != english) command(Command::ChangeLanguage);
        const OptionsTexts t = optionsTexts(english);
        const TFormOptions& o = *options;
        std::vector<std::pair<HWND, std::string>> shown = {
            {o.hwnd(), t.caption},
            {o.lblBg, t.lblBg},
            {o.lblTransparency, t.lblTransparency},
            {o.chShowMode, t.chShowMode},
            {o.chShowDate, t.chShowDate},
            {o.chShowTZ, t.chShowTZ},
            {o.chShowWorld, t.chShowWorld},
            {o.chPlayTick, t.chPlayTick},
            {o.chShortcut, t.chShortcut},
            {o.chMenuStart, t.chMenuStart},
            {o.gbFont.box, t.gbFont},
            {o.gbDateFont.box, t.gbDateFont},
            {o.gbTZFont.box, t.gbTZFont},
            {o.gbTimeFormat, t.gbTimeFormat},
            {o.gbETimeFormat, t.gbETimeFormat},
            {o.gbDateFormat, t.gbDateFormat},
            {o.gbLang, t.gbLang},
            {o.rbEn, "English"},
            {o.rbPl, "Polski"},
            {o.btnDelReg, t.btnDelReg},
            {o.btnLoadSettings, t.actLoadSettings},
            {o.btnSaveSettings, t.actSaveSettings},
            {o.btnDefault, mainTexts(state).actDefault},
            {o.btnTimerToDate, "-->"},
            {o.btnDateToTimer, "<--"},
            {o.btnTimerToTZ, "-->"},
            {o.btnTZToTimer, "<--"},
            {o.btnDateToTZ, "<--"},
            {o.btnTZToDate, "-->"},
        };
        for (const TFormOptions::FontGroup* g : {&o.gbFont, &o.gbDateFont, &o.gbTZFont}) {
            shown.insert(shown.end(), {{g->lblSize, t.lblFontSize},
                                       {g->lblName, t.lblFontName},
                                       {g->lblColor, t.lblFontColor},
                                       {g->lblStyle, t.lblFontStyle},
                                       {g->bold, t.chBold},
                                       {g->italic, t.chItalic}});
            EXPECT_EQ(o.tipOf(g->colour), t.fontColourHint);
        }
        for (std::size_t i = 0; i < 3; ++i) {
            shown.push_back({o.rbTimeFormat[i], t.timeFormats[i]});
            shown.push_back({o.rbETimeFormat[i], t.eTimeFormats[i]});
        }
        for (std::size_t i = 0; i < 6; ++i) shown.push_back({o.rbDateFormat[i], t.dateFormats[i]});
        for (const auto& [control, expected] : shown) {
            EXPECT_EQ(textOf(control), expected) << english;
        }
        const std::string tabs[] = {t.tsMain, t.tsFonts, t.tsFormat, t.tsLang, t.tsRegistry};
        for (int i = 0; i < 5; ++i) EXPECT_EQ(tabText(i), tabs[i]) << english;
        EXPECT_EQ(o.tipOf(o.shBgColor), t.bgColourHint);
        EXPECT_EQ(o.tipOf(o.btnDefault), mainTexts(state).actDefaultHint);
    }
    EXPECT_EQ(textOf(options->hwnd()), "Opcje");
    EXPECT_EQ(textOf(options->btnDefault), "Domyślne");
}

TEST_F(WinOptionsTest, ShortcutBoxesNeedTheShell) {
    for (const bool withShell : {true, false}) {
        start(withShell);
        EXPECT_EQ(IsWindowEnabled(options->chShortcut) != FALSE, withShell);
        EXPECT_EQ(IsWindowEnabled(options->chMenuStart) != FALSE, withShell);
    }
}

TEST_F(WinOptionsTest, TransparencyMapsToAnOpacityTheClockKeeps) {
    const struct {
        int percent;
        int opacity;
    } cases[] = {{0, 255}, {1, 254}, {50, 129}, {100, 1}};
    for (const auto& c : cases) {
        slide(c.percent);
        EXPECT_EQ(form->currentLook().Alpha, c.opacity) << c.percent;
        EXPECT_EQ(shownOpacity(), c.opacity) << c.percent;
        EXPECT_EQ(textOf(options->lblAlpha), std::to_string(c.percent) + " %");
    }
    key(options->tbAlpha, VK_HOME);  // the slider's own keys
    EXPECT_EQ(form->currentLook().Alpha, 255);
    changeLook([](DisplayLook& l) { l.Alpha = 128; });
    EXPECT_EQ(sliderPosition(), 50);
    EXPECT_EQ(form->currentLook().Alpha, 129);
    EXPECT_EQ(shownOpacity(), 129);
}

TEST_F(WinOptionsTest, SwatchesPickColoursOrFallBackToSystemColours) {
    page(1);
    prompts.colourAnswers = {kRed, std::nullopt};
    leftClick(options->gbFont.colour);
    EXPECT_EQ(state.TimerFontColor, kRed);
    EXPECT_EQ(TFormOptions::swatchValue(options->gbFont.colour), kRed);
    ASSERT_EQ(prompts.colourInitials.size(), 1u);
    EXPECT_EQ(prompts.colourInitials[0], 0xFFFFFFu);
    EXPECT_EQ(prompts.colourCustom[0], static_cast<Colour>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(prompts.colourCustom[1], static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(prompts.colourCustom[2], Colour{192 | 220 << 8 | 192 << 16});

    leftClick(options->gbDateFont.colour);  // cancelled
    EXPECT_EQ(form->currentLook().date.colour, 0xFFFFFFu);

    page(0);
    rightPress(options->shBgColor);
    page(1);
    rightPress(options->gbTZFont.colour);
    EXPECT_EQ(form->currentLook().TimerBgColor, kSysColourBtnFace);
    EXPECT_EQ(form->currentLook().tz.colour, kSysColourWindowText);
    EXPECT_EQ(form->lblTZ.colour, GetSysColor(COLOR_WINDOWTEXT));
    const std::string file = SaveSettings({}, SettingsGroups{}, state, form->currentLook());
    EXPECT_NE(file.find("BgColor=-16777201\r\n"), std::string::npos);
    EXPECT_NE(file.find("TZFontColor=-16777208\r\n"), std::string::npos);
}

TEST_F(WinOptionsTest, CopyButtonsCarryTheWholeFont) {
    state.TimerFontBold = false;
    changeLook([](DisplayLook& l) { l.date = LineFont{"Courier New", 20, true, false, kRed}; });
    ASSERT_FALSE(isChecked(options->gbFont.bold));
    page(1);
    click(options->btnDateToTimer);
    EXPECT_TRUE(isChecked(options->gbFont.bold));
    EXPECT_TRUE(state.TimerFontBold);
    EXPECT_EQ(TFormOptions::swatchValue(options->gbFont.colour), kRed);
    EXPECT_EQ(textOf(options->gbFont.size), "20");
    EXPECT_EQ(textOf(options->gbFont.fonts), "Courier New");
    EXPECT_EQ(form->lblTime.font.spec().name, "Courier New");
    EXPECT_TRUE(form->lblTime.font.spec().bold);

    state.TimerFontColor = kGreen;
    form->applyLook(form->currentLook());
    click(options->btnTimerToTZ);
    EXPECT_EQ(form->currentLook().tz.colour, kGreen);
    EXPECT_EQ(TFormOptions::swatchValue(options->gbTZFont.colour), kGreen);
    click(options->btnTZToDate);
    EXPECT_EQ(form->currentLook().date.colour, kGreen);
}

TEST_F(WinOptionsTest, FontSizeArrowsStopAtTheirLimitsAndTakeNoTyping) {
    page(1);
    const struct {
        int start;
        WORD key;
        int expected;
    } cases[] = {{5, VK_DOWN, 4}, {159, VK_UP, 160}, {14, VK_UP, 16}};
    for (const auto& c : cases) {
        changeLook([&](DisplayLook& l) { l.TimerFontSize = c.start; });
        key(options->gbFont.size, c.key);
        key(options->gbFont.size, c.key);
        EXPECT_EQ(form->lblTime.font.spec().pointSize, c.expected) << c.start;
        EXPECT_EQ(textOf(options->gbFont.size), std::to_string(c.expected));
    }
    SendMessageW(options->gbFont.size, WM_CHAR, '9', 1);
    EXPECT_EQ(textOf(options->gbFont.size), "16");
    key(options->gbDateFont.size, VK_UP);
    EXPECT_EQ(form->lblDate.font.spec().pointSize, form->currentLook().date.size);
    EXPECT_EQ(textOf(options->gbDateFont.size),
              std::to_string(form->lblDate.font.spec().pointSize));
}

TEST_F(WinOptionsTest, FontNamesAndStylesApplyAtOnce) {
    page(1);
    const HWND combo = options->gbDateFont.fonts;
    EXPECT_GT(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
    for (const char c : std::string("Courier")) {
        SendMessageW(info.hwndItem, WM_CHAR, static_cast<WPARAM>(c), 1);
        pump(form.get());
    }
    EXPECT_EQ(form->currentLook().date.name, "Courier");
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    SendMessageW(options->hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    wchar_t first[LF_FACESIZE] = {};
    SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(form->currentLook().date.name, win32::narrow(first));

    click(options->gbTZFont.italic);
    EXPECT_TRUE(form->lblTZ.font.spec().italic);
    click(options->gbFont.italic);
    EXPECT_TRUE(state.TimerFontItalic);
    EXPECT_TRUE(form->lblTime.font.spec().italic);
    click(options->gbFont.bold);
    EXPECT_EQ(state.TimerFontBold, isChecked(options->gbFont.bold));
}

TEST_F(WinOptionsTest, TheFontsPageWidensTheWindow) {
    const PageSize compact = options->compactSize();
    EXPECT_EQ(options->clientSize(), compact);
    const struct {
        int page;
        HWND shown;
        HWND hidden;
        bool wide;
    } cases[] = {{1, options->gbFont.box, options->chShowMode, true},
                 {2, options->gbTimeFormat, options->gbFont.box, false},
                 {3, options->rbEn, options->gbTimeFormat, false},
                 {4, options->btnDelReg, options->rbEn, false},
                 {0, options->chShowMode, options->btnDelReg, false}};
    for (const auto& c : cases) {
        page(c.page);
        EXPECT_EQ(options->pageShown(), c.page);
        EXPECT_EQ(options->clientSize(), c.wide ? options->fontsPageSize() : compact) << c.page;
        EXPECT_TRUE(IsWindowVisible(c.shown)) << c.page;
        EXPECT_FALSE(IsWindowVisible(c.hidden)) << c.page;
    }
    EXPECT_GT(options->fontsPageSize().width, compact.width);
    // The pages have no frame: their area is all of the control below the tabs.
    RECT client;
    GetClientRect(options->pc, &client);
    RECT area = client;
    SendMessageW(options->pc, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.right, client.right);
    EXPECT_EQ(area.bottom, client.bottom);
}

TEST_F(WinOptionsTest, FormatButtonsSetTheFormats) {
    page(2);
    click(options->rbTimeFormat[2]);
    click(options->rbETimeFormat[0]);
    click(options->rbDateFormat[5]);
    EXPECT_EQ(state.TimeFormat, 2);
    EXPECT_EQ(state.ETimeFormat, 0);
    EXPECT_EQ(state.DateFormat, 5);
    EXPECT_EQ(win32::narrow(form->lblDate.text), "2026.12.07");  // at once
    command(Command::ChangeDateFormat);  // the clock's own key: the buttons follow
    EXPECT_TRUE(isChecked(options->rbDateFormat[0]));
    EXPECT_FALSE(isChecked(options->rbDateFormat[5]));
}

TEST_F(WinOptionsTest, ToggleKeysWorkInBothWindowsAndTheBoxesFollow) {
    const struct {
        WORD key;
        HWND TFormOptions::*box;
        bool ClockState::*field;
    } cases[] = {
        {VK_F6, &TFormOptions::chShowMode, &ClockState::ModeVisible},
        {VK_F7, &TFormOptions::chShowDate, &ClockState::DateVisible},
        {VK_F8, &TFormOptions::chShowTZ, &ClockState::TZVisible},
        {VK_F9, &TFormOptions::chPlayTick, &ClockState::PlayTick},
        {VK_F11, &TFormOptions::chShowWorld, &ClockState::WorldVisible},
    };
    state.WorldLines.push_back(*parseWorldLine("-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Tokyo"));
    form->worldLinesChanged();
    for (const HWND w : {form->hwnd(), options->hwnd()}) {
        focus(w);
        ASSERT_EQ(GetForegroundWindow(), w);
        for (const auto& c : cases) {
            const bool before = state.*c.field;
            press({c.key});
            EXPECT_NE(state.*c.field, before) << c.key;
            EXPECT_EQ(isChecked((*options).*c.box), state.*c.field) << c.key;
        }
    }
    // The boxes drive the clock too.
    for (const auto& c : cases) {
        const bool before = state.*c.field;
        click((*options).*c.box);
        EXPECT_NE(state.*c.field, before);
        EXPECT_EQ(isChecked((*options).*c.box), state.*c.field);
    }
    EXPECT_EQ(form->lblDate.visible, state.DateVisible);
    EXPECT_EQ(form->worldLines().size(), state.WorldVisible ? 1u : 0u);
}

TEST_F(WinOptionsTest, CloseKeysHideTheWindow) {
    for (const WORD k : {WORD{VK_F12}, WORD{VK_ESCAPE}}) {
        options->open();
        focus(options->hwnd());
        press({k});
        EXPECT_FALSE(options->visible()) << k;
        EXPECT_TRUE(IsWindow(form->hwnd())) << k;  // the clock's own Esc did not run
    }
}

TEST_F(WinOptionsTest, LanguageFollowsTheClockAndTheRadioButtons) {
    focus(form->hwnd());
    press({VK_CONTROL, VK_SHIFT, 'L'});
    EXPECT_FALSE(state.English);
    EXPECT_TRUE(isChecked(options->rbPl));
    EXPECT_FALSE(isChecked(options->rbEn));
    EXPECT_EQ(textOf(options->hwnd()), "Opcje");

    page(3);
    click(options->rbEn);
    EXPECT_TRUE(state.English);
    EXPECT_EQ(textOf(options->hwnd()), "Options");
}

TEST_F(WinOptionsTest, ShortcutsRegistryAndSettingsFiles) {
    click(options->chShortcut);
    EXPECT_EQ(fakeShell.log,
              std::vector<std::string>{"create Temura C:\\nonexistent\\temura.exe Desktop"});
    click(options->chShortcut);
    EXPECT_FALSE(fakeShell.ShortcutExists("Desktop"));
    fakeShell.shortcuts.insert("Start Menu");
    options->GetInfo();
    EXPECT_TRUE(isChecked(options->chMenuStart));

    fakeFiles.files["C:\\nonexistent\\u.temura"] = "[SETTINGS]\r\nMode=3\r\nAlpha=128\r\n";
    prompts.fileAnswers = {"C:\\nonexistent\\u.temura"};
    focus(options->hwnd());
    press({VK_CONTROL, 'O'});
    EXPECT_EQ(state.Mode, kModeUtc);
    EXPECT_TRUE(prompts.flagSeen);
    EXPECT_FALSE(state.FileDialogOpen);
    ASSERT_EQ(prompts.fileStarts.size(), 1u);
    EXPECT_EQ(prompts.fileStarts[0], "C:\\nonexistent");
    EXPECT_EQ(sliderPosition(), 50);  // refilled
    click(options->btnLoadSettings);  // cancelled: nothing changes
    EXPECT_EQ(state.Mode, kModeUtc);
    EXPECT_FALSE(state.FileDialogOpen);
    click(options->btnSaveSettings);
    press({VK_CONTROL, 'S'});
    EXPECT_EQ(saveOpened, 2);

    page(4);
    prompts.yesNoAnswers = {false, true};
    click(options->btnDelReg);
    pump(form.get(), 50);
    EXPECT_TRUE(IsWindow(form->hwnd()));
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].title, "Temura");
    EXPECT_EQ(prompts.questions[0].text, "Are you sure ?");
    click(options->btnDelReg);
    pump(form.get(), 50);
    EXPECT_EQ(form->hwnd(), nullptr);  // the clock has ended
}

TEST_F(WinOptionsTest, DefaultButtonRestoresTheLookAndRefills) {
    slide(40);
    click(options->btnDefault);
    EXPECT_EQ(shownOpacity(), 255);
    EXPECT_EQ(sliderPosition(), 0);
}

}  // namespace
}  // namespace temura::test
