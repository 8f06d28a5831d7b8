#pragma once

#include <cstddef>
#include <string>

namespace temura::win32 {

// The program's texts are UTF-8; Win32's wide functions take UTF-16. Bytes that are not UTF-8
// become U+FFFD rather than failing the call they are part of.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);
// A fixed-size WCHAR field (a zone name in TIME_ZONE_INFORMATION, a registry string): the text up
// to its first NUL, or all `capacity` characters when it holds none.
std::string narrowUpToNul(const wchar_t* text, std::size_t capacity);

// A path as Win32 and the shell expect it: "\" between parts. Qt hands out "/".
std::string nativePath(std::string path);
// The folder part of a path, without a trailing "\" (empty when the path has no folder part).
std::string folderOf(const std::string& path);

}  // namespace temura::win32
