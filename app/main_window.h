#pragma once

#include <QMainWindow>

class DemoPane;
class SilentClock;
class Ui_MainWindow;
namespace Phonon {
class AudioOutput;
class MediaObject;
class MediaSource;
class SeekSlider;
}

// The demo's one window: plays the music and turns every tick of its
// position into the scene time of the demo pane and a repaint. Keys stand in
// for the hidden control strip: Escape, Space, Left/Right, F11/F.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

public slots:
    void on_pushButton_pressed();
    void on_pushButton_2_pressed();
    void tick(qint64 time);
    void finished();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void play();
    void seekBy(qint64 offset);
    void toggleFullScreen();
    void playSilently(const QString &reason);

    Ui_MainWindow *ui = nullptr;
    Phonon::MediaSource *mediaSource = nullptr;
    Phonon::MediaObject *mediaObject = nullptr;
    Phonon::AudioOutput *audioOutput = nullptr;
    Phonon::SeekSlider *seekSlider = nullptr;
    DemoPane *demoPane = nullptr;
    QString musicName; // as named in messages
    // Drives the timeline in place of mediaObject once the music has failed.
    SilentClock *silentClock = nullptr;
};
