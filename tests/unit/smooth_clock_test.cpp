// The scene clock fed by players that report their position finely, coarsely
// or not at all, on a made-up monotonic clock.
#include "smooth_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr double kFrameMs = 1000.0 / 60;

// A player that plays from 0 at time 0 and tells its position only when
// that moves on by a step, and then up to 22 ms late, as a busy event loop
// hands it on. Feeds the clock what has arrived by the time now.
struct SteppingPlayer
{
    double stepMs;
    int count = 0;
    double arrived = 0;

    double nextArrival() const
    {
        const double late = (count * 7919) % 23;
        return std::max(arrived, count * stepMs + late);
    }
    void feed(SmoothClock &clock, double now)
    {
        for (; nextArrival() <= now; ++count) {
            arrived = nextArrival();
            clock.report(static_cast<std::int64_t>(count * stepMs), arrived);
        }
    }
    void skipTo(double time)
    {
        count = static_cast<int>(time / stepMs);
        arrived = time;
    }
};

// Draws a frame per refresh from `from` to `to` and checks what a viewer
// would see: time never going back, never far from the music, and a new
// picture nearly every refresh.
void expectSmooth(SmoothClock &clock, SteppingPlayer &player, double from, double to)
{
    std::int64_t last = clock.at(from);
    std::set<std::int64_t> pictures;
    for (double now = from; now < to; now += kFrameMs) {
        player.feed(clock, now);
        const std::int64_t shown = clock.at(now);
        ASSERT_GE(shown, last) << "at " << now;
        EXPECT_NEAR(shown, now, 45) << "at " << now;
        pictures.insert(shown);
        last = shown;
    }
    EXPECT_GE(pictures.size(), 0.95 * (to - from) / kFrameMs);
}

} // namespace

TEST(SmoothClock, CoarseOrFineReportsGiveAPictureThatMovesEveryRefresh)
{
    for (double step : {290.0, 1.0}) {
        SCOPED_TRACE(step);
        SmoothClock clock;
        SteppingPlayer player{step};
        clock.run(0, 0);
        player.feed(clock, 1000);
        expectSmooth(clock, player, 1000, 20000);
    }
}

TEST(SmoothClock, PauseAndSeekShowTheirPositionExactly)
{
    SmoothClock clock;
    SteppingPlayer player{290};
    clock.run(0, 0);
    player.feed(clock, 5000);

    clock.hold(4711);
    EXPECT_EQ(clock.at(5000), 4711);
    EXPECT_EQ(clock.at(9000), 4711);
    clock.report(4800, 9000); // a seek while paused
    EXPECT_EQ(clock.at(9500), 4800);

    clock.resume(10000);
    EXPECT_EQ(clock.at(10000), 4800);
    EXPECT_NEAR(clock.at(10500), 5300, 1);

    clock.run(700, 11000); // a seek back while playing
    EXPECT_EQ(clock.at(11000), 700);

    const std::int64_t last = clock.at(11300);
    clock.freeze(11300); // the music ended
    EXPECT_EQ(clock.at(20000), last);
}

// A player that says it is well behind (though not so far as to be taken
// at its word) slows the picture by at most a quarter while the two draw
// together: the picture keeps moving on every refresh.
TEST(SmoothClock, APlayerFarBehindSlowsThePictureWithoutStoppingIt)
{
    SmoothClock clock;
    clock.run(0, 0);
    clock.report(1000, 1000);
    clock.report(400, 1000);
    std::int64_t last = clock.at(1000);
    for (double now = 1000 + kFrameMs; now < 1500; now += kFrameMs) {
        const std::int64_t shown = clock.at(now);
        EXPECT_GE(shown - last, 0.75 * kFrameMs - 1) << "at " << now;
        EXPECT_LE(shown - last, kFrameMs + 1) << "at " << now;
        last = shown;
    }
}

TEST(SmoothClock, AStalledPlayerStopsThePictureWithinAReportOrTwo)
{
    SmoothClock clock;
    SteppingPlayer player{290};
    clock.run(0, 0);
    player.feed(clock, 3000);
    const std::int64_t stopped = clock.at(3000 + 2 * 290 + 30);
    EXPECT_LT(stopped, 3000 + 3 * 290);
    // Still repeating where it stands is no sign of life either.
    for (double now = 3600; now < 6000; now += 1)
        clock.report(2900, now);
    EXPECT_EQ(clock.at(6000), stopped);

    // Going on again, it catches up without stepping back.
    player.skipTo(6000);
    std::int64_t last = clock.at(6000);
    for (double now = 6000; now < 12000; now += kFrameMs) {
        player.feed(clock, now);
        ASSERT_GE(clock.at(now), last);
        last = clock.at(now);
    }
    EXPECT_NEAR(last, 12000, 45);
}

TEST(SmoothClock, FarOffReportsAreTakenAsTheyAre)
{
    SmoothClock clock;
    clock.run(0, 0);
    // A player that says where it is only once it has played a while.
    clock.report(300, 50);
    EXPECT_EQ(clock.at(50), 300);
    clock.report(60000, 200);
    EXPECT_EQ(clock.at(200), 60000);
    clock.report(2000, 300);
    EXPECT_EQ(clock.at(300), 2000);
}

TEST(SmoothClock, ThePictureWaitsForLateSound)
{
    SmoothClock clock;
    clock.setDelay(200);
    SteppingPlayer player{1};
    clock.run(0, 0);
    for (double now : {0.0, 100.0, 199.0}) {
        player.feed(clock, now);
        EXPECT_EQ(clock.at(now), 0);
    }
    player.feed(clock, 3000);
    EXPECT_NEAR(clock.at(3000), 2800, 25);
    // Paused, it is the player's position all the same.
    clock.hold(3000);
    EXPECT_EQ(clock.at(3100), 3000);
}
