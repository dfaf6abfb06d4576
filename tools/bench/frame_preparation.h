#pragma once

// One scene's frames prepared through the call layer that draws nothing,
// which costs a frame the scenes' own work alone. The benchmark and the web
// build's timer (web/prepare_time.cpp) both time frames with it.

#include "drawing_surface.h"
#include "null_gl.h"

#include <cstdint>
#include <ctime>

// The time on `clock` in ms.
double clockMs(clockid_t clock);

// Frames walk 1 ms at a time through a second around the scene's middle,
// so no two frames in a row are alike.
class FrameClock {
public:
    explicit FrameClock(int scene);

    std::int32_t next();

private:
    std::int32_t first;
    std::int32_t tick = 0;
};

class FramePreparation {
public:
    explicit FramePreparation(int scene) : clock(scene) {}

    // Prepares the scene's next frame at w by h pixels and returns the CPU
    // time this thread took for it, in ms: wall time where the system
    // counts no thread's time (Node.js). A new size is set before the
    // clock starts; the caches it empties are refilled within the frame.
    double next(int w, int h);

private:
    FrameClock clock;
    NullGl gl;
    DrawingSurface surface;
};
