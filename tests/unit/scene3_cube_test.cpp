#include "recorded_frame.h"

#include <gtest/gtest.h>

namespace {

GlCall scaleAt(std::int32_t t)
{
    return callsOf(recordFrame(t, 1920, 1080), GlOp::Scale).at(0);
}

// The outline point of each walk step, as placed on the face z = -1.
std::vector<GlCall> outline(const std::vector<GlCall> &calls)
{
    const std::vector<GlCall> v = callsOf(calls, GlOp::Vertex);
    std::vector<GlCall> points;
    for (std::size_t i = 0; i < v.size(); i += 12)
        points.push_back(v[i]);
    return points;
}

} // namespace

TEST(SunburstCube, ScaleJumpsOnEachBeatAndDecaysBeforeTheNext)
{
    EXPECT_EQ(scaleAt(24156), call(GlOp::Scale, 0.7f, 0.3f, 0.7f));
    EXPECT_EQ(scaleAt(24654), call(GlOp::Scale, 0.5f, 0.5f, 0.5f));
    EXPECT_NEAR(scaleAt(24655).args[0], 0.5 + 0.19966, 1e-5);  // next beat
    EXPECT_EQ(scaleAt(40114), call(GlOp::Scale, 0.5f, 0.5f, 0.5f));
    EXPECT_EQ(scaleAt(30000), call(GlOp::Scale, 0.50448388f, 0.49551615f, 0.50448388f));
}

TEST(SunburstCube, OutlineSwitchesEdgeExactlyAtTheCorners)
{
    const std::vector<GlCall> p = outline(recordFrame(30000, 1920, 1080, false));
    ASSERT_EQ(p.size(), 800u);
    EXPECT_EQ(p[0], call(GlOp::Vertex, -1, 1, -1));
    EXPECT_EQ(p[199], call(GlOp::Vertex, 0.99f, 1, -1));
    EXPECT_EQ(p[200], call(GlOp::Vertex, 1, 1, -1));
    EXPECT_EQ(p[201], call(GlOp::Vertex, 1, 0.99f, -1));
    EXPECT_EQ(p[399], call(GlOp::Vertex, 1, -0.99f, -1));
    EXPECT_EQ(p[400], call(GlOp::Vertex, 1, -1, -1));
    EXPECT_EQ(p[599], call(GlOp::Vertex, -0.99f, -1, -1));
    EXPECT_EQ(p[600], call(GlOp::Vertex, -1, -1, -1));
    EXPECT_EQ(p[799], call(GlOp::Vertex, -1, 0.99f, -1));
}

TEST(SunburstCube, FirstStepPlacesTheCornerOnEveryFace)
{
    const std::vector<GlCall> calls = recordFrame(30000, 1920, 1080);
    const std::vector<GlCall> colours = callsOf(calls, GlOp::Color);
    EXPECT_EQ(colours.size(), 3928u * 3);
    EXPECT_EQ(colours[0], call(GlOp::Color, 0.96582395f, 1.0658239f, 0.86582392f, 1));
    EXPECT_EQ(colours[2], call(GlOp::Color, 0.56582392f, 0.66582394f, 0.46582392f, 1));
    const std::vector<GlCall> v = callsOf(calls, GlOp::Vertex);
    const std::vector<GlCall> rays(v.begin(), v.begin() + 12);
    EXPECT_EQ(rays, (std::vector<GlCall>{
                        call(GlOp::Vertex, -1, 1, -1), call(GlOp::Vertex, 0, 0, -1),
                        call(GlOp::Vertex, -1, 1, 1), call(GlOp::Vertex, 0, 0, 1),
                        call(GlOp::Vertex, 1, -1, -1), call(GlOp::Vertex, 0, -1, 0),
                        call(GlOp::Vertex, 1, 1, -1), call(GlOp::Vertex, 0, 1, 0),
                        call(GlOp::Vertex, -1, -1, 1), call(GlOp::Vertex, -1, 0, 0),
                        call(GlOp::Vertex, 1, -1, 1), call(GlOp::Vertex, 1, 0, 0)}));
}
