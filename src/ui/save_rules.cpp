#include "ui/save_rules.h"

#include <filesystem>

#include "storage/utf8_path.h"
#include "ui/lang_rules.h"

namespace temura {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// Blanks and control characters, as a typed name may carry them at either end.
std::string trimmed(const std::string& s) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && blank(s[begin])) ++begin;
    while (end > begin && blank(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

bool isAbsolute(const std::string& p) {
    if (!p.empty() && isSeparator(p[0])) return true;
    // A drive letter: "C:\..." or "C:/...".
    return p.size() >= 3 && p[1] == ':' && isSeparator(p[2]);
}

// A dot in the last part of the path marks an extension; a trailing dot counts too, so the
// user can ask for a name without one ("notes.").
bool hasExtension(const std::string& p) {
    for (std::size_t i = p.size(); i > 0; --i) {
        const char c = p[i - 1];
        if (c == '.') return true;
        if (isSeparator(c)) return false;
    }
    return false;
}

}  // namespace

SaveTexts saveTexts(bool english) {
    const LangPick pick{english};
    SaveTexts t;
    t.caption = pick("Save settings", "Zapisz ustawienia");
    t.lblInfo = pick("Save settings associated with :", "Zapisz ustawienia dotyczące :");
    t.chMode = pick("Mode", "Trybu");
    t.chPosition = pick("Position", "Pozycji");
    t.chTimer = pick("Timer\\Stopwatch", "Zegara\\Stopera");
    t.chDate = pick("Date", "Daty");
    t.chTZLabel = pick("Time zone name", "Nazwy strefy czasowej");
    t.chBgColor = pick("Background color", "Kolor tła");
    t.chOther = pick("Other", "Reszta");
    t.lblOtherInfo1 =
        pick("(transparency, stopwatch buttons,", "(przezroczystość, przyciski stopera,");
    t.lblOtherInfo2 = pick("tick, full screen)", "tykanie, pełny ekran)");
    t.chTZ = pick("Selected time zone", "Wybranej strefy czasowej");
    t.chWorld = pick("World lines", "Strefy świata");
    t.actSelectAll = pick("Select all", "Zaznacz wszystko");
    t.actUnselectAll = pick("Unselect all", "Odznacz wszystko");
    t.chOverwritePrompt = pick("Overwrite prompt", "Pytaj przy nadpisywaniu");
    t.lblFileName = pick("File name :", "Nazwa pliku :");
    t.actBrowse = pick("Browse...", "Przeglądaj...");
    t.actSave = pick("Save", "Zapisz");
    t.actCancel = pick("Cancel", "Anuluj");
    return t;
}

std::string saveStatusText(SaveOutcome outcome, bool english) {
    switch (outcome) {
        case SaveOutcome::Saved:
            return english ? "File saved !" : "Plik zapisany !";
        case SaveOutcome::Failed:
            return english ? "Cannot save file !" : "Wystąpił błąd przy zapisywaniu !";
        case SaveOutcome::Cancelled:
            return english ? "Operation cancelled !" : "Operacja anulowana !";
    }
    return {};
}

std::string settingsFileFilter(bool english) {
    return english ? "Temura files (*.TEMURA)|*.temura" : "Pliki Temura (*.Temura)|*.temura";
}

std::string settingsFilePath(const std::string& typed, const std::string& currentFolder) {
    std::string name = trimmed(typed);
    if (name.empty()) return {};
    if (!isAbsolute(name)) {
        // Through the UTF-8 forms: the plain string ones are in the ANSI code page on Windows.
        name = utf8FromPath((pathFromUtf8(currentFolder) / pathFromUtf8(name)).lexically_normal());
    }
    if (!hasExtension(name)) name += std::string(".") + kSettingsExtension;
    return name;
}

std::string overwriteQuestion(const std::string& path, bool english) {
    if (english) return "File \"" + path + "\" already exist !\r\nDo you wish to overwrite it?";
    return "Plik \"" + path + "\" już istnieje !\r\nCzy chcesz go nadpisać?";
}

}  // namespace temura
