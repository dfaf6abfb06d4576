#include "playback_watch.h"

#include <phonon/MediaObject>

PlaybackWatch::PlaybackWatch(Phonon::MediaObject *media, QObject *parent)
    : QObject(parent)
    , media(media)
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
    startDeadline.start(kStartDeadlineMs);
}

void PlaybackWatch::giveUp(const QString &reason)
{
    startDeadline.stop();
    disconnect(media, nullptr, this, nullptr);
    emit cannotPlay(reason);
}

QString PlaybackWatch::stalledReason() const
{
    return tr("playback did not start, so it is probably not audio this player can decode");
}
