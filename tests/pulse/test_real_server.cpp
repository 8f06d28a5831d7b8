// The player against a real sound server: a null sink started here in a private runtime folder.
#include <gtest/gtest.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/subscribe.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/pulse_tick_player.h"

namespace temura {
namespace {

using namespace std::chrono_literals;

std::string le(std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// 16-bit mono, long enough for the sink input to be looked at while it plays.
std::string wave16(std::uint32_t rate, std::uint32_t frames) {
    const std::string fmt =
        le(1, 2) + le(1, 2) + le(rate, 4) + le(rate * 2, 4) + le(2, 2) + le(16, 2);
    std::string data;
    for (std::uint32_t i = 0; i < frames; ++i) data += le((i % 40) * 400, 2);
    const std::string body = "WAVEfmt " + le(16, 4) + fmt + "data" + le(frames * 2, 4) + data;
    return "RIFF" + le(static_cast<std::uint32_t>(body.size()), 4) + body;
}

struct SinkInput {
    std::string name;
    std::uint32_t client;
};

// A second client that watches the server: every new sink input, and the sample cache.
struct Observer {
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "observer");
    std::vector<SinkInput> inputs;
    int lookups = 0;
    int sampleFound = -1;  // -1 while asking

    bool connect() {
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
        for (int i = 0; i < 500 && pa_context_get_state(context) != PA_CONTEXT_READY; ++i) {
            if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) return false;
            pa_mainloop_iterate(loop, 1, nullptr);
        }
        pa_context_set_subscribe_callback(
            context,
            [](pa_context* c, pa_subscription_event_type_t t, std::uint32_t index, void* self) {
                if ((t & PA_SUBSCRIPTION_EVENT_TYPE_MASK) != PA_SUBSCRIPTION_EVENT_NEW) return;
                auto* o = static_cast<Observer*>(self);
                ++o->lookups;
                pa_operation_unref(pa_context_get_sink_input_info(c, index, onInput, self));
            },
            this);
        pa_operation_unref(
            pa_context_subscribe(context, PA_SUBSCRIPTION_MASK_SINK_INPUT, nullptr, nullptr));
        return pa_context_get_state(context) == PA_CONTEXT_READY;
    }

    static void onInput(pa_context*, const pa_sink_input_info* info, int eol, void* self) {
        if (eol != 0 || info == nullptr) return;
        const char* name = pa_proplist_gets(info->proplist, PA_PROP_MEDIA_NAME);
        static_cast<Observer*>(self)->inputs.push_back({name ? name : "", info->client});
    }

    void pump(std::chrono::milliseconds span) {
        const auto end = std::chrono::steady_clock::now() + span;
        while (std::chrono::steady_clock::now() < end) {
            while (pa_mainloop_iterate(loop, 0, nullptr) > 0) {
            }
            std::this_thread::sleep_for(2ms);
        }
    }

    bool sampleCached() {
        sampleFound = -1;
        pa_operation_unref(pa_context_get_sample_info_by_name(
            context, PulseTickPlayer::kSampleName,
            [](pa_context*, const pa_sample_info* info, int eol, void* self) {
                auto* o = static_cast<Observer*>(self);
                if (info != nullptr)
                    o->sampleFound = 1;
                else if (eol != 0 && o->sampleFound < 0)
                    o->sampleFound = 0;
            },
            this));
        for (int i = 0; i < 500 && sampleFound < 0; ++i) pump(2ms);
        return sampleFound == 1;
    }

    ~Observer() {
        pa_context_disconnect(context);
        pa_context_unref(context);
        pa_mainloop_free(loop);
    }
};

class RealServer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(mkdtemp(m_dir), nullptr);
        const std::string dir = m_dir;
        std::ofstream(dir + "/server.pa")
            << "load-module module-null-sink\n"
            << "load-module module-native-protocol-unix auth-anonymous=1 socket=" << dir
            << "/native\n";
        m_server = fork();
        if (m_server == 0) {
            setenv("HOME", dir.c_str(), 1);
            setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
            setenv("PULSE_RUNTIME_PATH", dir.c_str(), 1);
            const std::string script = dir + "/server.pa";
            const std::string log = dir + "/server.log";
            freopen(log.c_str(), "w", stderr);
            execlp("pulseaudio", "pulseaudio", "-n", "-F", script.c_str(), "--daemonize=no",
                   "--exit-idle-time=-1", "--log-target=stderr", static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(m_server, 0);
        const std::string socket = dir + "/native";
        struct stat st {};
        for (int i = 0; i < 100 && stat(socket.c_str(), &st) != 0; ++i) {
            std::this_thread::sleep_for(50ms);
        }
        ASSERT_EQ(stat(socket.c_str(), &st), 0)
            << "pulseaudio did not start (scripts/install-deps.sh installs it)";
        setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
    }

    void TearDown() override {
        if (m_server > 0) {
            kill(m_server, SIGTERM);
            waitpid(m_server, nullptr, 0);
        }
        unsetenv("PULSE_SERVER");
        std::system(("rm -rf " + std::string(m_dir)).c_str());
    }

    char m_dir[32] = "/tmp/temura-pulse-XXXXXX";
    pid_t m_server = -1;
};

TEST_F(RealServer, EachTickIsOnePlayOfTheCachedSampleWhichIsRemovedAtExit) {
    Observer observer;
    ASSERT_TRUE(observer.connect());
    const std::string path = std::string(m_dir) + "/temura.wav";
    std::ofstream(path, std::ios::binary) << wave16(8000, 1600);  // 0.2 s

    std::vector<std::size_t> perTick;
    {
        PulseTickPlayer player(wave16(8000, 100));
        std::size_t seen = 0;
        for (int tick = 0; tick < 12; ++tick) {
            player.playFile(path);
            observer.pump(400ms);
            perTick.push_back(observer.inputs.size() - seen);
            seen = observer.inputs.size();
        }
        EXPECT_EQ(player.state(), PulseTickPlayer::State::Ready);
        EXPECT_TRUE(observer.sampleCached());
    }
    EXPECT_FALSE(observer.sampleCached());

    // Silent while connecting and uploading, then one play a tick to the end.
    std::size_t first = 0;
    while (first < perTick.size() && perTick[first] == 0) ++first;
    ASSERT_LE(first, 6u) << "no play within the first ticks";
    for (std::size_t i = first; i < perTick.size(); ++i) EXPECT_EQ(perTick[i], 1u) << "tick " << i;
    EXPECT_EQ(observer.lookups, static_cast<int>(observer.inputs.size()));
    for (const SinkInput& input : observer.inputs) {
        EXPECT_EQ(input.name, PulseTickPlayer::kSampleName);
        EXPECT_EQ(input.client, PA_INVALID_INDEX);  // the server's own, not a stream of ours
    }
}

}  // namespace
}  // namespace temura
