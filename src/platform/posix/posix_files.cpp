#include "platform/posix/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace temura {

namespace {

std::string withoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// A name no other writer in this folder will pick: process id plus a counter, and O_EXCL
// checks the rest.
std::string uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    return std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

int openExclusive(const fs::path& folder, const std::string& stem, std::string& chosen) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        chosen = (folder / (stem + uniqueSuffix())).string();
        const int fd = ::open(chosen.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, const std::string& bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

PosixFiles::PosixFiles(std::string programFolder)
    : m_programFolder(withoutTrailingSeparator(std::move(programFolder))) {}

std::string PosixFiles::programFolder() const {
    return m_programFolder;
}

std::string PosixFiles::tempFolder() const {
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (ec || temp.empty()) return m_programFolder;
    return withoutTrailingSeparator(temp.string());
}

bool PosixFiles::folderWritable(const std::string& folder) const {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return false;
    std::string probe;
    const int fd = openExclusive(folder, ".temura-probe-", probe);
    if (fd < 0) return false;
    ::close(fd);
    return ::unlink(probe.c_str()) == 0;
}

bool PosixFiles::exists(const std::string& path) const {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::optional<std::string> PosixFiles::readBytes(const std::string& path) const {
    // O_NONBLOCK so that a FIFO in the file's place cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

bool PosixFiles::makeFolders(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

bool PosixFiles::remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool PosixFiles::clearReadOnly(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    if ((st.st_mode & S_IWUSR) != 0) return true;
    return ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool PosixFiles::writeAtomically(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    fs::path target(path);
    if (!target.has_filename()) return false;
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = std::move(resolved);
    }
    struct stat old {};
    const bool hadOld = ::stat(target.c_str(), &old) == 0;
    if (hadOld && !S_ISREG(old.st_mode)) return false;  // a folder or device is not ours to replace
    // A file its owner may not write stays, as on Windows. The mode bits decide, not access():
    // root may write anything, and would replace a file the user made read-only.
    if (hadOld && (old.st_mode & S_IWUSR) == 0) return false;

    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string temp;
    const int fd = openExclusive(folder, "." + target.filename().string() + ".tmp-", temp);
    if (fd < 0) return false;
    // The new file keeps the old one's permissions; a new one gets the usual 0666 less umask.
    if (hadOld) ::fchmod(fd, old.st_mode & 07777);

    bool ok = !stepFails(SaveStep::Write) && writeAll(fd, bytes);
    ok = ok && !stepFails(SaveStep::Flush) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && !stepFails(SaveStep::Rename) && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename is done and the old file is gone, so a failure here (some file systems cannot
    // sync a folder) is no reason to report the save as failed.
    if (!stepFails(SaveStep::FlushFolder)) syncFolder(folder);
    return true;
}

bool PosixFiles::stepFails(SaveStep step) const {
    if (!m_stepFails || !m_stepFails(step)) return false;
    errno = EIO;
    return true;
}

}  // namespace temura
