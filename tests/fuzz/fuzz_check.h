#pragma once

// What every fuzz target shares: the input as a string, and checks that stop the run the way
// libFuzzer expects (abort), so a broken property is saved as a crash input like any fault.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace temura::fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
    std::abort();
}

inline std::string bytesOf(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace temura::fuzz

#define FUZZ_CHECK(cond) ((cond) ? void(0) : ::temura::fuzz::fail(#cond, __FILE__, __LINE__))

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
