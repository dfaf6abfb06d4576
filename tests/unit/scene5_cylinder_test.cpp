#include "recorded_frame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Per step: three colours and six vertices, the side line being the third
// and fourth vertex (P on the near rim, Q on the twisted one).
struct SideLine {
    GlCall p, q;
};

std::vector<SideLine> sideLines(std::int32_t t, int w, int h, bool resized = true)
{
    const std::vector<GlCall> vertices = callsOf(recordFrame(t, w, h, resized), GlOp::Vertex);
    std::vector<SideLine> lines;
    for (size_t i = 0; i + 5 < vertices.size(); i += 6)
        lines.push_back({vertices[i + 2], vertices[i + 3]});
    return lines;
}

} // namespace

TEST(Scene5Cylinder, SpinBandAndTwistedRimOfAFrameMidScene)
{
    const std::vector<GlCall> calls = recordFrame(60000, 1920, 1080);
    const std::vector<GlCall> rotations = callsOf(calls, GlOp::Rotate);
    ASSERT_EQ(rotations.size(), 3u);
    EXPECT_EQ(rotations[0].args[0], 2400);
    EXPECT_EQ(rotations[2].args[0], 3600);
    EXPECT_EQ(callsOf(calls, GlOp::Scale).front(), call(GlOp::Scale, 0.8f, 0.8f, 0.8f));
    EXPECT_EQ(callsOf(calls, GlOp::Scissor).front(), call(GlOp::Scissor, 0, 108, 1920, 864));

    const std::vector<GlCall> colours = callsOf(calls, GlOp::Color);
    ASSERT_EQ(colours.size(), 3u * 4910);
    EXPECT_EQ(colours[1], call(GlOp::Color, 0.698617578f, 0.49861756f, 0.898617566f, 1));
    // All three lines of a step share one palette value, 0.2 apart per channel.
    for (size_t i = 0; i < colours.size(); i += 3 * 89)
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(colours[i].args[c] - colours[i + 1].args[c], 0.2, 1e-6);
            EXPECT_NEAR(colours[i + 1].args[c] - colours[i + 2].args[c], 0.2, 1e-6);
        }

    const SideLine first = sideLines(60000, 1920, 1080).front();
    EXPECT_EQ(first.p, call(GlOp::Vertex, 1, 0, 1));
    EXPECT_EQ(first.q, call(GlOp::Vertex, -0.967682004f, 0.252173692f, -1));
}

TEST(Scene5Cylinder, TwistFollowsTheSceneFromPlainToDoubleCone)
{
    // First millisecond: the far rim is not turned at all.
    for (const SideLine &l : sideLines(56334, 800, 600)) {
        EXPECT_EQ(l.q.args[0], l.p.args[0]);
        EXPECT_EQ(l.q.args[1], l.p.args[1]);
    }
    // 1995 ms in: a quarter turn, Q is P turned by 90 degrees.
    for (const SideLine &l : sideLines(58329, 800, 600)) {
        EXPECT_NEAR(l.q.args[0], -l.p.args[1], 2e-3);
        EXPECT_NEAR(l.q.args[1], l.p.args[0], 2e-3);
    }
    // 3990 ms in: half a turn, every side line crosses the axis.
    for (const SideLine &l : sideLines(60324, 800, 600)) {
        EXPECT_NEAR(l.q.args[0], -l.p.args[0], 2e-3);
        EXPECT_NEAR(l.q.args[1], -l.p.args[1], 2e-3);
    }
}

TEST(Scene5Cylinder, StepCountFollowsThePointStep)
{
    const std::vector<SideLine> unresized = sideLines(60000, 1920, 1080, false);
    ASSERT_EQ(unresized.size(), 1000u);
    // One turn over s = 0 to 999: the last point sits just short of the first.
    const double angle = std::atan2(unresized.back().p.args[1], unresized.back().p.args[0]);
    EXPECT_NEAR(angle, -6.28318536 * 0.001, 1e-6);
    EXPECT_EQ(sideLines(60000, 1920, 1080).size(), 4910u);
}
