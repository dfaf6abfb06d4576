#include "recorded_frame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

GlCall bandAt(std::int32_t t, int h)
{
    return callsOf(recordFrame(t, 1920, h), GlOp::Scissor).front();
}

// Per step: A is the second vertex of eight, B the fourth.
struct Perimeter {
    GlCall a, b;
};

std::vector<Perimeter> perimeterPoints(const std::vector<GlCall> &calls)
{
    const std::vector<GlCall> vertices = callsOf(calls, GlOp::Vertex);
    std::vector<Perimeter> points;
    for (size_t i = 0; i + 7 < vertices.size(); i += 8)
        points.push_back({vertices[i + 1], vertices[i + 3]});
    return points;
}

} // namespace

TEST(Scene6Band, RowsAtThePulseExtremes)
{
    // On the scene's first beat the pulse is 0.5; the band's lower edge lies
    // just below row 297, which only the extended product keeps.
    EXPECT_EQ(bandAt(64313, 1080), call(GlOp::Scissor, 0, 296, 1920, 486));
    // Just before the second beat the pulse has decayed to nearly nothing.
    EXPECT_EQ(bandAt(64811, 1080), call(GlOp::Scissor, 0, 108, 1920, 863));
    EXPECT_EQ(bandAt(64812, 1080), call(GlOp::Scissor, 0, 296, 1920, 486));
    EXPECT_EQ(bandAt(72000, 1080), call(GlOp::Scissor, 0, 146, 1920, 787));
    // 0.275 * 1000 would be row 275; the sum just below 0.275 gives 274.
    EXPECT_EQ(bandAt(64313, 1000), call(GlOp::Scissor, 0, 274, 1920, 450));
}

TEST(Scene6Pyramid, FirstStepHatchesFromTheCorners)
{
    const std::vector<GlCall> calls = recordFrame(72000, 1920, 1080);
    const auto begin = std::find(calls.begin(), calls.end(), call(GlOp::Begin, GL_LINES));
    ASSERT_GE(calls.end() - begin, 13);
    const std::vector<GlCall> step(begin + 1, begin + 13);
    EXPECT_EQ(step, (std::vector<GlCall>{
                        call(GlOp::Color, 0.578298867f, 0.978298903f, 0.778298855f, 1),
                        call(GlOp::Vertex, 0, 0, -1),
                        call(GlOp::Vertex, -1, 1, 0),
                        call(GlOp::Color, 0.278298885f, 0.678298891f, 0.478298873f, 1),
                        call(GlOp::Vertex, 0, 0, -1),
                        call(GlOp::Vertex, 1, 1, 0),
                        call(GlOp::Color, 0.378298879f, 0.778298855f, 0.578298867f, 1),
                        call(GlOp::Vertex, -1, 1, 0),
                        call(GlOp::Vertex, 0, 0, 1),
                        call(GlOp::Color, 0.678298891f, 1.07829893f, 0.878298879f, 1),
                        call(GlOp::Vertex, 1, 1, 0),
                        call(GlOp::Vertex, 0, 0, 1),
                    }));
}

TEST(Scene6Pyramid, SideSwitchesAtFourHundredOfTheRoundedParameter)
{
    const std::vector<Perimeter> unresized = perimeterPoints(recordFrame(72000, 1920, 1080, false));
    ASSERT_EQ(unresized.size(), 800u);
    EXPECT_EQ(unresized[399].a, call(GlOp::Vertex, 0.995f, 1, 0));
    EXPECT_EQ(unresized[400].a, call(GlOp::Vertex, 1, -1, 0));
    EXPECT_EQ(unresized[400].b, call(GlOp::Vertex, -1, -1, 0));
    EXPECT_EQ(unresized[799].a, call(GlOp::Vertex, -0.995f, -1, 0));

    const std::vector<Perimeter> resized = perimeterPoints(recordFrame(72000, 1920, 1080));
    ASSERT_EQ(resized.size(), 3928u);
    EXPECT_EQ(resized[1963].a.args[1], 1);
    EXPECT_EQ(resized[1964].a, call(GlOp::Vertex, 0.999619722f, -1, 0));
    EXPECT_EQ(resized[1964].b, call(GlOp::Vertex, -1, -0.999619722f, 0));
}
