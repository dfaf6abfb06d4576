#include "frame_loop.h"

#include <algorithm>
#include <cmath>

namespace {

// Swap intervals this close to a whole number of refreshes look held back
// to them.
constexpr double kRefreshTolerance = 0.15;

} // namespace

void FrameLoop::setRefreshPeriod(double ms, double now)
{
    if (!(ms > 0) || ms == period)
        return;
    period = ms;
    byTimer = false;
    intervals.count = 0;
    lastSwap = -1;
    display.cancelWake();
    timerArmed = false;
    if (isPlaying)
        askForPicture(now);
}

void FrameLoop::play(double now)
{
    if (isPlaying)
        return;
    isPlaying = true;
    lastSwap = -1;
    if (byTimer)
        armTimer(now);
    else
        askForPicture(now);
}

void FrameLoop::stop()
{
    isPlaying = false;
    lastSwap = -1;
    display.cancelWake();
    timerArmed = false;
}

void FrameLoop::poke(double now)
{
    if (!isPlaying || awaitingSwap)
        return;
    if (!byTimer)
        askForPicture(now);
    else if (!timerArmed)
        armTimer(now);
}

void FrameLoop::wake(double now)
{
    timerArmed = false;
    if (!isPlaying)
        return;
    if (!byTimer) {
        // A paint asked for that never reached the display is asked for
        // again rather than waited for for good.
        if (awaitingSwap)
            requestPaint(now);
        else
            askForPicture(now);
        return;
    }
    // A picture still on its way misses this deadline; its swap arms the
    // next one. One that will not change needs no deadline until poked.
    if (awaitingSwap)
        return;
    const Change change = display.pictureChange(now + presentationDelay());
    if (change == Change::None)
        return;
    armTimer(now);
    if (change == Change::Now) {
        awaitingSwap = true;
        display.paintNow();
    }
}

double FrameLoop::painting(double now)
{
    awaitingSwap = true;
    paintStart = now;
    // Never aimed earlier than the paint before, though the delay measured
    // may shrink: so the clocks drawn never step back for it.
    lastAim = std::max(lastAim, now + presentationDelay());
    return lastAim;
}

void FrameLoop::swapped(double now)
{
    if (!awaitingSwap)
        return;
    awaitingSwap = false;
    ++counts.pictures;
    if (paintToSwap.count > 0 && now > paintStart + paintToSwap.median() + period / 2)
        ++counts.late;
    paintToSwap.add(now - paintStart);

    if (isPlaying && lastSwap >= 0) {
        const double interval = now - lastSwap;
        counts.repeated += std::max<std::int64_t>(0, std::llround(interval / period) - 1);
        if (!byTimer)
            intervals.add(interval);
    }
    lastSwap = isPlaying ? now : -1;
    if (!isPlaying)
        return;
    if (!byTimer && intervals.count >= kIntervals && intervals.median() < kUnthrottledShare * period) {
        // Nothing holds the swaps back: deadlines from here on.
        byTimer = true;
        origin = now;
        armTimer(now);
        return;
    }
    if (byTimer) {
        if (!timerArmed)
            armTimer(now);
        return;
    }
    askForPicture(now);
    if (!awaitingSwap)
        lastSwap = -1; // idle until poked: the next interval means nothing
}

double FrameLoop::presentationDelay() const
{
    return (paintToSwap.count > 0 ? paintToSwap.median() : 0) + (queuesForRefresh() ? period : 0);
}

void FrameLoop::askForPicture(double now)
{
    if (awaitingSwap)
        return;
    switch (display.pictureChange(now + presentationDelay())) {
    case Change::Now:
        requestPaint(now);
        break;
    case Change::Later:
        display.scheduleWake(now + period);
        timerArmed = true;
        break;
    case Change::None:
        if (timerArmed) {
            display.cancelWake();
            timerArmed = false;
        }
        break;
    }
}

void FrameLoop::requestPaint(double now)
{
    awaitingSwap = true;
    display.requestPaint();
    display.scheduleWake(now + kLostSwapMs);
    timerArmed = true;
}

void FrameLoop::armTimer(double now)
{
    // Woken on a deadline, a rounding error must not make it the next one.
    const double next = origin + (std::floor((now - origin) / period + 1e-3) + 1) * period;
    display.scheduleWake(next);
    timerArmed = true;
}

double FrameLoop::Recent::median() const
{
    const int n = std::min(count, kIntervals);
    std::array<double, kIntervals> sorted = values;
    std::nth_element(sorted.begin(), sorted.begin() + n / 2, sorted.begin() + n);
    return sorted[n / 2];
}

bool FrameLoop::queuesForRefresh() const
{
    if (byTimer || intervals.count < kIntervals)
        return false;
    const double refreshes = intervals.median() / period;
    const double whole = std::round(refreshes);
    return whole >= 1 && std::abs(refreshes - whole) <= kRefreshTolerance;
}
