#pragma once

#include "mail/MaildirNames.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The file-system side of the Maildir folders: which directories are folders,
// what their cur/ and new/ hold, and the few calls that must never lose a message.

bool isMaildir(const QString& directory);
// cur/, new/ and tmp/ under directory (made too); MailError when one cannot be made.
void makeMaildir(const QString& directory);

struct MaildirFile {
    QString path;
    bool inNew = false;
    MaildirName name;
    bool seen() const { return !inNew && name.flags.contains('S'); }
};
// The messages of new/ and cur/; names starting with "." are other programs'
// work in progress.
QList<MaildirFile> scanMaildir(const QString& directory);

enum class RenameOutcome { Done, TargetExists, OtherDevice, Failed };
// Renames, never replacing a file that is already there, so two messages with one
// name cannot become one. On failure the file stays where it was; *reason says why.
RenameOutcome renameNoReplace(const QString& from, const QString& to, QString* reason);

// Writes a file that must not exist yet and flushes it to the disk. False when the
// name is taken; MailError for any other failure, with nothing left behind.
bool writeNewFile(const QString& path, const QByteArray& bytes);

// Flushes a directory, so a rename into it survives a crash.
void syncDirectory(const QString& directory);

// The system's words for the last failed call.
QString systemReason();
