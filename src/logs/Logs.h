#pragma once

#include "logs/LogSwitches.h"

#include <QString>
#include <functional>

// The activity log (log.txt), the debug trace (Debuglog.txt), the error list
// (Errors.txt) and the removal lists (Bounced.txt, Removed.txt). Logging never
// raises and never shows anything: a line that cannot be written is lost.
class Logs {
public:
    enum ErrorKind { Remove = -1, Add = 1, Modify = 2 };

    // databaseFolder answers the resolved folder of the open database (ending in "/").
    Logs(LogSwitches switches, QString applicationFolder,
         std::function<QString()> databaseFolder);

    void AddToLog(const QString& message);
    // Several lines of one moment in one write (the batches of a bulk import).
    void AddToLog(const QStringList& messages);
    void AddToDebugLog(const QString& message, bool restart = false);
    void AddToErrorsList(int kind, const QString& address, const QString& second = {});
    // "Bounced.txt" when bounced, else "Removed.txt".
    void RecordRemoval(const QString& address, bool bounced);

    // While the logs viewer is open its error list takes the lines instead of Errors.txt.
    void setErrorViewerSink(std::function<void(const QString& line)> sink);
    void clearErrorViewerSink();

    // "DEBUG: [" + routine + "] " + text
    void debug(const QString& routine, const QString& text) {
        AddToDebugLog("DEBUG: [" + routine + "] " + text);
    }

    // The dated line: short date, long time, "  -  ", message.
    static QString datedLine(const QString& message);
    static QString errorLine(int kind, const QString& address, const QString& second);

private:
    // Appends to a file of the current database folder; lost when there is none.
    void appendToDatabaseFolder(const QString& fileName, const QString& line);
    void appendToDatabaseFolder(const QString& fileName, const QStringList& lines);

    LogSwitches switches_;
    QString applicationFolder_;
    std::function<QString()> databaseFolder_;
    std::function<void(const QString&)> errorViewerSink_;
};
