// The frozen stopwatch reading: any text reads without harm (resuming from it must not
// overflow), and every reading the stopwatch shows reads back as its tenths of a second.

#include <string>

#include "clock/stopwatch.h"
#include "clock/text_format.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    temura::ClockState s;
    s.StopwatchReading = temura::fuzz::bytesOf(data, size);
    const std::int64_t ms = temura::GetLMs(s);
    if (s.StopwatchReading.find('.') == std::string::npos) FUZZ_CHECK(ms == 0);

    // Resuming a paused reading takes it off the tick count.
    s.StopwatchPaused = true;
    temura::actStart(s, 123456u);
    FUZZ_CHECK(s.StopwatchStartTick == 123456u - static_cast<std::uint32_t>(ms));

    std::uint32_t elapsed = 0;
    for (std::size_t i = 0; i < size && i < 4; ++i) elapsed = elapsed << 8 | data[i];
    s.StopwatchReading = temura::ElapsedText(elapsed).text;
    FUZZ_CHECK(temura::GetLMs(s) == elapsed - elapsed % 100);
    return 0;
}
