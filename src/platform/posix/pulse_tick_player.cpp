#include "platform/posix/pulse_tick_player.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace temura {

namespace {

template <typename F>
bool resolve(void* library, const char* name, F& out) {
    out = reinterpret_cast<F>(dlsym(library, name));
    return out != nullptr;
}

std::int64_t steadyNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Where the file stands now: changes to it change this key. Empty when it cannot be looked at.
std::string fileKey(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return path + '\n' + std::to_string(st.st_size) + '\n' + std::to_string(st.st_mtim.tv_sec) +
           '.' + std::to_string(st.st_mtim.tv_nsec);
}

WaveRead readWaveFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return WaveRead{false, {}, "it cannot be opened"};
    std::string bytes;
    // One byte over the limit is enough for the reader to refuse it.
    bytes.resize(kWaveMaxFileBytes + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return readWave(bytes);
}

pa_sample_spec specOf(const WaveSound& s) {
    pa_sample_spec spec{};
    spec.format = s.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    spec.rate = s.sampleRate;
    spec.channels = static_cast<std::uint8_t>(s.channels);
    return spec;
}

}  // namespace

std::optional<PulseApi> loadPulseApi(const char* library) {
    // Kept loaded to the end: the player's connection lives in it.
    void* h = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) return std::nullopt;
    PulseApi a{};
    const bool all = resolve(h, "pa_mainloop_new", a.mainloop_new) &&
                     resolve(h, "pa_mainloop_free", a.mainloop_free) &&
                     resolve(h, "pa_mainloop_get_api", a.mainloop_get_api) &&
                     resolve(h, "pa_mainloop_iterate", a.mainloop_iterate) &&
                     resolve(h, "pa_context_new", a.context_new) &&
                     resolve(h, "pa_context_connect", a.context_connect) &&
                     resolve(h, "pa_context_disconnect", a.context_disconnect) &&
                     resolve(h, "pa_context_unref", a.context_unref) &&
                     resolve(h, "pa_context_get_state", a.context_get_state) &&
                     resolve(h, "pa_context_errno", a.context_errno) &&
                     resolve(h, "pa_context_play_sample", a.context_play_sample) &&
                     resolve(h, "pa_context_remove_sample", a.context_remove_sample) &&
                     resolve(h, "pa_stream_new", a.stream_new) &&
                     resolve(h, "pa_stream_unref", a.stream_unref) &&
                     resolve(h, "pa_stream_get_state", a.stream_get_state) &&
                     resolve(h, "pa_stream_connect_upload", a.stream_connect_upload) &&
                     resolve(h, "pa_stream_write", a.stream_write) &&
                     resolve(h, "pa_stream_finish_upload", a.stream_finish_upload) &&
                     resolve(h, "pa_operation_get_state", a.operation_get_state) &&
                     resolve(h, "pa_operation_unref", a.operation_unref) &&
                     resolve(h, "pa_strerror", a.strerror);
    if (!all) {
        dlclose(h);
        return std::nullopt;
    }
    return a;
}

PulseTickPlayer::PulseTickPlayer(const std::string& builtInWave, PulseTickHooks hooks)
    : m_hooks(std::move(hooks)) {
    if (!m_hooks.nowMs) m_hooks.nowMs = steadyNowMs;
    if (!m_hooks.say) {
        m_hooks.say = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
    }
    WaveRead r = readWave(builtInWave);
    if (r.ok) m_builtIn = std::move(r.sound);
}

