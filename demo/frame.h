#pragma once

#include <cstdint>

// Everything a scene may read: the picture is a pure function of these.
struct Frame {
    std::int32_t t;   // scene time, ms
    float step;       // point step: pointStep(height), kStepBeforeResize before any resize
    int width;        // pane size in pixels
    int height;
};

// Intermediate values are carried with a 64-bit significand (x87 extended
// on x86-64); rounding to float or double happens only where it is written.
// WebAssembly's long double is binary128 in software, so the web build
// carries them in a faster double-double instead.
#ifdef __EMSCRIPTEN__
#include "double_double.h"
using ext = DoubleDouble;
#else
using ext = long double;
#endif
