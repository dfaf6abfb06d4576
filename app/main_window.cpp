#include "main_window.h"

#include "demo_pane.h"
#include "music_file.h"
#include "playback_watch.h"
#include "silent_clock.h"
#include "timeline.h"
#include "ui_main_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QUrl>
#include <phonon/AudioOutput>
#include <phonon/MediaObject>
#include <phonon/MediaSource>
#include <phonon/Path>
#include <phonon/SeekSlider>

#include <algorithm>
#include <cstdio>

namespace {

constexpr qint64 kSeekStepMs = 5000;

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    ui = new Ui_MainWindow;
    ui->setupUi(this);

    demoPane = new DemoPane;
    ui->frame->layout()->addWidget(demoPane);

    const MusicChoice music = chooseMusic(QDir::currentPath(), QCoreApplication::applicationDirPath());
    musicName = music.name;
    if (music.installed)
        std::fprintf(stderr, "ostre3: no 1991.mp3 here, playing the demo's own soundtrack %s\n",
                     qPrintable(musicName));

    audioOutput = new Phonon::AudioOutput(Phonon::MusicCategory, this);
    mediaObject = new Phonon::MediaObject(this);
    seekSlider = new Phonon::SeekSlider(this);
    seekSlider->setMediaObject(mediaObject);

    // This backend ticks 0 whenever playback stops, the end of the music
    // included; that is no position, and showing it would jump to scene 1.
    connect(mediaObject, &Phonon::MediaObject::tick, this, [this](qint64 time) {
        if (mediaObject->state() != Phonon::StoppedState)
            tick(time);
    });
    connect(mediaObject, SIGNAL(finished()), this, SLOT(finished()));
    Phonon::createPath(mediaObject, audioOutput);
    mediaObject->setTickInterval(1);
    ui->widget->layout()->addWidget(seekSlider);

    // What is plainly wrong with the file needs no waiting for the backend,
    // and a special file must never reach it: opening a FIFO blocks.
    const QString problem = musicFileProblem(music.path);
    if (!problem.isEmpty()) {
        playSilently(problem);
    } else {
        mediaSource = new Phonon::MediaSource(QUrl::fromLocalFile(music.path));
        mediaObject->setCurrentSource(*mediaSource);
        mediaObject->play();
        auto *watch = new PlaybackWatch(mediaObject, this);
        connect(watch, &PlaybackWatch::cannotPlay, this, &MainWindow::playSilently);
    }

    ui->frame_2->setVisible(false);
    showFullScreen();
}

MainWindow::~MainWindow()
{
    delete ui;
    delete mediaSource;
    delete mediaObject;
    delete audioOutput;
    delete seekSlider;
    delete demoPane;
}

void MainWindow::on_pushButton_pressed()
{
    if (silentClock) {
        if (silentClock->isPlaying())
            silentClock->pause();
        else
            silentClock->play();
    } else if (mediaObject->state() == Phonon::PlayingState) {
        mediaObject->pause();
    } else {
        mediaObject->play();
    }
}

void MainWindow::on_pushButton_2_pressed()
{
    play();
    ui->frame_2->setVisible(false);
    showFullScreen();
}

void MainWindow::tick(qint64 time)
{
    if (time >= kTimelineEnd)
        close();
    ui->label->setText(tr("%1").arg(time));
    demoPane->setTime(static_cast<std::int32_t>(time));
    demoPane->updateGL();
}

void MainWindow::finished()
{
    ui->label->setText(tr("done"));
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
        seekBy(-kSeekStepMs);
        break;
    case Qt::Key_Right:
        seekBy(kSeekStepMs);
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

void MainWindow::play()
{
    if (silentClock)
        silentClock->play();
    else
        mediaObject->play();
}

void MainWindow::seekBy(qint64 offset)
{
    if (silentClock) {
        silentClock->seek(silentClock->position() + offset);
        return;
    }
    const Phonon::State state = mediaObject->state();
    if (state != Phonon::PlayingState && state != Phonon::PausedState)
        return; // nothing loaded to seek in
    const qint64 target = std::max<qint64>(mediaObject->currentTime() + offset, 0);
    mediaObject->seek(target);
    // Paused music does not tick, yet the picture should follow the seek.
    if (state == Phonon::PausedState)
        tick(target);
}

void MainWindow::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void MainWindow::playSilently(const QString &reason)
{
    std::fprintf(stderr, "ostre3: cannot play %s: %s; the demo runs on without sound\n",
                 qPrintable(musicName), qPrintable(reason));
    disconnect(mediaObject, nullptr, this, nullptr);
    mediaObject->stop();
    silentClock = new SilentClock(this);
    connect(silentClock, &SilentClock::tick, this, &MainWindow::tick);
    // Carry on from the picture shown: the start, unless the music failed
    // part way through.
    silentClock->seek(demoPane->time());
    silentClock->play();
}
