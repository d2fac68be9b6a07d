#pragma once

#include <QDateTime>
#include <QString>

// What the schedule viewer and the schedule icon show for a schedule's fields.
QString scheduleStatusText(int status);
// Empty for batches started by hand, else "Every " + n + " days" / " hours" / " minutes".
QString scheduleFrequencyText(int frequencyMinutes);
// "Manual" for a schedule waiting to be started, else the date and time.
QString scheduleNextSendingText(const QDateTime& nextSend);
// "All" for 0, else the number.
QString scheduleRecipientsPerSendingText(int sendCount);
QString scheduleMethodText(int sendType);
// A date and time as the schedule's texts write it.
QString scheduleDateTimeText(const QDateTime& dateTime);
