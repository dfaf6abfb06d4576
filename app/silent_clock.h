#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Stands in for the media object's position when the music cannot play, so
// the timeline still runs: it ticks the position in milliseconds about once
// per millisecond, and can be paused and sought like the music.
class SilentClock : public QObject
{
    Q_OBJECT

public:
    explicit SilentClock(QObject *parent = nullptr);

    qint64 position() const;
    bool isPlaying() const { return ticker.isActive(); }

    void play();
    void pause();
    // Moves to time (never before 0) and ticks it at once, so a paused
    // picture follows too.
    void seek(qint64 time);

signals:
    void tick(qint64 time);

private:
    QTimer ticker;
    QElapsedTimer sinceOrigin;
    qint64 origin = 0; // position when sinceOrigin last restarted
};
