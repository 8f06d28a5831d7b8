#include "storage/wave_file.h"

#include <optional>

namespace temura {

namespace {

std::uint32_t le16(std::string_view s, std::size_t at) {
    return std::uint32_t{static_cast<unsigned char>(s[at])} |
           std::uint32_t{static_cast<unsigned char>(s[at + 1])} << 8;
}

std::uint32_t le32(std::string_view s, std::size_t at) {
    return le16(s, at) | le16(s, at + 2) << 16;
}

// The tail shared by every PCM sub-format identifier of the extensible format.
constexpr char kGuidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
constexpr std::uint32_t kFormatPcm = 1;
constexpr std::uint32_t kFormatExtensible = 0xFFFE;

WaveRead refuse(std::string why) {
    WaveRead r;
    r.error = std::move(why);
    return r;
}

}  // namespace

WaveRead readWave(std::string_view bytes) {
    if (bytes.size() > kWaveMaxFileBytes) return refuse("the file is larger than 4 MB");
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return refuse("not a RIFF/WAVE file");
    }
    // A RIFF size past the end means a cut-off file; one short of it leaves trailing bytes.
    const std::uint64_t riffEnd = std::uint64_t{le32(bytes, 4)} + 8;
    if (riffEnd > bytes.size()) return refuse("the file is cut off");

    std::optional<std::string_view> fmt;
    std::optional<std::string_view> data;
    std::size_t at = 12;
    while (at + 8 <= riffEnd) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint64_t size = le32(bytes, at + 4);
        if (at + 8 + size > riffEnd) return refuse("a chunk runs past the end of the file");
        const std::string_view body = bytes.substr(at + 8, static_cast<std::size_t>(size));
        if (id == "fmt ") {
            if (fmt) return refuse("two format chunks");
            fmt = body;
        } else if (id == "data") {
            if (data) return refuse("two data chunks");
            data = body;
        }
        at += 8 + static_cast<std::size_t>(size) + (size & 1);  // chunks are padded to even sizes
    }
    if (!fmt) return refuse("no format chunk");
    if (!data) return refuse("no data chunk");
    if (fmt->size() < 16) return refuse("the format chunk is too short");

    std::uint32_t tag = le16(*fmt, 0);
    const std::uint32_t channels = le16(*fmt, 2);
    const std::uint32_t rate = le32(*fmt, 4);
    const std::uint32_t blockAlign = le16(*fmt, 12);
    const std::uint32_t bits = le16(*fmt, 14);
    if (tag == kFormatExtensible) {
        if (fmt->size() < 40 || le16(*fmt, 16) < 22) return refuse("the format chunk is too short");
        if (le16(*fmt, 18) != bits) return refuse("padded samples are not supported");
        if (fmt->substr(26, 14) != std::string_view(kGuidTail, 14)) {
            return refuse("not PCM sound");
        }
        tag = le16(*fmt, 24);
    }
    if (tag != kFormatPcm) return refuse("not PCM sound (compressed or floating point)");
    if (bits != 8 && bits != 16) return refuse("only 8- and 16-bit sound is supported");
    if (channels != 1 && channels != 2) return refuse("only mono and stereo are supported");
    if (rate == 0 || rate > kWaveMaxRate) return refuse("the sample rate is out of range");
    if (blockAlign != channels * bits / 8) return refuse("the frame size does not match");

    const std::size_t whole = data->size() - data->size() % blockAlign;
    if (whole == 0) return refuse("the file holds no sound");
    if (whole / blockAlign > std::uint64_t{rate} * kWaveMaxSeconds) {
        return refuse("the sound is longer than 10 seconds");
    }
    WaveRead r;
    r.ok = true;
    r.sound.channels = static_cast<int>(channels);
    r.sound.bitsPerSample = static_cast<int>(bits);
    r.sound.sampleRate = rate;
    r.sound.frames.assign(data->substr(0, whole));
    return r;
}

}  // namespace temura
