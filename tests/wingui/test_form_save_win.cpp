// The Windows save-settings window driven by its buttons (BM_CLICK), its keys and the clock's
// commands, read back from its controls and the files it writes.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "clock/zone_arithmetic.h"
#include "platform/win32/win32_files.h"
#include "support/test_home.h"
#include "ui/save_rules.h"
#include "wingui/fake_win_prompts.h"
#include "wingui/form_save.h"
#include "wingui/win_clock_window.h"
#include "zones/world_line.h"

namespace temura::test {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << bytes;
}

void pressKey(WORD key) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

// Notes whether the clock was kept down while the file dialog was open.
class RecordingPrompts : public FakeWinPrompts {
  public:
    explicit RecordingPrompts(const ClockState& state) : m_state(state) {}
    std::vector<bool> dialogOpenFlags;
    std::string lastFilter;
    std::string saveFileName(HWND owner, const std::string& start, const std::string& filter,
                             const std::string& extension) override {
        dialogOpenFlags.push_back(m_state.FileDialogOpen);
        lastFilter = filter;
        return FakeWinPrompts::saveFileName(owner, start, filter, extension);
    }

  private:
    const ClockState& m_state;
};

class WinSaveTest : public ::testing::Test, public ClockWindow {
  protected:
    std::string dir = win32::nativePath(makeTempDir("save"));
    Win32Files winFiles{dir};
    RecordingPrompts prompts{state};
    std::unique_ptr<wingui::TFormSave> save;
    std::wstring oldCurrent;

    void SetUp() override {
        wchar_t buffer[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, buffer);
        oldCurrent = buffer;
        SetCurrentDirectoryW(win32::widen(dir).c_str());
        files = &winFiles;
        state.SaveOverwritePrompt = true;
        make();
        save = std::make_unique<wingui::TFormSave>(*form, winFiles, prompts, dir);
        save->open();
        pump(form.get());
    }
    void TearDown() override {
        save.reset();
        form.reset();
        pump(nullptr);
        SetCurrentDirectoryW(oldCurrent.c_str());
    }

    static std::string textOf(HWND h) {
        wchar_t buffer[1024] = {};
        GetWindowTextW(h, buffer, 1024);
        return win32::narrow(buffer);
    }
    static bool isChecked(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void click(HWND h) {
        SendMessageW(h, BM_CLICK, 0, 0);
        pump(form.get());
    }
    void saveAs(const std::string& name) {
        SetWindowTextW(save->edFileName, win32::widen(name).c_str());
        click(save->btnSave);
    }
    std::string status() const { return textOf(save->lblStatus); }
    void takeZoneIntoUse() {
        applyZone(state, clock, ZoneSelection{"Tokyo", 540, 0, 0, 0, 0});
        form->showZoneChanged();
    }
};

TEST_F(WinSaveTest, EveryCaptionFollowsTheLanguage) {
    for (const bool english : {true, false}) {
        if (state.English != english) command(Command::ChangeLanguage);
        const SaveTexts t = saveTexts(english);
        const struct {
            HWND control;
            const std::string& text;
        } cases[] = {
            {save->hwnd(), t.caption},
            {save->lblInfo, t.lblInfo},
            {save->chMode, t.chMode},
            {save->chPosition, t.chPosition},
            {save->chTimer, t.chTimer},
            {save->chDate, t.chDate},
            {save->chTZLabel, t.chTZLabel},
            {save->chBgColor, t.chBgColor},
            {save->chOther, t.chOther},
            {save->lblOtherInfo1, t.lblOtherInfo1},
            {save->lblOtherInfo2, t.lblOtherInfo2},
            {save->chTZ, t.chTZ},
            {save->chWorld, t.chWorld},
            {save->SpeedButton1, t.actSelectAll},
            {save->SpeedButton2, t.actUnselectAll},
            {save->chOverwritePrompt, t.chOverwritePrompt},
            {save->lblFileName, t.lblFileName},
            {save->btnBrowse, t.actBrowse},
            {save->btnSave, t.actSave},
            {save->btnCancel, t.actCancel},
        };
        for (const auto& c : cases) EXPECT_EQ(textOf(c.control), c.text) << english;
    }
}

TEST_F(WinSaveTest, NamesBecomePathsInTheCurrentFolder) {
    const struct {
        const char* typed;
        const char* file;
    } cases[] = {
        {"settings", "settings.temura"},
        {"  my.cfg ", "my.cfg"},
    };
    for (const auto& c : cases) {
        saveAs(c.typed);
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(dir + "\\" + c.file)))
            << c.typed;
        EXPECT_EQ(status(), "File saved !");
    }
    EXPECT_NE(readFile(dir + "\\settings.temura").find("[SETTINGS]\r\nMode=0\r\n"),
              std::string::npos);
    writeFile(dir + "\\settings.temura", "old");
    saveAs("   ");  // a blank name does nothing at all
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(readFile(dir + "\\settings.temura"), "old");
}

