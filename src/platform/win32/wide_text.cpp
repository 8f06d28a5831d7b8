#include "platform/win32/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace temura::win32 {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX) return {};
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), needed);
    return out;
}

std::string narrow(const std::wstring& utf16) {
    if (utf16.empty() || utf16.size() > INT_MAX) return {};
    const int length = static_cast<int>(utf16.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

std::string narrowUpToNul(const wchar_t* text, std::size_t capacity) {
    if (text == nullptr) return {};
    const wchar_t* end = std::find(text, text + capacity, L'\0');
    return narrow(std::wstring(text, end));
}

std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string folderOf(const std::string& path) {
    const std::string native = nativePath(path);
    const std::size_t slash = native.find_last_of('\\');
    if (slash == std::string::npos) return {};
    // "C:\temura.exe" lives in "C:\", whose backslash is part of the name.
    if (slash == 2 && native[1] == ':') return native.substr(0, 3);
    return native.substr(0, slash);
}

}  // namespace temura::win32
