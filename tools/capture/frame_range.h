#pragma once

#include <cstdint>

// The frames of a capture: frame i shows the scene time
// from + floor(i * 1000 / fps) ms, for every such time below `to`.
// Integer arithmetic throughout, so a frame's time never drifts with its
// index and never depends on floating-point rounding.
struct FrameRange {
    std::int32_t from;
    std::int32_t to;  // exclusive
    int fps;

    std::int64_t frameCount() const;
    std::int32_t timeOf(std::int64_t frame) const;
};
