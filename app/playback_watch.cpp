#include "playback_watch.h"

#include <QFileInfo>
#include <phonon/MediaObject>

PlaybackWatch::PlaybackWatch(Phonon::MediaObject *media, const QString &fileName, QObject *parent)
    : QObject(parent)
    , media(media)
    , fileName(fileName)
{
    startDeadline.setSingleShot(true);
    connect(&startDeadline, &QTimer::timeout, this, [this] { giveUp(stallReason()); });
    connect(media, &Phonon::MediaObject::tick, this, [this](qint64 time) {
        if (time > 0 && this->media->state() == Phonon::PlayingState)
            startDeadline.stop();
    });
    // Music too short to tick has played all the same.
    connect(media, &Phonon::MediaObject::finished, &startDeadline, &QTimer::stop);
    connect(media, &Phonon::MediaObject::stateChanged, this, [this](Phonon::State state) {
        if (state == Phonon::ErrorState) {
            const QString text = this->media->errorString();
            giveUp(text.isEmpty() ? stallReason() : text);
        }
    });
    startDeadline.start(kStartDeadlineMs);
}

void PlaybackWatch::giveUp(const QString &reason)
{
    startDeadline.stop();
    disconnect(media, nullptr, this, nullptr);
    emit cannotPlay(reason);
}

QString PlaybackWatch::stallReason() const
{
    const QFileInfo file(fileName);
    if (!file.exists())
        return tr("no such file");
    if (!file.isReadable())
        return tr("permission denied");
    return tr("playback did not start (the media framework reported no error)");
}
