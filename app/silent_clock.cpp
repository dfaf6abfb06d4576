#include "silent_clock.h"

#include "monotonic_clock.h"
#include "timeline.h"

#include <algorithm>
#include <cmath>

SilentClock::SilentClock(QObject *parent)
    : PlaybackClock(parent)
{
    end.setSingleShot(true);
    end.setTimerType(Qt::PreciseTimer);
    connect(&end, &QTimer::timeout, this, [this] {
        // A timer may fire a moment early.
        if (position() < kTimelineEnd)
            armEnd();
        else
            emit tick(position());
    });
}

qint64 SilentClock::position() const
{
    return positionAt(monotonicMs());
}

qint64 SilentClock::positionAt(double now) const
{
    return playing ? origin + static_cast<qint64>(std::floor(std::max(0.0, now - since))) : origin;
}

void SilentClock::play()
{
    if (playing)
        return;
    since = monotonicMs();
    playing = true;
    armEnd();
    emit playingChanged();
}

void SilentClock::pause()
{
    origin = position();
    playing = false;
    end.stop();
    emit playingChanged();
    emit tick(origin);
}

void SilentClock::seek(qint64 time)
{
    origin = std::max<qint64>(time, 0);
    since = monotonicMs();
    if (playing)
        armEnd();
    emit sought(origin);
    emit tick(origin);
}

void SilentClock::armEnd()
{
    const qint64 left = std::max<qint64>(0, kTimelineEnd - position());
    end.start(static_cast<int>(std::min<qint64>(left + 1, 1 << 30)));
}
