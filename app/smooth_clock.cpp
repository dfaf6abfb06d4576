#include "smooth_clock.h"

#include <algorithm>
#include <cmath>

void SmoothClock::hold(std::int64_t position)
{
    isRunning = false;
    floor = position;
}

void SmoothClock::run(std::int64_t position, double now)
{
    isRunning = true;
    floor = lastPosition = position;
    anchor = static_cast<double>(position);
    since = movedAt = now;
    rate = 1;
}

void SmoothClock::resume(double now)
{
    if (!isRunning) {
        const std::int64_t shown = floor;
        run(shown, now);
    }
}

void SmoothClock::report(std::int64_t position, double now)
{
    if (!isRunning) {
        hold(position);
        return;
    }
    const double expected = playerAt(now);
    const double error = static_cast<double>(position) - expected;
    if (std::abs(error) > kJumpMs) {
        run(position, now);
        return;
    }
    if (error > kCatchUpMs) {
        anchor = static_cast<double>(position);
        since = movedAt = now;
        rate = 1;
        lastPosition = std::max(lastPosition, position);
        return;
    }
    // Only a position that moves on shows the player is still going: a
    // player that stalls may go on repeating where it stands.
    if (position > lastPosition) {
        const double gap = now - movedAt;
        usualGap = usualGap > 0 ? usualGap + (gap - usualGap) / 4 : gap;
        movedAt = now;
        lastPosition = position;
    }
    anchor = expected;
    since = now;
    rate = 1 + std::clamp(error / kSettleMs, -kMaxRateChange, kMaxRateChange);
}

double SmoothClock::playerAt(double now) const
{
    const double gap = usualGap > 0 ? usualGap : kFirstGapGuessMs;
    const double stallsAt = movedAt + std::max(kMinStallMs, 2 * gap);
    return anchor + rate * std::max(0.0, std::min(now, stallsAt) - since);
}

std::int64_t SmoothClock::at(double now) const
{
    if (!isRunning)
        return floor;
    // Kept well inside the range of the integer it becomes.
    constexpr double kFar = 0x1p62;
    const double shown = std::clamp(std::floor(playerAt(now) - delay), -kFar, kFar);
    return std::max(floor, static_cast<std::int64_t>(shown));
}
