#include "gl_recorder.h"
#include "scene_kit.h"
#include "scene_table.h"

#include <gtest/gtest.h>

TEST(Band, ProductsAreTruncatedWithTheirExtendedSignificand)
{
    // 0.3 * 1080 rounded to double would be 324; the band starts a row lower.
    const kit::Rect h = kit::horizontalBand(0.3, 0.4, 1920, 1080);
    EXPECT_EQ(h.y, 323);
    EXPECT_EQ(h.height, 432);
    EXPECT_EQ(h.width, 1920);
    // Likewise 0.35 * 1920 lies just below 672.
    const kit::Rect v = kit::verticalBand(0.35, 0.2, 1920, 1080);
    EXPECT_EQ(v.x, 671);
    EXPECT_EQ(v.width, 384);
    EXPECT_EQ(v.height, 1080);
}

TEST(Spin, AnglesArePerMillisecondRatesAndTheXAngleFeedsThePhases)
{
    GlRecorder gl;
    const double xAngle = kit::spin(gl, 120000, {0, 0, -3});
    EXPECT_EQ(xAngle, 4800.0);
    EXPECT_EQ(gl.calls[2], (GlCall{GlOp::Rotate, {4800, 1, 0, 0}}));
    EXPECT_EQ(gl.calls[3], (GlCall{GlOp::Rotate, {6000, 0, 1, 0}}));
    EXPECT_EQ(gl.calls[4], (GlCall{GlOp::Rotate, {7200, 0, 0, 1}}));

    const kit::TimePhases p = kit::timePhases(xAngle);
    EXPECT_FLOAT_EQ(p.p1, 83.775803f);
    EXPECT_FLOAT_EQ(p.p2, 502.65482f);
    EXPECT_FLOAT_EQ(p.p3, 2345.7224f);

    const kit::TimePhases zero = kit::timePhases(kit::standardXAngle(0));
    EXPECT_EQ(zero.p1, 0.0f);
    EXPECT_EQ(zero.p3, 0.0f);
}

TEST(SinePalette, StandardCoefficientsAtTheWalkStart)
{
    const kit::TimePhases p = kit::timePhases(kit::standardXAngle(120000));
    const kit::ColourInputs in = kit::circleInputs(0);
    EXPECT_EQ(in.halfSine, 0.0f);
    EXPECT_EQ(in.halfCosine, 0.5f);
    EXPECT_FLOAT_EQ(kit::paletteValue(in.halfSine, in.halfCosine, p), -0.1536110f);
}

TEST(BeatPulse, TruncatesTowardZeroSoThePulseExceedsOneBeforeTheOrigin)
{
    const BeatGrid grid{80312, 15959, 32};
    const kit::Beat before = kit::beat(80272, grid);
    EXPECT_EQ(before.count, 0);
    EXPECT_GT(before.phase, 1.08);
    const kit::Beat onBeat = kit::beat(80312, grid);
    EXPECT_EQ(onBeat.count, 0);
    EXPECT_EQ(onBeat.phase, 1.0);
    // Beats fall every 15959 / 32 = 498.71875 ms.
    EXPECT_EQ(kit::beat(80810, grid).count, 0);
    EXPECT_EQ(kit::beat(80811, grid).count, 1);
}

namespace {

int walkSteps(float bound, float step)
{
    int steps = 0;
    kit::pointWalk(bound, step, [&](float, double) { ++steps; });
    return steps;
}

} // namespace

TEST(PointWalk, StepCountsFollowTheAccumulatedFloat)
{
    const float d1080 = pointStep(1080);
    const float d768 = pointStep(768);
    EXPECT_EQ(walkSteps(2000, d1080), 9818);
    EXPECT_EQ(walkSteps(2000, d768), 6982);
    EXPECT_EQ(walkSteps(4000, d1080), 19641);
    EXPECT_EQ(walkSteps(4000, d768), 13966);
    EXPECT_EQ(walkSteps(2000, 1.0f), 2000);
}

TEST(PointWalk, FirstStepAlwaysRunsAndASumEqualToTheBoundEnds)
{
    EXPECT_EQ(walkSteps(800, 5000.0f), 1);
    EXPECT_EQ(walkSteps(2, 1.0f), 2);

    std::vector<std::pair<float, double>> seen;
    kit::pointWalk(1, 0.25f, [&](float s, double sum) { seen.emplace_back(s, sum); });
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], std::make_pair(0.0f, 0.0));
    EXPECT_EQ(seen[3], std::make_pair(0.75f, 0.75));
}

TEST(PointWalk, AStepTooSmallToMoveSEndsInsteadOfHanging)
{
    // Past 262144 a float moves in steps of 1/32: adding 0.01 rounds back.
    int steps = 0;
    float last = 0;
    kit::pointWalk(1e6f, 0.01f, [&](float s, double) { ++steps; last = s; });
    EXPECT_EQ(last, 262144.0f);
    EXPECT_GT(steps, 1000000);
}
