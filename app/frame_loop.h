#pragma once

#include <array>
#include <cstdint>

// Decides when the window paints, on a monotonic clock in milliseconds. While
// the demo plays, each picture handed to the display asks for the next one,
// so that a display that holds swaps back to its refresh (vsync, Wayland's
// frame callbacks) paces the pictures itself: one per refresh, no timer.
// Where swaps come back faster than the screen refreshes, nothing throttles
// them, and a timer with fixed deadlines (origin + n periods) paces the
// pictures instead. Each paint is aimed at the moment its picture will be
// seen. No picture is asked for while the one shown would not change.
class FrameLoop
{
public:
    // What a picture seen at some moment would be against the one shown.
    enum class Change {
        Now,   // another picture
        Later, // the same, but the clock runs on: look again next refresh
        None,  // the same until something changes it (a poke)
    };

    // What the loop drives: the window in the program, a fake in the tests.
    class Display
    {
    public:
        virtual ~Display() = default;
        // Paint as soon as the event loop can.
        virtual void requestPaint() = 0;
        // Paint before returning, as a deadline has come: the paint's swap
        // may reach the loop before this returns.
        virtual void paintNow() = 0;
        // Call wake() at `at`, instead of any time asked before; or no more.
        virtual void scheduleWake(double at) = 0;
        virtual void cancelWake() = 0;
        virtual Change pictureChange(double presentAt) = 0;
    };

    // What a user asks for with --stats.
    struct Stats
    {
        std::int64_t pictures = 0;
        // Refreshes that showed the picture before again, while playing.
        std::int64_t repeated = 0;
        // Pictures handed to the display after the moment they were aimed at.
        std::int64_t late = 0;
    };

    // Swaps whose median interval is below this share of the refresh period
    // come back faster than the screen can show them: nothing throttles them.
    static constexpr double kUnthrottledShare = 0.7;
    // Swap intervals, and times from paint to swap, the medians are taken
    // over: a frame slowed by a one-off (the first, compiling its shaders)
    // moves neither.
    static constexpr int kIntervals = 9;
    // A paint asked for of a display that paces the pictures, and not
    // swapped after this long, is asked for again.
    static constexpr double kLostSwapMs = 500;

    explicit FrameLoop(Display &display) : display(display) {}

    // The screen's refresh period. A new one (another screen, another rate)
    // measures again whether swaps are throttled.
    void setRefreshPeriod(double ms, double now);
    double refreshPeriod() const { return period; }

    // Pictures are wanted from now on, or no more (paused, stalled for good,
    // ended): then no paint is asked for and no timer runs.
    void play(double now);
    void stop();
    bool playing() const { return isPlaying; }
    // Something changed what the picture would show (a seek, a position
    // after a stall): a picture if none is on its way.
    void poke(double now);
    // The time asked for with scheduleWake() has come.
    void wake(double now);

    // A paint begins at now; returns the moment its picture is expected on
    // screen, which the paint draws for: never earlier than the last one.
    double painting(double now);
    // The picture painted last has been handed to the display.
    void swapped(double now);

    // False while swaps are taken to be held back to the refresh.
    bool timerPaced() const { return byTimer; }
    // From a paint to its picture on screen: the time the paint and swap
    // take, plus a refresh where the display queues the picture for its
    // next refresh.
    double presentationDelay() const;
    const Stats &stats() const { return counts; }

private:
    // Where the display paces the pictures: asks for a paint if the picture
    // would change, with a wake should its swap be lost; for a wake at the
    // next refresh if it changes later.
    void askForPicture(double now);
    void requestPaint(double now);
    void armTimer(double now);
    // The display shows a picture at the refresh after its swap.
    bool queuesForRefresh() const;

    Display &display;
    double period = 1000.0 / 60;
    bool isPlaying = false;
    bool byTimer = false;
    // A paint asked for and not yet swapped.
    bool awaitingSwap = false;
    // A wake is asked for: the next deadline, or the watch over a swap.
    bool timerArmed = false;
    double origin = 0; // of the deadlines
    double paintStart = 0, lastAim = 0;
    double lastSwap = -1;
    // The last swap intervals and times from a paint's start to its swap.
    struct Recent
    {
        std::array<double, kIntervals> values{};
        int count = 0;
        void add(double value) { values[count++ % kIntervals] = value; }
        double median() const;
    };
    Recent intervals, paintToSwap;
    Stats counts;
};
