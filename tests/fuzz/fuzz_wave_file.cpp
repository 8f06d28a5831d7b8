// The tick file: whatever the bytes, the reader either refuses them with a reason or returns whole
// frames of a format the sound server can play, no longer than the limits, taken from the input.

#include "fuzz/fuzz_check.h"
#include "storage/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = temura::fuzz::bytesOf(data, size);
    const temura::WaveRead r = temura::readWave(bytes);
    if (!r.ok) {
        FUZZ_CHECK(!r.error.empty());
        return 0;
    }
    const temura::WaveSound& s = r.sound;
    FUZZ_CHECK(s.channels == 1 || s.channels == 2);
    FUZZ_CHECK(s.bitsPerSample == 8 || s.bitsPerSample == 16);
    FUZZ_CHECK(s.sampleRate > 0 && s.sampleRate <= temura::kWaveMaxRate);
    const std::size_t frame = static_cast<std::size_t>(s.channels * s.bitsPerSample / 8);
    FUZZ_CHECK(!s.frames.empty() && s.frames.size() % frame == 0);
    FUZZ_CHECK(s.frames.size() / frame <= std::uint64_t{s.sampleRate} * temura::kWaveMaxSeconds);
    FUZZ_CHECK(bytes.find(s.frames) != std::string::npos);
    return 0;
}
