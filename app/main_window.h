#pragma once

#include <QMainWindow>

class DemoPane;
class MusicClock;
class PlaybackClock;
class Ui_MainWindow;
namespace Phonon {
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
    void toggleFullScreen();
    void follow(PlaybackClock *next);
    void sayCannotPlay(const QString &reason);
    void playSilently();

    Ui_MainWindow *ui = nullptr;
    MusicClock *music = nullptr;
    Phonon::SeekSlider *seekSlider = nullptr;
    DemoPane *demoPane = nullptr;
    // The music's clock, or the silent one once the music has failed.
    PlaybackClock *clock = nullptr;
    QString musicName; // as named in messages
};
