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
    // Stopped part way, at position(); neither playing nor stopped.
    virtual bool isPaused() const = 0;
    virtual qint64 position() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    // Moves to time (never before 0) and says where with sought(); a paused
    // picture follows too.
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
    // The position, as often as the clock can tell it.
    void tick(qint64 time);
    // It started or stopped playing.
    void playingChanged();
    // A seek moved it to time.
    void sought(qint64 time);
    // The music has played to its end.
    void finished();
};
