#pragma once

#include "frame_log.h"
#include "frame_loop.h"
#include "smooth_clock.h"

#include <QMainWindow>
#include <QTimer>

#include <string>
#include <vector>

class DemoPane;
class MusicClock;
class PlaybackClock;
class QScreen;
class SilentClock;
class Ui_MainWindow;
namespace Phonon {
class SeekSlider;
}

// The demo's one window: plays the music and turns its position into the
// scene time of the demo pane. Ticks of the position move a smooth clock;
// the frame loop decides when to paint (once per display refresh while
// playing), and each paint draws that clock's time at the moment its
// picture will be seen. Keys stand in for the hidden control strip:
// Escape, Space, Left/Right, F11/F.
class MainWindow : public QMainWindow, private FrameLoop::Display
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The sound reaches the listener this much later than the system
    // accounts for (a Bluetooth headset, say); the picture waits as long.
    void setAudioDelay(qint64 ms);
    // Draws the gentle picture, which keeps every change of brightness
    // below a flash's size.
    void setGentle(bool on);
    // Logs every picture, written to path by saveFrameLog(); false, with one
    // line in error, where path cannot be written.
    bool logFrames(const std::string &path, std::string &error);
    bool saveFrameLog(std::string &error);
    // The one line --stats prints.
    std::string frameStats() const;

public slots:
    void on_pushButton_pressed();
    void on_pushButton_2_pressed();
    void tick(qint64 time);
    void finished();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // FrameLoop::Display
    void requestPaint() override;
    void paintNow() override;
    void scheduleWake(double at) override;
    void cancelWake() override;
    FrameLoop::Change pictureChange(double presentAt) override;

    void toggleFullScreen();
    void follow(PlaybackClock *next);
    // Brings the smooth clock and the frame loop in line with whether the
    // playback clock plays, stands paused or has stopped.
    void followState();
    void jumpTo(qint64 time);
    // While not playing, the pane shows the clock's time at once.
    void showHeld();
    // The scene time seen at `moment`: the smooth clock's for the music,
    // the silent clock's own.
    qint64 timeAt(double moment) const;
    // What a running picture shows of a time: never past the last frame.
    qint64 runningPicture(qint64 time) const;
    void paintStarting();
    void pictureSwapped();
    void followScreen(QScreen *screen);
    void sayCannotPlay(const QString &reason);
    void playSilently();
    // Music that stalls while it plays: the picture runs on silently from
    // where it is, until the music plays again and follows it.
    void bridgeStall(const QString &reason);
    void endBridge();

    Ui_MainWindow *ui = nullptr;
    MusicClock *music = nullptr;
    Phonon::SeekSlider *seekSlider = nullptr;
    DemoPane *demoPane = nullptr;
    // The music's clock, or the silent one once the music has failed.
    PlaybackClock *clock = nullptr;
    std::vector<QMetaObject::Connection> clockConnections;
    SilentClock *silent = nullptr;
    QString musicName; // as named in messages
    SmoothClock smooth;
    FrameLoop frames{*this};
    QTimer frameTimer; // a deadline, where the display does not pace frames
    QTimer retryTimer; // while bridging a stall
    QMetaObject::Connection refreshRateWatch; // of the window's screen
    FrameLog frameLog;
    // The picture being painted: when, for which moment, what it shows.
    double paintedAt = 0, aimedAt = 0;
    // The picture reached the end of the timeline: the window closes once
    // it has been shown.
    bool endShown = false;
    qint64 audioDelay = 0;
    qint64 heard = 0; // the music's last position
};
