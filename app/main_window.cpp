#include "main_window.h"

#include "demo_pane.h"
#include "monotonic_clock.h"
#include "music_clock.h"
#include "music_file.h"
#include "silent_clock.h"
#include "sound_output.h"
#include "timeline.h"
#include "ui_main_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>
#include <phonon/SeekSlider>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr qint64 kSeekStepMs = 5000;
constexpr int kRetryMs = 2000;

// A refresh rate a screen reports, or 60 Hz where it says nothing sensible.
double refreshPeriodOf(const QScreen *screen)
{
    const qreal hz = screen ? screen->refreshRate() : 0;
    return 1000 / (hz >= 20 && hz <= 1000 ? hz : 60);
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    // While the picture runs on over a stall, the music is asked now and
    // then to play again from it.
    retryTimer.setInterval(kRetryMs);
    connect(&retryTimer, &QTimer::timeout, this, [this] {
        if (clock == silent && silent->isPlaying() && soundOutputProblem(SoundPlaces::ofThisSession()).empty())
            music->retry(silent->position());
    });
    frameTimer.setSingleShot(true);
    frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer, &QTimer::timeout, this, [this] { frames.wake(monotonicMs()); });
    // The music is looked at before GL and the media framework take their
    // time to load, so that what is wrong with it is said at once.
    const MusicChoice choice = chooseMusic(QDir::currentPath(), QCoreApplication::applicationDirPath());
    musicName = choice.name;
    if (choice.installed)
        std::fprintf(stderr, "ostre3: no 1991.mp3 here, playing the demo's own soundtrack %s\n",
                     qPrintable(musicName));
    // What is plainly wrong with the file needs no waiting for the media
    // framework; and a special file must never reach it. With nothing to
    // play it on, the backends fail in ways that blame the music (or end
    // it seconds early): the demo's own clock does better.
    QString problem = musicFileProblem(choice.path);
    if (problem.isEmpty())
        problem = QString::fromStdString(soundOutputProblem(SoundPlaces::ofThisSession()));
    if (!problem.isEmpty())
        sayCannotPlay(problem);

    ui = new Ui_MainWindow;
    ui->setupUi(this);
    demoPane = new DemoPane;
    ui->frame->layout()->addWidget(demoPane);
    connect(demoPane, &DemoPane::paintStarting, this, &MainWindow::paintStarting);
    connect(demoPane, &QOpenGLWidget::frameSwapped, this, &MainWindow::pictureSwapped);

    music = new MusicClock(this);
    seekSlider = new Phonon::SeekSlider(this);
    seekSlider->setMediaObject(music->mediaObject());
    ui->widget->layout()->addWidget(seekSlider);
    if (problem.isEmpty()) {
        follow(music);
        connect(music, &MusicClock::cannotPlay, this, [this](const QString &reason) {
            sayCannotPlay(reason);
            playSilently();
        });
        connect(music, &MusicClock::stalled, this, &MainWindow::bridgeStall);
        connect(music, &MusicClock::playsAgain, this, &MainWindow::endBridge);
        music->start(choice.path);
    } else {
        playSilently();
    }

    ui->frame_2->setVisible(false);
    showFullScreen();
}

MainWindow::~MainWindow()
{
    delete ui;
    delete music;
    delete seekSlider;
    delete demoPane;
}

void MainWindow::setAudioDelay(qint64 ms)
{
    audioDelay = ms;
    if (clock == music)
        smooth.setDelay(ms);
}

void MainWindow::setGentle(bool on)
{
    demoPane->setGentle(on);
}

bool MainWindow::logFrames(const std::string &path, std::string &error)
{
    return frameLog.open(path, error);
}

bool MainWindow::saveFrameLog(std::string &error)
{
    return frameLog.save(error);
}

std::string MainWindow::frameStats() const
{
    return frameStatsLine(frames.stats(), 1000 / frames.refreshPeriod(), frames.timerPaced(),
                          smooth.largestRateChange());
}

void MainWindow::on_pushButton_pressed()
{
    clock->togglePlaying();
}

void MainWindow::on_pushButton_2_pressed()
{
    clock->play();
    ui->frame_2->setVisible(false);
    showFullScreen();
}

