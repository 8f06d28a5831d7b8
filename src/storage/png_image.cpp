#include "storage/png_image.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace temura {
namespace {

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = makeCrcTable();

std::uint32_t crc32(const char* data, std::size_t size) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        c = kCrcTable[(c ^ static_cast<unsigned char>(data[i])) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const std::string& data) {
    constexpr std::uint32_t kBase = 65521;
    // The most bytes whose sums cannot overflow 32 bits before they are reduced.
    constexpr std::size_t kRun = 5552;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::size_t at = 0; at < data.size(); at += kRun) {
        const std::size_t end = std::min(data.size(), at + kRun);
        for (std::size_t i = at; i < end; ++i) {
            a += static_cast<unsigned char>(data[i]);
            b += a;
        }
        a %= kBase;
        b %= kBase;
    }
    return (b << 16) | a;
}

void putBig32(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

void putLittle16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v);
    out += static_cast<char>(v >> 8);
}

void putChunk(std::string& out, const char* type, const std::string& data) {
    putBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += data;
    putBig32(out, crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::string encodePng(int width, int height, const std::vector<std::uint32_t>& pixels) {
    if (width <= 0 || height <= 0) return {};
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    if (pixels.size() / w != h || pixels.size() % w != 0) return {};
    const std::size_t rowBytes = 1 + 3 * w;
    constexpr std::size_t kMaxBlock = 65535;
    // A chunk's length is a 31-bit number: the raw rows plus 5 bytes a block and 6 of the wrapper.
    constexpr std::size_t kMaxChunk = 0x7FFFFFFF;
    if (rowBytes > kMaxChunk / h) return {};
    const std::size_t rawSize = rowBytes * h;
    const std::size_t blocks = (rawSize + kMaxBlock - 1) / kMaxBlock;
    if (rawSize + 5 * blocks + 6 > kMaxChunk) return {};

    // Each row: filter type 0 (none), then red, green, blue.
    std::string raw;
    raw.reserve(rawSize);
    for (std::size_t y = 0; y < h; ++y) {
        raw += '\0';
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t p = pixels[y * w + x];
            raw += static_cast<char>(p >> 16);
            raw += static_cast<char>(p >> 8);
            raw += static_cast<char>(p);
        }
    }

    // The zlib wrapper: deflate with a 32 KiB window and no preset dictionary (0x78 0x01 is a
    // multiple of 31, as the header check demands), stored blocks, then the Adler-32 of the rows.
    std::string zlib = "\x78\x01";
    zlib.reserve(rawSize + 5 * blocks + 6);
    for (std::size_t at = 0; at < rawSize; at += kMaxBlock) {
        const std::size_t len = std::min(kMaxBlock, rawSize - at);
        zlib += static_cast<char>(at + len == rawSize ? 1 : 0);  // BFINAL on the last, BTYPE 00
        putLittle16(zlib, static_cast<std::uint32_t>(len));
        putLittle16(zlib, static_cast<std::uint32_t>(~len & 0xFFFF));
        zlib.append(raw, at, len);
    }
    putBig32(zlib, adler32(raw));

    std::string header;
    putBig32(header, static_cast<std::uint32_t>(width));
    putBig32(header, static_cast<std::uint32_t>(height));
    header +=
        std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace

    std::string png = "\x89PNG\r\n\x1a\n";
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlib);
    putChunk(png, "IEND", {});
    return png;
}

}  // namespace temura
