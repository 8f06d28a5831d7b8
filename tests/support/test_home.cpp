#include "support/test_home.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace temura::test {

namespace {
std::string g_home;

// Paths are UTF-8 in the program; on Windows fs::path's narrow strings are the ANSI code page.
std::string utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

fs::path pathOf(const std::string& utf8Text) {
    return fs::path(std::u8string(utf8Text.begin(), utf8Text.end()));
}

void removeHome() {
    std::error_code ec;
    if (!g_home.empty()) fs::remove_all(pathOf(g_home), ec);
}

// A new folder with a name no other test process picks: mkdtemp's job, which Windows lacks.
fs::path makeUniqueFolder(const fs::path& base, const std::string& prefix) {
    static std::mt19937_64 random{std::random_device{}()};
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix + "-";
        for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
        const fs::path folder = base / name;
        std::error_code ec;
        if (fs::create_directory(folder, ec)) return folder;
        if (ec) break;
    }
    throw std::runtime_error("cannot make a temporary folder in " + utf8(base));
}
}  // namespace

void setEnvironment(const std::string& name, const std::string& value) {
#if defined(_WIN32)
    _putenv_s(name.c_str(), value.c_str());
#else
    setenv(name.c_str(), value.c_str(), 1);
#endif
}

std::string makeTemporaryHome() {
    if (!g_home.empty()) return g_home;
    const fs::path home = makeUniqueFolder(fs::temp_directory_path(), "temura-test");
    g_home = utf8(home);
    for (const char* sub : {".config", ".local/share", ".cache", "runtime"}) {
        fs::create_directories(home / sub);
    }
    fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    setEnvironment("HOME", g_home);
    setEnvironment("XDG_CONFIG_HOME", utf8(home / ".config"));
    setEnvironment("XDG_DATA_HOME", utf8(home / ".local/share"));
    setEnvironment("XDG_CACHE_HOME", utf8(home / ".cache"));
    setEnvironment("XDG_RUNTIME_DIR", utf8(home / "runtime"));
    std::atexit(removeHome);
    return g_home;
}

std::string makeTempDir(const std::string& prefix) {
    const fs::path base = pathOf(makeTemporaryHome()) / "tmp";
    fs::create_directories(base);
    return utf8(makeUniqueFolder(base, prefix));
}

}  // namespace temura::test
