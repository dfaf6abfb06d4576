#pragma once

#include "playback_clock.h"

#include <QTimer>

// Stands in for the music's position when the music cannot play, so the
// timeline still runs. Its position is a function of the monotonic clock,
// read whenever a picture is drawn: no timer ticks it. It ticks only when
// it pauses, is sought, and when it reaches the end of the timeline. It can
// be paused and sought like the music, and never finishes.
class SilentClock : public PlaybackClock
{
    Q_OBJECT

public:
    explicit SilentClock(QObject *parent = nullptr);

    bool isPlaying() const override { return playing; }
    bool isPaused() const override { return !playing; }
    qint64 position() const override;
    // The position at a moment of monotonicMs(), past or to come.
    qint64 positionAt(double now) const;
    void play() override;
    void pause() override;
    // Ticks the new time at once.
    void seek(qint64 time) override;

private:
    void armEnd();

    bool playing = false;
    double since = 0; // when the position was last origin
    qint64 origin = 0;
    QTimer end; // ticks the end of the timeline
};
