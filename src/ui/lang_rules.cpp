#include "ui/lang_rules.h"

#include "clock/text_format.h"
#include "zones/world_line.h"

namespace temura {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kExitShortcut = "Esc";

std::string minutesText(std::int64_t minutes) {
    return OffsetText(minutes) + " min";
}

std::string modeText(const ClockState& s) {
    const bool en = s.English;
    switch (s.Mode) {
        case kModeStopwatch:
            return en ? "Stopwatch" : "Stoper";
        case kModeUtc:
            return en ? "UTC" : "UTC\r\nUniwersalny czas koordynowany";
        case kModeWindows:
            return en ? "Windows\r\nTime that have elapsed since the system was started."
                      : "Windows\r\nCzas, który upłynął od uruchomienia Windows";
        case kModeETime:
            return en ? "BMT (e-Time)" : "BMT (e-Czas)\r\nCzas internetowy";
        case kModeTimer: {
            if (s.UseTZ) return en ? "Timer+" : "Zegar+";
            std::string text =
                en ? "Timer\r\nCurrent system time" : "Zegar\r\nBieżący czas systemowy";
            if (s.SysInDST) {
                text += kCrLf;
                text += en ? "Daylight saving time" : "Czas letni (DST)";
            } else if (s.SysInStd) {
                text += kCrLf;
                text += en ? "Standard time" : "Czas standardowy (zimowy)";
            }
            return text;
        }
        default:
            return {};
    }
}

}  // namespace

MainTexts mainTexts(const ClockState& s) {
    const LangPick pick{s.English};

    MainTexts t;
    t.actStartHint = pick("Start\\Resume", "Start\\Ponów");
    t.actPauseHint = pick("Pause", "Pauza");
    t.popStart = pick("Start\\Resume", "Start\\Ponów");
    t.popPause = pick("Pause", "Pauza");
    t.popShowButtons = pick("Show stoper buttons", "Pokaż przyciski stopera");
    t.actPlayTick = pick("Tick-Tock-Tick-Tock", "Temura-Temura");
    t.actOptions = pick("Options...", "Opcje...");
    t.actClose = pick("Exit", "Zamknij");
    t.actAbout = pick("About...", "O programie...");
    t.actHelp = pick("Help...", "Pomoc...");
    t.popMode = pick("Mode", "Tryb");
    t.actSetModeS = pick("Stopwatch", "Stoper");
    t.actSetModeT = pick("Timer", "Zegar");
    t.popFont = pick("Timer\\Stopwatch font", "Czcionka Zegara\\Stopera");
    t.popFontSizePlus = pick("Font size + 1   Ctrl+ +", "Rozmiar czcionki + 1   Ctrl+ +");
    t.popFontSizeMinus = pick("Font size - 1   Ctrl+ -", "Rozmiar czcionki - 1   Ctrl+ -");
    t.actShowMode = pick("Show mode symbol", "Pokaż znak trybu");
    t.popTimeZone = pick("Time zone", "Strefa czasowa");
    t.actDefaultTimeZone = pick("Default (", "Domyślna (") + s.SysZoneName + ")";
    t.actSelectTimeZone = pick("Select...", "Wybierz...");
    t.popIncDecStopwatch = pick("Step", "Skok");
    t.actSetModeE = pick("BMT (e-Time)", "BMT (e-Czas)");
    t.actSetModeU = pick("Universal time - UTC", "Czas uniwersalny UTC");
    t.actMinimize = pick("Minimize to tray", "Minimalizuj do zasobnika");
    t.actRestore = pick("Restore", "Przywróć");
    t.actFontBold = pick("Bold", "Pogrubienie");
    t.actFontItalic = pick("Italic", "Italiki");
    t.actShowTZName = pick("Show time zone name", "Pokaż nazwę strefy czasowej");
    t.actShowDate = pick("Show date", "Pokaż datę");
    t.actFullScreen = pick("Full screen", "Pełny ekran");
    t.actWorldLines = pick("World lines", "Strefy świata");
    t.actDefault = pick("Default", "Domyślne");
    // "Przywróc" without the accent is how this text has always read.
    t.actDefaultHint = pick("Restore default settings", "Przywróc ustawienia domyślne");
    t.actLoadSettings = pick("Load settings...", "Wczytaj ustawienia...");
    t.actSaveSettings = pick("Save settings...", "Zapisz ustawienia...");

    t.actSetModeW = "Windows";
    t.actStopHint = "Stop";
    t.popStop = "Stop";
    t.actStoperIncSec = "+ 1 sec";
    t.actStoperDecSec = "- 1 sec";
    t.actStoperIncMin = "+ 1 min";
    t.actStoperDecMin = "- 1 min";
    t.actChangeLanguage = "Change Language";

    t.popCtiRestore = t.actRestore;
    t.popCtiTimer = t.actSetModeT;
    t.popCtiBMT = t.actSetModeE;
    t.popCtiWindows = t.actSetModeW;
    t.popCtiUTC = t.actSetModeU;
    t.popCtiStopwatch = t.actSetModeS;
    t.popCtiExit = t.actClose;

    t.popSep1 = pick("S T O P W A T C H", "S T O P E R");
    t.popSep2 = pick("S E T T I N G S", "U S T A W I E N I A");
    t.popSep3 = pick("I N F O", "I N F O R M A C J E");
    t.popExit = exitItemText(t.actClose, kExitShortcut);
    return t;
}

std::string exitItemText(const std::string& caption, const std::string& shortcut) {
    return caption + std::string(11, ' ') + shortcut;
}

std::string trayTip(const std::string& timeText) {
    return "Temura\r\n" + timeText;
}

std::string composeHint(const ClockState& s) {
    const bool en = s.English;
    std::string hint = (en ? "Mode : " : "Tryb : ") + modeText(s);
    if (s.Mode != kModeTimer || !s.UseTZ) return hint;

    const auto line = [&hint](const std::string& text) { hint += kCrLf + text; };
    line(std::string(23, '='));
    line((en ? "Time zone : " : "Strefa czasowa : ") + s.TZName);
    line("GMT " + minutesText(s.TZBias));
    line((en ? "Time difference : " : "Różnica czasu : ") + minutesText(s.ZoneShift));
    line((en ? "Daylight saving time : " : "W wybranej strefie obowiązuje czas letni : ") +
         YesNoText(s.ZoneInDST, en));
    line((en ? "Standard time : " : "W wybranej strefie obowiązuje czas standardowy : ") +
         YesNoText(s.ZoneInStd, en));
    line((en ? "Daylight saving time bias : " : "Poprawka czasu letniego : ") +
         minutesText(s.TZDSTBias));
    line((en ? "Standard bias : " : "Poprawka czasu standardowego : ") + minutesText(s.TZStdBias));
    return hint;
}

std::string composeHint(const ClockState& s, const SystemTime& utc) {
    std::string hint = composeHint(s);
    if (!worldLinesShown(s)) return hint;
    for (const std::string& line : worldHintLines(s.WorldLines, utc, s.English))
        hint += kCrLf + line;
    return hint;
}

}  // namespace temura
