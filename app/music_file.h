#pragma once

#include <QString>

// Where the music comes from: "1991.mp3" in the working directory, else the
// soundtrack installed with the program, <program dir>/../share/ostre3/,
// which keeps working when the whole install tree is moved.
struct MusicChoice
{
    QString path; // absolute
    QString name; // as named to the user
    bool installed = false;
};

// The user's own file wins whatever it holds, so a broken one is reported
// rather than quietly passed over.
MusicChoice chooseMusic(const QString &workingDir, const QString &programDir);

// Why path cannot be handed to the media framework, or empty if it may be.
// Reads metadata only: opening a FIFO would block until a writer comes.
QString musicFileProblem(const QString &path);

// The file name suffix that says what path holds, from its first bytes:
// "mp3", "ogg", "flac" or "wav"; empty where it is none of these. Some media
// backends go by the name alone.
QString suffixForContent(const QString &path);
