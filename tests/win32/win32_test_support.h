#pragma once

#include <windows.h>

#include <string>

#include "platform/registry.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_registry.h"

namespace temura::test {

// Every key the tests make lives under this one, in the private Wine prefix's HKCU.
inline constexpr char kScratchRoot[] = "Software\\Temura Tests";

// A key of its own for one test: removed before (a crashed run may have left it) and after.
class ScratchKey {
  public:
    explicit ScratchKey(const std::string& name, RegRoot root = RegRoot::CurrentUser)
        : m_root(root), m_path(std::string(kScratchRoot) + "\\" + name) {
        m_registry.deleteKey(m_root, m_path);
    }
    ~ScratchKey() { m_registry.deleteKey(m_root, m_path); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& sub) const { return m_path + "\\" + sub; }

  private:
    Win32Registry m_registry;
    RegRoot m_root;
    std::string m_path;
};

// A value written with RegSetValueExW as it stands, for types and layouts the store never writes.
inline bool writeRawValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                          const void* data, DWORD size) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(root, win32::widen(key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG rc = RegSetValueExW(k, win32::widen(name).c_str(), 0, type,
                                   static_cast<const BYTE*>(data), size);
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

inline DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(win32::widen(path).c_str());
}

inline bool isFile(const std::string& path) {
    const DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Letters from outside every single-byte code page, so that an ANSI call anywhere shows.
inline constexpr char kNonAscii[] = "Zażółć gęślą jaźń Ωμέγα 時計";

}  // namespace temura::test
