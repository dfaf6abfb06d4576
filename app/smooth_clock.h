#pragma once

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

// The scene time to draw at a given moment of a monotonic clock, made from
// a player's position reports however coarse they are. Some media backends
// report every millisecond, others move their position in steps of about
// 290 ms, and reports reach the window late by however long its event loop
// was busy. The player's clock is estimated from the reports of the last
// seconds (a line at the playback rate through them, placed by their
// median, so that one late report moves it little), and the picture runs
// at most a few percent faster or slower than the playback rate to draw
// onto it: a viewer does not see it correcting itself. It jumps only for a
// seek or a player far ahead, waits for a player far behind, stops where
// the player stalls, and never steps back while playing. Positions and
// times are in milliseconds.
class SmoothClock
{
public:
    // Reports further off than this are taken as they are: a seek nobody
    // announced, or a player that lost its place.
    static constexpr double kJumpMs = 1000;
    // A picture behind the player by more than this catches up at once, as
    // when a player tells its position only once it has played a while; one
    // ahead of it by more than this waits for the player.
    static constexpr double kCatchUpMs = 150;
    // A difference is worked off over about this long...
    static constexpr double kSettleMs = 500;
    // ...at a rate at most this far from the playback rate.
    static constexpr double kMaxRateChange = 0.05;
    // The reports the player's clock is estimated from: those of this long,
    // one for each kReportSpacingMs, the least late.
    static constexpr double kWindowMs = 2000;
    static constexpr double kReportSpacingMs = 25;
    // Without a new position for this long (or twice the usual gap between
    // positions, if longer) the player is taken to have stalled, and the
    // time stops there.
    static constexpr double kMinStallMs = 150;
    // The gap taken for usual until the player has shown its own.
    static constexpr double kFirstGapGuessMs = 300;

    // Shows the position exactly and stands still there: paused, sought
    // while paused, or never started.
    void hold(std::int64_t position);
    // Shows the position exactly from now on and runs on from it: sought
    // while playing.
    void run(std::int64_t position, double now);
    // Stops where the picture is now, as when the music ends.
    void freeze(double now) { hold(at(now)); }
    // Runs on from the picture shown, as after a pause or a stall; the
    // reports that follow set the pace.
    void resume(double now);
    // A position the player reports at now. While held, it is shown as it is.
    void report(std::int64_t position, double now);

    // Sound is heard this long after the player reports it, beyond what the
    // player accounts for; the running picture waits for it.
    void setDelay(double ms) { delay = ms; }

    bool running() const { return isRunning; }
    // What a picture seen at now shows; the pictures after it, running,
    // never show less (though the clock may slow down or wait meanwhile).
    std::int64_t show(double now);
    // Whether the running picture still moves on at now without another
    // report: not once the player is taken to have stalled, nor while it
    // waits for a player behind it.
    bool runsOnAt(double now) const;
    std::int64_t at(double now) const;
    // The largest change of the picture's rate so far, as a share of the
    // playback rate (0.05 for 5 %); waiting for a player behind is a stop,
    // not counted here.
    double largestRateChange() const { return largestChange; }

private:
    // Where the running picture is at now, before the delay.
    double shownAt(double now) const;
    // Starts a new stretch of the picture at now from `from`, forgetting
    // the reports before.
    void restart(double from, double now);
    // Adds a report whose position moved on to those kept.
    void keep(double position, double now);
    // How long without a new position means the player has stalled.
    double stallAfter() const;
    // The player's position at now, from the reports kept.
    double estimateAt(double now) const;

    bool isRunning = false;
    double delay = 0;
    // Where the picture was last put: all it shows while held, and never
    // more than it shows while running.
    std::int64_t floor = 0;
    // While running the picture is at anchor + rate * (now - since), up to
    // where the player is taken to have stalled.
    double anchor = 0;
    double since = 0;
    double rate = 1;
    // Waiting for a player that fell behind the picture.
    bool waiting = false;
    // Reports whose position moved on, as (arrival, position).
    std::deque<std::pair<double, double>> reports;
    mutable std::vector<double> scratch; // for the median
    // When the reported position last moved on, to what, and the usual gap
    // between such moves.
    double movedAt = 0;
    std::int64_t lastPosition = 0;
    double usualGap = 0;
    double largestChange = 0;
};
