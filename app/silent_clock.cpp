#include "silent_clock.h"

#include <algorithm>

SilentClock::SilentClock(QObject *parent)
    : PlaybackClock(parent)
{
    ticker.setInterval(1);
    ticker.setTimerType(Qt::PreciseTimer);
    connect(&ticker, &QTimer::timeout, this, [this] { emit tick(position()); });
}

qint64 SilentClock::position() const
{
    return isPlaying() ? origin + sinceOrigin.elapsed() : origin;
}

void SilentClock::play()
{
    if (isPlaying())
        return;
    sinceOrigin.start();
    ticker.start();
    emit playingChanged();
}

void SilentClock::pause()
{
    origin = position();
    ticker.stop();
    emit playingChanged();
    // The last tick may lag the clock; show where it really stopped.
    emit tick(origin);
}

void SilentClock::seek(qint64 time)
{
    origin = std::max<qint64>(time, 0);
    sinceOrigin.start();
    emit sought(origin);
    emit tick(origin);
}
