#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Text files as the program reads and writes them: written in UTF-8; read as
// TextDecoder reads them (UTF-16 or UTF-32 by their byte-order mark, else UTF-8
// with any byte outside a valid sequence taken as Windows-1252, the files of older
// Windows tools), so no byte is ever lost or replaced.

// The bytes as text; a byte-order mark is dropped.
QString decodeText(const QByteArray& bytes);

// The program's one Windows-1252 decoder. It is a table of its own, not a codec
// of the toolkit, so it works wherever the program runs; being one byte per
// character it decodes any piece of a file on its own.
QString decodeWindows1252(QByteArrayView bytes);

// Where a reader or writer below fails, it puts the system's reason into *reason
// when one is given.

// The whole file as text; nullopt when it cannot be read.
std::optional<QString> readText(const QString& path, QString* reason = nullptr);

// The file's lines, broken at "\r\n", "\n" or "\r"; a final line break does not
// add an empty line. nullopt when the file cannot be read.
std::optional<QStringList> readTextLines(const QString& path, QString* reason = nullptr);

// Replaces the file in one step (temporary file + rename), so a crash or a full
// disk leaves either the old file or the new one, never half of it. Each line is
// written in UTF-8 followed by "\n". False when the file could not be written.
bool writeTextFileAtomically(const QString& path, const QStringList& lines,
                             QString* reason = nullptr);
bool writeTextFileAtomically(const QString& path, const QByteArray& bytes,
                             QString* reason = nullptr);

// How a message names a file that failed and why: "Cannot write <file>: <reason>".
QString cannotReadText(const QString& path, const QString& reason);
QString cannotWriteText(const QString& path, const QString& reason);
