#include "ui/options_rules.h"
#include "ui/lang_rules.h"

namespace temura {

OptionsTexts optionsTexts(bool english) {
    const LangPick pick{english};
    OptionsTexts t;
    t.caption = pick("Options", "Opcje");
    t.tsMain = pick("Main", "Główne");
    t.tsFonts = pick("Fonts", "Czcionki");
    t.tsFormat = pick("Time\\Date format", "Format czasu/daty");
    t.tsLang = pick("Language", "Język");
    t.tsRegistry = pick("Registry", "Rejestr");
    t.lblBg = pick("Background color :", "Kolor tła :");
    t.lblTransparency = pick("Transparency :", "Przezroczystość :");
    t.chShowMode = pick("Show mode symbol", "Pokaż znak trybu");
    t.chShowDate = pick("Show date", "Pokaż datę");
    t.chShowTZ = pick("Show time zone name", "Pokaż nazwę strefy czasowej");
    t.chShowWorld = pick("World lines", "Strefy świata");
    t.chPlayTick = pick("Tick-Tock-Tick-Tock", "Temura-Temura");
    t.chShortcut = pick("Create shortcut on the desktop", "Utwórz skrót na pulpicie");
    t.chMenuStart = pick("Create shortcut in the Start Menu", "Utwórz skrót w Menu Start");
    t.gbFont = pick("Timer\\Stopwatch font : ", "Czcionka zegara\\stopera : ");
    t.gbDateFont = pick("Date font : ", "Czcionka daty : ");
    t.gbTZFont = pick("Time zone name font : ", "Czcionka nazwy strefy czasowej : ");
    t.lblFontSize = pick("Size :", "Rozmiar :");
    t.lblFontName = pick("Name :", "Nazwa :");
    t.lblFontColor = pick("Color :", "Kolor :");
    t.lblFontStyle = pick("Style :", "Styl :");
    t.chBold = pick("Bold", "Pogrubienie");
    t.chItalic = pick("Italic", "Italiki");
    t.gbTimeFormat = pick("Time format : ", "Format godziny : ");
    t.gbETimeFormat = pick("e-Time format : ", "Format e-Czasu : ");
    t.gbDateFormat = pick("Date format : ", "Format daty : ");
    t.timeFormats = {"00:00", "00:00:00", "00:00:00.0"};
    t.eTimeFormats = {"@000", "@000.0", "@000.00"};
    t.dateFormats = {pick("Monday, 14 November 2005", "Poniedziałek, 14 listopad 2005"),
                     pick("Mon, 14 Nov 2005", "Pon, 14 list 2005"),
                     pick("Monday, 14.11.2005", "Poniedziałek, 14.11.2005"),
                     pick("Mon, 14.11.2005", "Pon, 14.11.2005"),
                     "14.11.2005",
                     "2005.11.14"};
    t.gbLang = pick("Language :", "Język :");
    t.rbEn = "English";
    t.rbPl = "Polski";
    t.btnDelReg = pick("Remove all registry settings and close application...",
                       "Usuń wszystkie wpisy z rejestru i zakończ program...");
    t.actLoadSettings = pick("Load settings...", "Wczytaj ustawienia...");
    t.actSaveSettings = pick("Save settings...", "Zapisz ustawienia...");
    t.fontColourHint = pick("Left click - change font color\r\nRight click - set default color",
                            "Lewy klik - zmień kolor czcionki\r\nPrawy klik - kolor domyślny");
    t.bgColourHint = pick("Left click - change background color\r\nRight click - set default color",
                          "Lewy klik - zmień kolor tła\r\nPrawy klik - kolor domyślny");
    t.deleteRegistryQuestion = pick("Are you sure ?", "Jesteś pewien ?");
    return t;
}

int alphaFromPercent(int percent) {
    const int a = percent * 255 / 100;
    return a == 0 ? 255 : 256 - a;
}

int percentFromAlpha(int alpha) {
    return 100 - alpha * 100 / 255;
}

std::string percentText(int percent) {
    return std::to_string(percent) + " %";
}

Colour defaultColour(Swatch swatch) {
    return swatch == Swatch::Background ? kSysColourBtnFace : kSysColourWindowText;
}

Colour swatchColour(Swatch swatch, const ClockState& state, const DisplayLook& look) {
    switch (swatch) {
        case Swatch::TimeFont:
            return state.TimerFontColor;
        case Swatch::Background:
            return look.TimerBgColor;
        case Swatch::DateFont:
            return look.date.colour;
        case Swatch::ZoneFont:
            return look.tz.colour;
    }
    return 0;
}

void setSwatchColour(Swatch swatch, Colour colour, ClockState& state, DisplayLook& look) {
    switch (swatch) {
        case Swatch::TimeFont:
            state.TimerFontColor = colour;
            break;
        case Swatch::Background:
            look.TimerBgColor = colour;
            break;
        case Swatch::DateFont:
            look.date.colour = colour;
            break;
        case Swatch::ZoneFont:
            look.tz.colour = colour;
            break;
    }
}

std::array<Colour, 5> customColours(Colour windowRgb, Colour buttonFaceRgb) {
    const auto rgb = [](Colour r, Colour g, Colour b) { return r | (g << 8) | (b << 16); };
    return {windowRgb, buttonFaceRgb, rgb(192, 220, 192), rgb(166, 202, 240), rgb(255, 251, 240)};
}

namespace {

LineFont timeLineFont(const ClockState& state, const DisplayLook& look) {
    return LineFont{look.TimerFontName, look.TimerFontSize, state.TimerFontBold,
                    state.TimerFontItalic, state.TimerFontColor};
}

LineFont fontOf(ClockLine line, const ClockState& state, const DisplayLook& look) {
    switch (line) {
        case ClockLine::Time:
            return timeLineFont(state, look);
        case ClockLine::Date:
            return look.date;
        case ClockLine::Zone:
            return look.tz;
    }
    return {};
}

}  // namespace

void copyLineFont(ClockLine from, ClockLine to, ClockState& state, DisplayLook& look) {
    const LineFont font = fontOf(from, state, look);
    switch (to) {
        case ClockLine::Time:
            look.TimerFontName = font.name;
            look.TimerFontSize = font.size;
            state.TimerFontBold = font.bold;
            state.TimerFontItalic = font.italic;
            state.TimerFontColor = font.colour;
            break;
        case ClockLine::Date:
            look.date = font;
            break;
        case ClockLine::Zone:
            look.tz = font;
            break;
    }
}

void applyShortcutBox(Shell& shell, const std::string& location, bool ticked,
                      const std::string& programPath) {
    const bool exists = shell.ShortcutExists(location);
    if (ticked && !exists) shell.CreateShortcut("Temura", programPath, location);
    if (!ticked && exists) shell.DeleteShortcut(location);
}

PageSize compactSize(const PageRect& gbTimeFormat, const PageRect& gbETimeFormat, int pageTop,
                     int buttonHeight) {
    return {gbTimeFormat.right() + 15, gbETimeFormat.bottom() + pageTop + 2 * buttonHeight + 15};
}

FontsPage fontsPage(int gbFontWidth, int gbTZFontBottom, int pageTop, int buttonHeight) {
    constexpr int left = 10;
    FontsPage page;
    page.gbFontLeft = left;
    page.gbDateFontLeft = gbFontWidth + 2 * left;
    page.gbTZFontLeft = gbFontWidth / 2 + left / 2;
    page.window = {2 * gbFontWidth + 3 * left + 5,
                   gbTZFontBottom + pageTop + 2 * buttonHeight + 15};
    return page;
}

}  // namespace temura
