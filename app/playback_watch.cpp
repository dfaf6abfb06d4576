#include "playback_watch.h"

#include <phonon/MediaObject>

PlaybackWatch::PlaybackWatch(Phonon::MediaObject *media, QObject *parent)
    : QObject(parent)
    , media(media)
{
    deadline.setSingleShot(true);
    deadline.setInterval(kStartDeadlineMs);
    connect(&deadline, &QTimer::timeout, this, [this] { giveUp(stalledReason()); });
    connect(media, &Phonon::MediaObject::tick, this, [this](qint64 time) {
        if (time > lastTime && this->media->state() == Phonon::PlayingState) {
            played = true;
            deadline.start();
        }
        lastTime = time;
    });
    // The VLC backend plays a file it cannot decode for a moment and then
    // finishes it, without an error: music that finishes before its
    // position has moved did not play.
    connect(media, &Phonon::MediaObject::finished, this, [this] {
        if (played)
            deadline.stop();
        else
            giveUp(stalledReason());
    });
    connect(media, &Phonon::MediaObject::stateChanged, this, [this](Phonon::State state) {
        if (state == Phonon::ErrorState) {
            const QString text = this->media->errorString();
            giveUp(text.isEmpty() ? stalledReason() : text);
        } else if (state == Phonon::PausedState) {
            deadline.stop();
        } else if (state == Phonon::PlayingState && played && !deadline.isActive()) {
            deadline.start();
        }
    });
    deadline.start();
}

void PlaybackWatch::giveUp(const QString &reason)
{
    deadline.stop();
    disconnect(media, nullptr, this, nullptr);
    emit cannotPlay(reason);
}

QString PlaybackWatch::stalledReason() const
{
    return played ? tr("playback stopped moving on, perhaps for want of a sound output")
                  : tr("playback did not start, so it is probably not audio this player can decode");
}
