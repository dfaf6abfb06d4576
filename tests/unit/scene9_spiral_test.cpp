#include "recorded_frame.h"

#include <gtest/gtest.h>

TEST(Scene9Spiral, HalfWayThroughTheFadeBandAndSpiralAreDimmed)
{
    const auto calls = recordFrame(120000, 1920, 1080);
    ASSERT_GE(calls.size(), 16u);
    EXPECT_EQ(calls[2], call(GlOp::ClearColor, 0.16516034f, 0.07156948f, 0.08258017f, 0));
    EXPECT_EQ(calls[3], call(GlOp::Scissor, 0, 323, 1920, 432));
    EXPECT_EQ(calls[8], call(GlOp::Translate, 0, 0, -3));
    EXPECT_EQ(calls[12], call(GlOp::Scale, 0.9f, 0.9f, 0.9f));
    EXPECT_EQ(calls[13], call(GlOp::Begin, GL_LINE_STRIP));
    EXPECT_EQ(calls[14], call(GlOp::Color, 0.62409192f, 0.49196368f, 0.2497285f, 1));
    EXPECT_EQ(calls[15], call(GlOp::Vertex, 0, 1, 0));
    ASSERT_EQ(calls[17].op, GlOp::Vertex);
    EXPECT_NEAR(calls[17].args[0], 0.0011986, 5e-8);
    EXPECT_NEAR(calls[17].args[1], 0.9999949, 5e-8);
    EXPECT_NEAR(calls[17].args[2], 0.0029667, 5e-8);
    EXPECT_EQ(calls.back(), call(GlOp::End));
}

TEST(Scene9Spiral, OneColourBeforeEachPointOfOneStrip)
{
    const auto calls = recordFrame(120000, 1920, 768);
    EXPECT_EQ(callsOf(calls, GlOp::Vertex).size(), 6982u);
    EXPECT_EQ(callsOf(calls, GlOp::Begin).size(), 1u);
    for (std::size_t i = 14; i + 1 < calls.size(); i += 2) {
        ASSERT_EQ(calls[i].op, GlOp::Color) << i;
        ASSERT_EQ(calls[i].args[3], 1.0) << "alpha is never faded";
        ASSERT_EQ(calls[i + 1].op, GlOp::Vertex) << i;
    }
}

TEST(Scene9Spiral, FadesFromFullColourToPracticallyBlack)
{
    EXPECT_EQ(recordFrame(112600, 1920, 1080)[2], call(GlOp::ClearColor, 0.3f, 0.13f, 0.15f, 0));
    const GlCall last = recordFrame(129063, 1920, 1080)[2];
    EXPECT_NEAR(last.args[0], 0.0000182, 1e-7);
    EXPECT_NEAR(last.args[1], 0.0000079, 1e-7);
    EXPECT_NEAR(last.args[2], 0.0000091, 1e-7);
}
