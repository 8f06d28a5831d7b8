#include "wingui/form_save.h"

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "ui/save_rules.h"
#include "wingui/form_main.h"

namespace temura::wingui {

namespace {

constexpr wchar_t kClass[] = L"TemuraSave";
// The client area at 96 DPI; the window grows wider if the texts need it.
constexpr int kClientWidth = 382;
constexpr int kClientHeight = 258;
constexpr int kMinWindowWidth = 350;
constexpr int kDefaultWindowWidth = 390;

std::string currentFolder() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring buffer(n, L'\0');
    const DWORD got = GetCurrentDirectoryW(n, buffer.data());
    buffer.resize(got);
    return win32::narrow(buffer);
}

// Clears the flag however the file dialog ends.
class FileDialogOpen {
  public:
    explicit FileDialogOpen(bool& open) : m_open(open) { m_open = true; }
    ~FileDialogOpen() { m_open = false; }
    FileDialogOpen(const FileDialogOpen&) = delete;
    FileDialogOpen& operator=(const FileDialogOpen&) = delete;

  private:
    bool& m_open;
};

}  // namespace

TFormSave::TFormSave(TFormMain& main, Files& files, WinPrompts& prompts, std::string userFolder)
    : DialogWindow(main.hwnd(), kClass, kClientWidth, kClientHeight),
      m_main(main),
      m_files(files),
      m_prompts(prompts),
      m_userFolder(std::move(userFolder)) {
    // Made at their places by layout().
    lblInfo = label("", 0, 0, 0, 0);
    chMode = checkBox("", 0, 0, 0, 0, kMode);
    chPosition = checkBox("", 0, 0, 0, 0, kPosition);
    chTimer = checkBox("", 0, 0, 0, 0, kTimer);
    chDate = checkBox("", 0, 0, 0, 0, kDate);
    chTZLabel = checkBox("", 0, 0, 0, 0, kTZLabel);
    chBgColor = checkBox("", 0, 0, 0, 0, kBgColor);
    chOther = checkBox("", 0, 0, 0, 0, kOther);
    lblOtherInfo1 = label("", 0, 0, 0, 0);
    lblOtherInfo2 = label("", 0, 0, 0, 0);
    chTZ = checkBox("", 0, 0, 0, 0, kTZ);
    chWorld = checkBox("", 0, 0, 0, 0, kWorld);
    SpeedButton1 = button("", 0, 0, 0, 0, kSelectAll);
    SpeedButton2 = button("", 0, 0, 0, 0, kUnselectAll);
    chOverwritePrompt = checkBox("", 0, 0, 0, 0, kOverwritePrompt);
    lblFileName = label("", 0, 0, 0, 0);
    edFileName = edit("", 0, 0, 0, 0, kFileName);
    btnBrowse = button("", 0, 0, 0, 0, kBrowse);
    btnSave = add(L"BUTTON", "", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, kSave);
    btnCancel = button("", 0, 0, 0, 0, kCancel);
    lblStatus = label("", 0, 0, 0, 0);
    for (HWND c : groupBoxes()) setChecked(c, true);
    setChecked(chOverwritePrompt, m_main.state().SaveOverwritePrompt);

    // Wider by hand, never taller: the frame may be dragged sideways only.
    const HWND w = hwnd();
    SetWindowLongPtrW(w, GWL_STYLE, GetWindowLongPtrW(w, GWL_STYLE) | WS_THICKFRAME);
    measure();
    RECT r{0, 0, px(kClientWidth), px(kClientHeight)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE)));
    m_windowHeight = r.bottom - r.top;
    const int frame = (r.right - r.left) - px(kClientWidth);
    m_minWindowWidth = std::max(px(kMinWindowWidth), m_minClientWidth + frame);
    const int width = std::max(px(kDefaultWindowWidth), m_minWindowWidth);
    SetWindowPos(w, nullptr, 0, 0, width, m_windowHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT client;
    GetClientRect(w, &client);
    layout(client.right);
    SetLang();

    // The listeners outlive no window: a destroyed one is skipped.
    const std::weak_ptr<bool> alive = m_alive;
    m_main.onLanguageChanged([this, alive] {
        if (!alive.expired()) SetLang();
    });
    m_main.onZoneChanged([this, alive] {
        if (!alive.expired() && visible()) GetInfo();
    });
    // A zone can also be switched off by Default or a settings file.
    m_main.onSettingsChanged([this, alive] {
        if (!alive.expired()) EnableWindow(chTZ, m_main.state().UseTZ);
    });
    m_main.onSettingsFileLoaded([this, alive](const std::string& path) {
        if (!alive.expired()) setDefaultFileName(path);
    });
    GetInfo();
}

TFormSave::~TFormSave() {
    if (m_timerRunning && hwnd()) KillTimer(hwnd(), kStatusTimer);
}

std::vector<HWND> TFormSave::groupBoxes() const {
    return {chMode, chPosition, chTimer, chDate, chTZLabel, chBgColor, chOther, chTZ, chWorld};
}

void TFormSave::open() {
    GetInfo();
    show();
}

