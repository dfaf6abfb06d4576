#include "recorded_frame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Scene4Parts {
    std::vector<GlCall> lines;  // both noise lines, from their translation on
    std::vector<GlCall> cone;   // from the cone's translation on
};

Scene4Parts splitScene4(const std::vector<GlCall> &calls)
{
    std::vector<size_t> identities;
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].op == GlOp::LoadIdentity)
            identities.push_back(i);
    EXPECT_EQ(identities.size(), 2u);
    if (identities.size() != 2)
        return {};
    return {{calls.begin() + identities[0] + 1, calls.begin() + identities[1]},
            {calls.begin() + identities[1] + 1, calls.end()}};
}

std::vector<GLenum> beginModes(const std::vector<GlCall> &calls)
{
    std::vector<GLenum> modes;
    for (const GlCall &c : callsOf(calls, GlOp::Begin))
        modes.push_back(static_cast<GLenum>(c.args[0]));
    return modes;
}

// Vertices sent right after a restart, paired with the vertex sent before it.
// Inside a line the restart comes between a point's colour and its vertex.
struct Restart {
    GlCall before, after;
};

std::vector<Restart> seamRestarts(const std::vector<GlCall> &lines)
{
    std::vector<Restart> restarts;
    const GlCall *last = nullptr;
    GlOp previous = GlOp::Begin;
    bool pending = false;
    for (const GlCall &c : lines) {
        if (c.op == GlOp::End && previous == GlOp::Color && last)
            pending = true;
        previous = c.op;
        if (c.op == GlOp::Vertex) {
            if (pending)
                restarts.push_back({*last, c});
            pending = false;
            last = &c;
        }
    }
    return restarts;
}

void expectSeamNeverBridged(std::int32_t t, GLenum mode)
{
    const Scene4Parts parts = splitScene4(recordFrame(t, 1920, 1080));
    const std::vector<GLenum> modes = beginModes(parts.lines);
    EXPECT_TRUE(std::all_of(modes.begin(), modes.end(), [&](GLenum m) { return m == mode; }));
    const std::vector<Restart> restarts = seamRestarts(parts.lines);
    // Columns 0 and 1 together hold about ten points of each line at this
    // height; each restarts the primitive and sits at the left end.
    EXPECT_GE(restarts.size(), 18u);
    EXPECT_LE(restarts.size(), 22u);
    for (const Restart &r : restarts)
        EXPECT_LT(r.after.args[0], -2.5 + 0.005 + 0.081) << "t " << t;
    // The first point of each run at the seam follows one at the right end.
    size_t fromRightEnd = 0;
    for (const Restart &r : restarts)
        fromRightEnd += r.before.args[0] > 2.49 - 0.081;
    EXPECT_EQ(fromRightEnd, 2u);
}

} // namespace

TEST(Scene4NoiseLines, SeamRestartsThePrimitiveInBothLineModes)
{
    expectSeamNeverBridged(48000, GL_LINE_STRIP);
    expectSeamNeverBridged(40212, GL_LINES);
}

TEST(Scene4NoiseLines, LineModeSwitchesEveryHalfBeat)
{
    const auto firstMode = [](std::int32_t t) {
        return beginModes(splitScene4(recordFrame(t, 640, 480)).lines).front();
    };
    EXPECT_EQ(firstMode(40115), GLenum(GL_LINE_STRIP));
    EXPECT_EQ(firstMode(40211), GLenum(GL_LINE_STRIP));
    EXPECT_EQ(firstMode(40212), GLenum(GL_LINES));
    EXPECT_EQ(firstMode(40713), GLenum(GL_LINES));
    EXPECT_EQ(firstMode(40714), GLenum(GL_LINE_STRIP));
    EXPECT_EQ(firstMode(56268), GLenum(GL_LINES));
}

TEST(Scene4NoiseLines, LineStartingAtTheSeamOpensWithAnEmptyPrimitive)
{
    // At t = 50000 the scroll is exactly 5000 columns: the first point is in column 0.
    const Scene4Parts parts = splitScene4(recordFrame(50000, 800, 600));
    ASSERT_GE(parts.lines.size(), 6u);
    EXPECT_EQ(parts.lines[1].op, GlOp::Begin);
    EXPECT_EQ(parts.lines[2].op, GlOp::Color);
    EXPECT_EQ(parts.lines[3].op, GlOp::End);
    EXPECT_EQ(parts.lines[4].op, GlOp::Begin);
    EXPECT_EQ(parts.lines[5].op, GlOp::Vertex);
}

TEST(Scene4NoiseLines, BoundIsTestedOnTheRoundedParameter)
{
    // Unresized, s runs 0 to 999 exactly; the cone walks 0 to 499.
    const Scene4Parts parts = splitScene4(recordFrame(48000, 1920, 1080, false));
    EXPECT_EQ(callsOf(parts.lines, GlOp::Vertex).size(), 2u * 1000);
    EXPECT_EQ(callsOf(parts.cone, GlOp::Vertex).size(), 4u * 500);
}

TEST(Scene4, LowerLineMirrorsTheUpperAndTheConeTurnsAboutX)
{
    const Scene4Parts parts = splitScene4(recordFrame(48000, 1920, 1080));
    // The lower line is the upper one moved down, jitter for jitter.
    const std::vector<GlCall> points = callsOf(parts.lines, GlOp::Vertex);
    ASSERT_EQ(points.size(), 2u * 4910);
    EXPECT_EQ(points[0], call(GlOp::Vertex, 1.50000024f, 0.660000205f, 0.08f));
    EXPECT_EQ(points[4910], call(GlOp::Vertex, 1.50000024f, -0.659999788f, 0.08f));

    // The cone turns about x alone; slant and spoke share one palette value.
    ASSERT_GE(parts.cone.size(), 9u);
    const std::vector<GlCall> head(parts.cone.begin(), parts.cone.begin() + 9);
    EXPECT_EQ(head, (std::vector<GlCall>{
                        call(GlOp::Translate, 0, 0, -3),
                        call(GlOp::Rotate, 1920, 1, 0, 0),
                        call(GlOp::Begin, GL_LINES),
                        call(GlOp::Color, 0.653596401f, 0.953596413f, 1.1535964f, 1),
                        call(GlOp::Vertex, 0, 0.5f, 0),
                        call(GlOp::Vertex, 0, -0.5f, 0.5f),
                        call(GlOp::Color, 0.553596437f, 0.853596449f, 1.05359638f, 1),
                        call(GlOp::Vertex, 0, -0.5f, 0.5f),
                        call(GlOp::Vertex, 0, -0.5f, 0),
                    }));
    EXPECT_EQ(callsOf(parts.cone, GlOp::Vertex).size(), 4u * 2455);
}
