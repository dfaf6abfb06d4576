#pragma once

#include "playback_clock.h"

#include <QElapsedTimer>
#include <QTimer>

// Stands in for the music's position when the music cannot play, so the
// timeline still runs: it ticks the position about once per millisecond,
// and can be paused and sought like the music. It never finishes.
class SilentClock : public PlaybackClock
{
    Q_OBJECT

public:
    explicit SilentClock(QObject *parent = nullptr);

    bool isPlaying() const override { return ticker.isActive(); }
    bool isPaused() const override { return !isPlaying(); }
    qint64 position() const override;
    void play() override;
    void pause() override;
    // Ticks the new time at once.
    void seek(qint64 time) override;

private:
    QTimer ticker;
    QElapsedTimer sinceOrigin;
    qint64 origin = 0; // position when sinceOrigin last restarted
};
