#include "wingui/win_prompts.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace temura::wingui {

namespace {

// The box being made by this thread and the captions its buttons take. One box at a time:
// message boxes are modal to their thread.
thread_local HHOOK t_hook = nullptr;
thread_local BoxButtonTexts t_texts{};

LRESULT CALLBACK renameButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        if (HWND b = GetDlgItem(box, IDYES)) SetWindowTextW(b, t_texts.yes);
        if (HWND b = GetDlgItem(box, IDNO)) SetWindowTextW(b, t_texts.no);
        if (HWND b = GetDlgItem(box, IDOK)) SetWindowTextW(b, t_texts.ok);
        UnhookWindowsHookEx(t_hook);
        t_hook = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int messageBox(HWND owner, const std::string& title, const std::string& text, UINT type,
               bool english) {
    t_texts = boxButtonTexts(english);
    t_hook = SetWindowsHookExW(WH_CBT, &renameButtons, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(owner, win32::widen(text).c_str(), win32::widen(title).c_str(),
                                   type | MB_SETFOREGROUND);
    if (t_hook) {  // the box never showed
        UnhookWindowsHookEx(t_hook);
        t_hook = nullptr;
    }
    return answer;
}

std::string runFileDialog(HWND owner, const std::string& start, const std::string& filter,
                          const std::string& extension, bool save) {
    const std::wstring filters = commonDialogFilter(filter);
    const std::wstring ext = win32::widen(extension);
    std::wstring startW = win32::widen(start);
    std::vector<wchar_t> name(32768, L'\0');
    std::wstring folder;
    const DWORD attributes = GetFileAttributesW(startW.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        folder = startW;
    } else if (!startW.empty()) {
        // A start that names a file opens its folder with the name filled in.
        const std::size_t slash = startW.find_last_of(L"\\/");
        if (slash != std::wstring::npos) folder = startW.substr(0, slash);
        const std::wstring file = slash == std::wstring::npos ? startW : startW.substr(slash + 1);
        std::copy(file.begin(), file.end(), name.begin());
    }
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    // The save dialog asks no overwrite question of its own: the caller decides.
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                (save ? OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    return ok ? win32::narrow(name.data()) : std::string();
}

}  // namespace

BoxButtonTexts boxButtonTexts(bool english) {
    return english ? BoxButtonTexts{L"&Yes", L"&No", L"OK"}
                   : BoxButtonTexts{L"&Tak", L"&Nie", L"OK"};
}

std::wstring commonDialogFilter(const std::string& filter) {
    std::wstring out = win32::widen(filter);
    for (wchar_t& c : out) {
        if (c == L'|') c = L'\0';
    }
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

bool SystemPrompts::askYesNo(HWND owner, const std::string& title, const std::string& text,
                             bool english) {
    return messageBox(owner, title, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, english) ==
           IDYES;
}

void SystemPrompts::tell(HWND owner, const std::string& title, const std::string& text,
                         PromptIcon icon, bool english) {
    const UINT type = icon == PromptIcon::Warning    ? MB_ICONWARNING
                      : icon == PromptIcon::Question ? MB_ICONQUESTION
                                                     : MB_ICONINFORMATION;
    messageBox(owner, title, text, MB_OK | type, english);
}

std::string SystemPrompts::openFileName(HWND owner, const std::string& start,
                                        const std::string& filter, const std::string& extension) {
    return runFileDialog(owner, start, filter, extension, false);
}

std::string SystemPrompts::saveFileName(HWND owner, const std::string& start,
                                        const std::string& filter, const std::string& extension) {
    return runFileDialog(owner, start, filter, extension, true);
}

std::optional<Colour> SystemPrompts::chooseColour(HWND owner, Colour initial,
                                                  const std::array<Colour, 5>& custom) {
    if (!m_customSet) {
        for (std::size_t i = 0; i < custom.size(); ++i) {
            m_custom[i] = static_cast<COLORREF>(custom[i] & 0xFFFFFF);
        }
        m_customSet = true;
    }
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = static_cast<COLORREF>(initial & 0xFFFFFF);
    cc.lpCustColors = m_custom.data();
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc)) return std::nullopt;
    return static_cast<Colour>(cc.rgbResult);
}

}  // namespace temura::wingui
