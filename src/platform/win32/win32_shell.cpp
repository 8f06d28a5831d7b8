#include "platform/win32/win32_shell.h"

// windows.h first: the COM and shell headers build on it.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <utility>

#include "platform/win32/wide_text.h"

namespace temura {

namespace {

using win32::nativePath;
using win32::widen;

constexpr RegRoot kClasses = RegRoot::ClassesRoot;
constexpr char kExtensionKey[] = ".Temura";
constexpr char kTypeKey[] = "Temura";
constexpr char kOpenCommandKey[] = "Temura\\shell\\open\\command";
constexpr char kIconKey[] = "Temura\\DefaultIcon";
constexpr char kLinkFileName[] = "Temura.lnk";

void associationsChanged() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

// COM for the calling thread for as long as it lives. A thread that already has COM in the
// other threading model keeps it; shell links work in either.
class ComScope {
  public:
    ComScope() {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        m_balance = SUCCEEDED(hr);
        m_usable = m_balance || hr == RPC_E_CHANGED_MODE;
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (m_balance) CoUninitialize();
    }
    bool usable() const { return m_usable; }

  private:
    bool m_balance = false;
    bool m_usable = false;
};

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (m_p != nullptr) m_p->Release();
    }
    T* operator->() const { return m_p; }
    void** out() { return reinterpret_cast<void**>(&m_p); }

  private:
    T* m_p = nullptr;
};

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

bool isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool saveShellLink(const std::string& linkPath, const std::string& target) {
    const ComScope com;
    if (!com.usable()) return false;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.out()))) {
        return false;
    }
    const std::string folder = win32::folderOf(target);
    const std::string working = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    if (FAILED(link->SetPath(widen(target).c_str())) || FAILED(link->SetArguments(L"")) ||
        FAILED(link->SetWorkingDirectory(widen(working).c_str()))) {
        return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) return false;
    // Not remembered as the link's own file name: nothing reopens it through this object.
    return SUCCEEDED(file->Save(widen(linkPath).c_str(), FALSE));
}

}  // namespace

Win32Shell::Win32Shell(Files& files, std::string shellFoldersKey)
    : m_files(files), m_shellFoldersKey(std::move(shellFoldersKey)) {}

bool Win32Shell::SetAssoc(const std::string& programPath) {
    const bool existed = m_registry.keyExists(kClasses, kExtensionKey);
    const std::string exe = nativePath(programPath);
    // Rewritten at every start, so that the association follows a moved program.
    bool ok = m_registry.writeString(kClasses, kExtensionKey, "", kTypeKey);
    ok = m_registry.writeString(kClasses, kTypeKey, "", "Temura") && ok;
    ok = m_registry.writeString(kClasses, kOpenCommandKey, "", "\"" + exe + "\" \"%1\"") && ok;
    ok = m_registry.writeString(kClasses, kIconKey, "", exe + ",1") && ok;
    // The shell caches associations; it needs telling only when the extension is new to it.
    if (!existed && m_registry.keyExists(kClasses, kExtensionKey)) associationsChanged();
    return ok && !existed;
}

void Win32Shell::UnAssoc() {
    // Leaves first, so that a refusal half-way leaves no key whose parent is gone.
    for (const char* key : {kExtensionKey, kOpenCommandKey, "Temura\\shell\\open", "Temura\\shell",
                            kIconKey, kTypeKey}) {
        if (m_registry.keyExists(kClasses, key)) m_registry.deleteKey(kClasses, key);
    }
    associationsChanged();
}

namespace {

// The system's own answer for the two places, where the legacy Shell Folders key has no value
// yet: the shell fills it lazily, and a fresh profile may lack it at the program's first start.
std::string knownFolder(const std::string& location) {
    const KNOWNFOLDERID* id = location == "Desktop"      ? &FOLDERID_Desktop
                              : location == "Start Menu" ? &FOLDERID_StartMenu
                                                         : nullptr;
    if (!id) return {};
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(*id, KF_FLAG_DEFAULT, nullptr, &path))) {
        folder = win32::narrow(path);
    }
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

std::string Win32Shell::shortcutFolder(const std::string& location) const {
    if (location.empty()) return {};
    const auto stored = m_registry.readString(RegRoot::CurrentUser, m_shellFoldersKey, location);
    if (stored && !stored->empty()) return *stored;
    // Tests name a key of their own, and there a missing value means no such place.
    return m_shellFoldersKey == kShellFoldersKey ? knownFolder(location) : std::string();
}

std::string Win32Shell::shortcutPath(const std::string& location) const {
    const std::string folder = shortcutFolder(location);
    if (folder.empty()) return {};
    return inFolder(nativePath(folder), kLinkFileName);
}

bool Win32Shell::CreateShortcut(const std::string& linkName, const std::string& target,
                                const std::string& location) {
    const std::string folder = nativePath(shortcutFolder(location));
    if (folder.empty() || linkName.empty()) return false;
    if (!m_files.exists(folder) && !m_files.makeFolders(folder)) return false;
    return saveShellLink(inFolder(folder, linkName + ".lnk"), nativePath(target));
}

bool Win32Shell::ShortcutExists(const std::string& location) const {
    const std::string path = shortcutPath(location);
    return !path.empty() && isFile(path);
}

void Win32Shell::DeleteShortcut(const std::string& location) {
    const std::string path = shortcutPath(location);
    if (!path.empty() && isFile(path)) m_files.remove(path);
}

bool Win32Shell::registerProgramPath(const std::string& programPath) {
    const std::string exe = nativePath(programPath);
    bool ok = m_registry.writeString(RegRoot::LocalMachine, kAppPathsKey, "", exe);
    ok = ok &&
         m_registry.writeString(RegRoot::LocalMachine, kAppPathsKey, "Path", win32::folderOf(exe));
    return ok;
}

void Win32Shell::unregisterProgramPath() {
    if (m_registry.keyExists(RegRoot::LocalMachine, kAppPathsKey)) {
        m_registry.deleteKey(RegRoot::LocalMachine, kAppPathsKey);
    }
}

}  // namespace temura