void TFormSave::SetLang() {
    applyTexts(m_main.state().English);
}

void TFormSave::applyTexts(bool english) {
    const SaveTexts t = saveTexts(english);
    setTitle(t.caption);
    setText(lblInfo, t.lblInfo);
    setText(chMode, t.chMode);
    setText(chPosition, t.chPosition);
    setText(chTimer, t.chTimer);
    setText(chDate, t.chDate);
    setText(chTZLabel, t.chTZLabel);
    setText(chBgColor, t.chBgColor);
    setText(chOther, t.chOther);
    setText(lblOtherInfo1, t.lblOtherInfo1);
    setText(lblOtherInfo2, t.lblOtherInfo2);
    setText(chTZ, t.chTZ);
    setText(chWorld, t.chWorld);
    setText(SpeedButton1, t.actSelectAll);
    setText(SpeedButton2, t.actUnselectAll);
    setText(chOverwritePrompt, t.chOverwritePrompt);
    setText(lblFileName, t.lblFileName);
    setText(btnBrowse, t.actBrowse);
    setText(btnSave, t.actSave);
    setText(btnCancel, t.actCancel);
}

void TFormSave::measure() {
    HDC dc = GetDC(hwnd());
    const auto width = [&](const std::string& s) {
        return measureText(dc, font(), win32::widen(s)).width;
    };
    // A check box's square and the gap to its text, with room to spare: the controls' own
    // drawing takes a few pixels more than the measure.
    const int box = GetSystemMetrics(SM_CXMENUCHECK) + px(12);
    const int buttonPad = px(16);
    m_col1 = m_col2 = m_selectWidth = m_overwriteWidth = m_fileLabelWidth = m_buttonWidth = 0;
    m_otherIndent = box;
    for (const bool english : {true, false}) {
        const SaveTexts t = saveTexts(english);
        for (const std::string* s :
             {&t.chMode, &t.chPosition, &t.chTimer, &t.chDate, &t.chTZLabel}) {
            m_col1 = std::max(m_col1, box + width(*s));
        }
        for (const std::string* s : {&t.chBgColor, &t.chOther, &t.chTZ, &t.chWorld}) {
            m_col2 = std::max(m_col2, box + width(*s));
        }
        m_col2 = std::max(
            {m_col2, box + px(4) + width(t.lblOtherInfo1), box + px(4) + width(t.lblOtherInfo2)});
        m_selectWidth = std::max({m_selectWidth, px(90), buttonPad + width(t.actSelectAll),
                                  buttonPad + width(t.actUnselectAll)});
        m_overwriteWidth = std::max(m_overwriteWidth, box + width(t.chOverwritePrompt));
        m_fileLabelWidth = std::max(m_fileLabelWidth, px(4) + width(t.lblFileName));
        m_buttonWidth = std::max({m_buttonWidth, px(75), buttonPad + width(t.actBrowse),
                                  buttonPad + width(t.actSave), buttonPad + width(t.actCancel)});
    }
    ReleaseDC(hwnd(), dc);
    const int sides = 2 * px(14);
    const int groups = px(8) + m_col1 + px(24) + m_col2;
    const int select = 2 * m_selectWidth + px(6) + px(12) + m_overwriteWidth;
    const int name = m_fileLabelWidth + px(6) + px(80) + px(6) + m_buttonWidth;
    m_minClientWidth = sides + std::max({groups, select, name, 2 * m_buttonWidth + px(6)});
}

void TFormSave::layout(int cw) {
    const auto place = [](HWND c, int x, int y, int w, int h) { MoveWindow(c, x, y, w, h, TRUE); };
    const int left = px(14);
    const int right = cw - px(14);
    m_panel = RECT{px(6), px(6), cw - px(6), px(6) + px(229)};
    InvalidateRect(hwnd(), nullptr, TRUE);
    place(lblInfo, left, px(14), right - left, px(14));
    const int col1 = left + px(8);
    const int col2 = col1 + m_col1 + px(24);
    const HWND first[] = {chMode, chPosition, chTimer, chDate, chTZLabel};
    for (int i = 0; i < 5; ++i) place(first[i], col1, px(32 + 18 * i), m_col1, px(16));
    place(chBgColor, col2, px(32), m_col2, px(16));
    place(chOther, col2, px(50), m_col2, px(16));
    place(lblOtherInfo1, col2 + m_otherIndent, px(68), m_col2 - m_otherIndent, px(14));
    place(lblOtherInfo2, col2 + m_otherIndent, px(82), m_col2 - m_otherIndent, px(14));
    place(chTZ, col2, px(104), m_col2, px(16));
    place(chWorld, col2, px(122), m_col2, px(16));

    place(SpeedButton1, left, px(146), m_selectWidth, px(23));
    place(SpeedButton2, left + m_selectWidth + px(6), px(146), m_selectWidth, px(23));
    place(chOverwritePrompt, right - m_overwriteWidth, px(149), m_overwriteWidth, px(16));

    // The name box takes what the window is widened by; the buttons keep to the right edge.
    place(lblFileName, left, px(179), m_fileLabelWidth, px(14));
    const int editX = left + m_fileLabelWidth + px(6);
    const int browseX = right - m_buttonWidth;
    place(edFileName, editX, px(176), browseX - px(6) - editX, px(21));
    place(btnBrowse, browseX, px(175), m_buttonWidth, px(23));
    place(btnCancel, right - m_buttonWidth, px(204), m_buttonWidth, px(23));
    place(btnSave, right - 2 * m_buttonWidth - px(6), px(204), m_buttonWidth, px(23));
    place(lblStatus, px(8), px(240), cw - 2 * px(8), px(14));
}

