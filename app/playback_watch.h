#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace Phonon {
class MediaObject;
}

// Tells when the media object will not play its source. Besides an error,
// that is a start that never gets going: this backend reports an
// undecodable file, or a pipeline that cannot run, by stopping or stalling
// with no error at all.
class PlaybackWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int kStartDeadlineMs = 3000;

    // Watches media, just asked to play, from now on.
    explicit PlaybackWatch(Phonon::MediaObject *media, QObject *parent = nullptr);

signals:
    // Emitted at most once, with the reason in the media framework's words
    // where it has any.
    void cannotPlay(const QString &reason);

private:
    void giveUp(const QString &reason);
    QString stalledReason() const;

    Phonon::MediaObject *media;
    QTimer startDeadline;
};
