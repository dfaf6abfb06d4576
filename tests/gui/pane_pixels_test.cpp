// The demo pane's own framebuffer against the capture tool's headless
// render of the same moment at the same size in device pixels: the window
// must show what a capture shows, 4x multisampled alike, on a scaled
// screen (QT_SCALE_FACTOR) as on a plain one.
#include "demo_pane.h"
#include "flash_warning.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Logical size of the pane; the device pixels follow from the scale.
constexpr int kWidth = 160;
constexpr int kHeight = 90;

QImage capture(int time, QSize size, const QString &png)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedChannels);
    tool.start(QStringLiteral(CAPTURE_PROGRAM),
               {"--time", QString::number(time), "--size",
                QString("%1x%2").arg(size.width()).arg(size.height()), "--out", png});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return QImage();
    return QImage(png).convertToFormat(QImage::Format_RGB888);
}

// How far two pictures of the same size are apart, or empty when identical.
QString difference(const QImage &pane, const QImage &captured)
{
    int pixels = 0, largest = 0;
    for (int y = 0; y < pane.height(); ++y) {
        const uchar *a = pane.constScanLine(y);
        const uchar *b = captured.constScanLine(y);
        for (int x = 0; x < pane.width(); ++x) {
            int most = 0;
            for (int c = 0; c < 3; ++c)
                most = qMax(most, qAbs(a[3 * x + c] - b[3 * x + c]));
            pixels += most > 0;
            largest = qMax(largest, most);
        }
    }
    if (pixels == 0)
        return QString();
    return QString("%1 of %2 pixels differ, by up to %3 of 255")
        .arg(pixels)
        .arg(pane.width() * pane.height())
        .arg(largest);
}

// Counts the contexts Qt sets the pane up in.
class CountingPane : public DemoPane
{
public:
    int initializations = 0;

protected:
    void initializeGL() override
    {
        ++initializations;
        DemoPane::initializeGL();
    }
};

} // namespace

class PanePixelsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void paneShowsWhatACaptureShows_data();
    void paneShowsWhatACaptureShows();
    void aNewContextAtTheSameSizeShowsWhatACaptureShows();
    void warnsOverTheFirstSecondsOnly();
    void cleanupTestCase();

private:
    // Made once shown and gone before the application winds down.
    DemoPane *pane = nullptr;
    QTemporaryDir dir;
};

void PanePixelsTest::initTestCase()
{
    pane = new DemoPane;
    pane->resize(kWidth, kHeight);
    pane->show();
    QVERIFY(QTest::qWaitForWindowExposed(pane));
    QCOMPARE(pane->pixelSize(), QSize(kWidth, kHeight) * pane->devicePixelRatioF());
}

void PanePixelsTest::cleanupTestCase()
{
    delete pane;
}

void PanePixelsTest::paneShowsWhatACaptureShows_data()
{
    QTest::addColumn<int>("time");
    // Every scene, with scene 4's thin lines twice: they show the
    // multisampling most.
    for (int time : {0, 4050, 16128, 32135, 40115, 48224, 60323, 72292, 88315, 104479, 120832})
        QTest::newRow(qPrintable(QString::number(time))) << time;
}

void PanePixelsTest::paneShowsWhatACaptureShows()
{
    QFETCH(int, time);
    pane->setTime(time);
    const QImage shown = pane->grabFramebuffer().convertToFormat(QImage::Format_RGB888);
    QCOMPARE(shown.size(), pane->pixelSize());
    const QImage captured = capture(time, shown.size(), dir.filePath(QString("%1.png").arg(time)));
    QVERIFY2(!captured.isNull(), "the capture tool made no picture");
    const QString apart = difference(shown, captured);
    if (!apart.isEmpty())
        shown.save(dir.filePath(QString("%1-pane.png").arg(time)));
    QVERIFY2(apart.isEmpty(), qPrintable(apart));
}

// A pane moved to another window gets a new context at the size it had,
// and (Qt 5.15) no resizeGL.
void PanePixelsTest::aNewContextAtTheSameSizeShowsWhatACaptureShows()
{
    QWidget first, second;
    for (QWidget *window : {&first, &second})
        window->resize(kWidth, kHeight);
    CountingPane *moved = new CountingPane;
    moved->setParent(&first);
    moved->resize(kWidth, kHeight);
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QCOMPARE(moved->initializations, 1);

    moved->setTime(48224);
    moved->setParent(&second);
    moved->show();
    const QImage shown = moved->grabFramebuffer().convertToFormat(QImage::Format_RGB888);
    QCOMPARE(moved->initializations, 2);
    const QImage captured = capture(48224, shown.size(), dir.filePath("moved.png"));
    QVERIFY2(!captured.isNull(), "the capture tool made no picture");
    const QString apart = difference(shown, captured);
    if (!apart.isEmpty())
        shown.save(dir.filePath("moved-pane.png"));
    QVERIFY2(apart.isEmpty(), qPrintable(apart));
}

// The label over the picture, which grabFramebuffer (above) leaves out.
void PanePixelsTest::warnsOverTheFirstSecondsOnly()
{
    const QLabel *warning = pane->findChild<QLabel *>();
    QVERIFY(warning);
    pane->setTime(0);
    QVERIFY(warning->isVisible());
    QVERIFY(warning->text().startsWith(kFlashWarning));
    QVERIFY(warning->text().contains("--gentle"));
    pane->setTime(kWarningEndMs);
    QVERIFY(!warning->isVisible());
    pane->setGentle(true);
    pane->setTime(kWarningEndMs - 1);
    QVERIFY(warning->isVisible());
    QCOMPARE(warning->text(), QString(kGentleNote));
    pane->setGentle(false);
}

QTEST_MAIN(PanePixelsTest)
#include "pane_pixels_test.moc"
