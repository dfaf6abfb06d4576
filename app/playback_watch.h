#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace Phonon {
class MediaObject;
}

// Tells when the media object does not play its source as asked. Music
// that never gets going cannot play: an undecodable file, a pipeline that
// cannot run, with an error or with none (stopping, finishing or standing
// still from the start). Music that has played may stall later: its
// position stops moving on, the backend stops or pauses it by itself, or
// the sound output goes away (a sound server restarted, say; some backends
// then play on unheard). Once the music is given to the backend again, and
// moves on, it plays again.
class PlaybackWatch : public QObject
{
    Q_OBJECT

public:
    // How long music asked to play may go without its position moving on,
    // at the start and later.
    static constexpr int kStartDeadlineMs = 3000;
    // How long a backend may hold music it stopped or paused by itself
    // before that counts as a stall (it may be on its way to its end).
    static constexpr int kLeftPlayingMs = 500;
    // How often playing music looks whether its sound output is still there.
    static constexpr int kOutputCheckMs = 2000;

    // Watches media, about to be asked to play, from now on.
    explicit PlaybackWatch(Phonon::MediaObject *media, QObject *parent = nullptr);

    // Whether the viewer wants the music playing: a pause or the music's
    // end is no stall.
    void setWanted(bool playing);
    bool stalled() const { return isStalled; }
    // After a stall, the music has been given to the backend again and
    // sought to `from`: it plays again once its position has passed there.
    void replayed(qint64 from)
    {
        isReplayed = true;
        replayFrom = from;
    }

signals:
    // It never played. Emitted at most once; the watch ends there.
    void cannotPlay(const QString &reason);
    // It played, and has stopped playing, or being heard, though wanted.
    void stall(const QString &reason);
    // After a stall and a replay, its position moves on again.
    void playsAgain();

private:
    void judge(const QString &reason);
    QString stalledReason() const;
    void watchOutput();

    Phonon::MediaObject *media;
    QTimer deadline; // runs while the music should be moving on
    QTimer outputCheck;
    bool played = false; // its position moved on while playing
    bool wanted = true;
    bool ended = false;
    bool isStalled = false;
    bool isReplayed = false;
    qint64 lastTime = 0;
    qint64 replayFrom = 0;
};
