#include "music_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr char kMusicFile[] = "1991.mp3";

QString tr(const char *text) { return QCoreApplication::translate("MusicFile", text); }

// A dangling link counts too: the user put it there.
bool present(const QFileInfo &info) { return info.exists() || info.isSymLink(); }

} // namespace

MusicChoice chooseMusic(const QString &workingDir, const QString &programDir)
{
    const QString own = QString::fromLatin1(kMusicFile);
    const QFileInfo user(QDir(workingDir), own);
    const MusicChoice users{user.absoluteFilePath(), own, false};
    if (present(user))
        return users;
    const QString installed =
        QDir::cleanPath(programDir + QStringLiteral("/../share/ostre3/") + own);
    if (QFileInfo(installed).isFile())
        return {installed, installed, true};
    return users;
}

QString musicFileProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return info.isSymLink() ? tr("it is a link to nothing") : tr("no such file");
    if (info.isDir())
        return tr("it is a directory");
    if (!info.isFile())
        return tr("it is not a regular file");
    if (!info.isReadable())
        return tr("permission denied");
    if (info.size() == 0)
        return tr("the file is empty");
    return {};
}

QString suffixForContent(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(12);
    if (head.startsWith("OggS"))
        return QStringLiteral("ogg");
    if (head.startsWith("fLaC"))
        return QStringLiteral("flac");
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WAVE")
        return QStringLiteral("wav");
    // An ID3 tag, or an MPEG audio frame's sync word.
    if (head.startsWith("ID3")
        || (head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF
            && (static_cast<unsigned char>(head[1]) & 0xE0) == 0xE0))
        return QStringLiteral("mp3");
    return {};
}
