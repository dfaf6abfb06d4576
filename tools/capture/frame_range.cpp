#include "frame_range.h"

// The times stay below `to` while i * 1000 / fps < to - from, that is while
// i * 1000 < (to - from) * fps: the count is that quotient rounded up.
std::int64_t FrameRange::frameCount() const
{
    const std::int64_t span = static_cast<std::int64_t>(to) - from;
    if (span <= 0 || fps <= 0)
        return 0;
    return (span * fps + 999) / 1000;
}

std::int32_t FrameRange::timeOf(std::int64_t frame) const
{
    return static_cast<std::int32_t>(from + frame * 1000 / fps);
}
