// The scene clock fed by players that report their position finely, coarsely
// or not at all, on a made-up monotonic clock.
#include "smooth_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

constexpr double kFrameMs = 1000.0 / 60;

// A player that plays from 0 at time 0 and tells its position only when
// that moves on by a step, and then up to 22 ms late, as a busy event loop
// hands it on; the report at lateAt, if any, comes 200 ms late. Feeds the
// clock what has arrived by the time now.
struct SteppingPlayer
{
    double stepMs;
    double lateAt = -1;
    int count = 0;
    double arrived = 0;

    double nextArrival() const
    {
        const double position = count * stepMs;
        const double late = position >= lateAt && position < lateAt + stepMs ? 200 : (count * 7919) % 23;
        return std::max(arrived, position + late);
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
// would see: time never going back, never far from the music, a new picture
// nearly every refresh, and a pace within 5 % of the music's over every
// quarter of a second.
void expectSmooth(SmoothClock &clock, SteppingPlayer &player, double from, double to)
{
    constexpr int kSpan = 15; // frames: a quarter of a second
    std::vector<std::int64_t> shown;
    for (double now = from; now < to; now += kFrameMs) {
        player.feed(clock, now);
        shown.push_back(clock.at(now));
        ASSERT_TRUE(shown.size() < 2 || shown.back() >= shown[shown.size() - 2]) << "at " << now;
        EXPECT_NEAR(shown.back(), now, 45) << "at " << now;
        if (shown.size() > kSpan) {
            const double pace = static_cast<double>(shown.back() - shown[shown.size() - 1 - kSpan]);
            EXPECT_NEAR(pace, kSpan * kFrameMs, 0.05 * kSpan * kFrameMs + 2) << "at " << now;
        }
    }
    const std::set<std::int64_t> pictures(shown.begin(), shown.end());
    EXPECT_GE(pictures.size(), 0.95 * (to - from) / kFrameMs);
}

} // namespace

TEST(SmoothClock, CoarseOrFineReportsGiveAPictureThatMovesEveryRefresh)
{
    for (double step : {290.0, 1.0}) {
        SCOPED_TRACE(step);
        SmoothClock clock;
        // A report that late from a fine player would be a stall.
        SteppingPlayer player{step, step > 100 ? 3000.0 : -1.0};
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

// A player that goes back (though not so far as to be taken at its word),
// as one that holds its sound back does: the picture, which never steps
// back, stands until the player has caught up with it, then runs on with it.
// Pictures are drawn for a moment 30 ms ahead, as a display shows them.
TEST(SmoothClock, APlayerThatFallsBehindHoldsThePictureUntilItCatchesUp)
{
    constexpr double kAhead = 30;
    SmoothClock clock;
    clock.run(0, 0);
    SteppingPlayer player{1};
    player.feed(clock, 1000);
    const std::int64_t held = clock.show(1000 + kAhead);
    std::int64_t last = held;
    for (double now = 1000; now < 3000; now += 1) {
        clock.report(static_cast<std::int64_t>(now) - 500, now);
        if (static_cast<int>(now) % 16)
            continue; // a picture a refresh
        const std::int64_t shown = clock.show(now + kAhead);
        ASSERT_GE(shown, now < 1450 ? held : last) << "at " << now;
        ASSERT_LE(shown, std::max<double>(held, now - 500 + kAhead) + 1) << "at " << now;
        last = shown;
    }
    EXPECT_NEAR(clock.show(3000 + kAhead), 2500 + kAhead, 20);
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