LRESULT TFormSave::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETMINMAXINFO:
            if (m_windowHeight > 0) {
                auto* mm = reinterpret_cast<MINMAXINFO*>(lParam);
                mm->ptMinTrackSize = POINT{m_minWindowWidth, m_windowHeight};
                mm->ptMaxTrackSize.y = m_windowHeight;
            }
            return 0;
        case WM_SIZE:
            if (m_windowHeight > 0) layout(LOWORD(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kStatusTimer) {
                TimerTimer();
                return 0;
            }
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd(), &ps);
            RECT r = m_panel;
            DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case DM_GETDEFID:
            return MAKELRESULT(kSave, DC_HASDEFID);
        default:
            break;
    }
    return DialogWindow::handle(message, wParam, lParam);
}

void TFormSave::onCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kSelectAll:
            actSelectAllExecute();
            break;
        case kUnselectAll:
            actUnselectAllExecute();
            break;
        case kOverwritePrompt:
            m_main.state().SaveOverwritePrompt = checked(chOverwritePrompt);
            break;
        case kBrowse:
            actBrowseExecute();
            break;
        case kSave:
            actSaveExecute();
            break;
        case kCancel:
            close();
            break;
        default:
            break;
    }
}

void TFormSave::setDefaultFileName(const std::string& path) {
    m_defaultFileName = win32::nativePath(path);
}

void TFormSave::GetInfo() {
    // Blank as Save sees it: nothing but blanks.
    if (settingsFilePath(text(edFileName), "").empty()) setText(edFileName, m_defaultFileName);
    EnableWindow(chTZ, m_main.state().UseTZ);
}

SettingsGroups TFormSave::groups() const {
    SettingsGroups g;
    g.mode = checked(chMode);
    g.position = checked(chPosition);
    g.timer = checked(chTimer);
    g.date = checked(chDate);
    g.tzLabel = checked(chTZLabel);
    g.bgColor = checked(chBgColor);
    g.other = checked(chOther);
    g.tz = checked(chTZ) && IsWindowEnabled(chTZ);
    g.world = checked(chWorld);
    return g;
}

void TFormSave::actSelectAllExecute() {
    for (HWND c : groupBoxes()) {
        if (IsWindowEnabled(c)) setChecked(c, true);
    }
}

void TFormSave::actUnselectAllExecute() {
    for (HWND c : groupBoxes()) {
        if (IsWindowEnabled(c)) setChecked(c, false);
    }
}

void TFormSave::showStatus(const std::string& t) {
    setText(lblStatus, t);
}

void TFormSave::startStatusTimer() {
    // The status clears five seconds after the first of several quick saves.
    if (m_timerRunning) return;
    m_timerRunning = SetTimer(hwnd(), kStatusTimer, m_statusMs, nullptr) != 0;
}

void TFormSave::actSaveExecute() {
    const bool english = m_main.state().English;
    const std::string path = targetPath();
    if (path.empty()) return;
    if (checked(chOverwritePrompt) && m_files.exists(path) &&
        !m_prompts.askYesNo(hwnd(), "Temura", overwriteQuestion(path, english), english)) {
        showStatus(saveStatusText(SaveOutcome::Cancelled, english));
        startStatusTimer();
        return;
    }
    startStatusTimer();
    const bool saved =
        saveSettingsFile(m_files, path, groups(), m_main.state(), m_main.currentLook());
    showStatus(saveStatusText(saved ? SaveOutcome::Saved : SaveOutcome::Failed, english));
}

std::string TFormSave::targetPath() const {
    const std::string path = settingsFilePath(text(edFileName), currentFolder());
    return path.empty() ? path : win32::nativePath(path);
}

void TFormSave::actBrowseExecute() {
    // The dialog opens on the file Save would write, so a name typed or picked before stays.
    const std::string target = targetPath();
    std::string picked;
    {
        const FileDialogOpen flag(m_main.state().FileDialogOpen);
        picked =
            m_prompts.saveFileName(hwnd(), target.empty() ? m_userFolder : target,
                                   settingsFileFilter(m_main.state().English), kSettingsExtension);
    }
    if (picked.empty()) return;
    setDefaultFileName(picked);
    setText(edFileName, m_defaultFileName);
}

void TFormSave::TimerTimer() {
    showStatus("");
    if (m_timerRunning) KillTimer(hwnd(), kStatusTimer);
    m_timerRunning = false;
}

}  // namespace temura::wingui
