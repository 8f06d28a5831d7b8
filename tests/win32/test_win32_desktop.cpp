#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_desktop.h"

namespace temura {
namespace {

// Windows of the three taskbar classes, made by the test where it wants them.
class FakeTaskbar {
  public:
    FakeTaskbar() {
        for (const wchar_t* name : {L"Shell_TrayWnd", L"TrayNotifyWnd", L"TrayClockWClass"}) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = name;
            RegisterClassExW(&wc);
        }
    }
    ~FakeTaskbar() {
        if (bar != nullptr) DestroyWindow(bar);
    }
    FakeTaskbar(const FakeTaskbar&) = delete;
    FakeTaskbar& operator=(const FakeTaskbar&) = delete;

    // Borderless, so client and window rectangles agree and the expected figures are plain sums.
    bool make(RECT barRect, std::optional<RECT> notifyRect, std::optional<RECT> clockRect) {
        bar =
            CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, barRect.left,
                            barRect.top, barRect.right - barRect.left, barRect.bottom - barRect.top,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (bar == nullptr) return false;
        if (notifyRect) notify = child(L"TrayNotifyWnd", bar, *notifyRect);
        if (notify != nullptr && clockRect) clock = child(L"TrayClockWClass", notify, *clockRect);
        return true;
    }

    HWND bar = nullptr;
    HWND notify = nullptr;
    HWND clock = nullptr;

  private:
    static HWND child(const wchar_t* cls, HWND parent, RECT r) {
        return CreateWindowExW(0, cls, L"", WS_CHILD, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
    }
};

TEST(Win32Desktop, TheClockGoesOverTheTaskbarClock) {
    FakeTaskbar taskbar;
    // A taskbar along the bottom of an 800x600 screen; the notification area at its right end.
    if (!taskbar.make({0, 560, 800, 600}, RECT{650, 2, 797, 38}, RECT{80, 4, 140, 32})) {
        GTEST_SKIP() << "no desktop to make a top-level window on (run under xvfb-run)";
    }
    ASSERT_NE(taskbar.clock, nullptr);
    // x = 0 + 650 + 147 div 2 - 120 div 2 = 663; y = 560 + 2 + 4 + 41 div 2 = 586.
    const auto at = taskbarClockPositionFrom(taskbar.bar, 120, 41);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->x, 663);
    EXPECT_EQ(at->y, 586);
    // Divisions truncate toward zero, also for a form wider than the area.
    const auto wide = taskbarClockPositionFrom(taskbar.bar, 1301, 1);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->x, 650 + 73 - 650);
    EXPECT_EQ(wide->y, 566);
}

TEST(Win32Desktop, AMissingTaskbarWindowMeansNoPosition) {
    EXPECT_FALSE(taskbarClockPositionFrom(nullptr, 100, 20));
    {
        FakeTaskbar noArea;
        if (!noArea.make({0, 560, 800, 600}, std::nullopt, std::nullopt)) {
            GTEST_SKIP() << "no desktop to make a top-level window on (run under xvfb-run)";
        }
        EXPECT_FALSE(taskbarClockPositionFrom(noArea.bar, 100, 20));
    }
    FakeTaskbar noClock;
    ASSERT_TRUE(noClock.make({0, 560, 800, 600}, RECT{650, 2, 797, 38}, std::nullopt));
    EXPECT_FALSE(taskbarClockPositionFrom(noClock.bar, 100, 20));
    // A window that is gone by the time it is asked.
    const HWND gone = noClock.bar;
    DestroyWindow(noClock.bar);
    noClock.bar = nullptr;
    EXPECT_FALSE(taskbarClockPositionFrom(gone, 100, 20));
}

TEST(WideText, PathsGetBackslashesAndFolders) {
    EXPECT_EQ(win32::nativePath("C:/Program Files/Temura/temura.exe"),
              "C:\\Program Files\\Temura\\temura.exe");
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\Program Files\\Temura\\temura.exe", "C:\\Program Files\\Temura"},
        {"C:/Temura/temura.exe", "C:\\Temura"},
        {"C:\\temura.exe", "C:\\"},
        {"\\\\server\\share\\temura.exe", "\\\\server\\share"},
        {"temura.exe", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(win32::folderOf(c.path), c.folder) << c.path;
}

}  // namespace
}  // namespace temura
