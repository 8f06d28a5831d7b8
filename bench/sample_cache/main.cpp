// The least a ticking clock's sound can cost: upload a click to the sound server's sample cache
// once, then ask the server to play it once a second, for --seconds=N (default 60) or
// --close-after=MS as the clock takes it. What `make bench` compares the clock's tick with,
// counting this program and the server together.
#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/scache.h>
#include <pulse/stream.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Blocks until `done` says so or the connection fails; false on failure.
template <typename Done>
bool runUntil(pa_mainloop* loop, pa_context* context, Done done) {
    while (!done()) {
        if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) return false;
        if (pa_mainloop_iterate(loop, 1, nullptr) < 0) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = 60;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--seconds=", 10) == 0) seconds = std::atoi(argv[i] + 10);
        if (std::strncmp(argv[i], "--close-after=", 14) == 0) {
            seconds = std::atoi(argv[i] + 14) / 1000;
        }
    }
    // A 35 ms click of 16-bit mono at 22050 Hz, like the clock's own.
    const pa_sample_spec spec{PA_SAMPLE_S16LE, 22050, 1};
    std::vector<short> click(771);
    for (int i = 0; i < 771; ++i) {
        click[static_cast<std::size_t>(i)] =
            static_cast<short>((i % 20 < 10 ? 3000 : -3000) * (771 - i) / 771);
    }
    const std::size_t bytes = click.size() * sizeof(short);

    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "bench_sample_cache");
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        !runUntil(loop, context,
                  [&] { return pa_context_get_state(context) == PA_CONTEXT_READY; })) {
        std::fprintf(stderr, "bench_sample_cache: no sound server\n");
        return 1;
    }
    pa_stream* upload = pa_stream_new(context, "bench-click", &spec, nullptr);
    pa_stream_connect_upload(upload, bytes);
    if (!runUntil(loop, context, [&] { return pa_stream_get_state(upload) == PA_STREAM_READY; })) {
        return 1;
    }
    pa_stream_write(upload, click.data(), bytes, nullptr, 0, PA_SEEK_RELATIVE);
    pa_stream_finish_upload(upload);
    if (!runUntil(loop, context,
                  [&] { return pa_stream_get_state(upload) == PA_STREAM_TERMINATED; })) {
        return 1;
    }
    pa_stream_unref(upload);

    timespec next{};
    clock_gettime(CLOCK_MONOTONIC, &next);
    for (int i = 0; i < seconds; ++i) {
        ++next.tv_sec;
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
        pa_operation_unref(pa_context_play_sample(context, "bench-click", nullptr, PA_VOLUME_NORM,
                                                  nullptr, nullptr));
        while (pa_mainloop_iterate(loop, 0, nullptr) > 0) {
        }
    }
    pa_operation* removal = pa_context_remove_sample(context, "bench-click", nullptr, nullptr);
    runUntil(loop, context,
             [&] { return pa_operation_get_state(removal) != PA_OPERATION_RUNNING; });
    pa_operation_unref(removal);
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_mainloop_free(loop);
    return 0;
}
