#include "platform/qt/lazy_tick_player.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QFile>
#include <QtDebug>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/qt/sound_module.h"

// Resources of a static library must be registered by hand.
static void initModuleResources() {
    Q_INIT_RESOURCE(sound_module);
}

namespace temura {

namespace {

// Whether the library's headers and loadable segments lie within its bytes: the loader maps
// what the headers say without checking, and reading past the end of a cut-off file would kill
// the program.
bool elfFitsInBytes(const QByteArray& bytes) {
    const auto size = static_cast<std::uint64_t>(bytes.size());
    if (size < sizeof(ElfW(Ehdr))) return false;
    ElfW(Ehdr) header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) return false;
    if (header.e_phentsize != sizeof(ElfW(Phdr))) return false;
    const std::uint64_t tableEnd =
        std::uint64_t{header.e_phoff} + std::uint64_t{header.e_phnum} * sizeof(ElfW(Phdr));
    if (header.e_phoff > size || tableEnd > size) return false;
    for (std::uint64_t i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment;
        std::memcpy(&segment, bytes.constData() + header.e_phoff + i * sizeof segment,
                    sizeof segment);
        if (segment.p_type != PT_LOAD) continue;
        if (segment.p_offset > size || segment.p_filesz > size - segment.p_offset) return false;
    }
    return true;
}

// Loads a library from bytes through an anonymous in-memory file, so that it needs neither a
// file on disk nor a folder that allows running code. Null on failure, with the reason in `error`.
void* loadLibraryFromBytes(const QByteArray& bytes, QString& error) {
    if (!elfFitsInBytes(bytes)) {
        error = QStringLiteral("not a whole library");
        return nullptr;
    }
    const int fd = memfd_create("temura-sound", MFD_CLOEXEC);
    if (fd < 0) {
        error = QStringLiteral("memfd_create: ") + QString::fromLocal8Bit(strerror(errno));
        return nullptr;
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = QStringLiteral("write: ") + QString::fromLocal8Bit(strerror(errno));
            ::close(fd);
            return nullptr;
        }
        written += n;
    }
    const QByteArray path = "/proc/self/fd/" + QByteArray::number(fd);
    void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        error = QString::fromLocal8Bit(dlerror());
        ::close(fd);
    }
    // A loaded library keeps its file open: the loader knows libraries by name, and a later
    // library under the same /proc/self/fd name would be taken for this one.
    return handle;
}

// The module's player, or null with the reason in `error`. The module stays loaded to the end:
// the player's code lives in it.
TickPlayer* makePlayerFrom(const QString& modulePath, QString& error) {
    QFile file(modulePath);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return nullptr;
    }
    void* handle = loadLibraryFromBytes(file.readAll(), error);
    if (handle == nullptr) return nullptr;
    const auto make = reinterpret_cast<MakeTickPlayer>(dlsym(handle, kSoundModuleEntry));
    if (make == nullptr) {
        error = QStringLiteral("no %1 in the module").arg(QLatin1String(kSoundModuleEntry));
        return nullptr;
    }
    return make();
}

}  // namespace

LazyTickPlayer::LazyTickPlayer(QString modulePath) : m_modulePath(std::move(modulePath)) {
    if (m_modulePath.isEmpty()) {
        initModuleResources();
        m_modulePath = QLatin1String(kEmbeddedSoundModule);
    }
}

LazyTickPlayer::~LazyTickPlayer() = default;

void LazyTickPlayer::playFile(const std::string& path) {
    if (TickPlayer* p = player()) p->playFile(path);
}

void LazyTickPlayer::playBuiltIn() {
    if (TickPlayer* p = player()) p->playBuiltIn();
}

TickPlayer* LazyTickPlayer::player() {
    if (m_state != State::NotLoaded) return m_player.get();
    QString error;
    m_player.reset(makePlayerFrom(m_modulePath, error));
    m_state = m_player ? State::Loaded : State::Missing;
    if (!m_player) {
        qWarning("temura: the tick is silent: the sound module %s cannot be loaded: %s",
                 qPrintable(m_modulePath), qPrintable(error));
    }
    return m_player.get();
}

}  // namespace temura
