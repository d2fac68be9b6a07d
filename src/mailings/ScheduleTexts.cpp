#include "mailings/ScheduleTexts.h"

#include "mailings/ScheduleTable.h"

#include <QLocale>

QString scheduleStatusText(int status)
{
    switch (status) {
    case ScheduleStatus::NotStarted: return QStringLiteral("Not Started");
    case ScheduleStatus::Processing: return QStringLiteral("Processing");
    case ScheduleStatus::Completed: return QStringLiteral("Completed");
    case ScheduleStatus::Cancelled: return QStringLiteral("Cancelled");
    case ScheduleStatus::ErrorEncountered: return QStringLiteral("Error Encountered");
    case ScheduleStatus::OnHold: return QStringLiteral("On Hold");
    default: return QStringLiteral("Unknown");
    }
}

QString scheduleFrequencyText(int frequencyMinutes)
{
    if (frequencyMinutes == 0)
        return {};
    if (frequencyMinutes % 1440 == 0)
        return QStringLiteral("Every %1 days").arg(frequencyMinutes / 1440);
    if (frequencyMinutes % 60 == 0)
        return QStringLiteral("Every %1 hours").arg(frequencyMinutes / 60);
    return QStringLiteral("Every %1 minutes").arg(frequencyMinutes);
}

QString scheduleNextSendingText(const QDateTime& nextSend)
{
    if (markerOf(nextSend) == ScheduleMarker::Manual)
        return QStringLiteral("Manual");
    return scheduleDateTimeText(nextSend);
}

QString scheduleRecipientsPerSendingText(int sendCount)
{
    return sendCount == 0 ? QStringLiteral("All") : QString::number(sendCount);
}

QString scheduleMethodText(int sendType)
{
    switch (sendType) {
    case 0: return QStringLiteral("MAPI");
    case 1: return QStringLiteral("CDO");
    case 2: return QStringLiteral("OLE");
    case 3: return QStringLiteral("SMTP");
    case 4: return QStringLiteral("SMTP Server");
    default: return QStringLiteral("Unknown");
    }
}

QString scheduleDateTimeText(const QDateTime& dateTime)
{
    return dateTime.isValid() ? QLocale::system().toString(dateTime, QLocale::ShortFormat) : QString();
}
