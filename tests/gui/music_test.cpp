// The main window with real music through the media framework, and with
// music it cannot play.
#include "music_clock.h"
#include "playback_watch.h"
#include "sound_output.h"
#include "window_harness.h"

#include <QElapsedTimer>
#include <QFrame>

#include <set>

#include <sys/stat.h>

namespace {

constexpr int kStartMs = 5000;
// The silent clock takes over once the start deadline has passed.
constexpr int kFallbackMs = PlaybackWatch::kStartDeadlineMs + 3000;

bool waitForPlaying(MainWindow &w)
{
    return QTest::qWaitFor([&] { return pane(w)->time() > 0; }, kStartMs)
           && media(w)->state() == Phonon::PlayingState;
}

// The scene time moves on within a moment.
bool advances(MainWindow &w)
{
    const int before = pane(w)->time();
    return QTest::qWaitFor([&] { return pane(w)->time() > before; }, 1000);
}

// A pause takes a moment to reach the sound output, and the position it
// stopped at arrives as one more tick; after that the picture must hold.
bool holdsStill(MainWindow &w)
{
    QTest::qWait(300);
    const int before = pane(w)->time();
    QTest::qWait(300);
    return pane(w)->time() == before;
}

} // namespace

class MusicTest : public QObject
{
    Q_OBJECT

private slots:
    void playStopPausesAndResumes();
    void fullscreenResumesAndHidesTheControls();
    void musicEndingEarlyRunsOnSilently();
    void keysPauseAndSeekTheMusic();
    void pictureMovesAtTheDisplaysPace();
    void leftAtTheStartStopsAtZero();
    void musicFailingPartWayPlaysOnFromThePicture();
    void unplayableMusicPlaysSilently_data();
    void unplayableMusicPlaysSilently();
    void keysPauseAndSeekTheSilentClock();
    void brokenBackendPlaysSilently();
};

void MusicTest::playStopPausesAndResumes()
{
    REQUIRE_TEST_MUSIC("long.mp3");
    Stage stage(testMusic("long.mp3"));
    MainWindow w;
    QVERIFY(waitForPlaying(w));

    press(w, "pushButton");
    QTRY_COMPARE(media(w)->state(), Phonon::PausedState);
    QVERIFY(holdsStill(w));

    press(w, "pushButton");
    QTRY_COMPARE(media(w)->state(), Phonon::PlayingState);
    QVERIFY(advances(w));
}

void MusicTest::fullscreenResumesAndHidesTheControls()
{
    REQUIRE_TEST_MUSIC("long.mp3");
    Stage stage(testMusic("long.mp3"));
    MainWindow w;
    QVERIFY(waitForPlaying(w));
    press(w, "pushButton");
    QTRY_COMPARE(media(w)->state(), Phonon::PausedState);
    w.showNormal();

    press(w, "pushButton_2");
    QTRY_COMPARE(media(w)->state(), Phonon::PlayingState);
    QVERIFY(w.isFullScreen());
    QVERIFY(!w.findChild<QFrame *>("frame_2")->isVisibleTo(&w));
}

void MusicTest::musicEndingEarlyRunsOnSilently()
{
    REQUIRE_TEST_MUSIC("short.mp3");
    StderrCapture errors;
    Stage stage(testMusic("short.mp3"));
    MainWindow w;
    QTRY_VERIFY_WITH_TIMEOUT(silentClock(w), kFallbackMs);
    // The stop's tick of 0 must not send the picture back to the start, nor
    // may the picture stand still until the demo's end.
    QVERIFY2(pane(w)->time() > 1000, qPrintable(QString::number(pane(w)->time())));
    QVERIFY(advances(w));
    QVERIFY(w.isVisible());
    QCOMPARE(errors.linesWith("before the demo's end").size(), 1);
}

void MusicTest::keysPauseAndSeekTheMusic()
{
    REQUIRE_TEST_MUSIC("long.mp3");
    Stage stage(testMusic("long.mp3"));
    MainWindow w;
    QVERIFY(waitForPlaying(w));

    QTest::keyClick(&w, Qt::Key_Space);
    QTRY_COMPARE(media(w)->state(), Phonon::PausedState);
    QVERIFY(holdsStill(w));

    // Paused, the picture still follows a seek (from the media's own
    // position, which may lie a few ms past the last tick).
    const int paused = pane(w)->time();
    QTest::keyClick(&w, Qt::Key_Right);
    QVERIFY2(qAbs(pane(w)->time() - (paused + 5000)) < 100, qPrintable(QString::number(pane(w)->time())));
    QVERIFY(holdsStill(w));

    QTest::keyClick(&w, Qt::Key_Space);
    QTRY_COMPARE(media(w)->state(), Phonon::PlayingState);
    QVERIFY(advances(w));
    QVERIFY(pane(w)->time() >= paused + 5000);

    QTest::keyClick(&w, Qt::Key_Left);
    QTRY_VERIFY(pane(w)->time() < paused + 2000);
    QTest::keyClick(&w, Qt::Key_Left);
    QTRY_VERIFY(pane(w)->time() < 1000);
    QVERIFY(advances(w));
}

// Whatever the backend (PHONON_BACKEND picks one), the picture moves on
// many times a second, and never more often than the screen refreshes. A
// backend that reports its position a few times a second, painted only
// when it does, shows under four pictures a second; on a busy machine
// software GL may take 150 ms a frame (4x multisampled, 320x240).
void MusicTest::pictureMovesAtTheDisplaysPace()
{
    REQUIRE_TEST_MUSIC("long.mp3");
    Stage stage(testMusic("long.mp3"));
    MainWindow w;
    QVERIFY(waitForPlaying(w));
    // Once under way: a backend may hold its first position while its
    // sound output starts.
    QTRY_VERIFY_WITH_TIMEOUT(pane(w)->time() > 1500, kStartMs);
    std::set<int> pictures;
    QElapsedTimer watched;
    watched.start();
    while (watched.elapsed() < 2000) {
        pictures.insert(pane(w)->time());
        QTest::qWait(2);
    }
    const double perSecond = pictures.size() * 1000.0 / watched.elapsed();
    QVERIFY2(perSecond >= 5 && perSecond <= 70, qPrintable(QString("%1 pictures a second").arg(perSecond)));
}

