#include "recorded_frame.h"
#include "scenes.h"

#include <gtest/gtest.h>

namespace {

struct LayerCounts {
    int frontBlack = 0, lit = 0, backBlack = 0;
};

// Colours come one per layer; black ones before the first lit layer are the
// front end of the stack, black ones after it the back end.
LayerCounts countLayers(const std::vector<GlCall> &calls)
{
    LayerCounts n;
    for (const GlCall &c : callsOf(calls, GlOp::Color)) {
        const bool black = c.args[0] == 0 && c.args[1] == 0 && c.args[2] == 0;
        if (!black)
            ++n.lit;
        else if (n.lit == 0)
            ++n.frontBlack;
        else
            ++n.backBlack;
    }
    return n;
}

std::vector<GlCall> scales(std::int32_t t)
{
    return callsOf(recordFrame(t, 1920, 1080), GlOp::Scale);
}

// The twist is the rotation after each layer: every rotation past the spin's three.
std::vector<GlCall> twists(const std::vector<GlCall> &calls)
{
    std::vector<GlCall> r = callsOf(calls, GlOp::Rotate);
    r.erase(r.begin(), r.begin() + 3);
    return r;
}

} // namespace

TEST(ExtrudedLogo, BlackEndsFollowTheRoundedLayerPosition)
{
    const LayerCounts unit = countLayers(recordFrame(0, 1920, 1080, false));
    EXPECT_EQ(unit.frontBlack, 20);
    EXPECT_EQ(unit.lit, 760);
    EXPECT_EQ(unit.backBlack, 20);

    const LayerCounts tall = countLayers(recordFrame(0, 1920, 1080));
    EXPECT_EQ(tall.frontBlack, 99);
    EXPECT_EQ(tall.lit, 3731);
    EXPECT_EQ(tall.backBlack, 98);
}

TEST(ExtrudedLogo, LayerDepthAndColourAtTheLitEnds)
{
    const std::vector<GlCall> calls = recordFrame(0, 1920, 1080, false);
    const std::vector<GlCall> colours = callsOf(calls, GlOp::Color);
    const std::vector<GlCall> vertices = callsOf(calls, GlOp::Vertex);
    // z is the float -0.23999999, so red lands a float above 0.16.
    EXPECT_EQ(colours[20], call(GlOp::Color, 0.160000011f, 0.26f, 0.36f, 1));
    EXPECT_EQ(vertices[20 * 26].args[2], -0.23999999f);
    EXPECT_EQ(colours[779], call(GlOp::Color, 0.5395f, 0.6395f, 0.7395f, 1));
    EXPECT_EQ(vertices[0], call(GlOp::Vertex, -1.75, -0.5, -0.25));
    EXPECT_EQ(vertices.size(), 800u * 26);
}

TEST(ExtrudedLogo, GrowthAndTwistStartAfterSixSeconds)
{
    for (std::int32_t t : {-500, 0, 5999, 6000}) {
        EXPECT_EQ(scales(t)[1], call(GlOp::Scale, 0.8f, 0.8f, 0.8f)) << t;
        EXPECT_EQ(twists(recordFrame(t, 1920, 1080))[0].args[0], 0) << t;
    }
    EXPECT_EQ(scales(6001)[0].args[0], 0.800625026f);
    EXPECT_EQ(scales(8099)[1].args[0], 2.111875f);

    const std::vector<GlCall> late = twists(recordFrame(8099, 1920, 1080));
    EXPECT_EQ(late.size(), 3928u);  // one after every layer, the last included
    EXPECT_EQ(late.back(), call(GlOp::Rotate, 1.1288788f, 0, 0, 1));
}

TEST(ExtrudedLogo, AStepTooSmallToAdvanceDrawsOneLayerAndStops)
{
    GlRecorder gl;
    SceneCaches caches;
    drawExtrudedLogo(gl, Frame{0, 0.0f, 640, 480}, caches);
    EXPECT_EQ(callsOf(gl.calls, GlOp::Begin).size(), 1u);
}
