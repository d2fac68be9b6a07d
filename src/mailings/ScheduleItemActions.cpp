#include "mailings/ScheduleItemActions.h"

#include "base/Ui.h"
#include "mailings/ScheduleTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>

namespace {

// The table file and what the table engine and older layouts keep beside it.
QStringList tableFiles(const QString& folder, const QString& fileName)
{
    // Only a bare name counts: a stored path must never reach outside the folder.
    const QString name = QFileInfo(fileName).fileName();
    if (name.isEmpty())
        return {};
    const QString table = QDir(folder).filePath(name);
    const QString index = QDir(folder).filePath(QFileInfo(name).completeBaseName() + ".idx");
    return {table, index, table + "-journal", table + "-wal", table + "-shm"};
}

void deleteTableFiles(const QString& folder, const QString& fileName, Ui& ui)
{
    for (const QString& path : tableFiles(folder, fileName)) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            ui.warn("An error was encountered deleting the file, " + QDir::toNativeSeparators(path) + ".");
    }
}

}  // namespace

void ScheduleSendNow(ScheduleRow& row, const QDateTime& now)
{
    row.Status = ScheduleStatus::Processing;
    row.NextSend = now;
}

void ScheduleSendToAllNow(ScheduleRow& row, const QDateTime& now)
{
    ScheduleSendNow(row, now);
    row.SendCount = 0;
}

void ScheduleRecommence(ScheduleRow& row) { row.Status = ScheduleStatus::Processing; }

void SchedulePutOnHold(ScheduleRow& row) { row.Status = ScheduleStatus::OnHold; }

bool DeleteScheduleItem(ScheduleTable& table, const ScheduleRow& row, const QString& databaseFolder, Ui& ui)
{
    if (!ui.askYesNo("Are you sure you want to remove this item?"))
        return false;
    deleteTableFiles(databaseFolder, row.SendTableFile, ui);
    bool removed = false;
    try {
        removed = table.remove(row.Index);
    } catch (const std::exception&) {
        // Told below, as a row that was not there.
    }
    if (!removed) {
        ui.warn("The entry could not be deleted.");
        return false;
    }
    try {
        if (table.count() == 0)
            ui.inform("You have no more items in your send schedule.");
    } catch (const std::exception&) {
        // The row is gone; only the notice that the schedule is empty is lost.
    }
    return true;
}
