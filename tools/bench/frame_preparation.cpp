#include "frame_preparation.h"

#include "timeline.h"

double clockMs(clockid_t clock)
{
    timespec now;
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec * 1e-6;
}

namespace {

double threadCpuMs()
{
    timespec probe;
    static const clockid_t clock = clock_gettime(CLOCK_THREAD_CPUTIME_ID, &probe) == 0
        ? CLOCK_THREAD_CPUTIME_ID
        : CLOCK_MONOTONIC;
    return clockMs(clock);
}

} // namespace

FrameClock::FrameClock(int scene) : first(sceneWindow(scene).middle() - 500) {}

std::int32_t FrameClock::next()
{
    const std::int32_t t = first + tick;
    tick = (tick + 1) % 1000;
    return t;
}

double FramePreparation::next(int w, int h)
{
    if (!surface.hasSize(w, h))
        surface.resize(gl, w, h);
    const std::int32_t t = clock.next();
    const double start = threadCpuMs();
    surface.draw(gl, t);
    return threadCpuMs() - start;
}
