// The frame loop against a made-up display and event loop: a screen that
// holds swaps back to its refresh, one that does not, a change of screen,
// and a pause.
#include "frame_loop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double k60Hz = 1000.0 / 60;
constexpr double k144Hz = 1000.0 / 144;

// A display whose swaps take `paintMs`, then, where `throttled`, wait for
// the next refresh; a picture then shows at the refresh after (Wayland's
// frame callbacks, a swap chain of two), else at once.
struct FakeDisplay : FrameLoop::Display
{
    double period = k60Hz;
    bool throttled = true;
    double paintMs = 3;
    bool paintAsked = false;
    double wakeAt = -1;
    int wakesAsked = 0, wakes = 0;

    struct Picture
    {
        double paint, swap, aimed, seen;
    };
    std::vector<Picture> pictures;

    void requestPaint() override { paintAsked = true; }
    void paintNow() override { paintAsked = true; }
    void scheduleWake(double at) override
    {
        wakeAt = at;
        ++wakesAsked;
    }
    void cancelWake() override { wakeAt = -1; }
    // A picture every `changeMs` until `stillFrom`, then none.
    double changeMs = 0, stillFrom = 1e300, lastShown = -1;
    FrameLoop::Change pictureChange(double at) override
    {
        if (at >= stillFrom)
            return FrameLoop::Change::None;
        return at - lastShown >= changeMs ? FrameLoop::Change::Now : FrameLoop::Change::Later;
    }

    double nextRefresh(double t) const { return std::ceil(t / period) * period; }

    // Runs the event loop until `until`: paints when asked, wakes the loop
    // when its time comes (up to 0.6 ms late, as timers are), idles
    // otherwise.
    void run(FrameLoop &loop, double &now, double until)
    {
        while (now < until) {
            if (paintAsked) {
                paintAsked = false;
                const double aimed = loop.painting(now);
                lastShown = aimed;
                const double swap = throttled ? nextRefresh(now + paintMs) : now + paintMs;
                pictures.push_back({now, swap, aimed, throttled ? swap + period : swap});
                now = swap;
                loop.swapped(now);
            } else if (wakeAt >= 0) {
                now = std::max(now, wakeAt) + (wakesAsked * 7919 % 7) / 10.0;
                wakeAt = -1;
                ++wakes;
                loop.wake(now);
            } else {
                now = until;
            }
        }
    }
};

} // namespace

TEST(FrameLoop, ThrottledSwapsShowOnePicturePerRefreshAimedAtWhenItIsSeen)
{
    FakeDisplay display;
    FrameLoop loop(display);
    loop.setRefreshPeriod(k60Hz, 0);
    double now = 0;
    loop.play(now);
    display.run(loop, now, 10000);

    EXPECT_FALSE(loop.timerPaced());
    EXPECT_EQ(display.wakes, 0);
    EXPECT_NEAR(display.pictures.size(), 600, 1);
    EXPECT_EQ(loop.stats().repeated, 0);
    for (std::size_t i = 20; i < display.pictures.size(); ++i)
        ASSERT_NEAR(display.pictures[i].aimed, display.pictures[i].seen, 1) << i;
}

TEST(FrameLoop, UnthrottledSwapsFallToDeadlinesThatDoNotDrift)
{
    FakeDisplay display;
    display.throttled = false;
    FrameLoop loop(display);
    loop.setRefreshPeriod(k60Hz, 0);
    double now = 0;
    loop.play(now);
    display.run(loop, now, 1000);
    ASSERT_TRUE(loop.timerPaced());

    // Every paint starts on a deadline origin + n periods, or as late as the
    // timer woke, also after 10,000.
    const double origin = display.pictures.back().paint;
    const std::size_t first = display.pictures.size();
    display.run(loop, now, origin + 10000.5 * k60Hz);
    ASSERT_EQ(display.pictures.size() - first, 10000u);
    for (std::size_t i = first; i < display.pictures.size(); ++i) {
        const double periods = (display.pictures[i].paint - origin) / k60Hz;
        ASSERT_NEAR(periods, std::round(periods), 1.3 / k60Hz) << i;
        ASSERT_NEAR(display.pictures[i].aimed, display.pictures[i].seen, 0.5) << i;
    }
    EXPECT_EQ(loop.stats().repeated, 0);
}

TEST(FrameLoop, AnotherScreenGivesItsRefreshAndAPauseStopsEverything)
{
    for (bool throttled : {true, false}) {
        SCOPED_TRACE(throttled);
        FakeDisplay display;
        display.throttled = throttled;
        FrameLoop loop(display);
        double now = 0;
        loop.setRefreshPeriod(k60Hz, now);
        loop.play(now);
        display.run(loop, now, 1000);

        display.period = k144Hz;
        loop.setRefreshPeriod(k144Hz, now);
        display.run(loop, now, 2000);
        const std::size_t before = display.pictures.size();
        display.run(loop, now, 3000);
        EXPECT_NEAR(display.pictures.size() - before, 144, 1);
        EXPECT_EQ(loop.timerPaced(), !throttled);

        loop.stop();
        const int wakes = display.wakes;
        const std::size_t paused = display.pictures.size();
        display.run(loop, now, 5000);
        // A paint asked for before the pause may still come, no more.
        EXPECT_LE(display.pictures.size(), paused + 1);
        EXPECT_EQ(display.wakes, wakes);
        EXPECT_LT(display.wakeAt, 0);
    }
}

// A clock that moves on slower than the screen refreshes is looked at again
// every refresh; one that has stopped is not looked at until poked.
TEST(FrameLoop, APictureDueLaterIsLookedForAgainAndAStoppedOneWaitsForAPoke)
{
    for (bool throttled : {true, false}) {
        SCOPED_TRACE(throttled);
        FakeDisplay display;
        display.throttled = throttled;
        display.changeMs = 40;
        display.stillFrom = 2000;
        FrameLoop loop(display);
        double now = 0;
        loop.play(now);
        display.run(loop, now, 2500);
        EXPECT_GE(display.pictures.size(), 2000 / (40 + k60Hz));
        EXPECT_LE(display.pictures.size(), 2000 / 40 + 1);

        const int wakes = display.wakes;
        const std::size_t stopped = display.pictures.size();
        display.run(loop, now, 5000);
        EXPECT_EQ(display.wakes, wakes);
        EXPECT_EQ(display.pictures.size(), stopped);

        display.stillFrom = 1e300;
        loop.poke(now);
        display.run(loop, now, 6000);
        EXPECT_GE(display.pictures.size(), stopped + 1000 / (40 + k60Hz));
    }
}
