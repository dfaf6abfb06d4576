#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace Phonon {
class MediaObject;
}

// Tells when the media object will not play its source. Besides an error,
// that is a start that never gets going: this backend reports a missing or
// undecodable file, or a pipeline that cannot run, by stopping or stalling
// with no error at all.
class PlaybackWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int kStartDeadlineMs = 3000;

    // Watches media, just asked to play the local file fileName, from now on.
    PlaybackWatch(Phonon::MediaObject *media, const QString &fileName, QObject *parent = nullptr);

signals:
    // Emitted at most once, with the reason in the media framework's words
    // where it has any.
    void cannotPlay(const QString &reason);

private:
    void giveUp(const QString &reason);
    // Why the file cannot be music at all, or empty if it may be.
    QString fileProblem() const;
    QString stalledReason() const;

    Phonon::MediaObject *media;
    QString fileName;
    QTimer startDeadline;
};
