#pragma once

#include "smooth_clock.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>

class DemoPane;
class MusicClock;
class PlaybackClock;
class Ui_MainWindow;
namespace Phonon {
class SeekSlider;
}

// The demo's one window: plays the music and turns its position into the
// scene time of the demo pane. Every tick of the position feeds a smooth
// clock; while playing, the pane is repainted once per display refresh with
// that clock's time, read at paint time, so a backend that reports its
// position only a few times a second still gives a moving picture. Keys
// stand in for the hidden control strip: Escape, Space, Left/Right, F11/F.
class MainWindow : public QMainWindow
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

public slots:
    void on_pushButton_pressed();
    void on_pushButton_2_pressed();
    void tick(qint64 time);
    void finished();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void toggleFullScreen();
    void follow(PlaybackClock *next);
    // Brings the smooth clock and the frame timer in line with whether the
    // playback clock plays, stands paused or has stopped.
    void followState();
    void jumpTo(qint64 time);
    // Draws the smooth clock's time now.
    void showFrame();
    double now() const;
    void sayCannotPlay(const QString &reason);
    void playSilently();

    Ui_MainWindow *ui = nullptr;
    MusicClock *music = nullptr;
    Phonon::SeekSlider *seekSlider = nullptr;
    DemoPane *demoPane = nullptr;
    // The music's clock, or the silent one once the music has failed.
    PlaybackClock *clock = nullptr;
    QString musicName; // as named in messages
    SmoothClock smooth;
    QElapsedTimer monotonic;
    QTimer frameTimer; // once per display refresh while playing
    double lastFrameAt = 0;
    qint64 audioDelay = 0;
};
