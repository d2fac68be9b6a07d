#include "sending/SendLog.h"

#include "logs/Logs.h"
#include "settings/Settings.h"
#include "util/FileRoutines.h"

SendLog::SendLog(Logs& logs, const Settings& settings, std::function<QString()> databaseFolder)
    : logs_(logs), settings_(settings), databaseFolder_(std::move(databaseFolder))
{
}

void SendLog::AddToSendLog(const QString& text, bool restart)
{
    logs_.AddToDebugLog("SENDING: " + text);
    if (!settings_.SendLog)
        return;
    const QString folder = databaseFolder_ ? databaseFolder_() : QString();
    if (!folder.isEmpty())
        AppendLine(folder + "SendLog.txt", text, restart);
}
