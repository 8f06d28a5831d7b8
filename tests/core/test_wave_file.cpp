#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "storage/wave_file.h"

namespace temura {
namespace {

std::string le(std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string chunk(const std::string& id, const std::string& body) {
    std::string c = id + le(static_cast<std::uint32_t>(body.size()), 4) + body;
    if (body.size() % 2 != 0) c += '\0';
    return c;
}

std::string fmtBody(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate,
                    std::uint32_t bits) {
    const std::uint32_t align = channels * bits / 8;
    return le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) +
           le(bits, 2);
}

std::string extensibleBody(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits,
                           std::uint32_t subFormat) {
    return fmtBody(0xFFFE, channels, rate, bits) + le(22, 2) + le(bits, 2) + le(channels, 4) +
           le(subFormat, 2) +
           std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
}

std::string riff(const std::string& chunks) {
    return "RIFF" + le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

std::string wave(const std::string& fmt, const std::string& data) {
    return riff(chunk("fmt ", fmt) + chunk("data", data));
}

TEST(WaveFile, ReadsPcmOfEachKind) {
    const struct {
        const char* name;
        std::string file;
        int channels, bits;
        std::uint32_t rate;
        std::size_t frameBytes;
    } cases[] = {
        {"8-bit mono", wave(fmtBody(1, 1, 8000, 8), "\x80\x81\x7F"), 1, 8, 8000, 3},
        {"16-bit stereo", wave(fmtBody(1, 2, 44100, 16), std::string(8, 'x')), 2, 16, 44100, 8},
        {"extensible 16-bit mono", wave(extensibleBody(1, 22050, 16, 1), "abcd"), 1, 16, 22050, 4},
        {"extensible 8-bit stereo", wave(extensibleBody(2, 48000, 8, 1), "abcd"), 2, 8, 48000, 4},
        // A list chunk before the sound, an odd-sized one padded, a partial frame at the end.
        {"other chunks skipped",
         riff(chunk("LIST", "INFOabc") + chunk("fmt ", fmtBody(1, 1, 11025, 16)) +
              chunk("data", "abcde")),
         1, 16, 11025, 4},
        {"exactly 10 s", wave(fmtBody(1, 1, 100, 8), std::string(1000, '\x80')), 1, 8, 100, 1000},
    };
    for (const auto& c : cases) {
        const WaveRead r = readWave(c.file);
        ASSERT_TRUE(r.ok) << c.name << ": " << r.error;
        EXPECT_EQ(r.sound.channels, c.channels) << c.name;
        EXPECT_EQ(r.sound.bitsPerSample, c.bits) << c.name;
        EXPECT_EQ(r.sound.sampleRate, c.rate) << c.name;
        EXPECT_EQ(r.sound.frames.size(), c.frameBytes) << c.name;
    }
}

TEST(WaveFile, RefusesWhatItCannotPlay) {
    const std::string good = wave(fmtBody(1, 1, 8000, 16), "abcd");
    std::string riffTooLong = good;
    riffTooLong[4] = static_cast<char>(riffTooLong[4] + 2);
    std::string dataTooLong = good;
    dataTooLong[good.size() - 8] = '\x40';  // the data chunk claims 64 bytes
    const struct {
        const char* name;
        std::string file;
        const char* because;
    } cases[] = {
        {"empty", "", "not a RIFF/WAVE"},
        {"another RIFF", "RIFF\x04\0\0\0AVI ", "not a RIFF/WAVE"},
        {"truncated", good.substr(0, good.size() - 1), "cut off"},
        {"RIFF size past the end", riffTooLong, "cut off"},
        {"data size past the end", dataTooLong, "past the end"},
        {"no data", riff(chunk("fmt ", fmtBody(1, 1, 8000, 16))), "no data"},
        {"no format", riff(chunk("data", "abcd")), "no format"},
        {"short format", wave(fmtBody(1, 1, 8000, 16).substr(0, 14), "abcd"), "too short"},
        {"floating point", wave(fmtBody(3, 1, 8000, 32), "abcd"), "not PCM"},
        {"extensible, not PCM", wave(extensibleBody(1, 8000, 16, 3), "abcd"), "not PCM"},
        {"24-bit", wave(fmtBody(1, 1, 8000, 24), "abcdef"), "8- and 16-bit"},
        {"six channels", wave(fmtBody(1, 6, 8000, 16), std::string(12, 'a')), "mono and stereo"},
        {"rate zero", wave(fmtBody(1, 1, 0, 16), "abcd"), "sample rate"},
        {"lying frame size", wave(fmtBody(1, 1, 8000, 16).replace(12, 2, le(4, 2)), "abcd"),
         "frame size"},
        {"less than a frame", wave(fmtBody(1, 2, 8000, 16), "abc"), "no sound"},
        {"over 10 s", wave(fmtBody(1, 1, 100, 8), std::string(1001, '\x80')), "10 seconds"},
        {"over 4 MB", wave(fmtBody(1, 2, 384000, 16), std::string(4u << 20, 'a')), "4 MB"},
    };
    for (const auto& c : cases) {
        const WaveRead r = readWave(c.file);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_NE(r.error.find(c.because), std::string::npos) << c.name << ": " << r.error;
    }
}

}  // namespace
}  // namespace temura
