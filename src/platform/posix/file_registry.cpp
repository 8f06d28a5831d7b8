#include "platform/posix/file_registry.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace temura {

namespace {

std::string timestamp(const SystemTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

std::string parentOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

}  // namespace

FileRegistry::FileRegistry(std::string path, Files& files, const std::function<SystemTime()>& now)
    : m_path(std::move(path)), m_files(files) {
    load(now);
}

void FileRegistry::load(const std::function<SystemTime()>& now) {
    if (!m_files.exists(m_path)) return;  // first run
    if (const auto bytes = m_files.readBytes(m_path)) {
        if (auto tree = RegTree::parse(*bytes)) {
            replaceTree(std::move(*tree));
            return;
        }
    }
    // Renamed, not copied: the bytes, owner and permissions stay exactly as they were. Files has
    // no rename, and this store only ever lives on a real file system.
    const std::string base = m_path + ".bad-" + timestamp(now());
    std::string aside = base;
    for (int n = 2; m_files.exists(aside) && n < 100; ++n) aside = base + "-" + std::to_string(n);
    std::error_code ec;
    if (!m_files.exists(aside)) std::filesystem::rename(m_path, aside, ec);
    if (!ec && m_files.exists(aside) && !m_files.exists(m_path)) {
        m_setAside = aside;
    } else {
        m_saveBlocked = true;
    }
}

bool FileRegistry::save() {
    if (m_saveBlocked) return false;
    const std::string folder = parentOf(m_path);
    if (!folder.empty() && !m_files.exists(folder) && !m_files.makeFolders(folder)) return false;
    if (!m_files.writeAtomically(m_path, tree().serialize())) return false;
    m_unsaved = false;
    return true;
}

bool FileRegistry::changed() {
    m_unsaved = true;
    return m_batchDepth > 0 || save();
}

void FileRegistry::beginBatch() {
    ++m_batchDepth;
}

bool FileRegistry::commitBatch() {
    if (m_batchDepth > 0) --m_batchDepth;
    if (m_batchDepth > 0 || !m_unsaved) return true;
    return save();
}

std::string defaultRegistryPath(const std::string& xdgConfigHome, const std::string& home,
                                const std::string& tempFolder) {
    const auto folder = [](std::string s) {
        while (!s.empty() && s.back() == '/') s.pop_back();
        return s;
    };
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') {
        return folder(xdgConfigHome) + "/temura/registry.reg";
    }
    if (!home.empty()) return folder(home) + "/.config/temura/registry.reg";
    return folder(tempFolder) + "/temura/registry.reg";
}

}  // namespace temura
