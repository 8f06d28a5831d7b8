#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "storage/png_image.h"

namespace temura {
namespace {

// The reader checks everything a strict decoder would, with sums written the slow, plain way,
// so it does not share a fault with the writer's tables.
std::uint32_t plainCrc32(const std::string& bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        c ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ ((c & 1) != 0 ? 0xEDB88320u : 0);
    }
    return ~c;
}

std::uint32_t plainAdler32(const std::string& bytes) {
    std::uint32_t a = 1, b = 0;
    for (const char ch : bytes) {
        a = (a + static_cast<unsigned char>(ch)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::uint32_t big32(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3]));
}

std::uint32_t little16(const std::string& s, std::size_t at) {
    return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    int storedBlocks = 0;
};

// The reverse of the writer for what it writes: IHDR, IDAT, IEND, stored blocks, filter 0 rows.
// Any deviation is a test failure with its reason.
std::optional<Decoded> decodeStoredPng(const std::string& png) {
    Decoded out;
    if (png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        ADD_FAILURE() << "signature";
        return std::nullopt;
    }
    std::vector<std::string> types;
    std::string zlib;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t len = big32(png, at);
        if (at + 12 + len > png.size()) break;
        const std::string typeAndData = png.substr(at + 4, 4 + len);
        EXPECT_EQ(big32(png, at + 8 + len), plainCrc32(typeAndData)) << typeAndData.substr(0, 4);
        const std::string type = typeAndData.substr(0, 4);
        const std::string data = typeAndData.substr(4);
        types.push_back(type);
        if (type == "IHDR") {
            EXPECT_EQ(data.size(), 13u);
            out.width = static_cast<int>(big32(data, 0));
            out.height = static_cast<int>(big32(data, 4));
            EXPECT_EQ(data.substr(8), std::string("\x08\x02\x00\x00\x00", 5));
        } else if (type == "IDAT") {
            zlib += data;
        }
        at += 12 + len;
    }
    EXPECT_EQ(at, png.size()) << "bytes after the last whole chunk";
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

    if (zlib.size() < 6 ||
        (static_cast<unsigned char>(zlib[0]) * 256 + static_cast<unsigned char>(zlib[1])) % 31 !=
            0 ||
        (zlib[0] & 0x0F) != 8 || (zlib[1] & 0x20) != 0) {
        ADD_FAILURE() << "zlib header";
        return std::nullopt;
    }
    std::string raw;
    std::size_t z = 2;
    bool last = false;
    while (!last && z + 5 <= zlib.size()) {
        const auto head = static_cast<unsigned char>(zlib[z]);
        last = (head & 1) != 0;
        EXPECT_EQ(head & 0x06, 0) << "not a stored block";
        const std::uint32_t len = little16(zlib, z + 1);
        EXPECT_EQ(len ^ little16(zlib, z + 3), 0xFFFFu) << "NLEN";
        if (z + 5 + len > zlib.size()) break;
        raw += zlib.substr(z + 5, len);
        z += 5 + len;
        ++out.storedBlocks;
    }
    if (!last || z + 4 != zlib.size()) {
        ADD_FAILURE() << "deflate stream does not end with its final block and the Adler-32";
        return std::nullopt;
    }
    EXPECT_EQ(big32(zlib, z), plainAdler32(raw));

    const std::size_t row = 1 + 3 * static_cast<std::size_t>(out.width);
    if (raw.size() != row * static_cast<std::size_t>(out.height)) {
        ADD_FAILURE() << "pixel data size";
        return std::nullopt;
    }
    for (std::size_t r = 0; r < raw.size(); r += row) {
        EXPECT_EQ(raw[r], '\0') << "filter type";
        for (std::size_t i = r + 1; i < r + row; i += 3) {
            out.pixels.push_back(static_cast<std::uint32_t>(static_cast<unsigned char>(raw[i]))
                                     << 16 |
                                 static_cast<unsigned char>(raw[i + 1]) << 8 |
                                 static_cast<unsigned char>(raw[i + 2]));
        }
    }
    return out;
}

// Every pixel different, bytes of every value in every colour, and a top byte that must be ignored
// (a 32-bit DIB leaves it undefined).
std::uint32_t patternPixel(int i) {
    return static_cast<std::uint32_t>(i) * 0x9E3779B1u;
}

TEST(PngImage, WhatIsWrittenReadsBack) {
    struct Case {
        int width, height, storedBlocks;
    };
    const Case cases[] = {
        {1, 1, 1},      {3, 2, 1},  // odd width: rows of 10 bytes
        {28, 771, 1},               // exactly one full block: 771 rows of 85 bytes = 65535
        {28, 772, 2},               // one row more spills into a second block
        {640, 480, 15},             // a window-sized picture: 922 080 bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        std::vector<std::uint32_t> pixels, expected;
        for (int i = 0; i < c.width * c.height; ++i) {
            pixels.push_back(patternPixel(i));
            expected.push_back(patternPixel(i) & 0x00FFFFFFu);
        }
        const auto decoded = decodeStoredPng(encodePng(c.width, c.height, pixels));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width, c.width);
        EXPECT_EQ(decoded->height, c.height);
        EXPECT_EQ(decoded->storedBlocks, c.storedBlocks);
        EXPECT_EQ(decoded->pixels, expected);
    }
}

TEST(PngImage, ASizeThePixelsDoNotFillIsRefused) {
    struct Case {
        int width, height;
        std::size_t count;
    };
    const Case cases[] = {{0, 1, 0}, {1, 0, 0}, {-1, -1, 1}, {2, 2, 3}, {2, 2, 5}, {3, 1, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(encodePng(c.width, c.height, std::vector<std::uint32_t>(c.count)), "")
            << c.width << "x" << c.height << " with " << c.count;
    }
}

}  // namespace
}  // namespace temura