void MusicTest::leftAtTheStartStopsAtZero()
{
    REQUIRE_TEST_MUSIC("long.mp3");
    Stage stage(testMusic("long.mp3"));
    MainWindow w;
    QVERIFY(waitForPlaying(w));
    QTest::keyClick(&w, Qt::Key_Left);
    QVERIFY2(pane(w)->time() >= 0 && pane(w)->time() < 1000, qPrintable(QString::number(pane(w)->time())));
    QVERIFY(!label(w)->text().startsWith('-'));
    QVERIFY(advances(w));
}

void MusicTest::musicFailingPartWayPlaysOnFromThePicture()
{
    REQUIRE_TEST_MUSIC("long.mp3");
    StderrCapture errors;
    Stage stage(testMusic("long.mp3"));
    MainWindow w;
    QVERIFY(waitForPlaying(w));
    QTRY_VERIFY_WITH_TIMEOUT(pane(w)->time() > 2000, kStartMs);
    const int before = pane(w)->time();
    emit w.findChild<MusicClock *>()->cannotPlay("the sound device went away");

    QVERIFY(silentClock(w));
    QVERIFY2(pane(w)->time() >= before, qPrintable(QString::number(pane(w)->time())));
    QVERIFY(advances(w));
    QCOMPARE(errors.linesWith("went away").size(), 1);
}

void MusicTest::unplayableMusicPlaysSilently_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing" << "no such file";
    // The media framework's own verdict, after trying it.
    QTest::newRow("not audio") << "text" << "cannot play";
    // Never handed on, as opening it would block.
    QTest::newRow("fifo") << "fifo" << "not a regular file";
    // Good music with nothing to play it on.
    QTest::newRow("no sound output") << "unheard" << "no sound output";
}

void MusicTest::unplayableMusicPlaysSilently()
{
    QFETCH(QString, kind);
    StderrCapture errors;
    Stage stage;
    if (kind == "text") {
        QFile music(stage.musicPath());
        QVERIFY(music.open(QIODevice::WriteOnly));
        music.write("not a song\n");
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(stage.musicPath()).constData(), 0644), 0);
    }
    const bool hadServer = qEnvironmentVariableIsSet("PULSE_SERVER");
    const QByteArray server = qgetenv("PULSE_SERVER");
    if (kind == "unheard") {
        REQUIRE_TEST_MUSIC("long.mp3");
        QFile::copy(testMusic("long.mp3"), stage.musicPath());
        qputenv("PULSE_SERVER", "unix:/nonexistent/pulse/native");
        if (soundOutputProblem(SoundPlaces::ofThisSession()).empty())
            QSKIP("this machine has a sound card");
    }
    MainWindow w;
    if (hadServer)
        qputenv("PULSE_SERVER", server);
    else
        qunsetenv("PULSE_SERVER");
    QTRY_VERIFY_WITH_TIMEOUT(silentClock(w), kFallbackMs);
    QElapsedTimer sinceTakeOver;
    sinceTakeOver.start();
    QVERIFY(advances(w));
    // It counts from 0: no further than the time it has run, plus the
    // moment it took to notice the take-over on a busy machine.
    QVERIFY2(pane(w)->time() <= sinceTakeOver.elapsed() + 2500,
             qPrintable(QString("the silent timeline starts at 0, yet shows %1 after %2 ms")
                            .arg(pane(w)->time())
                            .arg(sinceTakeOver.elapsed())));

    QFETCH(QString, reason);
    const QStringList lines = errors.linesWith("1991.mp3");
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].contains(reason), qPrintable(lines[0]));
}

void MusicTest::keysPauseAndSeekTheSilentClock()
{
    Stage stage;
    MainWindow w;
    QTRY_VERIFY_WITH_TIMEOUT(silentClock(w), kFallbackMs);

    QTest::keyClick(&w, Qt::Key_Space);
    QVERIFY(holdsStill(w));
    const int paused = pane(w)->time();
    QTest::keyClick(&w, Qt::Key_Right);
    QCOMPARE(pane(w)->time(), paused + 5000);
    QVERIFY(holdsStill(w));

    QTest::keyClick(&w, Qt::Key_Space);
    QVERIFY(advances(w));
    QTest::keyClick(&w, Qt::Key_Left);
    QTest::keyClick(&w, Qt::Key_Left);
    QVERIFY(pane(w)->time() < 1000);
    QVERIFY(advances(w));

    // The same buttons drive it as well.
    press(w, "pushButton");
    QVERIFY(holdsStill(w));
    press(w, "pushButton_2");
    QVERIFY(advances(w));
}

void MusicTest::brokenBackendPlaysSilently()
{
    if (!qEnvironmentVariableIsSet("OSTRE3_TEST_BROKEN_BACKEND"))
        QSKIP("runs on its own, with the media framework cut off from its plugins");
    REQUIRE_TEST_MUSIC("long.mp3");
    StderrCapture errors;
    Stage stage(testMusic("long.mp3"));
    MainWindow w;
    QTRY_VERIFY_WITH_TIMEOUT(silentClock(w), kFallbackMs);
    QVERIFY(advances(w));
    QCOMPARE(errors.linesWith("1991.mp3").size(), 1);
}

QTEST_MAIN(MusicTest)
#include "music_test.moc"
