#include "util/TextFiles.h"

#include "util/TextDecoder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <array>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five bytes it
// leaves undefined keep their Latin-1 (C1 control) meaning.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(windows1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

QString decodeText(const QByteArray& bytes)
{
    TextDecoder decoder;
    QString text = decoder.decode(bytes);
    text += decoder.finish();
    return text;
}

std::optional<QString> readText(const QString& path, QString* reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return std::nullopt;
    }
    return decodeText(file.readAll());
}

std::optional<QStringList> readTextLines(const QString& path, QString* reason)
{
    std::optional<QString> text = readText(path, reason);
    if (!text)
        return std::nullopt;
    text->replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text->replace('\r', '\n');
    if (text->isEmpty())
        return QStringList();
    if (text->endsWith('\n'))
        text->chop(1);
    return text->split('\n');
}

bool writeTextFileAtomically(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                         file.commit();
    if (!written && reason)
        *reason = file.errorString();
    return written;
}

bool writeTextFileAtomically(const QString& path, const QStringList& lines, QString* reason)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return writeTextFileAtomically(path, bytes, reason);
}

QString cannotReadText(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

QString cannotWriteText(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}
