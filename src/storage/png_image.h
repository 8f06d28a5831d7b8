#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace temura {

// A picture as a PNG file's bytes: 8-bit RGB, no alpha, its pixel data in uncompressed ("stored")
// deflate blocks, so no compression library is needed. Pixels are 0x00RRGGBB, rows from the top,
// left to right; the top byte is ignored, so a 32-bit top-down DIB can be handed over as it is.
// Empty when the size is not positive, the pixel count is not width × height, or the file would
// be too large for one PNG data chunk.
std::string encodePng(int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace temura
