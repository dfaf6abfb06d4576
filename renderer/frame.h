#pragma once

#include <cstdint>

// Everything a scene may read: the picture is a pure function of these.
struct Frame {
    std::int32_t t;   // scene time, ms
    float step;       // point step of the height (pointStep), kStepBeforeResize before any resize
    int width;        // pane size in pixels
    int height;
    bool gentle = false;  // the gentle picture (renderer/gentle.h)
};

// Intermediate values are carried with a 64-bit significand or more, in
// the number type `WideFloat` the build's render_platform.h chooses; rounding to
// float or double happens only where it is written.
#include "render_platform.h"
