// The benchmark's floor draws each frame from arrays; they must hold the same
// vertices in the same colours as the frame's immediate-mode calls.

#include "bench/frame_arrays.h"
#include "recorded_frame.h"

#include <gtest/gtest.h>

TEST(FrameArrays, RunsBecomeDrawsOfColouredVertices)
{
    const FrameArrays frame = toArrays({
        call(GlOp::Color, 0.5, 0.25, 0, 1),
        call(GlOp::Begin, GL_LINES),
        call(GlOp::Vertex, 1, 2, 3),
        call(GlOp::Color, 0, 1, 0, 1),
        call(GlOp::Vertex, 4, 5, 6),
        call(GlOp::End),
        call(GlOp::Rotate, 90, 0, 0, 1),
        call(GlOp::Vertex, 9, 9, 9),
        call(GlOp::Begin, GL_LINE_STRIP),
        call(GlOp::End),
        call(GlOp::Begin, GL_QUADS),
        call(GlOp::Vertex, 7, 8, 9),
        call(GlOp::End),
    });
    ASSERT_EQ(frame.steps.size(), 5u);
    EXPECT_EQ(frame.steps[0].call, call(GlOp::Color, 0.5, 0.25, 0, 1));
    EXPECT_EQ(frame.steps[1].call, call(GlOp::Begin, GL_LINES));
    EXPECT_EQ(frame.steps[1].first, 0);
    EXPECT_EQ(frame.steps[1].count, 2);
    EXPECT_EQ(frame.steps[2].call, call(GlOp::Rotate, 90, 0, 0, 1));
    EXPECT_EQ(frame.steps[3].count, 0) << "an empty run draws nothing";
    EXPECT_EQ(frame.steps[4].first, 2) << "a vertex outside any run is dropped";
    EXPECT_EQ(frame.steps[4].count, 1);

    ASSERT_EQ(frame.vertices.size(), 3u);
    const ArrayVertex &first = frame.vertices[0];
    EXPECT_EQ((std::array<float, 7>{first.x, first.y, first.z, first.r, first.g, first.b, first.a}),
              (std::array<float, 7>{1, 2, 3, 0.5f, 0.25f, 0, 1}));
    EXPECT_EQ(frame.vertices[1].g, 1) << "colours set inside a run apply from the next vertex";
    EXPECT_EQ(frame.vertices[2].g, 1) << "the current colour outlives its run";
}

namespace {

using Point = std::array<float, 7>;  // x, y, z, r, g, b, a

// What GL draws from the calls: every vertex sent inside a run, in the
// colour current when it was sent.
std::vector<Point> drawnPoints(const std::vector<GlCall> &calls)
{
    std::vector<Point> points;
    std::array<double, 4> colour{1, 1, 1, 1};
    bool open = false;
    for (const GlCall &c : calls) {
        if (c.op == GlOp::Color)
            colour = c.args;
        open = c.op == GlOp::Begin || (open && c.op != GlOp::End);
        if (c.op == GlOp::Vertex && open)
            points.push_back({float(c.args[0]), float(c.args[1]), float(c.args[2]), float(colour[0]),
                              float(colour[1]), float(colour[2]), float(colour[3])});
    }
    return points;
}

// The calls that change state rather than send points.
std::vector<GlCall> stateCalls(const std::vector<GlCall> &calls)
{
    std::vector<GlCall> kept;
    for (const GlCall &c : calls)
        if (c.op != GlOp::Begin && c.op != GlOp::End && c.op != GlOp::Vertex && c.op != GlOp::Color)
            kept.push_back(c);
    return kept;
}

} // namespace

// Scene 2 sets colours outside its runs, before the title: the arrays hold
// the points GL draws from the calls, in their colours, and keep every
// other call in its order.
TEST(FrameArrays, HoldThePointsAndStateOfARealFrame)
{
    const auto calls = recordFrame(16128, 640, 480);
    const FrameArrays frame = toArrays(calls);
    std::vector<Point> points;
    for (const ArrayVertex &v : frame.vertices)
        points.push_back({v.x, v.y, v.z, v.r, v.g, v.b, v.a});
    EXPECT_EQ(points, drawnPoints(calls));
    std::vector<GlCall> steps;
    for (const ArrayStep &step : frame.steps)
        steps.push_back(step.call);
    EXPECT_EQ(stateCalls(steps), stateCalls(calls));
}
