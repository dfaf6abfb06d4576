// The main window without music: its widget tree and texts, the tick slot,
// finished(), language changes and the viewer's keys.
#include "ui_main_window.h"
#include "window_harness.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QScreen>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QStyle>
#include <phonon/SeekSlider>

#include <limits>

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void recordBuildsTheTreeInOrder();
    void recordSetsTheTexts();
    void recordKeepsAGivenObjectName();
    void windowHostsThePaneAndHidesTheControls();
    void tickShowsThePosition_data();
    void tickShowsThePosition();
    void finishedSaysDone();
    void languageChangeResetsTheLabel();
    void escapeCloses();
    void fullScreenKeysToggleAndHideThePointer();
    void heldKeysDoNotToggleAgain();
    void leftAtTheStartStopsAtZero();
    void wakesOncePerRefreshAndNeverWhilePaused();
};

void WindowTest::recordBuildsTheTreeInOrder()
{
    QMainWindow w;
    Ui_MainWindow ui;
    ui.setupUi(&w);

    QCOMPARE(w.objectName(), QString("MainWindow"));
    QCOMPARE(w.size(), QSize(435, 362));
    QCOMPARE(w.centralWidget(), ui.centralWidget);
    const QList<QPair<QObject *, const char *>> named{
        {ui.centralWidget, "centralWidget"}, {ui.verticalLayout, "verticalLayout"},
        {ui.frame, "frame"}, {ui.horizontalLayout, "horizontalLayout"},
        {ui.frame_2, "frame_2"}, {ui.gridLayout, "gridLayout"},
        {ui.pushButton, "pushButton"}, {ui.pushButton_2, "pushButton_2"},
        {ui.label, "label"}, {ui.widget, "widget"},
        {ui.horizontalLayout_2, "horizontalLayout_2"}};
    for (const auto &[object, name] : named)
        QCOMPARE(object->objectName(), QString(name));

    QCOMPARE(ui.centralWidget->layout(), ui.verticalLayout);
    QCOMPARE(ui.verticalLayout->spacing(), 0);
    QCOMPARE(ui.verticalLayout->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(ui.verticalLayout->count(), 2);
    QCOMPARE(ui.verticalLayout->itemAt(0)->widget(), ui.frame);
    QCOMPARE(ui.verticalLayout->itemAt(1)->widget(), ui.frame_2);
    QCOMPARE(ui.verticalLayout->stretch(0), 0);

    QCOMPARE(ui.frame->layout(), ui.horizontalLayout);
    QCOMPARE(ui.frame->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(ui.frame->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(ui.frame->frameShape(), QFrame::NoFrame);
    QCOMPARE(ui.frame->frameShadow(), QFrame::Plain);
    QCOMPARE(ui.frame->lineWidth(), 0);
    QCOMPARE(ui.horizontalLayout->spacing(), 6);
    QCOMPARE(ui.horizontalLayout->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(ui.horizontalLayout->count(), 0);

    QCOMPARE(ui.frame_2->layout(), ui.gridLayout);
    QCOMPARE(ui.frame_2->frameShape(), QFrame::StyledPanel);
    QCOMPARE(ui.frame_2->frameShadow(), QFrame::Raised);
    QCOMPARE(ui.gridLayout->spacing(), 6);
    QCOMPARE(ui.gridLayout->contentsMargins(), QMargins(11, 11, 11, 11));
    const QList<QPair<QWidget *, QVector<int>>> cells{{ui.pushButton, {0, 0, 1, 1}},
                                                      {ui.pushButton_2, {0, 1, 1, 1}},
                                                      {ui.label, {2, 0, 1, 1}},
                                                      {ui.widget, {1, 0, 1, 2}}};
    QCOMPARE(ui.gridLayout->count(), cells.size());
    for (int i = 0; i < cells.size(); ++i) {
        QCOMPARE(ui.gridLayout->itemAt(i)->widget(), cells[i].first);
        QCOMPARE(cells[i].first->parentWidget(), ui.frame_2);
        int row, column, rows, columns;
        ui.gridLayout->getItemPosition(i, &row, &column, &rows, &columns);
        QCOMPARE((QVector<int>{row, column, rows, columns}), cells[i].second);
    }

    QCOMPARE(ui.widget->minimumSize(), QSize(0, 30));
    QCOMPARE(ui.widget->layout(), ui.horizontalLayout_2);
    QCOMPARE(ui.horizontalLayout_2->spacing(), 6);
    // Left and right fall back to the style's margins, top and bottom are 0.
    const int left = ui.widget->style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, ui.widget);
    const int right = ui.widget->style()->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, ui.widget);
    QCOMPARE(ui.horizontalLayout_2->contentsMargins(), QMargins(left, 0, right, 0));
}

void WindowTest::recordSetsTheTexts()
{
    QMainWindow w;
    Ui_MainWindow ui;
    ui.setupUi(&w);
    QCOMPARE(w.windowTitle(), QString("Ostre3"));
    QCOMPARE(ui.pushButton->text(), QString("Play/Stop"));
    QCOMPARE(ui.pushButton_2->text(), QString("Fullscreen"));
    QCOMPARE(ui.label->text(), QString("0"));
}

void WindowTest::recordKeepsAGivenObjectName()
{
    QMainWindow w;
    w.setObjectName("demo");
    Ui_MainWindow ui;
    ui.setupUi(&w);
    QCOMPARE(w.objectName(), QString("demo"));
}

void WindowTest::windowHostsThePaneAndHidesTheControls()
{
    Stage stage;
    QElapsedTimer sinceStart;
    sinceStart.start();
    MainWindow w;
    QCOMPARE(w.metaObject()->className(), "MainWindow");
    QCOMPARE(w.windowTitle(), QString("Ostre3"));
    QVERIFY(w.isFullScreen());
    QVERIFY(!w.findChild<QFrame *>("frame_2")->isVisibleTo(&w));
    QCOMPARE(label(w)->text(), QString("0"));

    QLayout *demoFrame = w.findChild<QFrame *>("frame")->layout();
    QCOMPARE(demoFrame->count(), 1);
    QCOMPARE(demoFrame->itemAt(0)->widget(), pane(w));
    // Without music the timeline runs silently from its start.
    QVERIFY(pane(w)->time() >= 0 && pane(w)->time() <= sinceStart.elapsed());

    QLayout *sliderHost = w.findChild<QWidget *>("widget")->layout();
    QCOMPARE(sliderHost->count(), 1);
    auto *slider = qobject_cast<Phonon::SeekSlider *>(sliderHost->itemAt(0)->widget());
    QVERIFY(slider);
    QCOMPARE(slider->mediaObject(), media(w));
}

void WindowTest::tickShowsThePosition_data()
{
    QTest::addColumn<qint64>("time");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("sceneTime");
    QTest::addColumn<bool>("closes");
    QTest::newRow("start") << qint64(0) << "0" << 0 << false;
    QTest::newRow("last frame") << qint64(129063) << "129063" << 129063 << false;
    QTest::newRow("end") << qint64(129064) << "129064" << 129064 << true;
    QTest::newRow("negative") << qint64(-1) << "-1" << -1 << false;
    QTest::newRow("past 32 bits") << (qint64(1) << 32) + 5 << "4294967301" << 5 << true;
    QTest::newRow("low half negative") << (qint64(1) << 32) - 2 << "4294967294" << -2 << true;
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "9223372036854775807" << -1 << true;
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << "-9223372036854775808" << 0 << false;
}

void WindowTest::tickShowsThePosition()
{
    QFETCH(qint64, time);
    Stage stage;
    MainWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Paused, a position is shown exactly as it comes.
    QTest::keyClick(&w, Qt::Key_Space);

    w.tick(time);
    QTEST(label(w)->text(), "text");
    QTEST(pane(w)->time(), "sceneTime");
    QTEST(!w.isVisible(), "closes");
}

void WindowTest::finishedSaysDone()
{
    Stage stage;
    MainWindow w;
    QTest::keyClick(&w, Qt::Key_Space);
    w.tick(64000);
    w.finished();
    QCOMPARE(label(w)->text(), QString("done"));
    QCOMPARE(pane(w)->time(), 64000);
    QVERIFY(w.isVisible());
}

void WindowTest::languageChangeResetsTheLabel()
{
    Stage stage;
    MainWindow w;
    QTest::keyClick(&w, Qt::Key_Space);
    w.tick(4711);
    w.setWindowTitle("elsewhere");
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&w, &change);
    QCOMPARE(label(w)->text(), QString("0"));
    QCOMPARE(w.windowTitle(), QString("Ostre3"));
    QCOMPARE(pane(w)->time(), 4711);
}

void WindowTest::escapeCloses()
{
    Stage stage;
    MainWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

void WindowTest::fullScreenKeysToggleAndHideThePointer()
{
    Stage stage;
    MainWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.isFullScreen());
    QCOMPARE(pane(w)->cursor().shape(), Qt::BlankCursor);

    QTest::keyClick(&w, Qt::Key_F11);
    QVERIFY(!w.isFullScreen());
    QCOMPARE(pane(w)->cursor().shape(), Qt::ArrowCursor);

    QTest::keyClick(&w, Qt::Key_F);
    QVERIFY(w.isFullScreen());
    QCOMPARE(pane(w)->cursor().shape(), Qt::BlankCursor);
    QVERIFY(!w.findChild<QFrame *>("frame_2")->isVisibleTo(&w));
}

// A key held down repeats: the first press toggles, the repeats must not.
void WindowTest::heldKeysDoNotToggleAgain()
{
    Stage stage;
    MainWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(silentClock(w));
    QVERIFY(silentClock(w)->isPlaying());
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_F, Qt::Key_F11}) {
        QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(&w, &repeat);
    }
    QVERIFY(silentClock(w)->isPlaying());
    QVERIFY(w.isFullScreen());
}

