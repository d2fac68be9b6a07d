#include "mail/MaildirNames.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <algorithm>
#include <array>
#include <sys/time.h>

namespace {

const QString kInfo = QStringLiteral(":2,");

struct FlagLetter {
    const char* imap;
    char letter;
};
constexpr std::array<FlagLetter, 4> kFlagLetters = {{
    {"\\Seen", 'S'}, {"\\Draft", 'D'}, {"\\Flagged", 'F'}, {"\\Answered", 'R'},
}};

qsizetype digitRunEnd(const QString& text, qsizetype from)
{
    while (from < text.size() && text[from].isDigit())
        ++from;
    return from;
}

// Two runs of digits as numbers of any length: leading zeros dropped, then the
// longer is larger, then the digits decide.
int compareDigitRuns(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == '0')
        a = a.mid(1);
    while (b.size() > 1 && b.front() == '0')
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

}  // namespace

MaildirName parseMaildirName(const QString& fileName)
{
    const qsizetype info = fileName.indexOf(kInfo);
    if (info < 0)
        return {fileName, {}};
    return {fileName.left(info), fileName.mid(info + kInfo.size())};
}

QString maildirFileName(const QString& unique, const QString& flags)
{
    QString sorted = flags;
    std::sort(sorted.begin(), sorted.end());
    return unique + kInfo + sorted;
}

QString withFlag(const QString& flags, QChar flag)
{
    if (flags.contains(flag))
        return flags;
    QString out = flags + flag;
    std::sort(out.begin(), out.end());
    return out;
}

QString maildirFlagsOf(const QStringList& imapFlags)
{
    QString letters;
    for (const auto& f : kFlagLetters)
        if (imapFlags.contains(QLatin1String(f.imap), Qt::CaseInsensitive))
            letters += QLatin1Char(f.letter);
    std::sort(letters.begin(), letters.end());
    return letters;
}

QStringList imapFlagsOf(const QString& maildirFlags)
{
    QStringList flags;
    for (const auto& f : kFlagLetters)
        if (maildirFlags.contains(QLatin1Char(f.letter)))
            flags << QLatin1String(f.imap);
    return flags;
}

std::optional<qint64> leadingNumber(const QString& unique)
{
    const qsizetype end = digitRunEnd(unique, 0);
    bool ok = false;
    const qint64 n = unique.left(end).toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

bool naturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype ie = digitRunEnd(a, i), je = digitRunEnd(b, j);
            if (const int c = compareDigitRuns(QStringView(a).mid(i, ie - i), QStringView(b).mid(j, je - j)))
                return c < 0;
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;  // same as numbers, e.g. "007" and "7": plain order keeps it strict
}

QString newUniqueName(quint64 counter)
{
    timeval now{};
    gettimeofday(&now, nullptr);
    QString host = QSysInfo::machineHostName();
    host.replace('/', QLatin1String("\\057")).replace(':', QLatin1String("\\072"));
    if (host.isEmpty())
        host = QStringLiteral("localhost");
    return QString::number(qint64(now.tv_sec)) + ".M" + QString::number(qint64(now.tv_usec)) + 'P' +
           QString::number(QCoreApplication::applicationPid()) + 'Q' + QString::number(counter) + '.' +
           host;
}
