// "dd-mm" dates: any text reads without harm, and what it reads as, written out again, reads
// the same.

#include <string>

#include "clock/text_format.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = temura::fuzz::bytesOf(data, size);
    const auto [first, second] = temura::ParseDayMonth(text);
    if (text.find('-') == std::string::npos) FUZZ_CHECK(first == 0 && second == 0);
    const std::string plain = std::to_string(first) + "-" + std::to_string(second);
    FUZZ_CHECK(temura::ParseDayMonth(plain) == std::make_pair(first, second));
    const std::string padded = temura::PadLeft(std::to_string(first), 2, '0') + "-" +
                               temura::PadLeft(std::to_string(second), 2, '0');
    FUZZ_CHECK(temura::ParseDayMonth(padded) == std::make_pair(first, second));
    return 0;
}
