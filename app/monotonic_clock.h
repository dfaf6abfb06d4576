#pragma once

#include <chrono>

// Milliseconds of the system's monotonic clock, the one every part of the
// window times itself by.
inline double monotonicMs()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(since).count();
}