PulseTickPlayer::~PulseTickPlayer() {
    if (m_context != nullptr && m_api->context_get_state(m_context) == PA_CONTEXT_READY &&
        !m_uploadedKey.empty()) {
        // The cache is the server's, not the connection's: take the click out of it. Bounded, so
        // a server that stopped answering cannot hold up the end of the program.
        pa_operation* op = m_api->context_remove_sample(m_context, kSampleName, nullptr, nullptr);
        for (int i = 0; op != nullptr && i < 40; ++i) {
            iterate();
            if (m_api->operation_get_state(op) != PA_OPERATION_RUNNING) break;
            ::usleep(5'000);
        }
        if (op != nullptr) m_api->operation_unref(op);
    }
    drop();
    if (m_loop != nullptr) m_api->mainloop_free(m_loop);
}

void PulseTickPlayer::playFile(const std::string& path) {
    tick(path);
}

void PulseTickPlayer::playBuiltIn() {
    tick(std::string());
}

void PulseTickPlayer::tick(const std::string& path) {
    if (m_state == State::NoLibrary) return;
    if (!m_api) {
        m_api = m_hooks.load();
        if (!m_api) {
            m_state = State::NoLibrary;
            m_hooks.say(
                "temura: the tick is silent: the sound server's library libpulse.so.0 is "
                "not there");
            return;
        }
    }
    const std::int64_t now = m_hooks.nowMs();
    if (m_context == nullptr) {
        if (m_lastAttempt && now - *m_lastAttempt < kRetryMs) return;
        m_lastAttempt = now;
        if (!connect()) return;
    }
    iterate();  // what the server said since the last tick
    const pa_context_state_t cs = m_api->context_get_state(m_context);
    if (cs == PA_CONTEXT_FAILED || cs == PA_CONTEXT_TERMINATED) {
        serverLost();
        return;
    }
    if (cs != PA_CONTEXT_READY) return;
    m_state = State::Ready;
    m_saidNoServer = false;

    std::string key;
    const WaveSound* sound = wantedSound(path, now, key);
    if (sound == nullptr) return;
    if (key != m_uploadedKey) driveUpload(*sound, key);
    // A click being replaced plays on until its successor is in the cache.
    if (!m_uploadedKey.empty()) {
        pa_operation* op = m_api->context_play_sample(m_context, kSampleName, nullptr,
                                                      PA_VOLUME_NORM, nullptr, nullptr);
        if (op != nullptr) m_api->operation_unref(op);
    }
    iterate();  // sends the request now rather than on the next tick
}

bool PulseTickPlayer::connect() {
    if (m_loop == nullptr) m_loop = m_api->mainloop_new();
    if (m_loop == nullptr) return false;
    m_context = m_api->context_new(m_api->mainloop_get_api(m_loop), "Temura");
    if (m_context == nullptr) return false;
    m_state = State::Connecting;
    // Never starts a server: a clock has no business doing that.
    if (m_api->context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        serverLost();
        return false;
    }
    return true;
}

void PulseTickPlayer::serverLost() {
    if (!m_saidNoServer) {
        const char* why = m_context != nullptr ? m_api->strerror(m_api->context_errno(m_context))
                                               : "no connection";
        m_hooks.say(std::string("temura: the tick is silent: no sound server answers (") +
                    (why != nullptr ? why : "?") + "); trying again once a minute");
        m_saidNoServer = true;
    }
    drop();
    m_state = State::NoServer;
}

void PulseTickPlayer::drop() {
    if (m_upload != nullptr) m_api->stream_unref(m_upload);
    m_upload = nullptr;
    if (m_context != nullptr) {
        m_api->context_disconnect(m_context);
        m_api->context_unref(m_context);
    }
    m_context = nullptr;
    m_uploadedKey.clear();
    m_uploadingKey.clear();
}

void PulseTickPlayer::iterate() {
    // Bounded: each round handles what is there and never waits for more.
    for (int i = 0; i < 8; ++i) {
        if (m_api->mainloop_iterate(m_loop, 0, nullptr) <= 0) break;
    }
}

const WaveSound* PulseTickPlayer::wantedSound(const std::string& path, std::int64_t now,
                                              std::string& key) {
    if (!path.empty()) {
        if (path != m_filePath || now - m_fileCheckedAt >= kFileCheckMs) {
            m_fileCheckedAt = now;
            const std::string k = fileKey(path);
            if (path != m_filePath || k != m_fileKey) {
                m_filePath = path;
                m_fileKey = k;
                WaveRead r = readWaveFile(path);
                m_fileSound.reset();
                if (r.ok) {
                    m_fileSound = std::move(r.sound);
                } else {
                    m_hooks.say("temura: the tick file " + path + " cannot be played (" + r.error +
                                "): the built-in click plays instead");
                }
            }
        }
        if (m_fileSound) {
            key = "file\n" + m_fileKey;
            return &*m_fileSound;
        }
    }
    key = "built-in";
    return m_builtIn ? &*m_builtIn : nullptr;
}

void PulseTickPlayer::driveUpload(const WaveSound& sound, const std::string& key) {
    if (m_upload != nullptr && key != m_uploadingKey) {
        m_api->stream_unref(m_upload);  // a newer sound is wanted; the old upload is abandoned
        m_upload = nullptr;
    }
    if (m_upload == nullptr) {
        const pa_sample_spec spec = specOf(sound);
        m_upload = m_api->stream_new(m_context, kSampleName, &spec, nullptr);
        if (m_upload == nullptr) return;
        m_uploadingKey = key;
        if (m_api->stream_connect_upload(m_upload, sound.frames.size()) < 0) {
            m_api->stream_unref(m_upload);
            m_upload = nullptr;
        }
        return;
    }
    switch (m_api->stream_get_state(m_upload)) {
        case PA_STREAM_READY:
            // Requests on one connection are handled in order: a play sent after this finds it.
            if (m_api->stream_write(m_upload, sound.frames.data(), sound.frames.size(), nullptr, 0,
                                    PA_SEEK_RELATIVE) == 0 &&
                m_api->stream_finish_upload(m_upload) == 0) {
                m_uploadedKey = key;
            }
            m_api->stream_unref(m_upload);
            m_upload = nullptr;
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            m_api->stream_unref(m_upload);
            m_upload = nullptr;
            break;
        default:
            break;
    }
}

}  // namespace temura