void MainWindow::tick(qint64 time)
{
    // The picture waits for late sound: the window closes once the picture
    // has reached the end, or at the latest once the music is that far past
    // it, should no picture be drawn (a hidden window).
    if (time >= kTimelineEnd + (clock == music ? std::max<qint64>(audioDelay, 0) : 0))
        close();
    ui->label->setText(tr("%1").arg(time));
    if (clock == music)
        heard = time;
    followState();
    const double now = monotonicMs();
    smooth.report(time, now);
    if (smooth.running())
        frames.poke(now);
    else
        showHeld();
}

void MainWindow::finished()
{
    ui->label->setText(tr("done"));
    // Music that ends before the demo does (a shorter file, or the VLC
    // backend with no sound output, which stops some seconds early) would
    // leave the full-screen picture standing for good: the demo runs on to
    // its end without it.
    if (clock != music)
        return;
    // Music that played the whole timeline leaves only a picture waiting
    // for late sound (--audio-delay) to run on to its end.
    if (heard >= kTimelineEnd) {
        playSilently();
        return;
    }
    std::fprintf(stderr, "ostre3: %s ended at %lld ms, before the demo's end at %d ms; the demo runs on without sound\n",
                 qPrintable(musicName), static_cast<long long>(heard), kTimelineEnd);
    playSilently();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
    } else if (event->type() == QEvent::WindowStateChange && demoPane) {
        // Nothing to point at in a full-screen demo; the pointer only hides it.
        if (isFullScreen())
            demoPane->setCursor(Qt::BlankCursor);
        else
            demoPane->unsetCursor();
    }
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    const bool once = !event->isAutoRepeat();
    switch (event->key()) {
    case Qt::Key_Escape:
        if (once)
            close();
        break;
    case Qt::Key_Space:
        if (once)
            on_pushButton_pressed();
        break;
    case Qt::Key_Left:
        clock->seekBy(-kSeekStepMs);
        break;
    case Qt::Key_Right:
        clock->seekBy(kSeekStepMs);
        break;
    case Qt::Key_F11:
    case Qt::Key_F:
        if (once)
            toggleFullScreen();
        break;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The window's screen, and its refresh rate, may change while it plays.
    if (QWindow *window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, &MainWindow::followScreen, Qt::UniqueConnection);
        followScreen(window->screen());
    }
}

void MainWindow::followScreen(QScreen *screen)
{
    disconnect(refreshRateWatch);
    if (screen)
        refreshRateWatch = connect(screen, &QScreen::refreshRateChanged, this, [this, screen] {
            frames.setRefreshPeriod(refreshPeriodOf(screen), monotonicMs());
        });
    frames.setRefreshPeriod(refreshPeriodOf(screen), monotonicMs());
}

void MainWindow::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void MainWindow::follow(PlaybackClock *next)
{
    // Only the clock's own signals: the music's stalls are heard all along.
    if (clock)
        for (const auto &connection : clockConnections)
            disconnect(connection);
    clock = next;
    // The silent clock is heard nowhere: nothing to wait for.
    smooth.setDelay(clock == music ? audioDelay : 0);
    clockConnections = {
        connect(clock, &PlaybackClock::tick, this, &MainWindow::tick),
        connect(clock, &PlaybackClock::finished, this, &MainWindow::finished),
        connect(clock, &PlaybackClock::playingChanged, this, &MainWindow::followState),
        connect(clock, &PlaybackClock::sought, this, &MainWindow::jumpTo),
    };
    followState();
}

void MainWindow::followState()
{
    const double now = monotonicMs();
    const bool wasRunning = smooth.running();
    if (clock->isPlaying() && !wasRunning)
        smooth.resume(now);
    else if (!clock->isPlaying() && wasRunning && clock->isPaused())
        smooth.hold(clock->position());
    else if (!clock->isPlaying() && wasRunning)
        smooth.hold(std::max<qint64>(smooth.at(now), demoPane->time())); // as shown
    if (smooth.running()) {
        frames.play(now);
    } else {
        frames.stop();
        if (wasRunning)
            showHeld();
    }
}

void MainWindow::jumpTo(qint64 time)
{
    const double now = monotonicMs();
    if (clock->isPlaying()) {
        smooth.run(time, now);
        // The place sought shows at once, and runs on from the next paint.
        demoPane->setTime(static_cast<std::int32_t>(runningPicture(time)));
        frames.poke(now);
    } else {
        smooth.hold(time);
        showHeld();
    }
}

