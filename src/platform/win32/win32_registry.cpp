#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <climits>
#include <utility>

#include "platform/win32/wide_text.h"

namespace temura {

namespace {

using win32::narrow;
using win32::widen;

HKEY rootKey(RegRoot root) {
    switch (root) {
        case RegRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
    }
    return HKEY_CURRENT_USER;
}

// An open key, closed when it goes out of scope.
class Key {
  public:
    Key() = default;
    Key(Key&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    Key& operator=(Key&&) = delete;
    ~Key() {
        if (m_key != nullptr) RegCloseKey(m_key);
    }

    static Key open(RegRoot root, const std::string& path, REGSAM access) {
        Key k;
        if (RegOpenKeyExW(rootKey(root), widen(path).c_str(), 0, access, &k.m_key) !=
            ERROR_SUCCESS) {
            k.m_key = nullptr;
        }
        return k;
    }
    static Key create(RegRoot root, const std::string& path) {
        Key k;
        if (RegCreateKeyExW(rootKey(root), widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE, nullptr, &k.m_key, nullptr) != ERROR_SUCCESS) {
            k.m_key = nullptr;
        }
        return k;
    }

    explicit operator bool() const { return m_key != nullptr; }
    HKEY get() const { return m_key; }

  private:
    HKEY m_key = nullptr;
};

// The value's type and raw bytes; nothing when the key or the value is missing. Loops because a
// value can grow between asking its size and reading it.
std::optional<std::pair<DWORD, std::vector<BYTE>>> queryValue(RegRoot root, const std::string& key,
                                                              const std::string& name) {
    const Key k = Key::open(root, key, KEY_QUERY_VALUE);
    if (!k) return std::nullopt;
    const std::wstring wname = widen(name);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (RegQueryValueExW(k.get(), wname.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::vector<BYTE> data(size);
        DWORD got = size;
        const LONG rc = RegQueryValueExW(k.get(), wname.c_str(), nullptr, &type,
                                         data.empty() ? nullptr : data.data(), &got);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS) return std::nullopt;
        data.resize(got);
        return std::make_pair(type, std::move(data));
    }
    return std::nullopt;
}

bool setValue(RegRoot root, const std::string& key, const std::string& name, DWORD type,
              const BYTE* data, std::size_t size) {
    if (size > UINT_MAX) return false;
    const Key k = Key::create(root, key);
    return k && RegSetValueExW(k.get(), widen(name).c_str(), 0, type, data,
                               static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

}  // namespace

bool Win32Registry::keyExists(RegRoot root, const std::string& key) const {
    return static_cast<bool>(Key::open(root, key, KEY_READ));
}

bool Win32Registry::createKey(RegRoot root, const std::string& key) {
    return static_cast<bool>(Key::create(root, key));
}

std::vector<std::string> Win32Registry::subKeys(RegRoot root, const std::string& key) const {
    std::vector<std::string> names;
    const Key k = Key::open(root, key, KEY_ENUMERATE_SUB_KEYS);
    if (!k) return names;
    // Key names are at most 255 characters.
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        const LONG rc =
            RegEnumKeyExW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS) continue;
        names.push_back(narrow(std::wstring(name, length)));
    }
    return names;
}

bool Win32Registry::deleteKey(RegRoot root, const std::string& key) {
    if (key.empty()) return false;
    RegDeleteTreeW(rootKey(root), widen(key).c_str());
    return !keyExists(root, key);
}

bool Win32Registry::deleteValue(RegRoot root, const std::string& key, const std::string& name) {
    const Key k = Key::open(root, key, KEY_SET_VALUE);
    if (!k) return !keyExists(root, key);
    const LSTATUS rc = RegDeleteValueW(k.get(), widen(name).c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

RegType Win32Registry::valueType(RegRoot root, const std::string& key,
                                 const std::string& name) const {
    const Key k = Key::open(root, key, KEY_QUERY_VALUE);
    if (!k) return RegType::Missing;
    DWORD type = REG_NONE;
    if (RegQueryValueExW(k.get(), widen(name).c_str(), nullptr, &type, nullptr, nullptr) !=
        ERROR_SUCCESS) {
        return RegType::Missing;
    }
    switch (type) {
        case REG_SZ:
            return RegType::String;
        case REG_DWORD:
            return RegType::DWord;
        case REG_BINARY:
            return RegType::Binary;
        default:
            return RegType::Other;
    }
}

std::optional<std::string> Win32Registry::readString(RegRoot root, const std::string& key,
                                                     const std::string& name) const {
    const auto value = queryValue(root, key, name);
    if (!value || value->first != REG_SZ) return std::nullopt;
    const std::vector<BYTE>& bytes = value->second;
    // The stored terminator is optional and an odd last byte is no character.
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return win32::narrowUpToNul(text.data(), text.size());
}

std::optional<std::int32_t> Win32Registry::readDWord(RegRoot root, const std::string& key,
                                                     const std::string& name) const {
    const auto value = queryValue(root, key, name);
    if (!value || value->first != REG_DWORD || value->second.size() != 4) return std::nullopt;
    const std::vector<BYTE>& b = value->second;
    const std::uint32_t bits = std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) |
                               (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[3]} << 24);
    return static_cast<std::int32_t>(bits);
}

std::optional<std::vector<std::uint8_t>> Win32Registry::readBinary(RegRoot root,
                                                                   const std::string& key,
                                                                   const std::string& name) const {
    auto value = queryValue(root, key, name);
    if (!value || value->first != REG_BINARY) return std::nullopt;
    return std::vector<std::uint8_t>(value->second.begin(), value->second.end());
}

bool Win32Registry::writeString(RegRoot root, const std::string& key, const std::string& name,
                                const std::string& value) {
    const std::wstring wide = widen(value);
    // The terminating NUL is part of a REG_SZ value's data.
    return setValue(root, key, name, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                    (wide.size() + 1) * sizeof(wchar_t));
}

bool Win32Registry::writeDWord(RegRoot root, const std::string& key, const std::string& name,
                               std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const BYTE data[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8),
                          static_cast<BYTE>(bits >> 16), static_cast<BYTE>(bits >> 24)};
    return setValue(root, key, name, REG_DWORD, data, sizeof data);
}

bool Win32Registry::writeBinary(RegRoot root, const std::string& key, const std::string& name,
                                const std::vector<std::uint8_t>& value) {
    return setValue(root, key, name, REG_BINARY, value.data(), value.size());
}

}  // namespace temura
