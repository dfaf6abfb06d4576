#pragma once

#include <cstdint>

// The scene time to draw at a given moment of a monotonic clock, made from
// a player's position reports however coarse they are. Some media backends
// report every millisecond, others move their position in steps of about
// 290 ms: between reports the time runs on at the playback rate, and a
// report that disagrees a little is absorbed by running briefly faster or
// slower, so the picture never steps back while playing. Positions and times
// are in milliseconds.
class SmoothClock
{
public:
    // Reports further off than this are taken as they are: a seek nobody
    // announced, or a player that lost its place.
    static constexpr double kJumpMs = 1000;
    // A picture behind the player by more than this catches up at once, as
    // when a player tells its position only once it has played a while.
    static constexpr double kCatchUpMs = 150;
    // A difference is worked off over about this long...
    static constexpr double kSettleMs = 500;
    // ...at a rate at most this far from the playback rate.
    static constexpr double kMaxRateChange = 0.25;
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
    std::int64_t at(double now) const;

private:
    double playerAt(double now) const;

    bool isRunning = false;
    double delay = 0;
    // Where the picture was last put: all it shows while held, and never
    // more than it shows while running.
    std::int64_t floor = 0;
    // While running the player's position is anchor + rate * (now - since).
    double anchor = 0;
    double since = 0;
    double rate = 1;
    // When the reported position last moved on, to what, and the usual gap
    // between such moves.
    double movedAt = 0;
    std::int64_t lastPosition = 0;
    double usualGap = 0;
};
