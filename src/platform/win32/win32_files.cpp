#include "platform/win32/win32_files.h"

#include <windows.h>

#include <atomic>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"

namespace temura {

namespace {

using win32::nativePath;
using win32::widen;

std::string withoutTrailingSeparator(std::string path) {
    // "C:\" keeps its backslash: without it the name means the drive's current folder.
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/') &&
           !(path.size() == 3 && path[1] == ':')) {
        path.pop_back();
    }
    return path;
}

// A closing wrapper, so that every early return closes the file.
class Handle {
  public:
    explicit Handle(HANDLE h) : m_handle(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    bool close() {
        if (!valid()) return true;
        const bool ok = CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE m_handle;
};

// A name no other writer in this folder picks: process id plus a counter; CREATE_NEW checks the
// rest.
std::wstring uniqueName(const std::string& stem) {
    static std::atomic<unsigned> counter{0};
    return widen(stem + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
}

Handle createExclusive(const std::string& stem, std::wstring& chosen) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        chosen = uniqueName(stem);
        HANDLE h = CreateFileW(chosen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return Handle(h);
    }
    return Handle(INVALID_HANDLE_VALUE);
}

bool writeAll(HANDLE h, const std::string& bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(h, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        left -= written;
    }
    return true;
}

std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(widen(nativePath(path)).c_str());
}

}  // namespace

bool onCdRomDrive(const std::string& path) {
    const std::wstring wide = widen(nativePath(path));
    wchar_t volume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(wide.c_str(), volume, MAX_PATH)) return false;
    return GetDriveTypeW(volume) == DRIVE_CDROM;
}

Win32Files::Win32Files(std::string programFolder)
    : m_programFolder(withoutTrailingSeparator(std::move(programFolder))) {}

std::string Win32Files::programFolder() const {
    return m_programFolder;
}

std::string Win32Files::tempFolder() const {
    wchar_t buffer[MAX_PATH + 2] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH + 1) return m_programFolder;
    return withoutTrailingSeparator(win32::narrow(std::wstring(buffer, length)));
}

bool Win32Files::folderWritable(const std::string& folder) const {
    const DWORD attributes = attributesOf(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return false;
    }
    if (onCdRomDrive(folder)) return false;
    std::wstring probe;
    Handle h = createExclusive(joined(nativePath(folder), ".temura-probe-"), probe);
    if (!h.valid()) return false;
    h.close();
    return DeleteFileW(probe.c_str()) != 0;
}

bool Win32Files::exists(const std::string& path) const {
    return attributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32Files::readBytes(const std::string& path) const {
    // Others may go on writing or even delete the file while it is read.
    Handle h(CreateFileW(widen(nativePath(path)).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid() || GetFileType(h.get()) != FILE_TYPE_DISK) return std::nullopt;
    std::string bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(h.get(), &size) && size.QuadPart > 0) {
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    std::vector<char> buffer(65536);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(h.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) break;
        bytes.append(buffer.data(), got);
    }
    return bytes;
}

bool Win32Files::makeFolders(const std::string& folder) {
    const std::string native = withoutTrailingSeparator(nativePath(folder));
    if (native.empty()) return false;
    // Each missing parent in turn, from the top down. Drive and server names cannot be made and
    // need not be: their failure is left to the check at the end.
    for (std::size_t at = native.find('\\');; at = native.find('\\', at + 1)) {
        const std::string part = at == std::string::npos ? native : native.substr(0, at);
        if (!part.empty() && attributesOf(part) == INVALID_FILE_ATTRIBUTES) {
            CreateDirectoryW(widen(part).c_str(), nullptr);
        }
        if (at == std::string::npos) break;
    }
    const DWORD attributes = attributesOf(native);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32Files::remove(const std::string& path) {
    return DeleteFileW(widen(nativePath(path)).c_str()) != 0;
}

bool Win32Files::clearReadOnly(const std::string& path) {
    return SetFileAttributesW(widen(nativePath(path)).c_str(), FILE_ATTRIBUTE_ARCHIVE) != 0;
}

bool Win32Files::writeAtomically(const std::string& path, const std::string& bytes) {
    const std::string target = nativePath(path);
    const std::size_t slash = target.find_last_of('\\');
    if (target.empty() || target.back() == '\\' || target.back() == ':') return false;
    const DWORD old = attributesOf(target);
    // A folder is not ours to replace; a read-only file stays, as Windows has it (Wine would
    // replace it).
    if (old != INVALID_FILE_ATTRIBUTES &&
        (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return false;
    }

    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::wstring temp;
    Handle h = createExclusive(folder + "." + name + ".tmp-", temp);
    if (!h.valid()) return false;

    bool ok = writeAll(h.get(), bytes) && FlushFileBuffers(h.get()) != 0;
    ok = h.close() && ok;
    ok = ok && MoveFileExW(temp.c_str(), widen(target).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace temura