TEST_F(WinSaveTest, AsksBeforeWritingOverAFileUnlessToldNotTo) {
    const std::string path = dir + "\\old.temura";
    const std::string old = "[Other]\r\nkeep=1\r\n";
    const struct {
        bool english;
        bool answer;
        const char* question;
        const char* status;
        bool written;
    } cases[] = {
        {true, false, "File \"%\" already exist !\r\nDo you wish to overwrite it?",
         "Operation cancelled !", false},
        {false, true, "Plik \"%\" już istnieje !\r\nCzy chcesz go nadpisać?", "Plik zapisany !",
         true},
    };
    for (const auto& c : cases) {
        writeFile(path, old);
        if (state.English != c.english) command(Command::ChangeLanguage);
        prompts.questions.clear();
        prompts.yesNoAnswers = {c.answer};
        saveAs("old");
        ASSERT_EQ(prompts.questions.size(), 1u);
        std::string expected = c.question;
        expected.replace(expected.find('%'), 1, path);
        EXPECT_EQ(prompts.questions[0].title, "Temura");
        EXPECT_EQ(prompts.questions[0].text, expected);
        EXPECT_EQ(prompts.questions[0].english, c.english);
        EXPECT_EQ(status(), c.status);
        EXPECT_EQ(readFile(path) != old, c.written) << c.question;
    }

    // Clearing the box clears the stored setting, and no question comes.
    writeFile(path, old);
    click(save->chOverwritePrompt);
    EXPECT_FALSE(state.SaveOverwritePrompt);
    click(save->SpeedButton2);  // unselect all
    click(save->chBgColor);
    prompts.questions.clear();
    saveAs("old");
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(readFile(path), old + "[SETTINGS]\r\nBgColor=0\r\n");
}

TEST_F(WinSaveTest, ZoneGroupIsOfferedOnlyWhileAZoneIsInUse) {
    EXPECT_FALSE(IsWindowEnabled(save->chTZ));
    click(save->SpeedButton2);
    EXPECT_TRUE(isChecked(save->chTZ));  // greyed out: Unselect all leaves it
    EXPECT_FALSE(isChecked(save->chMode));
    click(save->SpeedButton1);
    EXPECT_TRUE(isChecked(save->chMode));
    EXPECT_FALSE(save->groups().tz);

    takeZoneIntoUse();  // while the window is open
    EXPECT_TRUE(IsWindowEnabled(save->chTZ));
    saveAs("zone");
    EXPECT_NE(readFile(dir + "\\zone.temura").find("UseTZ=1\r\nTZName=Tokyo\r\n"),
              std::string::npos);

    command(Command::DefaultTimeZone);
    EXPECT_FALSE(IsWindowEnabled(save->chTZ));
}

TEST_F(WinSaveTest, WorldGroupIsTickedAlwaysOfferedAndWritesTheLines) {
    EXPECT_TRUE(isChecked(save->chWorld));
    EXPECT_TRUE(IsWindowEnabled(save->chWorld));  // with no zone in use too
    WorldLine tokyo;
    tokyo.Bias = -540;
    tokyo.Name = "Tokyo";
    state.WorldLines = {tokyo};
    saveAs("with");
    EXPECT_NE(readFile(dir + "\\with.temura").find("World1=-540;"), std::string::npos);
    click(save->chWorld);
    EXPECT_FALSE(save->groups().world);
    saveAs("without");
    EXPECT_EQ(readFile(dir + "\\without.temura").find("World"), std::string::npos);
}

