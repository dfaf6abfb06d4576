#include "playback_watch.h"

#include <QFile>
#include <QFileInfo>
#include <phonon/MediaObject>

PlaybackWatch::PlaybackWatch(Phonon::MediaObject *media, const QString &fileName, QObject *parent)
    : QObject(parent)
    , media(media)
    , fileName(fileName)
{
    startDeadline.setSingleShot(true);
    connect(&startDeadline, &QTimer::timeout, this, [this] { giveUp(stalledReason()); });
    connect(media, &Phonon::MediaObject::tick, this, [this](qint64 time) {
        if (time > 0 && this->media->state() == Phonon::PlayingState)
            startDeadline.stop();
    });
    // Music too short to tick has played all the same.
    connect(media, &Phonon::MediaObject::finished, &startDeadline, &QTimer::stop);
    connect(media, &Phonon::MediaObject::stateChanged, this, [this](Phonon::State state) {
        if (state == Phonon::ErrorState) {
            const QString text = this->media->errorString();
            giveUp(text.isEmpty() ? stalledReason() : text);
        }
    });
    // What is plainly wrong with the file needs no waiting for the backend.
    const QString problem = fileProblem();
    if (!problem.isEmpty())
        QTimer::singleShot(0, this, [this, problem] { giveUp(problem); });
    else
        startDeadline.start(kStartDeadlineMs);
}

void PlaybackWatch::giveUp(const QString &reason)
{
    startDeadline.stop();
    disconnect(media, nullptr, this, nullptr);
    emit cannotPlay(reason);
}

QString PlaybackWatch::fileProblem() const
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return tr("no such file");
    if (info.isDir())
        return tr("it is a directory");
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return tr("permission denied");
    const QByteArray head = file.read(4);
    if (head.isEmpty())
        return tr("the file is empty");
    // The backend would play other audio behind the .mp3 name too, yet the
    // demo is timed to its own track: take MP3 only (an ID3 tag or an MPEG
    // audio frame first).
    const bool id3 = head.startsWith("ID3");
    const bool frameSync = head.size() >= 2 && quint8(head[0]) == 0xFF && (quint8(head[1]) & 0xE0) == 0xE0;
    if (!id3 && !frameSync)
        return head.startsWith("RIFF") ? tr("it is a WAV file, not MP3") : tr("it is not an MP3 file");
    return {};
}

QString PlaybackWatch::stalledReason() const
{
    return tr("playback did not start, so it is probably not audio this player can decode");
}
