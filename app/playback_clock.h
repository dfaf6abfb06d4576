#pragma once

#include <QObject>

// The position the demo's timeline follows, in milliseconds: the music's
// while it plays, else a clock of the program's own. The window drives
// whichever it has through this alone.
class PlaybackClock : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool isPlaying() const = 0;
    virtual qint64 position() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    // Moves to time (never before 0); a paused picture follows too.
    virtual void seek(qint64 time) = 0;

    void togglePlaying()
    {
        if (isPlaying())
            pause();
        else
            play();
    }
    void seekBy(qint64 offset) { seek(position() + offset); }

signals:
    void tick(qint64 time);
    // The music has played to its end.
    void finished();
};
