#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace temura::test {

// A date-time as the registry stores it: the double's 8 bytes, least significant first.
inline std::vector<std::uint8_t> bytesOf(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    std::vector<std::uint8_t> b(8);
    for (std::size_t i = 0; i < 8; ++i) b[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return b;
}

// The system catalogue built from one zone: index 42, "Example City", UTC+1 with the EU rules
// (last Sunday of March 02:00, last Sunday of October 03:00), in 2026.
inline constexpr char kExampleZoneCatalogue[] =
    ";System Time Zones\r\n"
    "[TZ_42]\r\n"
    "DisplayName=Example City\r\n"
    "StdName=Example Standard Time\r\n"
    "DSTName=Example Daylight Time\r\n"
    "Bias=-60\r\n"
    "StdBias=0\r\n"
    "DSTBias=-60\r\n"
    "StdDate=25-10\r\n"
    "StdTime=03:00\r\n"
    "DSTDate=29-03\r\n"
    "DSTTime=02:00\r\n"
    "StdDOW=0\r\n"
    "DSTDOW=0\r\n"
    "sys=1\r\n";

}  // namespace temura::test
