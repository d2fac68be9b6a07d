#pragma once

#include <QByteArray>
#include <QString>

// Files a test lays out or looks at. writeTestFile fails the test when the file
// cannot be written; readTestFile gives empty bytes for a missing file.
void writeTestFile(const QString& path, const QByteArray& bytes);
QByteArray readTestFile(const QString& path);

// A path below root of exactly length characters (root and the rest ASCII), made of
// names short enough for any file system; nothing is created.
QString pathOfLength(const QString& root, qsizetype length);
