#include <gtest/gtest.h>

#include "dialogs/save_rules.h"

namespace temura {
namespace {

TEST(SaveRules, TypedNamesBecomeSettingsFilePaths) {
    const struct {
        const char* typed;
        const char* path;
    } cases[] = {
        {"settings", "/home/u/settings.temura"},
        {"my.cfg", "/home/u/my.cfg"},
        {" \tspaced name  ", "/home/u/spaced name.temura"},
        {"../up", "/home/up.temura"},
        {"sub.d/plain", "/home/u/sub.d/plain.temura"},  // a dot in a folder is no extension
        {"notes.", "/home/u/notes."},
        {"/abs/file", "/abs/file.temura"},
        {"C:\\Data\\look", "C:\\Data\\look.temura"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(settingsFilePath(c.typed, "/home/u"), c.path) << '"' << c.typed << '"';
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
