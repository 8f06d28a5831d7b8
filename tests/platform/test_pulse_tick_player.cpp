#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/pulse_tick_player.h"

namespace temura {
namespace {

// A sound server behind the client library's entry points: it answers one request a tick (when
// the test's clock has moved), as a real server's replies are read on the tick after they are sent.
struct FakeServer {
    bool up = true;
    std::int64_t now = 0;
    std::int64_t answeredAt = -1;
    int connects = 0;
    bool hasContext = false;
    pa_context_state_t context = PA_CONTEXT_UNCONNECTED;
    bool hasStream = false;
    pa_stream_state_t stream = PA_STREAM_UNCONNECTED;
    std::string streamName, written;
    std::map<std::string, std::string> cache;
    std::vector<std::string> plays;  // the sound each play found in the cache
};
FakeServer g;
char loopObject, contextObject, streamObject, operationObject;

pa_mainloop* fakeLoopNew() {
    return reinterpret_cast<pa_mainloop*>(&loopObject);
}
void fakeLoopFree(pa_mainloop*) {}
pa_mainloop_api* fakeLoopApi(pa_mainloop*) {
    return nullptr;
}
int fakeIterate(pa_mainloop*, int, int*) {
    if (g.answeredAt == g.now) return 0;
    g.answeredAt = g.now;
    if (g.hasContext && g.context != PA_CONTEXT_FAILED) {
        if (!g.up) {
            g.context = PA_CONTEXT_FAILED;
        } else if (g.context != PA_CONTEXT_READY) {
            g.context = static_cast<pa_context_state_t>(g.context + 1);  // the handshake's steps
        }
    }
    if (g.hasStream && g.stream == PA_STREAM_CREATING) g.stream = PA_STREAM_READY;
    return 1;
}
pa_context* fakeContextNew(pa_mainloop_api*, const char*) {
    g.hasContext = true;
    g.context = PA_CONTEXT_UNCONNECTED;
    return reinterpret_cast<pa_context*>(&contextObject);
}
int fakeConnect(pa_context*, const char*, pa_context_flags_t flags, const pa_spawn_api*) {
    EXPECT_TRUE(flags & PA_CONTEXT_NOAUTOSPAWN);
    ++g.connects;
    g.context = PA_CONTEXT_CONNECTING;
    return 0;
}
void fakeDisconnect(pa_context*) {}
void fakeContextUnref(pa_context*) {
    g.hasContext = false;
}
pa_context_state_t fakeContextState(const pa_context*) {
    return g.context;
}
int fakeErrno(const pa_context*) {
    return 6;
}
const char* fakeStrerror(int) {
    return "Connection refused";
}
pa_operation* fakePlay(pa_context*, const char* name, const char*, pa_volume_t,
                       pa_context_success_cb_t, void*) {
    if (g.up && g.cache.count(name) != 0) g.plays.push_back(g.cache[name]);
    return reinterpret_cast<pa_operation*>(&operationObject);
}
pa_operation* fakeRemove(pa_context*, const char* name, pa_context_success_cb_t, void*) {
    g.cache.erase(name);
    return reinterpret_cast<pa_operation*>(&operationObject);
}
pa_stream* fakeStreamNew(pa_context*, const char* name, const pa_sample_spec*,
                         const pa_channel_map*) {
    g.hasStream = true;
    g.stream = PA_STREAM_UNCONNECTED;
    g.streamName = name;
    return reinterpret_cast<pa_stream*>(&streamObject);
}
void fakeStreamUnref(pa_stream*) {
    g.hasStream = false;
}
pa_stream_state_t fakeStreamState(const pa_stream*) {
    return g.stream;
}
int fakeConnectUpload(pa_stream*, size_t) {
    g.stream = PA_STREAM_CREATING;
    return 0;
}
int fakeWrite(pa_stream*, const void* data, size_t n, pa_free_cb_t, int64_t, pa_seek_mode_t) {
    g.written.assign(static_cast<const char*>(data), n);
    return 0;
}
int fakeFinish(pa_stream*) {
    g.cache[g.streamName] = g.written;
    return 0;
}
pa_operation_state_t fakeOpState(const pa_operation*) {
    return PA_OPERATION_DONE;
}
void fakeOpUnref(pa_operation*) {}

constexpr PulseApi kFakeApi{fakeLoopNew,      fakeLoopFree,    fakeLoopApi,     fakeIterate,
                            fakeContextNew,   fakeConnect,     fakeDisconnect,  fakeContextUnref,
                            fakeContextState, fakeErrno,       fakePlay,        fakeRemove,
                            fakeStreamNew,    fakeStreamUnref, fakeStreamState, fakeConnectUpload,
                            fakeWrite,        fakeFinish,      fakeOpState,     fakeOpUnref,
                            fakeStrerror};

std::string le(std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// An 8-bit mono WAVE file holding `frames`.
std::string wave8(const std::string& frames) {
    const std::string fmt = le(1, 2) + le(1, 2) + le(8000, 4) + le(8000, 4) + le(1, 2) + le(8, 2);
    const std::string body = "WAVEfmt " + le(16, 4) + fmt + "data" +
                             le(static_cast<std::uint32_t>(frames.size()), 4) + frames;
    return "RIFF" + le(static_cast<std::uint32_t>(body.size()), 4) + body;
}

const std::string kBuiltIn = "click";

class PulseTickPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override { g = FakeServer{}; }

    PulseTickHooks hooks() {
        PulseTickHooks h;
        h.load = [this] {
            ++loads;
            return library ? std::optional<PulseApi>(kFakeApi) : std::nullopt;
        };
        h.nowMs = [] { return g.now; };
        h.say = [this](const std::string& line) { said.push_back(line); };
        return h;
    }

    bool library = true;
    int loads = 0;
    std::vector<std::string> said;
};

TEST_F(PulseTickPlayerTest, LibraryMissingIsSaidOnceAndNeverRetried) {
    library = false;
    PulseTickPlayer player(wave8(kBuiltIn), hooks());
    for (int i = 0; i < 3; ++i, g.now += PulseTickPlayer::kRetryMs) player.playBuiltIn();
    EXPECT_EQ(loads, 1);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("libpulse.so.0"), std::string::npos);
    EXPECT_EQ(player.state(), PulseTickPlayer::State::NoLibrary);
}

TEST_F(PulseTickPlayerTest, NoServerThenServerGoneMidRunAndBack) {
    // One tick a step: the server's state before it, then what is seen after it.
    const struct {
        std::int64_t at;
        bool up;
        int connects;
        std::size_t plays;
        std::size_t lines;
    } steps[] = {
        {0, false, 1, 0, 1},      // no server: said once
        {1000, false, 1, 0, 1},   // and not asked again within the minute
        {59000, true, 1, 0, 1},   // a server now, but the minute is not over
        {60000, true, 2, 0, 1},   // connecting: the handshake takes a tick a reply
        {61000, true, 2, 0, 1},   //
        {62000, true, 2, 0, 1},   // ready: the click is being uploaded
        {63000, true, 2, 1, 1},   // in the cache: the first play
        {64000, true, 2, 2, 1},   //
        {65000, false, 2, 2, 2},  // the server went away: said again
        {70000, true, 2, 2, 2},   // back, but it is tried once a minute
        {125000, true, 3, 2, 2},  // found again; its cache is empty, so the click goes up again
        {126000, true, 3, 2, 2},  //
        {127000, true, 3, 2, 2},  //
        {128000, true, 3, 3, 2},  //
    };
    PulseTickPlayer player(wave8(kBuiltIn), hooks());
    for (const auto& s : steps) {
        g.now = s.at;
        if (!s.up && g.up) g.cache.clear();
        g.up = s.up;
        player.playBuiltIn();
        EXPECT_EQ(g.connects, s.connects) << "at " << s.at;
        EXPECT_EQ(g.plays.size(), s.plays) << "at " << s.at;
        EXPECT_EQ(said.size(), s.lines) << "at " << s.at;
    }
    EXPECT_EQ(g.plays.back(), kBuiltIn);
    EXPECT_EQ(g.streamName, PulseTickPlayer::kSampleName);
}

TEST_F(PulseTickPlayerTest, TickFileIsUploadedAgainWhenItChanges) {
    char dir[] = "/tmp/temura-tick-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/temura.wav";
    const auto write = [&](const std::string& bytes) { std::ofstream(path) << bytes; };
    // What is written before the tick at `at`, then which sound the tick plays.
    const struct {
        std::int64_t at;
        const char* file;  // null: left as it is
        const char* plays;
        std::size_t lines;
    } steps[] = {
        {1000, nullptr, "first", 0},
        {1500, "second", "first", 0},          // changed, but not looked at within 2 s
        {2500, nullptr, "first", 0},           // looked at: the new one is being uploaded
        {3000, nullptr, "second", 0},          //
        {3200, "", "second", 0},               // not a WAVE file, not looked at yet
        {4500, nullptr, "second", 1},          // refused, said; the built-in click goes up
        {5500, nullptr, kBuiltIn.c_str(), 1},  //
        {7000, nullptr, kBuiltIn.c_str(), 1},  // refused once, not again
    };
    PulseTickPlayer player(wave8(kBuiltIn), hooks());
    write(wave8("first"));
    // Connected at 500, when the file is first looked at, and played from 750.
    for (g.now = 0; g.now < 1000; g.now += 250) player.playFile(path);
    for (const auto& s : steps) {
        g.now = s.at;
        if (s.file != nullptr) write(*s.file ? wave8(s.file) : std::string("junk"));
        player.playFile(path);
        ASSERT_FALSE(g.plays.empty()) << "at " << s.at;
        EXPECT_EQ(g.plays.back(), s.plays) << "at " << s.at;
        EXPECT_EQ(said.size(), s.lines) << "at " << s.at;
    }
    EXPECT_NE(said.at(0).find("built-in click plays instead"), std::string::npos);
    unlink(path.c_str());
    rmdir(dir);
}

TEST_F(PulseTickPlayerTest, SampleIsRemovedAtExit) {
    {
        PulseTickPlayer player(wave8(kBuiltIn), hooks());
        for (g.now = 0; g.plays.empty() && g.now < 10000; g.now += 1000) player.playBuiltIn();
        EXPECT_EQ(g.cache.count(PulseTickPlayer::kSampleName), 1u);
    }
    EXPECT_TRUE(g.cache.empty());
    EXPECT_FALSE(g.hasContext);
}

}  // namespace
}  // namespace temura
