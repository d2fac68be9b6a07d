#include "sending/TemporaryMessageFile.h"

#include <QFile>

namespace {

constexpr int kNumbers = 9999;
constexpr int kRandomTries = 50;

bool claim(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

}  // namespace

QString temporaryMessageFile(const QString& extension, const QString& folder, QRandomGenerator& random)
{
    const QDir dir(folder);
    const auto name = [&](int n) { return dir.filePath(QStringLiteral("~msg%1").arg(n) + extension); };
    for (int attempt = 0; attempt < kRandomTries; ++attempt)
        if (const QString path = name(int(random.bounded(kNumbers))); claim(path))
            return path;
    // A crowded folder is searched in order rather than by chance.
    for (int n = 0; n < kNumbers; ++n)
        if (const QString path = name(n); claim(path))
            return path;
    return {};
}
