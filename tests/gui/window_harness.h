#pragma once

#include "demo_pane.h"
#include "main_window.h"
#include "silent_clock.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>
#include <phonon/MediaObject>

#include <cstdio>
#include <unistd.h>

// A working directory of its own for each window, holding "1991.mp3" only
// when a test gives it one.
class Stage
{
public:
    explicit Stage(const QString &music = QString())
    {
        QDir::setCurrent(dir.path());
        if (!music.isEmpty())
            QFile::copy(music, dir.filePath("1991.mp3"));
    }
    QString musicPath() const { return dir.filePath("1991.mp3"); }

private:
    QTemporaryDir dir;
};

// Test music made at build time; tests that need it skip without it.
inline QString testMusic(const char *name)
{
    return QStringLiteral(TEST_MUSIC_DIR "/") + QLatin1String(name);
}

#define REQUIRE_TEST_MUSIC(name)                                                 \
    if (!QFile::exists(testMusic(name)))                                         \
        QSKIP("no test music (sox and lame make it at build time)");

inline QLabel *label(MainWindow &w) { return w.findChild<QLabel *>("label"); }
inline DemoPane *pane(MainWindow &w) { return w.findChild<DemoPane *>(); }
inline Phonon::MediaObject *media(MainWindow &w) { return w.findChild<Phonon::MediaObject *>(); }
inline SilentClock *silentClock(MainWindow &w) { return w.findChild<SilentClock *>(); }

inline void press(MainWindow &w, const char *button)
{
    QTest::mousePress(w.findChild<QPushButton *>(button), Qt::LeftButton);
    QTest::mouseRelease(w.findChild<QPushButton *>(button), Qt::LeftButton);
}

// Everything written to stderr while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        file.open();
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        dup2(file.handle(), STDERR_FILENO);
    }
    ~StderrCapture()
    {
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    QStringList linesWith(const QString &text)
    {
        std::fflush(stderr);
        QFile written(file.fileName());
        written.open(QIODevice::ReadOnly);
        return QString::fromLocal8Bit(written.readAll()).split('\n').filter(text);
    }

private:
    QTemporaryFile file;
    int saved;
};
