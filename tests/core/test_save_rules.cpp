#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "ui/save_rules.h"

namespace temura {
namespace {

// A path written with '/' in the system's own separator: names joined to the current folder come
// back in native form (backslashes on Windows).
std::string native(std::string path) {
    std::replace(path.begin(), path.end(), '/',
                 static_cast<char>(std::filesystem::path::preferred_separator));
    return path;
}

TEST(SaveRules, TypedNamesBecomeSettingsFilePaths) {
    const struct {
        const char* typed;
        std::string path;
    } cases[] = {
        {"settings", native("/home/u/settings.temura")},
        {"my.cfg", native("/home/u/my.cfg")},
        {" \tspaced name  ", native("/home/u/spaced name.temura")},
        {"../up", native("/home/up.temura")},
        {"sub.d/plain", native("/home/u/sub.d/plain.temura")},  // a dot in a folder is no extension
        {"notes.", native("/home/u/notes.")},
        {"/abs/file", "/abs/file.temura"},  // absolute names are kept as typed
        {"C:\\Data\\look", "C:\\Data\\look.temura"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(settingsFilePath(c.typed, "/home/u"), c.path) << '"' << c.typed << '"';
    }
}

// Names and folders are UTF-8; none of their letters may be lost or recoded on the way.
TEST(SaveRules, LettersOutsideAsciiSurvive) {
    const struct {
        const char* typed;
        const char* folder;
        std::string path;
    } cases[] = {
        {"Zażółć gęślą jaźń", "/home/u", native("/home/u/Zażółć gęślą jaźń.temura")},
        {"時計", "/home/Ωμέγα", native("/home/Ωμέγα/時計.temura")},
        {"ü/\xF0\x9F\x95\x90.cfg", "/home/u", native("/home/u/ü/\xF0\x9F\x95\x90.cfg")},
        {"łódź", "/home/żaneta/sub/..", native("/home/żaneta/łódź.temura")},
        {"/zegary/łódź", "/home/u", "/zegary/łódź.temura"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(settingsFilePath(c.typed, c.folder), c.path) << '"' << c.typed << '"';
    }
}

TEST(SaveRules, QuestionAndStatusTexts) {
    EXPECT_EQ(overwriteQuestion("/a/b.temura", true),
              "File \"/a/b.temura\" already exist !\r\nDo you wish to overwrite it?");
    EXPECT_EQ(overwriteQuestion("/a/b.temura", false),
              "Plik \"/a/b.temura\" już istnieje !\r\nCzy chcesz go nadpisać?");
    EXPECT_EQ(saveStatusText(SaveOutcome::Saved, false), "Plik zapisany !");
    EXPECT_EQ(saveStatusText(SaveOutcome::Failed, true), "Cannot save file !");
    EXPECT_EQ(saveStatusText(SaveOutcome::Cancelled, false), "Operacja anulowana !");
    EXPECT_EQ(settingsFileFilter(false), "Pliki Temura (*.Temura)|*.temura");
    EXPECT_EQ(saveTexts(false).chTimer, "Zegara\\Stopera");
    EXPECT_EQ(saveTexts(true).lblOtherInfo1, "(transparency, stopwatch buttons,");
}

}  // namespace
}  // namespace temura