TEST_F(WinSaveTest, StatusClearsAfterTheFirstOfTwoQuickSaves) {
    constexpr UINT interval = 600;
    save->setStatusInterval(interval);
    saveAs("one");
    const DWORD first = GetTickCount();
    pump(form.get(), 200);
    saveAs("missing-folder\\two");
    const DWORD second = GetTickCount();
    EXPECT_EQ(status(), "Cannot save file !");
    while (!status().empty() && GetTickCount() - first < 3 * interval) pump(form.get(), 10);
    EXPECT_EQ(status(), "");
    // Cleared on the first save's schedule: the second did not start the count again.
    EXPECT_LT(GetTickCount() - second, interval);
    EXPECT_FALSE(save->statusTimerRunning());

    command(Command::ChangeLanguage);  // Polish
    saveAs("missing-folder\\three");
    EXPECT_EQ(status(), "Wystąpił błąd przy zapisywaniu !");
    pump(form.get(), interval + 200);
    EXPECT_EQ(status(), "");
}

TEST_F(WinSaveTest, BrowseAndLoadedFilesGiveTheDefaultName) {
    const std::string picked = dir + "\\picked.temura";
    prompts.fileAnswers = {picked};
    click(save->btnBrowse);
    EXPECT_EQ(prompts.dialogOpenFlags, std::vector<bool>{true});
    EXPECT_FALSE(state.FileDialogOpen);
    EXPECT_EQ(prompts.fileStarts.back(), dir);  // a blank box starts in the given folder
    EXPECT_EQ(prompts.lastFilter, "Temura files (*.TEMURA)|*.temura");
    EXPECT_EQ(textOf(save->edFileName), picked);

    click(save->btnBrowse);  // cancelled: the name stays, and the dialog started on it
    EXPECT_EQ(prompts.fileStarts.back(), picked);
    EXPECT_EQ(textOf(save->edFileName), picked);
    EXPECT_FALSE(state.FileDialogOpen);

    const std::string loaded = dir + "\\loaded.temura";
    writeFile(loaded, "[SETTINGS]\r\nMode=3\r\n");
    form->loadSettings(loaded);
    save->open();  // the box is not blank: it keeps its name
    EXPECT_EQ(textOf(save->edFileName), picked);
    SetWindowTextW(save->edFileName, L"  ");
    save->open();
    EXPECT_EQ(textOf(save->edFileName), loaded);
}

TEST_F(WinSaveTest, EnterSavesEscAndCancelClose) {
    SetWindowTextW(save->edFileName, L"keyed");
    SetForegroundWindow(save->hwnd());
    SetFocus(save->edFileName);
    pump(form.get(), 100);
    pressKey(VK_RETURN);
    pump(form.get(), 150);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(dir + "\\keyed.temura")));
    EXPECT_TRUE(save->visible());  // it stays open after a save

    pressKey(VK_ESCAPE);
    pump(form.get(), 150);
    EXPECT_FALSE(save->visible());
    save->open();
    pump(form.get());
    click(save->btnCancel);
    EXPECT_FALSE(save->visible());
}

TEST_F(WinSaveTest, WideningGrowsTheNameBoxOnly) {
    MINMAXINFO mm{};
    SendMessageW(save->hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
    RECT window;
    GetWindowRect(save->hwnd(), &window);
    EXPECT_GE(mm.ptMinTrackSize.x, 350);
    EXPECT_EQ(mm.ptMinTrackSize.y, window.bottom - window.top);
    EXPECT_EQ(mm.ptMaxTrackSize.y, window.bottom - window.top);

    const HWND controls[] = {save->edFileName, save->btnBrowse, save->btnSave, save->btnCancel,
                             save->chTZ};
    std::vector<RECT> before(std::size(controls));
    for (std::size_t i = 0; i < before.size(); ++i) GetWindowRect(controls[i], &before[i]);
    SetWindowPos(save->hwnd(), nullptr, 0, 0, window.right - window.left + 100,
                 window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER);
    // {left, right} moved by: the name box stretches, the buttons follow the edge, groups stay.
    const POINT moved[] = {{0, 100}, {100, 100}, {100, 100}, {100, 100}, {0, 0}};
    for (std::size_t i = 0; i < before.size(); ++i) {
        RECT r;
        GetWindowRect(controls[i], &r);
        EXPECT_EQ(r.left - before[i].left, moved[i].x) << i;
        EXPECT_EQ(r.right - before[i].right, moved[i].y) << i;
    }
}

}  // namespace
}  // namespace temura::test
