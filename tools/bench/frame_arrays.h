#pragma once

// One recorded frame rearranged for vertex-array drawing: every glBegin/glEnd
// run becomes a single draw of vertices that carry their own colour, and all
// other calls stay in order. Drawn from arrays built beforehand, the frame
// costs GL only what its pixels cost: the floor a scene's frame can approach.

#include "gl_recorder.h"

#include <array>
#include <optional>
#include <vector>

struct ArrayVertex {
    float x, y, z;
    float r, g, b, a;
};

// A Begin call stands for the draw of `count` vertices from `first` in its
// primitive mode; any other call is replayed as recorded.
struct ArrayStep {
    GlCall call;
    int first = 0;
    int count = 0;
};

struct FrameArrays {
    std::vector<ArrayStep> steps;
    std::vector<ArrayVertex> vertices;
};

inline FrameArrays toArrays(const std::vector<GlCall> &calls)
{
    FrameArrays frame;
    // GL's initial current colour.
    std::array<float, 4> colour{1, 1, 1, 1};
    // Index of the step of the run being recorded; GL ignores vertices
    // outside a run, and so does the frame.
    std::optional<std::size_t> open;
    for (const GlCall &call : calls) {
        switch (call.op) {
        case GlOp::Color:
            for (int i = 0; i < 4; ++i)
                colour[i] = static_cast<float>(call.args[i]);
            if (!open)
                frame.steps.push_back({call});
            break;
        case GlOp::Vertex:
            if (!open)
                break;
            frame.vertices.push_back({static_cast<float>(call.args[0]),
                                      static_cast<float>(call.args[1]),
                                      static_cast<float>(call.args[2]), colour[0], colour[1],
                                      colour[2], colour[3]});
            ++frame.steps[*open].count;
            break;
        case GlOp::Begin:
            frame.steps.push_back({call, static_cast<int>(frame.vertices.size()), 0});
            open = frame.steps.size() - 1;
            break;
        case GlOp::End:
            open.reset();
            break;
        default:
            frame.steps.push_back({call});
        }
    }
    return frame;
}