void WindowTest::leftAtTheStartStopsAtZero()
{
    Stage stage;
    MainWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_Space);
    QTest::keyClick(&w, Qt::Key_Left);
    QCOMPARE(pane(w)->time(), 0);
    QCOMPARE(label(w)->text(), QString("0"));
}

// The silent clock needs no timer of its own: playing, the window's thread
// wakes for its pictures alone, and paused not at all.
void WindowTest::wakesOncePerRefreshAndNeverWhilePaused()
{
    Stage stage;
    MainWindow w;
    // Small enough for software GL to draw in a fraction of a refresh.
    w.showNormal();
    w.resize(160, 90);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(silentClock(w) && silentClock(w)->isPlaying());
    int wakes = 0;
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, [&] { ++wakes; });
    // QTest::qWait wakes on its own every few ms; an event loop does not.
    const auto wakesPerSecond = [&] {
        QTest::qWait(500); // settled
        wakes = 0;
        QElapsedTimer watched;
        watched.start();
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        return (wakes - 1) * 1000.0 / watched.elapsed();
    };
    const double hz = w.screen()->refreshRate();
    const double playing = wakesPerSecond();
    // Two wakes a picture where nothing holds swaps back (a deadline, then
    // the swap), and a few a second that are the toolkit's own.
    QVERIFY2(playing <= 2 * hz + 5, qPrintable(QString("%1 wakes a second at %2 Hz").arg(playing).arg(hz)));
    QTest::keyClick(&w, Qt::Key_Space);
    const double paused = wakesPerSecond();
    QVERIFY2(paused == 0, qPrintable(QString("%1 wakes a second while paused").arg(paused)));
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
