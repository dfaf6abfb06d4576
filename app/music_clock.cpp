#include "music_clock.h"

#include "monotonic_clock.h"
#include "music_file.h"
#include "playback_watch.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <phonon/AudioOutput>
#include <phonon/MediaObject>
#include <phonon/MediaSource>
#include <phonon/Path>

#include <algorithm>
#include <cstdarg>
#include <dlfcn.h>

namespace {

void sayNothing(void *, int, const char *, va_list) {}

// libvlc, under Phonon's VLC backend, logs to stderr on its own (each failed
// audio output, for one), and so does the FFmpeg it decodes with ("Header
// missing" for every bad frame of a broken file), while the demo says
// itself what went wrong. Done before the first media object loads the
// backend; a VLC_VERBOSE of the user's own keeps both talking. FFmpeg's
// logger is process-wide and VLC only ever sets its level, so a silent one
// set here, in the libavutil the backend will load, stays.
QObject *quietVlc(QObject *parent)
{
    if (qEnvironmentVariableIsSet("VLC_VERBOSE"))
        return parent;
    qputenv("VLC_VERBOSE", "-1");
    for (const char *avutil : {"libavutil.so.59", "libavutil.so.58", "libavutil.so.57", "libavutil.so.56"}) {
        if (void *library = dlopen(avutil, RTLD_NOW | RTLD_LOCAL)) {
            using Logger = void (*)(void *, int, const char *, va_list);
            if (auto setLogger = reinterpret_cast<void (*)(Logger)>(dlsym(library, "av_log_set_callback")))
                setLogger(sayNothing);
            break;
        }
    }
    return parent;
}

} // namespace

MusicClock::MusicClock(QObject *parent)
    : PlaybackClock(parent)
    , media(new Phonon::MediaObject(quietVlc(this)))
    , output(new Phonon::AudioOutput(Phonon::MusicCategory, this))
{
    // Only playing music tells where it is. The GStreamer backend ticks 0
    // whenever playback stops, the end of the music included, which showing
    // would jump to scene 1; and a tick sent just before a pause may arrive
    // after it, behind the position the music stopped at.
    connect(media, &Phonon::MediaObject::tick, this, [this](qint64 time) {
        const Phonon::State state = media->state();
        if (state == Phonon::PlayingState || state == Phonon::BufferingState)
            emit tick(time);
    });
    connect(media, &Phonon::MediaObject::stateChanged, this, &PlaybackClock::playingChanged);
    Phonon::createPath(media, output);
    media->setTickInterval(1);
}

void MusicClock::start(const QString &path)
{
    // Watched from before the start: a backend may fail within play().
    watch = new PlaybackWatch(media, this);
    connect(watch, &PlaybackWatch::cannotPlay, this, [this](const QString &reason) {
        disconnect(media, nullptr, this, nullptr);
        media->stop();
        emit cannotPlay(reason);
    });
    connect(watch, &PlaybackWatch::stall, this, &MusicClock::stalled);
    connect(watch, &PlaybackWatch::playsAgain, this, [this] {
        retryFrom = -1;
        emit playsAgain();
    });
    // A retry goes on from where it was asked to once the music plays.
    connect(media, &Phonon::MediaObject::stateChanged, this, [this](Phonon::State state) {
        if (state == Phonon::PlayingState && retryFrom >= 0) {
            const qint64 from = retryFrom + static_cast<qint64>(monotonicMs() - retriedAt);
            media->seek(from);
            watch->replayed(from);
            retryFrom = -1;
        }
    });
    // Connected after the watch, which hears of the end first: music that
    // finished without having played is music that cannot play, not music
    // that ended.
    connect(media, &Phonon::MediaObject::finished, this, &PlaybackClock::finished);
    source = QUrl::fromLocalFile(nameForBackend(path));
    media->setCurrentSource(Phonon::MediaSource(source));
    media->play();
}

void MusicClock::retry(qint64 from)
{
    if (!watch || !watch->stalled())
        return;
    // A backend whose output went away may keep the broken pipeline, or an
    // output that plays into nothing, for its source: given the source
    // again, it makes new ones.
    media->setCurrentSource(Phonon::MediaSource(source));
    media->setTickInterval(1);
    retryFrom = std::max<qint64>(from, 0);
    retriedAt = monotonicMs();
    media->play();
}

QString MusicClock::nameForBackend(const QString &path)
{
    // The VLC backend takes a file named .mp3 for MP3, whatever it holds.
    const QFileInfo info(path);
    const QString suffix = suffixForContent(path);
    if (suffix.isEmpty() || info.suffix().compare(suffix, Qt::CaseInsensitive) == 0 || !links.isValid())
        return path;
    const QString link = links.filePath(info.completeBaseName() + '.' + suffix);
    return QFile::link(info.absoluteFilePath(), link) ? link : path;
}

bool MusicClock::isPlaying() const
{
    return media->state() == Phonon::PlayingState && !(watch && watch->stalled());
}

bool MusicClock::isPaused() const
{
    // Paused by the viewer; a backend that pauses by itself has stalled.
    return media->state() == Phonon::PausedState && !wanted;
}

qint64 MusicClock::position() const
{
    return media->currentTime();
}

void MusicClock::play()
{
    wanted = true;
    if (watch)
        watch->setWanted(true);
    const bool fromStop = media->state() == Phonon::StoppedState;
    media->play();
    // Stopped music, at its end say, plays again from the start.
    if (fromStop)
        emit sought(0);
}

void MusicClock::pause()
{
    wanted = false;
    if (watch)
        watch->setWanted(false);
    media->pause();
}

void MusicClock::seek(qint64 time)
{
    const Phonon::State state = media->state();
    if (state != Phonon::PlayingState && state != Phonon::PausedState)
        return; // nothing loaded to seek in
    const qint64 target = std::max<qint64>(time, 0);
    media->seek(target);
    emit sought(target);
    // Paused music does not tick, yet the label should follow the seek.
    if (state == Phonon::PausedState)
        emit tick(target);
}
