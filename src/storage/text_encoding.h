#pragma once

#include <cstddef>
#include <string>

namespace temura {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut-off sequences.
bool isValidUtf8(const std::string& bytes);

// Windows-1250 (Central European) to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) become U+FFFD.
std::string cp1250ToUtf8(const std::string& bytes);

// The text of a file as read from disk: valid UTF-8 as it is (without leading byte-order marks),
// anything else as Windows-1250, the code page of older files. The whole file is decoded one
// way, so a file is never written back as a mix of the two.
std::string decodeFileText(const std::string& bytes);

// The first `codepoints` characters of a UTF-8 text. Counts lead bytes, so a text that is not
// valid UTF-8 is still cut on a byte boundary without reading past its end.
std::string utf8Truncate(const std::string& text, std::size_t codepoints);

}  // namespace temura
