#include "frame_range.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

// The frame times counted one by one, as the definition reads.
std::int64_t countByHand(const FrameRange &range)
{
    std::int64_t n = 0;
    while (static_cast<std::int64_t>(range.from) + n * 1000 / range.fps < range.to)
        ++n;
    return n;
}

} // namespace

TEST(FrameRange, OddRatesRoundEachTimeDownWithoutDrift)
{
    const FrameRange cinema{0, 2000, 24};
    EXPECT_EQ(cinema.timeOf(1), 41);
    EXPECT_EQ(cinema.timeOf(2), 83);
    EXPECT_EQ(cinema.timeOf(23), 958);
    EXPECT_EQ(cinema.timeOf(24), 1000);  // whole seconds land exactly
    EXPECT_EQ(cinema.timeOf(47), 1958);

    const FrameRange fast{8090, 8110, 144};
    EXPECT_EQ(fast.timeOf(0), 8090);
    EXPECT_EQ(fast.timeOf(1), 8096);
    EXPECT_EQ(fast.timeOf(2), 8103);
    EXPECT_EQ(fast.frameCount(), 3);
    EXPECT_EQ((FrameRange{0, 129064, 144}.timeOf(18585)), 129062);
}

TEST(FrameRange, EveryTimeBelowTheEndAndNoneBeyond)
{
    for (int fps : {1, 7, 24, 25, 30, 60, 144, 999, 1000}) {
        for (std::int32_t span : {1, 2, 999, 1000, 1001, 4167, 10000}) {
            const FrameRange range{-300, -300 + span, fps};
            const std::int64_t n = range.frameCount();
            EXPECT_EQ(n, countByHand(range)) << fps << " fps, " << span << " ms";
            EXPECT_EQ(range.timeOf(0), range.from);
            EXPECT_LT(range.timeOf(n - 1), range.to) << fps << " fps, " << span << " ms";
        }
    }
}

TEST(FrameRange, CountsOfTheUsualCaptures)
{
    EXPECT_EQ((FrameRange{0, 129064, 60}.frameCount()), 7744);  // the whole demo
    EXPECT_EQ((FrameRange{3000, 13000, 30}.frameCount()), 300);
    EXPECT_EQ((FrameRange{0, 1, 1}.frameCount()), 1);
    EXPECT_EQ((FrameRange{5, 5, 60}.frameCount()), 0);
    EXPECT_EQ((FrameRange{6, 5, 60}.frameCount()), 0);
}

TEST(FrameRange, WidestRangeNeitherOverflowsNorWraps)
{
    const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    const std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    const FrameRange range{lowest, highest, 1000};
    EXPECT_EQ(range.frameCount(), 4294967295LL);
    EXPECT_EQ(range.timeOf(range.frameCount() - 1), highest - 1);
    const FrameRange slow{lowest, highest, 7};
    EXPECT_EQ(slow.frameCount(), 30064772);
    EXPECT_EQ(slow.timeOf(30064771), 2147483637);
}
