// Which music file the demo picks, and what it refuses before the media
// framework sees the file.
#include "music_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the program says of path when run by an unprivileged user, as root
// reads every file: asked in a child process that gives up root first.
QString problemAsNobody(const QString &path)
{
    int answer[2];
    if (pipe(answer) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(answer[0]);
        const uid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setresgid(nobody, nobody, nobody) != 0
            || setresuid(nobody, nobody, nobody) != 0)
            _exit(1);
        const QByteArray said = musicFileProblem(path).toUtf8();
        _exit(write(answer[1], said.constData(), said.size()) == said.size() ? 0 : 1);
    }
    close(answer[1]);
    QByteArray said;
    char buffer[256];
    for (ssize_t n; (n = read(answer[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, n);
    close(answer[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? QString::fromUtf8(said) : "could not become nobody";
}

} // namespace

class MusicFileTest : public QObject
{
    Q_OBJECT

private slots:
    void theUsersFileWinsThenTheInstalledSoundtrack();
    void plainlyWrongFilesAreNamedWithoutOpeningThem_data();
    void plainlyWrongFilesAreNamedWithoutOpeningThem();

private:
    QTemporaryDir dir;
};

void MusicFileTest::theUsersFileWinsThenTheInstalledSoundtrack()
{
    const QDir root(dir.path());
    QVERIFY(root.mkpath("work") && root.mkpath("prefix/bin") && root.mkpath("prefix/share/ostre3"));
    const QString work = root.filePath("work");
    const QString bin = root.filePath("prefix/bin");
    const QString installed = root.filePath("prefix/share/ostre3/1991.mp3");

    // Nothing anywhere: the user's name, for the line saying it is missing.
    MusicChoice none = chooseMusic(work, bin);
    QCOMPARE(none.path, root.filePath("work/1991.mp3"));
    QCOMPARE(none.name, QString("1991.mp3"));
    QVERIFY(!none.installed);

    QFile(installed).open(QIODevice::WriteOnly);
    MusicChoice fallback = chooseMusic(work, bin);
    QCOMPARE(fallback.path, installed);
    QCOMPARE(fallback.name, installed);
    QVERIFY(fallback.installed);

    // Even an empty file, or a FIFO, of the user's own comes first.
    QFile(root.filePath("work/1991.mp3")).open(QIODevice::WriteOnly);
    QVERIFY(!chooseMusic(work, bin).installed);
    QVERIFY(QFile::remove(root.filePath("work/1991.mp3")));
    QCOMPARE(mkfifo(qPrintable(root.filePath("work/1991.mp3")), 0644), 0);
    QVERIFY(!chooseMusic(work, bin).installed);
}

void MusicFileTest::plainlyWrongFilesAreNamedWithoutOpeningThem_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing") << "missing" << "no such file";
    QTest::newRow("dangling link") << "link" << "link to nothing";
    QTest::newRow("directory") << "directory" << "directory";
    QTest::newRow("fifo") << "fifo" << "not a regular file";
    QTest::newRow("empty") << "empty" << "empty";
    QTest::newRow("unreadable") << "unreadable" << "permission denied";
    // Whether it is music is for the media framework to say.
    QTest::newRow("anything else") << "text" << "";
}

void MusicFileTest::plainlyWrongFilesAreNamedWithoutOpeningThem()
{
    QFETCH(QString, kind);
    QFETCH(QString, problem);
    const QString path = dir.filePath(kind);
    const QByteArray native = QFile::encodeName(path);
    if (kind == "link")
        QVERIFY(QFile::link(dir.filePath("nowhere"), path));
    else if (kind == "directory")
        QVERIFY(QDir(dir.path()).mkdir(kind));
    else if (kind == "fifo")
        QCOMPARE(mkfifo(native.constData(), 0644), 0);
    else if (kind != "missing") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (kind != "empty")
            file.write("not a song\n");
    }
    if (kind == "unreadable")
        QCOMPARE(chmod(native.constData(), 0), 0);
    // The unprivileged user must reach the folder to find the file in it.
    QCOMPARE(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString found = kind == "unreadable" && geteuid() == 0 ? problemAsNobody(path) : musicFileProblem(path);
    QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.contains(problem), qPrintable(found));
}

QTEST_GUILESS_MAIN(MusicFileTest)
#include "music_file_test.moc"
