#pragma once

// Helpers for tests that check a frame through its recorded GL calls.

#include "gl_recorder.h"
#include "scene_table.h"

#include <vector>

// The calls of one paint at time t in a w by h pane, after its resize
// (or with the point step still 1 when `resized` is false), drawn with
// `caches` as a pane draws all its frames with its own.
inline std::vector<GlCall> recordFrame(SceneCaches &caches, std::int32_t t, int w, int h,
                                       bool resized = true)
{
    GlRecorder gl;
    const float step = resized ? pointStep(h) : kStepBeforeResize;
    paintFrame(gl, Frame{t, step, w, h}, caches);
    return gl.calls;
}

// The same frame drawn alone, with fresh caches.
inline std::vector<GlCall> recordFrame(std::int32_t t, int w, int h, bool resized = true)
{
    SceneCaches caches;
    return recordFrame(caches, t, w, h, resized);
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
