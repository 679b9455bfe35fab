#pragma once
// What the X clocks of the benchmarks share: the monotonic clock in
// milliseconds, sleeping, and ending with a reason.

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

inline double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

inline void SleepMs(double ms) {
    timespec t{static_cast<time_t>(ms / 1000), static_cast<long>(static_cast<long long>(ms * 1e6) % 1000000000LL)};
    nanosleep(&t, nullptr);
}

[[noreturn]] inline void Fail(const char* program, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", program, what.c_str());
    std::exit(2);
}

}  // namespace bench
