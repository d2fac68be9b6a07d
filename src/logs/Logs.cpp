#include "logs/Logs.h"

#include "util/FileRoutines.h"
#include "util/TextRoutines.h"

#include <QDateTime>
#include <QLocale>

namespace {

// Every log keeps one entry per line, and the error list is read back by
// reprocessing: a line break inside a message or an address (a crafted header)
// must not start a line of its own.
QString singleLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace('\r', ' ');
    text.replace('\n', ' ');
    return text;
}

}  // namespace

Logs::Logs(LogSwitches switches, QString applicationFolder,
           std::function<QString()> databaseFolder)
    : switches_(switches),
      applicationFolder_(AddSlash(applicationFolder)),
      databaseFolder_(std::move(databaseFolder))
{
}

QString Logs::datedLine(const QString& message)
{
    // The system locale is read once, at start, so its formats are built once.
    static const QLocale locale = QLocale::system();
    static const QString format =
        locale.dateFormat(QLocale::ShortFormat) + " " + locale.timeFormat(QLocale::LongFormat);
    return locale.toString(QDateTime::currentDateTime(), format) + "  -  " + message;
}

QString Logs::errorLine(int kind, const QString& address, const QString& second)
{
    QString verb;
    switch (kind) {
    case Remove: verb = QStringLiteral("REMOVE "); break;
    case Add: verb = QStringLiteral("ADD "); break;
    case Modify: verb = QStringLiteral("MODIFY "); break;
    default: return {};
    }
    return verb + address + (second.isEmpty() ? QString() : " " + second);
}

void Logs::AddToLog(const QString& message)
{
    AddToDebugLog("LOGGING: " + message);
    if (switches_.MaintainLog)
        appendToDatabaseFolder("log.txt", datedLine(message));
}

void Logs::AddToLog(const QStringList& messages)
{
    if (messages.isEmpty())
        return;
    for (const QString& message : messages)
        AddToDebugLog("LOGGING: " + message);
    if (!switches_.MaintainLog)
        return;
    const QString stamp = datedLine({});
    QStringList lines;
    lines.reserve(messages.size());
    for (const QString& message : messages)
        lines << stamp + message;
    appendToDatabaseFolder("log.txt", lines);
}

void Logs::AddToDebugLog(const QString& message, bool restart)
{
    if (switches_.DebugLogging && !applicationFolder_.isEmpty())
        AppendLine(applicationFolder_ + "Debuglog.txt", singleLine(datedLine(message)), restart);
}

void Logs::AddToErrorsList(int kind, const QString& address, const QString& second)
{
    if (TrimText(address).isEmpty())
        return;
    const QString line = singleLine(errorLine(kind, address, second));
    if (line.isEmpty())
        return;
    if (errorViewerSink_)
        errorViewerSink_(line);
    else
        appendToDatabaseFolder("Errors.txt", line);
}

void Logs::RecordRemoval(const QString& address, bool bounced)
{
    if (!TrimText(address).isEmpty())
        appendToDatabaseFolder(bounced ? "Bounced.txt" : "Removed.txt", address);
}

void Logs::setErrorViewerSink(std::function<void(const QString&)> sink)
{
    errorViewerSink_ = std::move(sink);
}

void Logs::clearErrorViewerSink()
{
    errorViewerSink_ = nullptr;
}

void Logs::appendToDatabaseFolder(const QString& fileName, const QString& line)
{
    appendToDatabaseFolder(fileName, QStringList{line});
}

void Logs::appendToDatabaseFolder(const QString& fileName, const QStringList& lines)
{
    QString folder;
    try {
        folder = databaseFolder_ ? databaseFolder_() : QString();
    } catch (...) {
        return;  // no database folder to be had: the line is lost, as logging never raises
    }
    // Without a database folder the line would land in whatever the working folder is.
    if (TrimText(folder).isEmpty())
        return;
    QStringList single;
    single.reserve(lines.size());
    for (const QString& line : lines)
        single << singleLine(line);
    AppendLine(AddSlash(folder) + fileName, single.join('\n'), false);
}
