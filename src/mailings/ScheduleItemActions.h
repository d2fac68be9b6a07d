#pragma once

#include <QDateTime>
#include <QString>

class ScheduleTable;
class Ui;
struct ScheduleRow;

// The schedule viewer's buttons, on one row; the caller posts it.
// "Send Now": due at once, so the timer starts its next batch.
void ScheduleSendNow(ScheduleRow& row, const QDateTime& now);
// "Send to All Now": as "Send Now", in one batch to every row of its table, sent or not.
void ScheduleSendToAllNow(ScheduleRow& row, const QDateTime& now);
// Back to Processing, keeping its next time.
void ScheduleRecommence(ScheduleRow& row);
// "Put on Hold".
void SchedulePutOnHold(ScheduleRow& row);

// "Delete Item": asks first, then removes the schedule's recipient table files from
// the database folder and its row, saying what failed. True when the row went.
bool DeleteScheduleItem(ScheduleTable& table, const ScheduleRow& row, const QString& databaseFolder, Ui& ui);
