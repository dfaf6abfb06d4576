#include "recorded_frame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

GlCall scaleAt(std::int32_t t)
{
    return callsOf(recordFrame(t, 1920, 1080), GlOp::Scale)[0];
}

} // namespace

TEST(RaySphere, StripScaleAndFirstRayOfAFrameBetweenBeats)
{
    const std::vector<GlCall> calls = recordFrame(100000, 1920, 1080);
    // 0.35 lies just below 0.35, so 0.35 * 1920 truncates to column 671.
    EXPECT_EQ(callsOf(calls, GlOp::Scissor)[0], call(GlOp::Scissor, 671, 0, 384, 1080));
    const GlCall scale = callsOf(calls, GlOp::Scale)[0];
    EXPECT_NEAR(scale.args[0], 0.780846, 1e-6);
    EXPECT_NEAR(scale.args[1], 0.980846, 1e-6);
    EXPECT_NEAR(scale.args[2], 0.880846, 1e-6);
    const std::vector<GlCall> colours = callsOf(calls, GlOp::Color);
    ASSERT_EQ(colours.size(), 19641u);
    EXPECT_NEAR(colours[0].args[0], 0.431317, 1e-6);
    EXPECT_NEAR(colours[0].args[2], 0.551317, 1e-6);
    const std::vector<GlCall> points = callsOf(calls, GlOp::Vertex);
    EXPECT_EQ(points[0], call(GlOp::Vertex, 0, 1, 0));
    EXPECT_EQ(points[1], call(GlOp::Vertex, 0, 0, 0));
}

TEST(RaySphere, ScaleSwellsOnTheBeatAndSettlesBeforeTheNext)
{
    const GlCall beat = scaleAt(96379);
    EXPECT_EQ(beat, call(GlOp::Scale, 0.9f, 1.1f, 1.0f));
    EXPECT_EQ(scaleAt(96877), call(GlOp::Scale, 0.7f, 0.9f, 0.8f));
    EXPECT_NEAR(scaleAt(96878).args[0], 0.7 + 0.19966, 1e-5);
}

TEST(RaySphere, PulseStartsAboveTheBeatAndFallsToItBeforeTheFirstBeat)
{
    double previous = scaleAt(96359).args[0];
    EXPECT_NEAR(previous, 0.7 + 0.22504, 1e-5);
    for (std::int32_t t = 96364; t < 96379; t += 5) {
        const double x = scaleAt(t).args[0];
        EXPECT_LT(x, previous) << "t = " << t;
        EXPECT_GT(x, 0.9f) << "t = " << t;
        previous = x;
    }
}

TEST(RaySphere, RaysRunFromTheUnitSphereToTheCentreAndReachTheSouthPole)
{
    const std::vector<GlCall> points = callsOf(recordFrame(104000, 1024, 768, false), GlOp::Vertex);
    ASSERT_EQ(points.size(), 2 * 4000u);
    for (std::size_t i = 0; i < points.size(); i += 2) {
        const auto &p = points[i].args;
        ASSERT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 1, 1e-6) << "ray " << i / 2;
        ASSERT_EQ(points[i + 1], call(GlOp::Vertex, 0, 0, 0)) << "ray " << i / 2;
    }
    EXPECT_LT(points[2 * 781].args[1], -0.99999);  // polar angle near pi at s = 781
}
