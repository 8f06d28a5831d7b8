#pragma once

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>
#include <pulse/scache.h>
#include <pulse/stream.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/tick_player.h"
#include "storage/wave_file.h"

namespace temura {

// The few entry points of the sound server's client library the tick needs, resolved at run time
// so that nothing of it is loaded before the first tick and the program runs where it is missing.
struct PulseApi {
    decltype(&pa_mainloop_new) mainloop_new;
    decltype(&pa_mainloop_free) mainloop_free;
    decltype(&pa_mainloop_get_api) mainloop_get_api;
    decltype(&pa_mainloop_iterate) mainloop_iterate;
    decltype(&pa_context_new) context_new;
    decltype(&pa_context_connect) context_connect;
    decltype(&pa_context_disconnect) context_disconnect;
    decltype(&pa_context_unref) context_unref;
    decltype(&pa_context_get_state) context_get_state;
    decltype(&pa_context_errno) context_errno;
    decltype(&pa_context_play_sample) context_play_sample;
    decltype(&pa_context_remove_sample) context_remove_sample;
    decltype(&pa_stream_new) stream_new;
    decltype(&pa_stream_unref) stream_unref;
    decltype(&pa_stream_get_state) stream_get_state;
    decltype(&pa_stream_connect_upload) stream_connect_upload;
    decltype(&pa_stream_write) stream_write;
    decltype(&pa_stream_finish_upload) stream_finish_upload;
    decltype(&pa_operation_get_state) operation_get_state;
    decltype(&pa_operation_unref) operation_unref;
    decltype(&pa_strerror) strerror;
};

// dlopen()s the library by its system name; empty when it or one of the entry points is missing.
std::optional<PulseApi> loadPulseApi(const char* library = "libpulse.so.0");

// What the player asks of its surroundings; tests pass their own.
struct PulseTickHooks {
    std::function<std::optional<PulseApi>()> load = [] { return loadPulseApi(); };
    std::function<std::int64_t()> nowMs;          // a steady clock; by default the system's
    std::function<void(const std::string&)> say;  // one line for the user; by default stderr
};

// The tick through the sound server's sample cache: on the first tick the click is uploaded
// once under kSampleName, then each tick is one play request. No thread: every tick drives the
// connection a step without blocking, and reads what the server said since the last one, so the
// first few ticks after connecting are silent while the handshake and the upload finish.
class PulseTickPlayer : public TickPlayer {
  public:
    static constexpr char kSampleName[] = "temura-tick";
    static constexpr std::int64_t kRetryMs = 60'000;
    static constexpr std::int64_t kFileCheckMs = 2'000;

    enum class State { NotLoaded, NoLibrary, NoServer, Connecting, Ready };

    // `builtInWave`: the built-in click's WAVE file bytes.
    explicit PulseTickPlayer(const std::string& builtInWave, PulseTickHooks hooks = {});
    ~PulseTickPlayer() override;
    PulseTickPlayer(const PulseTickPlayer&) = delete;
    PulseTickPlayer& operator=(const PulseTickPlayer&) = delete;

    void playFile(const std::string& path) override;
    void playBuiltIn() override;

    State state() const { return m_state; }

  private:
    void tick(const std::string& path);
    bool connect();
    void serverLost();
    void drop();
    void iterate();
    const WaveSound* wantedSound(const std::string& path, std::int64_t now, std::string& key);
    void driveUpload(const WaveSound& sound, const std::string& key);

    PulseTickHooks m_hooks;
    std::optional<WaveSound> m_builtIn;
    std::optional<PulseApi> m_api;
    State m_state = State::NotLoaded;

    pa_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_upload = nullptr;
    std::optional<std::int64_t> m_lastAttempt;
    bool m_saidNoServer = false;

    std::string m_uploadedKey;  // what the server holds under kSampleName; empty for nothing
    std::string m_uploadingKey;

    // The tick file as last read, looked at again every kFileCheckMs.
    std::string m_filePath;
    std::string m_fileKey;
    std::optional<WaveSound> m_fileSound;
    std::int64_t m_fileCheckedAt = 0;
};

}  // namespace temura
