#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>

void writeTestFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    EXPECT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

QString pathOfLength(const QString& root, qsizetype length)
{
    QString path = root;
    while (path.size() < length) {
        const qsizetype room = length - path.size();
        // One character left goes on the last name: a "/" alone would end the path.
        path += room == 1 ? QStringLiteral("h") : '/' + QString(std::min<qsizetype>(room - 1, 100), 'h');
    }
    return path;
}

QByteArray readTestFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
