#include "playback_watch.h"

#include "sound_output.h"

#include <phonon/MediaObject>

PlaybackWatch::PlaybackWatch(Phonon::MediaObject *media, QObject *parent)
    : QObject(parent)
    , media(media)
{
    deadline.setSingleShot(true);
    deadline.setInterval(kStartDeadlineMs);
    connect(&deadline, &QTimer::timeout, this, [this] { judge(stalledReason()); });
    outputCheck.setInterval(kOutputCheckMs);
    connect(&outputCheck, &QTimer::timeout, this, [this] {
        const std::string problem = soundOutputProblem(SoundPlaces::ofThisSession());
        if (!problem.empty())
            judge(QString::fromStdString(problem));
    });
    connect(media, &Phonon::MediaObject::tick, this, [this](qint64 time) {
        if (time > lastTime && this->media->state() == Phonon::PlayingState) {
            played = true;
            if (isStalled && isReplayed && time >= replayFrom) {
                isStalled = isReplayed = false;
                emit playsAgain();
            }
            if (wanted && !isStalled)
                deadline.start(kStartDeadlineMs);
            watchOutput();
        }
        lastTime = time;
    });
    // The VLC backend plays a file it cannot decode for a moment and then
    // finishes it, without an error: music that finishes before its
    // position has moved did not play.
    connect(media, &Phonon::MediaObject::finished, this, [this] {
        ended = true;
        if (played)
            deadline.stop();
        else
            judge(stalledReason());
    });
    connect(media, &Phonon::MediaObject::stateChanged, this, [this](Phonon::State state) {
        if (state == Phonon::ErrorState) {
            const QString text = this->media->errorString();
            judge(text.isEmpty() ? stalledReason() : text);
        } else if (state == Phonon::PlayingState) {
            ended = false;
            if (wanted && !isStalled && !deadline.isActive())
                deadline.start(kStartDeadlineMs);
        } else if (played && wanted && !isStalled
                   && (state == Phonon::StoppedState || state == Phonon::PausedState)) {
            // Stopped or paused by the backend itself, unless this is the end.
            deadline.start(kLeftPlayingMs);
        }
        watchOutput();
    });
    deadline.start();
}

void PlaybackWatch::setWanted(bool playing)
{
    wanted = playing;
    if (!wanted)
        deadline.stop();
    else if (played && !isStalled)
        deadline.start(kStartDeadlineMs);
    watchOutput();
}

void PlaybackWatch::watchOutput()
{
    // Only while the music plays and is heard: a paused demo wakes for
    // nothing.
    const bool watching = played && wanted && !isStalled && media->state() == Phonon::PlayingState;
    if (watching && !outputCheck.isActive())
        outputCheck.start();
    else if (!watching)
        outputCheck.stop();
}

void PlaybackWatch::judge(const QString &reason)
{
    deadline.stop();
    if (!played) {
        disconnect(media, nullptr, this, nullptr);
        emit cannotPlay(reason);
    } else if (wanted && !ended && !isStalled) {
        isStalled = true;
        isReplayed = false;
        watchOutput();
        emit stall(reason);
    }
}

QString PlaybackWatch::stalledReason() const
{
    if (!played)
        return tr("playback did not start, so it is probably not audio this player can decode");
    return media->state() == Phonon::PlayingState ? tr("playback stopped moving on")
                                                  : tr("the media backend stopped it");
}