void MainWindow::showHeld()
{
    demoPane->setTime(static_cast<std::int32_t>(timeAt(monotonicMs())));
    demoPane->update();
}

qint64 MainWindow::timeAt(double moment) const
{
    // Held, the smooth clock shows the position as it came.
    if (clock == silent && smooth.running())
        return silent->positionAt(moment);
    return smooth.at(moment);
}

qint64 MainWindow::runningPicture(qint64 time) const
{
    return std::min<qint64>(time, kTimelineEnd - 1);
}

FrameLoop::Change MainWindow::pictureChange(double presentAt)
{
    // While playing, pictures only go forward: a seek puts the pane where
    // it goes at once.
    const qint64 shown = demoPane->time();
    if (runningPicture(timeAt(presentAt)) > shown)
        return FrameLoop::Change::Now;
    const bool runsOn = shown < kTimelineEnd - 1
                        && (clock == silent ? silent->isPlaying() : smooth.runsOnAt(presentAt));
    return runsOn ? FrameLoop::Change::Later : FrameLoop::Change::None;
}

void MainWindow::requestPaint()
{
    demoPane->update();
}

void MainWindow::paintNow()
{
    // In this wake of the event loop, rather than the next.
    demoPane->repaint();
}

void MainWindow::scheduleWake(double at)
{
    frameTimer.start(std::max(0, static_cast<int>(std::ceil(at - monotonicMs()))));
}

void MainWindow::cancelWake()
{
    frameTimer.stop();
}

void MainWindow::paintStarting()
{
    paintedAt = monotonicMs();
    aimedAt = frames.painting(paintedAt);
    if (!frames.playing())
        return; // a held picture: its time is set already
    const qint64 time = clock == silent ? silent->positionAt(aimedAt) : smooth.show(aimedAt);
    endShown = endShown || time >= kTimelineEnd;
    demoPane->setTime(static_cast<std::int32_t>(runningPicture(time)));
}

void MainWindow::pictureSwapped()
{
    const double now = monotonicMs();
    frameLog.picture(paintedAt, now, demoPane->time(), aimedAt);
    frames.swapped(now);
    if (endShown)
        close();
}

void MainWindow::sayCannotPlay(const QString &reason)
{
    std::fprintf(stderr, "ostre3: cannot play %s: %s; the demo runs on without sound\n",
                 qPrintable(musicName), qPrintable(reason));
}

void MainWindow::bridgeStall(const QString &reason)
{
    if (clock != music)
        return;
    // What stalls music is most often its sound output going away.
    QString why = QString::fromStdString(soundOutputProblem(SoundPlaces::ofThisSession()));
    if (why.isEmpty())
        why = reason;
    std::fprintf(stderr, "ostre3: %s stopped playing at %lld ms: %s; the picture runs on without sound until it plays again\n",
                 qPrintable(musicName), static_cast<long long>(demoPane->time()), qPrintable(why));
    playSilently();
    retryTimer.start();
}

void MainWindow::endBridge()
{
    if (clock != silent || !retryTimer.isActive())
        return;
    retryTimer.stop();
    // The music was given back where the picture was; the picture, which
    // never steps back for it, goes on from where it is, the smooth clock
    // drawing the two together. Only music far off is sought to it.
    const double now = monotonicMs();
    const qint64 from = std::max<qint64>(silent->positionAt(now), demoPane->time());
    const bool playing = silent->isPlaying();
    follow(music);
    silent->deleteLater();
    silent = nullptr;
    if (!playing)
        music->pause();
    if (std::abs(music->position() - from) > SmoothClock::kCatchUpMs)
        music->seek(from);
    else if (playing)
        smooth.run(from, now);
    std::fprintf(stderr, "ostre3: %s plays again from %lld ms\n", qPrintable(musicName), static_cast<long long>(from));
}

void MainWindow::playSilently()
{
    // Carry on from the picture shown: the start, unless the music failed
    // part way through.
    const qint64 shown = demoPane->time();
    smooth.hold(shown);
    silent = new SilentClock(this);
    silent->seek(shown);
    follow(silent);
    clock->play();
}
