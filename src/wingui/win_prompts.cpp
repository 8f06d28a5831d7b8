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

// The text box's dialog, laid out in dialog units and built in memory: the system has no such
// box of its own.
constexpr WORD kTextEditId = 100;
constexpr int kTextMaxLength = 255;

class DialogTemplate {
  public:
    DialogTemplate(const std::wstring& title, short cx, short cy, WORD items) {
        const DWORD style =
            DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        dword(style);
        dword(0);  // extended style
        word(items);
        for (short v : {short{0}, short{0}, cx, cy}) word(static_cast<WORD>(v));
        word(0);  // no menu
        word(0);  // the standard class
        text(title);
        word(8);
        text(L"MS Shell Dlg");
    }
    // `cls` is the predefined class's atom: 0x80 button, 0x81 edit, 0x82 static.
    void item(WORD cls, const std::wstring& caption, DWORD style, short x, short y, short cx,
              short cy, WORD id) {
        while (m_words.size() % 2 != 0) word(0);  // each item starts on a DWORD
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        for (short v : {x, y, cx, cy}) word(static_cast<WORD>(v));
        word(id);
        word(0xFFFF);
        word(cls);
        text(caption);
        word(0);  // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

  private:
    void word(WORD w) { m_words.push_back(w); }
    void dword(DWORD d) {
        word(LOWORD(d));
        word(HIWORD(d));
    }
    void text(const std::wstring& t) {
        for (wchar_t c : t) word(static_cast<WORD>(c));
        word(0);
    }
    std::vector<WORD> m_words;
};

struct TextBoxData {
    std::wstring initial;
    std::wstring typed;
};

INT_PTR CALLBACK textBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(box, DWLP_USER, lParam);
            const auto* data = reinterpret_cast<const TextBoxData*>(lParam);
            const HWND edit = GetDlgItem(box, kTextEditId);
            SendMessageW(edit, EM_LIMITTEXT, kTextMaxLength, 0);
            SetWindowTextW(edit, data->initial.c_str());
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* data = reinterpret_cast<TextBoxData*>(GetWindowLongPtrW(box, DWLP_USER));
                std::vector<wchar_t> buffer(kTextMaxLength + 1, L'\0');
                GetDlgItemTextW(box, kTextEditId, buffer.data(), kTextMaxLength + 1);
                data->typed = buffer.data();
                EndDialog(box, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(box, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

BoxButtonTexts boxButtonTexts(bool english) {
    return english ? BoxButtonTexts{L"&Yes", L"&No", L"OK", L"Cancel"}
                   : BoxButtonTexts{L"&Tak", L"&Nie", L"OK", L"Anuluj"};
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

std::optional<std::string> SystemPrompts::askText(HWND owner, const std::string& title,
                                                  const std::string& label,
                                                  const std::string& initial, bool english) {
    const BoxButtonTexts buttons = boxButtonTexts(english);
    DialogTemplate t(win32::widen(title), 200, 62, 4);
    t.item(0x82, win32::widen(label), SS_LEFT | SS_NOPREFIX, 7, 7, 186, 9, 0xFFFF);
    t.item(0x81, L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 19, 186, 12, kTextEditId);
    t.item(0x80, buttons.ok, WS_TABSTOP | BS_DEFPUSHBUTTON, 89, 40, 50, 14, IDOK);
    t.item(0x80, buttons.cancel, WS_TABSTOP | BS_PUSHBUTTON, 143, 40, 50, 14, IDCANCEL);
    TextBoxData data{win32::widen(initial), {}};
    const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), owner,
                                                   &textBoxProc, reinterpret_cast<LPARAM>(&data));
    if (answer != IDOK) return std::nullopt;
    return win32::narrow(data.typed);
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
