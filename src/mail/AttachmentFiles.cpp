#include "mail/MailMessage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

// File systems take 255 bytes of a name; 200 in UTF-8 leave room for a number.
// A long name loses the end of its base, not its type.
QString fittedFileName(const QString& name)
{
    constexpr qsizetype kMaxBytes = 200;
    if (name.toUtf8().size() <= kMaxBytes)
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString suffix = dot > 0 && name.size() - dot <= 16 ? name.mid(dot) : QString();
    QString base = name.left(std::min(name.size() - suffix.size(), kMaxBytes));
    while (!base.isEmpty() && (base + suffix).toUtf8().size() > kMaxBytes)
        base.chop(1);
    if (!base.isEmpty() && base.back().isHighSurrogate())
        base.chop(1);
    return base + suffix;
}

// A name from the message is a file name only: no folder steps, no control or
// direction characters, nothing Windows refuses, no leading dots (no hidden files,
// no "..") and no trailing dots or blanks; a name left empty becomes "attachment".
QString safeFileName(const QString& name)
{
    QString safe;
    for (const QChar c : name.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1)) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            continue;
        safe += QStringView(u"<>:\"|?*").contains(c) ? QChar(u'_') : c;
    }
    qsizetype begin = 0, end = safe.size();
    while (begin < end && (safe[begin] == u'.' || safe[begin].isSpace()))
        ++begin;
    while (end > begin && (safe[end - 1] == u'.' || safe[end - 1].isSpace()))
        --end;
    safe = safe.mid(begin, end - begin);
    return safe.isEmpty() ? QStringLiteral("attachment") : fittedFileName(safe);
}

// "report.pdf", then "report (2).pdf", "report (3).pdf", ...
QString numberedFileName(const QString& name, int number)
{
    if (number == 1)
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString suffix = dot > 0 ? name.mid(dot) : QString();
    return QStringLiteral("%1 (%2)%3").arg(base).arg(number).arg(suffix);
}

}  // namespace

QStringList saveAttachments(const MailMessage& message, const QString& folder)
{
    QStringList paths;
    const QDir dir(folder);
    if (!QDir().mkpath(dir.absolutePath()))
        return paths;
    for (const MailAttachment& attachment : message.attachments) {
        const QString name = safeFileName(attachment.fileName);
        // Opening only a new file never overwrites one, whoever else writes here.
        for (int number = 1; number < 10000; ++number) {
            QFile file(dir.absoluteFilePath(numberedFileName(name, number)));
            if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                if (file.exists())
                    continue;
                break;
            }
            const bool written = file.write(attachment.data) == attachment.data.size() && file.flush();
            file.close();
            if (written && file.error() == QFileDevice::NoError)
                paths.append(file.fileName());
            else
                file.remove();
            break;
        }
    }
    return paths;
}
