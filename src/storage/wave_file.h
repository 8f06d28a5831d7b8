#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace temura {

// The tick file's sound: little-endian PCM frames as the file holds them.
struct WaveSound {
    int channels = 0;       // 1 or 2
    int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed)
    std::uint32_t sampleRate = 0;
    std::string frames;  // whole frames only
};

struct WaveRead {
    bool ok = false;
    WaveSound sound;
    std::string error;  // why the file was refused, for the user
};

// The limits keep a mistaken file (an hour of music) out of the sound server's memory.
inline constexpr std::size_t kWaveMaxFileBytes = 4u * 1024 * 1024;
inline constexpr std::uint32_t kWaveMaxSeconds = 10;
inline constexpr std::uint32_t kWaveMaxRate = 384000;  // what sound servers accept

// Reads a RIFF/WAVE file: PCM 8 or 16 bits, plain or in the extensible format, mono or stereo.
// Anything else is refused with the reason.
WaveRead readWave(std::string_view bytes);

}  // namespace temura
