// The real message boxes and text box: their buttons speak the program's language.

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/wide_text.h"
#include "wingui/win_prompts.h"

namespace temura::test {
namespace {

constexpr wchar_t kTitle[] = L"Temura prompt test";

// What the box showed, read from a timer that the box's own message loop runs.
struct Seen {
    std::string yes;
    std::string no;
    int press = IDNO;
    bool found = false;
    int tries = 0;
};
Seen g_seen;

std::string buttonText(HWND box, int id) {
    wchar_t buffer[64] = {};
    GetWindowTextW(GetDlgItem(box, id), buffer, 64);
    std::string s = win32::narrow(buffer);
    std::erase(s, '&');  // the access key's mark, where the system keeps it
    return s;
}

// The box the test opened, once it is there; the timer ends then. A box that never turns up
// must not hang the run: after 100 tries WM_QUIT ends its loop.
HWND takeBox(UINT_PTR timer, int& tries) {
    const HWND box = FindWindowW(L"#32770", kTitle);
    if (box || ++tries == 100) KillTimer(nullptr, timer);
    if (!box && tries == 100) PostQuitMessage(0);
    return box;
}

void CALLBACK answerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = takeBox(timer, g_seen.tries);
    if (!box) return;
    g_seen.found = true;
    g_seen.yes = buttonText(box, IDYES);
    g_seen.no = buttonText(box, IDNO);
    SendMessageW(GetDlgItem(box, g_seen.press), BM_CLICK, 0, 0);
}

TEST(WinPromptsTest, QuestionButtonsSpeakTheProgramsLanguage) {
    const struct {
        bool english;
        int press;
        const char* yes;
        const char* no;
    } cases[] = {
        {false, IDNO, "Tak", "Nie"},
        {true, IDNO, "Yes", "No"},
        {false, IDYES, "Tak", "Nie"},
    };
    wingui::SystemPrompts prompts;
    for (const auto& c : cases) {
        g_seen = Seen{};
        g_seen.press = c.press;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &answerBox);
        const bool answer =
            prompts.askYesNo(nullptr, win32::narrow(kTitle), "Overwrite?", c.english);
        KillTimer(nullptr, timer);
        ASSERT_TRUE(g_seen.found) << c.english;
        EXPECT_EQ(g_seen.yes, c.yes);
        EXPECT_EQ(g_seen.no, c.no);
        EXPECT_EQ(answer, c.press == IDYES);
    }
}

// What the text box showed, and what the "user" typed into it.
struct SeenText {
    std::string label, initial, ok, cancel;
    std::wstring type;
    int press = IDOK;
    bool found = false;
    int tries = 0;
};
SeenText g_text;

std::string windowText(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return win32::narrow(buffer);
}

void CALLBACK answerTextBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = takeBox(timer, g_text.tries);
    if (!box) return;
    g_text.found = true;
    const HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    g_text.label = windowText(FindWindowExW(box, nullptr, L"Static", nullptr));
    g_text.initial = windowText(edit);
    g_text.ok = buttonText(box, IDOK);
    g_text.cancel = buttonText(box, IDCANCEL);
    SetWindowTextW(edit, g_text.type.c_str());
    SendMessageW(GetDlgItem(box, g_text.press), BM_CLICK, 0, 0);
}

TEST(WinPromptsTest, TextBoxShowsItsLabelAndNameAndGivesWhatWasTyped) {
    const struct {
        bool english;
        int press;
        const wchar_t* type;
        std::optional<std::string> answer;
        const char* cancel;
    } cases[] = {
        {false, IDOK, L"Mama \u015awiat", "Mama \u015awiat", "Anuluj"},
        {true, IDCANCEL, L"ignored", std::nullopt, "Cancel"},
        {true, IDOK, L"", "", "Cancel"},
    };
    wingui::SystemPrompts prompts;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.english);
        g_text = SeenText{};
        g_text.press = c.press;
        g_text.type = c.type;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &answerTextBox);
        const auto answer = prompts.askText(nullptr, win32::narrow(kTitle),
                                            "Name on the clock :", "Asia/Tokyo", c.english);
        KillTimer(nullptr, timer);
        ASSERT_TRUE(g_text.found);
        EXPECT_EQ(g_text.label, "Name on the clock :");
        EXPECT_EQ(g_text.initial, "Asia/Tokyo");
        EXPECT_EQ(g_text.ok, "OK");
        EXPECT_EQ(g_text.cancel, c.cancel);
        EXPECT_EQ(answer, c.answer);
    }
}

}  // namespace
}  // namespace temura::test
