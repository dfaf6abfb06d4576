#include "glibc_rand.h"
#include "recorded_frame.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::vector<GlCall> vertices(std::int32_t t, int h, bool resized = true)
{
    return callsOf(recordFrame(t, h * 16 / 9, h, resized), GlOp::Vertex);
}

// The i-th rand() result after srand(0) as the scene's -1.00 .. 0.99 value.
std::vector<float> randomValues(int count)
{
    GlibcRand random(0);
    std::vector<float> values;
    for (int i = 0; i < count; ++i)
        values.push_back((random() % 200 - 100) * static_cast<long double>(0.01));
    return values;
}

// The beat's pull on the first line's back end, read off its x offset from
// the rest position: the third rand() result is that end's x jitter.
double pulseAt(std::int32_t t)
{
    const double rest = vertices(80810, 1080)[0].args[0];  // pulse 2.4e-9
    return (vertices(t, 1080)[0].args[0] - rest) / randomValues(3)[2];
}

} // namespace

TEST(RandomBundle, BandScaleAndColoursOfAFrameBetweenBeats)
{
    const std::vector<GlCall> calls = recordFrame(88000, 1920, 1080);
    EXPECT_EQ(callsOf(calls, GlOp::Scissor)[0], call(GlOp::Scissor, 0, 108, 1920, 864));
    EXPECT_EQ(callsOf(calls, GlOp::Scale)[0], call(GlOp::Scale, 0.8f, 0.8f, 0.8f));
    const std::vector<GlCall> colours = callsOf(calls, GlOp::Color);
    ASSERT_EQ(colours.size(), 9818u);
    EXPECT_NEAR(colours[0].args[0], 0.844567, 1e-6);
    EXPECT_NEAR(colours[0].args[2], 0.644567, 1e-6);
    EXPECT_EQ(callsOf(calls, GlOp::Vertex).size(), 2 * 9818u);
    EXPECT_NEAR(pulseAt(88000), 0.1597489, 1e-6);
}

TEST(RandomBundle, LayoutIsTheSameInEveryFrameWhateverRandDidBetween)
{
    const std::vector<GlCall> first = recordFrame(90000, 1024, 768);
    std::srand(77);
    std::rand();
    EXPECT_EQ(recordFrame(90000, 1024, 768), first);
}

TEST(RandomBundle, EachLineKeepsItsRandomValuesWhateverThePointStep)
{
    const std::vector<GlCall> tall = vertices(85000, 1080);
    const std::vector<GlCall> shorter = vertices(85000, 768);
    const std::vector<GlCall> unresized = vertices(85000, 1080, false);
    ASSERT_EQ(shorter.size(), 2 * 6982u);
    ASSERT_EQ(unresized.size(), 2 * 2000u);
    for (std::size_t i = 0; i < unresized.size(); ++i) {
        ASSERT_EQ(tall[i], shorter[i]) << "vertex " << i;
        ASSERT_EQ(tall[i], unresized[i]) << "vertex " << i;
    }
}

TEST(RandomBundle, EndsJumpByTheirOwnJitterOnTheBeat)
{
    const std::vector<float> r = randomValues(8);
    const std::vector<GlCall> rest = vertices(80810, 1080);
    const std::vector<GlCall> beat = vertices(80312, 1080);  // pulse 0.8
    EXPECT_NEAR(beat[0].args[0] - rest[0].args[0], 0.8 * r[2], 1e-6);
    EXPECT_NEAR(beat[0].args[1] - rest[0].args[1], 0.8 * r[3], 1e-6);
    EXPECT_NEAR(beat[1].args[0] - rest[1].args[0], 0.8 * r[6], 1e-6);
    EXPECT_NEAR(beat[1].args[1] - rest[1].args[1], 0.8 * r[7], 1e-6);
    EXPECT_EQ(beat[0].args[2], -1);
    EXPECT_EQ(beat[1].args[2], 1);
}

TEST(RandomBundle, PulseStartsAboveTheBeatAndFallsToItBeforeTheFirstBeat)
{
    EXPECT_NEAR(pulseAt(80272), 1.00835, 1e-5);
    double previous = pulseAt(80272);
    for (std::int32_t t = 80282; t < 80312; t += 10) {
        const double pulse = pulseAt(t);
        EXPECT_LT(pulse, previous) << "t = " << t;
        EXPECT_GT(pulse, 0.8) << "t = " << t;
        previous = pulse;
    }
    EXPECT_NEAR(pulseAt(80312), 0.8, 1e-6);
    EXPECT_NEAR(pulseAt(80811), 0.79865, 1e-5);
}
