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

// Scene 2 sets two colours outside its runs, before the title; every other
// call but the vertices, the ends and the colours inside runs stays a step.
TEST(FrameArrays, KeepsEveryVertexOfARealFrame)
{
    const auto calls = recordFrame(16128, 640, 480);
    const FrameArrays frame = toArrays(calls);
    EXPECT_EQ(frame.vertices.size(), callsOf(calls, GlOp::Vertex).size());
    EXPECT_EQ(frame.steps.size(), calls.size() - callsOf(calls, GlOp::Vertex).size()
                                      - callsOf(calls, GlOp::End).size()
                                      - (callsOf(calls, GlOp::Color).size() - 2));
}
