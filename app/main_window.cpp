#include "main_window.h"

#include "demo_pane.h"
#include "music_clock.h"
#include "music_file.h"
#include "silent_clock.h"
#include "timeline.h"
#include "ui_main_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QScreen>
#include <phonon/SeekSlider>

#include <algorithm>
#include <cstdio>

namespace {

constexpr qint64 kSeekStepMs = 5000;

// Paint once per refresh of the screen the window is on, at about 60 Hz
// where the screen does not say.
int refreshIntervalMs(const QWidget *widget)
{
    const QScreen *screen = widget->screen();
    const qreal hz = screen && screen->refreshRate() >= 20 ? screen->refreshRate() : 60;
    return std::max(1, qRound(1000 / hz));
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    monotonic.start();
    frameTimer.setTimerType(Qt::PreciseTimer);
    frameTimer.setInterval(refreshIntervalMs(this));
    connect(&frameTimer, &QTimer::timeout, this, &MainWindow::showFrame);
    // The music is looked at before GL and the media framework take their
    // time to load, so that what is wrong with it is said at once.
    const MusicChoice choice = chooseMusic(QDir::currentPath(), QCoreApplication::applicationDirPath());
    musicName = choice.name;
    if (choice.installed)
        std::fprintf(stderr, "ostre3: no 1991.mp3 here, playing the demo's own soundtrack %s\n",
                     qPrintable(musicName));
    // What is plainly wrong with the file needs no waiting for the media
    // framework; and a special file must never reach it.
    const QString problem = musicFileProblem(choice.path);
    if (!problem.isEmpty())
        sayCannotPlay(problem);

    ui = new Ui_MainWindow;
    ui->setupUi(this);
    demoPane = new DemoPane;
    ui->frame->layout()->addWidget(demoPane);

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
    if (time >= kTimelineEnd)
        close();
    ui->label->setText(tr("%1").arg(time));
    followState();
    smooth.report(time, now());
    // While playing, one frame per refresh: the frame timer draws it, or a
    // tick when one comes first (a stream of them may hold timers back).
    if (!smooth.running() || now() - lastFrameAt >= frameTimer.interval() - 1)
        showFrame();
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
    std::fprintf(stderr, "ostre3: %s ended at %lld ms, before the demo's end at %d ms; the demo runs on without sound\n",
                 qPrintable(musicName), static_cast<long long>(demoPane->time()), kTimelineEnd);
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

void MainWindow::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void MainWindow::follow(PlaybackClock *next)
{
    if (clock)
        disconnect(clock, nullptr, this, nullptr);
    clock = next;
    // The silent clock is heard nowhere: nothing to wait for.
    smooth.setDelay(clock == music ? audioDelay : 0);
    connect(clock, &PlaybackClock::tick, this, &MainWindow::tick);
    connect(clock, &PlaybackClock::finished, this, &MainWindow::finished);
    connect(clock, &PlaybackClock::playingChanged, this, &MainWindow::followState);
    connect(clock, &PlaybackClock::sought, this, &MainWindow::jumpTo);
    followState();
}

void MainWindow::followState()
{
    const bool wasRunning = smooth.running();
    if (clock->isPlaying() && !wasRunning)
        smooth.resume(now());
    else if (!clock->isPlaying() && wasRunning && clock->isPaused())
        smooth.hold(clock->position());
    else if (!clock->isPlaying() && wasRunning)
        smooth.freeze(now());
    if (smooth.running() && !frameTimer.isActive()) {
        frameTimer.start();
    } else if (!smooth.running()) {
        frameTimer.stop();
        if (wasRunning)
            showFrame();
    }
}

void MainWindow::jumpTo(qint64 time)
{
    if (clock->isPlaying())
        smooth.run(time, now());
    else
        smooth.hold(time);
    showFrame();
}

void MainWindow::showFrame()
{
    qint64 time = smooth.at(now());
    // Between ticks the clock may run past the end before the tick that ends
    // the demo comes: the last frame stays until then.
    if (smooth.running())
        time = std::min<qint64>(time, kTimelineEnd - 1);
    demoPane->setTime(static_cast<std::int32_t>(time));
    demoPane->update();
    lastFrameAt = now();
    // The next frame is due a refresh from now.
    if (frameTimer.isActive())
        frameTimer.start();
}

double MainWindow::now() const
{
    return monotonic.nsecsElapsed() / 1e6;
}

void MainWindow::sayCannotPlay(const QString &reason)
{
    std::fprintf(stderr, "ostre3: cannot play %s: %s; the demo runs on without sound\n",
                 qPrintable(musicName), qPrintable(reason));
}

void MainWindow::playSilently()
{
    // Carry on from the picture shown: the start, unless the music failed
    // part way through.
    smooth.freeze(now());
    auto *silent = new SilentClock(this);
    silent->seek(smooth.at(now()));
    follow(silent);
    clock->play();
}
