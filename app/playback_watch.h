#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace Phonon {
class MediaObject;
}

// Tells when the media object will not play its source. Besides an error,
// that is playback that never gets going or stops going: backends report an
// undecodable file, a pipeline that cannot run, or a sound output that
// blocks by stopping, finishing or stalling with no error at all.
class PlaybackWatch : public QObject
{
    Q_OBJECT

public:
    // How long playing music may go without its position moving on, at the
    // start and later.
    static constexpr int kStartDeadlineMs = 3000;

    // Watches media, about to be asked to play, from now on.
    explicit PlaybackWatch(Phonon::MediaObject *media, QObject *parent = nullptr);

signals:
    // Emitted at most once, with the reason in the media framework's words
    // where it has any.
    void cannotPlay(const QString &reason);

private:
    void giveUp(const QString &reason);
    QString stalledReason() const;

    Phonon::MediaObject *media;
    QTimer deadline; // runs while the music should be moving on
    bool played = false; // its position moved on while playing
    qint64 lastTime = 0;
};
