#pragma once

// Helpers for tests that check a frame through its recorded GL calls.

#include "gl_recorder.h"
#include "scene_table.h"

#include <vector>

// The calls of one paint at time t in a w by h pane, after its resize
// (or with the point step still 1 when `resized` is false).
inline std::vector<GlCall> recordFrame(std::int32_t t, int w, int h, bool resized = true)
{
    GlRecorder gl;
    const float step = resized ? pointStep(h) : kStepBeforeResize;
    paintFrame(gl, Frame{t, step, w, h});
    return gl.calls;
}

inline std::vector<GlCall> callsOf(const std::vector<GlCall> &calls, GlOp op)
{
    std::vector<GlCall> picked;
    for (const GlCall &c : calls)
        if (c.op == op)
            picked.push_back(c);
    return picked;
}

inline GlCall call(GlOp op, double a = 0, double b = 0, double c = 0, double d = 0)
{
    return GlCall{op, {a, b, c, d}};
}
