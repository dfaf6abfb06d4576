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
    restart(static_cast<double>(position), now);
}

void SmoothClock::resume(double now)
{
    if (!isRunning) {
        const std::int64_t shown = floor;
        run(shown, now);
    }
}

void SmoothClock::restart(double from, double now)
{
    anchor = from;
    since = movedAt = now;
    rate = 1;
    waiting = false;
    reports.clear();
}

void SmoothClock::report(std::int64_t position, double now)
{
    if (!isRunning) {
        hold(position);
        return;
    }
    const double shown = shownAt(now);
    const double error = static_cast<double>(position) - shown;
    if (std::abs(error) > kJumpMs) {
        run(position, now);
        return;
    }
    // A report is never early: a player this far ahead of the picture is.
    if (error > kCatchUpMs) {
        restart(static_cast<double>(position), now);
        lastPosition = std::max(lastPosition, position);
        reports.emplace_back(now, static_cast<double>(position));
        return;
    }
    if (static_cast<double>(position) < static_cast<double>(lastPosition) - kCatchUpMs) {
        // The player went back (holding its sound back, say): what it said
        // before no longer holds.
        reports.clear();
        lastPosition = position;
        movedAt = now;
        keep(static_cast<double>(position), now);
    } else if (position > lastPosition) {
        // Only a position that moves on shows the player is still going: a
        // player that stalls may go on repeating where it stands.
        const double gap = now - movedAt;
        // Going on after a stall, the player's clock has moved against the
        // monotonic one: the reports before tell nothing of it now.
        if (gap > stallAfter())
            reports.clear();
        usualGap = usualGap > 0 ? usualGap + (gap - usualGap) / 4 : gap;
        movedAt = now;
        lastPosition = position;
        keep(static_cast<double>(position), now);
        while (reports.front().first < now - kWindowMs)
            reports.pop_front();
    }
    if (reports.empty())
        return;
    const double behind = estimateAt(now) - shown;
    anchor = shown;
    since = now;
    waiting = behind < -kCatchUpMs || (waiting && behind < 0);
    if (waiting) {
        rate = 0;
        return;
    }
    rate = 1 + std::clamp(behind / kSettleMs, -kMaxRateChange, kMaxRateChange);
    largestChange = std::max(largestChange, std::abs(rate - 1));
}

void SmoothClock::keep(double position, double now)
{
    // Of the reports close together, the one that came least late.
    if (!reports.empty() && now - reports.back().first < kReportSpacingMs) {
        auto &[arrival, kept] = reports.back();
        if (position - now > kept - arrival)
            reports.back() = {now, position};
        return;
    }
    reports.emplace_back(now, position);
}

double SmoothClock::stallAfter() const
{
    return std::max(kMinStallMs, 2 * (usualGap > 0 ? usualGap : kFirstGapGuessMs));
}

double SmoothClock::estimateAt(double now) const
{
    scratch.clear();
    for (const auto &[arrival, position] : reports)
        scratch.push_back(position - arrival);
    const auto middle = scratch.begin() + static_cast<std::ptrdiff_t>(scratch.size() / 2);
    std::nth_element(scratch.begin(), middle, scratch.end());
    return now + *middle;
}

bool SmoothClock::runsOnAt(double now) const
{
    return isRunning && rate > 0 && now < movedAt + stallAfter();
}

double SmoothClock::shownAt(double now) const
{
    const double stallsAt = movedAt + stallAfter();
    return anchor + rate * std::max(0.0, std::min(now, stallsAt) - since);
}

std::int64_t SmoothClock::show(double now)
{
    floor = at(now);
    return floor;
}

std::int64_t SmoothClock::at(double now) const
{
    if (!isRunning)
        return floor;
    // Kept well inside the range of the integer it becomes.
    constexpr double kFar = 0x1p62;
    const double shown = std::clamp(std::floor(shownAt(now) - delay), -kFar, kFar);
    return std::max(floor, static_cast<std::int64_t>(shown));
}
