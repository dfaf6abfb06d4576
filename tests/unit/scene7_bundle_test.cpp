#include "recorded_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

std::vector<GlCall> vertices(std::int32_t t, int h, bool resized = true)
{
    return callsOf(recordFrame(t, h * 16 / 9, h, resized), GlOp::Vertex);
}

// Each end's x and y offset from where it rests (at 80810 the pulse is
// 2.4e-9), ends in drawing order.
std::vector<double> offsets(std::int32_t t)
{
    const int h = 480;
    static const std::vector<GlCall> rest = vertices(80810, h);
    const std::vector<GlCall> now = vertices(t, h);
    std::vector<double> d;
    for (std::size_t i = 0; i < now.size(); ++i)
        for (int axis : {0, 1})
            d.push_back(now[i].args[axis] - rest[i].args[axis]);
    return d;
}

// The pulse, read off the end that a beat throws furthest: on the beat
// the pulse is 0.8.
double pulseAt(std::int32_t t)
{
    static const std::vector<double> beat = offsets(80312);
    static const std::size_t far =
        std::max_element(beat.begin(), beat.end(),
                         [](double a, double b) { return std::abs(a) < std::abs(b); }) -
        beat.begin();
    return 0.8 * offsets(t)[far] / beat[far];
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

// Lines jump apart on the beat, each end by its own offset of at most 0.8
// on x and y, and all settle back together: at any time every end is the
// same share of its beat offset away from rest. Ends stay on their planes.
TEST(RandomBundle, EndsJumpByTheirOwnOffsetsAndSettleTogether)
{
    const std::vector<double> beat = offsets(80312);
    double furthest = 0;
    int left = 0, right = 0;
    for (std::size_t i = 0; i < beat.size(); i += 2) {
        furthest = std::max({furthest, std::abs(beat[i]), std::abs(beat[i + 1])});
        left += beat[i] < 0;
        right += beat[i] > 0;
    }
    EXPECT_NEAR(furthest, 0.8, 1e-6);
    EXPECT_GT(left, int(beat.size()) / 5);
    EXPECT_GT(right, int(beat.size()) / 5);
    for (std::int32_t t : {80272, 80500, 80810, 88000, 96358}) {
        const double share = pulseAt(t) / 0.8;
        const std::vector<double> now = offsets(t);
        for (std::size_t i = 0; i < now.size(); ++i)
            ASSERT_NEAR(now[i], share * beat[i], 1e-6) << "t " << t << ", end " << i / 2;
    }
    const std::vector<GlCall> ends = vertices(88000, 480);
    for (std::size_t i = 0; i < ends.size(); ++i)
        ASSERT_EQ(ends[i].args[2], i % 2 ? 1 : -1) << "end " << i;
}

// At rest every end lies within a unit circle about the axis, all round it.
TEST(RandomBundle, EndsRestWithinTheUnitCircleAllRoundTheAxis)
{
    int quadrants[4] = {};
    for (const GlCall &end : vertices(80810, 480)) {
        const double x = end.args[0], y = end.args[1];
        ASSERT_LE(std::hypot(x, y), 1 + 1e-6);
        ++quadrants[(x < 0) + 2 * (y < 0)];
    }
    for (int q : quadrants)
        EXPECT_GT(q, 500);
}

// The bundle jumps on every beat, 15959 / 32 ms apart from 40 ms into the
// scene: in the millisecond a beat falls in the pulse goes back up to 0.8,
// and just before it the lines have all but come to rest.
TEST(RandomBundle, JumpsOnEveryBeat)
{
    for (int beat = 1; 80312 + beat * 15959.0 / 32 < 96359; ++beat) {
        const auto t = static_cast<std::int32_t>(std::ceil(80312 + beat * 15959.0 / 32));
        EXPECT_GT(pulseAt(t), 0.79) << "beat " << beat;
        EXPECT_LT(pulseAt(t - 1), 1e-3) << "beat " << beat;
    }
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
