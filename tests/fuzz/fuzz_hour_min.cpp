// "+hh:mm" offsets: any text reads without harm; what it reads as, written out again, reads
// the same; every offset the program writes reads back as itself.

#include <limits>
#include <string>

#include "clock/text_format.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = temura::fuzz::bytesOf(data, size);
    const auto [hours, minutes] = temura::ParseHourMin(text);
    if (text.find(':') == std::string::npos) FUZZ_CHECK(hours == 0 && minutes == 0);
    FUZZ_CHECK(temura::ParseHourMinTotal(text) == std::int64_t{hours} * 60 + minutes);

    // A plain form of the same reading: the minutes carry the sign only when the hours are 0.
    std::string plain;
    if (hours < 0) {
        plain = std::to_string(hours) + ":" + std::to_string(-std::int64_t{minutes});
    } else {
        plain = std::to_string(hours) + ":" + std::to_string(minutes);
    }
    FUZZ_CHECK(temura::ParseHourMin(plain) == std::make_pair(hours, minutes));

    // Offsets the program writes: up to a day either way, the edit fields' range.
    std::int64_t offset = 0;
    for (std::size_t i = 0; i < size && i < 4; ++i) offset = offset * 256 + data[i];
    offset = offset % (2 * 1499 + 1) - 1499;
    FUZZ_CHECK(temura::ParseHourMinTotal(temura::OffsetText(offset)) == offset);
    return 0;
}
