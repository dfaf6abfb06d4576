#pragma once

#include "playback_clock.h"

#include <QString>
#include <QTemporaryDir>
#include <QUrl>

class PlaybackWatch;

namespace Phonon {
class AudioOutput;
class MediaObject;
}

// The music's own position, as the media framework plays it.
class MusicClock : public PlaybackClock
{
    Q_OBJECT

public:
    explicit MusicClock(QObject *parent = nullptr);

    // For a seek slider to show and move.
    Phonon::MediaObject *mediaObject() const { return media; }

    // Plays the local file at path, which must not be a special file: the
    // framework would block opening a FIFO.
    void start(const QString &path);
    // After a stall, gives the music to the backend again, to play from
    // `from` (ms), as the picture has run on without it.
    void retry(qint64 from);

    bool isPlaying() const override;
    bool isPaused() const override;
    qint64 position() const override;
    void play() override;
    void pause() override;
    void seek(qint64 time) override;

signals:
    // The music will not play: it has been stopped for good, and this clock
    // ticks no more. Emitted at most once.
    void cannotPlay(const QString &reason);
    // The music played, then stopped playing though asked to: neither
    // playing nor paused until playsAgain().
    void stalled(const QString &reason);
    void playsAgain();

private:
    // What the backend is handed for path: path itself, or a link to it
    // whose name says what it holds.
    QString nameForBackend(const QString &path);

    Phonon::MediaObject *media;
    Phonon::AudioOutput *output;
    PlaybackWatch *watch = nullptr;
    bool wanted = true; // playing, as the viewer asked
    QUrl source;
    QTemporaryDir links;
    // Where a retry goes on from, once playing, and when it was asked for.
    qint64 retryFrom = -1;
    double retriedAt = 0;
};
