// Opening the tables with repair of damaged ones, and the repair and optimise
// commands of the database session.
#include "base/ProgressScope.h"
#include "base/Ui.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/TdmML.h"

namespace {

constexpr int kMaintenanceScale = 1100;

// Repair and optimise share one 0-1100 display: the entries table, by far the
// largest, takes 0-700, each other table the next hundred.
int maintenancePosition(TableId table, int percent)
{
    switch (table) {
    case TableId::Entries: return percent * 7;
    case TableId::Statistics: return 700 + percent;
    case TableId::Log: return 800 + percent;
    case TableId::GroupStatistics: return 900 + percent;
    case TableId::Schedules: return 1000 + percent;
    }
    return 0;
}

}  // namespace

LogFn TdmML::repairLog(TableId table)
{
    return [this, table](const QString& message) {
        logs_.AddToLog("Repair of " + Database::displayName(table) + ": " + message);
    };
}

void TdmML::openTables(const QString& folder)
{
    for (TableId table : kOpenOrder) {
        try {
            openWithRepair(folder, table);
        } catch (const StoreError& e) {
            if (e.kind() != StoreError::Kind::Other)
                throw;
            throw std::runtime_error(
                ("Unknown or unexpected database engine error # " + QString::number(e.code()))
                    .toStdString());
        }
    }
}

void TdmML::openWithRepair(const QString& folder, TableId table)
{
    try {
        database_.openTable(table);
        return;
    } catch (const StoreError& e) {
        if (e.kind() != StoreError::Kind::Damaged)
            throw;
    }
    RepairOutcome outcome;
    {
        ProgressScope progress(ui_, "Repairing table", 100, false);
        outcome = Database::repairTable(
            folder, table, [this](int percent) { ui_.setProgress(percent); }, repairLog(table));
    }
    database_.openTable(table);
    if (outcome.damaged)
        tellRepaired({{table, outcome}}, QString());
}

// Rows lost in a repair are the person's to know about, and the kept file is
// where they may still be found.
void TdmML::tellRepaired(const QList<std::pair<TableId, RepairOutcome>>& damaged, const QString& lead)
{
    QStringList lines;
    if (!lead.isEmpty())
        lines << lead;
    for (const auto& [table, outcome] : damaged)
        lines << QStringLiteral("Table %1 was damaged: %2 rows were saved, and the damaged file was "
                                "kept as %3.")
                     .arg(Database::displayName(table))
                     .arg(outcome.rowsSaved)
                     .arg(outcome.keptAs);
    ui_.inform(lines.join("\n\n"));
}

void TdmML::Closetables()
{
    database_.close();
}

void TdmML::Opentables()
{
    const QString folder = resolvedFolder();
    database_.setFolder(folder, settings_.DBIsExclusive, settings_.StrictChangeDetection);
    openTables(folder);
}

bool TdmML::reopenTables()
{
    try {
        Opentables();
        recountEntries();
        return true;
    } catch (const std::exception& e) {
        open_ = false;
        ui_.warn("An error was encountered opening your database: \n\n" +
                 QString::fromStdString(e.what()));
        return false;
    }
}

bool TdmML::RepairDatabase(bool ask)
{
    if (!open_)
        return false;
    const bool repaired = repairFolder(resolvedFolder(), ask);
    return reopenTables() && repaired;
}

bool TdmML::repairFolder(const QString& folder, bool ask)
{
    ui_.hideSplash();
    if (ask && !ui_.askYesNo("Do you want to repair your database to fix any corruption caused by "
                             "an incomplete system shutdown?"))
        return false;
    BusyCursor busy(ui_);
    database_.close();
    QList<std::pair<TableId, RepairOutcome>> damaged;
    try {
        ProgressScope progress(ui_, "Repairing Database", kMaintenanceScale, false);
        for (TableId table : kOpenOrder) {
            const RepairOutcome outcome = Database::repairTable(
                folder, table,
                [this, table](int percent) { ui_.setProgress(maintenancePosition(table, percent)); },
                repairLog(table));
            if (outcome.damaged)
                damaged.append({table, outcome});
        }
    } catch (const std::exception& e) {
        const auto* storeError = dynamic_cast<const StoreError*>(&e);
        if (storeError && storeError->kind() == StoreError::Kind::Locked)
            warnTableInUse();
        else
            ui_.warn("An error was encountered whilst repairing your database: " +
                     QString::fromStdString(e.what()));
        return false;
    }
    tellRepaired(damaged, "Repair of your database has been completed!");
    return true;
}

bool TdmML::OptimiseDatabase(bool fromMenu)
{
    if (!open_)
        return false;
    BusyCursor busy(ui_);
    if (dataSourcesEnabled)
        dataSourcesEnabled(false);
    const QString folder = resolvedFolder();
    Closetables();
    const bool repaired = repairFolder(folder, true);
    // From the menu the optimisation is offered whatever became of the repair; elsewhere
    // nobody is there to weigh a declined or failed repair, so the database stays as it is.
    const bool optimise = fromMenu ? ui_.askOkCancel("Your database will now be optimized to "
                                                     "reclaim unused disk space!",
                                                     Ui::Icon::Information)
                                   : repaired;
    const bool optimised = optimise && optimiseFolder(folder);
    const bool reopened = reopenTables();
    if (dataSourcesEnabled)
        dataSourcesEnabled(true);
    ui_.hideProgress();
    return repaired && optimised && reopened;
}

bool TdmML::optimiseFolder(const QString& folder)
{
    try {
        ProgressScope progress(ui_, "Optimizing Database", kMaintenanceScale, false);
        for (TableId table : kOpenOrder)
            Database::optimiseTable(folder, table, [this, table](int percent) {
                ui_.setProgress(maintenancePosition(table, percent));
            });
        return true;
    } catch (const std::exception&) {
        ui_.warn("An error was encountered while optimizing your database, it may be active on "
                 "another user's system.");
        return false;
    }
}
