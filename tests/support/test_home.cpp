#include "support/test_home.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace temura::test {

namespace {
std::string g_home;

void removeHome() {
    std::error_code ec;
    if (!g_home.empty()) fs::remove_all(g_home, ec);
}
}  // namespace

std::string makeTemporaryHome() {
    if (!g_home.empty()) return g_home;
    std::string pattern = (fs::temp_directory_path() / "temura-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    g_home = pattern;
    const fs::path home(g_home);
    for (const char* sub : {".config", ".local/share", ".cache", "runtime"}) {
        fs::create_directories(home / sub);
    }
    fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    setenv("HOME", g_home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
    std::atexit(removeHome);
    return g_home;
}

std::string makeTempDir(const std::string& prefix) {
    const fs::path base = fs::path(makeTemporaryHome()) / "tmp";
    fs::create_directories(base);
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

}  // namespace temura::test
