#pragma once

#include <QDateTime>
#include <QString>

class ScheduleTable;
class Ui;
struct ScheduleRow;

// The choices of the schedule dialog, "Schedule Sending of this Message".
struct ScheduleSettings {
    enum class Start { AtDate, Now, Manual };
    enum class Unit { Minutes, Hours, Days };

    QString name;
    Start start = Start::AtDate;
    QDateTime startAt;          // for AtDate
    bool allRecipients = true;  // else batches of batchSize
    int batchSize = 1000;
    bool batchesByHand = false;  // else delay units between batches
    int delay = 1;
    Unit unit = Unit::Hours;
    int method = -1;  // the schedule's send method; stored only when editing
};

// SaveScheduleSettings: writes the choices into the row and posts it. A completed
// schedule says "This schedule item has already been completed." and stays as it
// was. False when nothing was stored.
bool SaveScheduleSettings(ScheduleTable& table, ScheduleRow& row, const ScheduleSettings& settings,
                          const QDateTime& now, bool editing, Ui& ui);

// ShowScheduleSettings: the choices that show the row in the dialog.
ScheduleSettings ShowScheduleSettings(const ScheduleRow& row, const QDateTime& now);
