#include "store/FormatUpgrade.h"

#include "base/Ui.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/TableSchema.h"

#include <QMap>
#include <sqlite3.h>

namespace {

const QString kWait = QStringLiteral(
    "This process may take several minutes on a large database, during which you will see nothing in "
    "the taskbar.  Please wait until you are advised that the process is complete!  Do not run "
    "Corvanel again!");

const TableDef& entries() { return TableSchema::table(TableId::Entries); }
const TableDef& statistics() { return TableSchema::table(TableId::Statistics); }

// The layouts of older versions, as prefixes of today's.
TableDef entriesV11()
{
    return entries().prefix(5, {QStringLiteral("ByCategory"), QStringLiteral("ByBounce"), QStringLiteral("ByItem")});
}
TableDef entriesV20()
{
    return entries().prefix(8, {QStringLiteral("ByCategory"), QStringLiteral("ByBounce"), QStringLiteral("ByItem")});
}
QStringList entriesV10Fields() { return entriesV11().fieldNames().mid(1); }
QStringList statisticsV20Fields() { return statistics().fieldNames().mid(0, 5); }

[[noreturn]] void failStep(const QString& why) { throw StoreError(StoreError::Kind::Other, SQLITE_ERROR, why); }

QString tableFile(const QString& folder, TableId table)
{
    return Database::findFile(folder, Database::fileName(table));
}

QStringList columnsOf(const QString& file, const TableDef& def)
{
    SqliteConnection connection(file, false);
    return TableSchema::columnsInFile(connection, QStringLiteral("main"), def.sqlName);
}

// Rebuilds the table in its file with the target layout, in one transaction:
// the rows keep their values and order, fields new to the table take their
// defaults or the given fill values.
void restructure(const QString& file, const TableDef& target, const QMap<QString, QString>& fill = {})
{
    SqliteConnection connection(file, false);
    const QString main = QStringLiteral("main");
    const QStringList old = TableSchema::columnsInFile(connection, main, target.sqlName);
    if (old.isEmpty())
        failStep(QStringLiteral("The file holds no table ") + target.sqlName);
    QStringList into, from;
    for (const FieldDef& field : target.fields) {
        const bool kept = std::any_of(old.begin(), old.end(), [&](const QString& c) {
            return c.compare(field.name, Qt::CaseInsensitive) == 0;
        });
        if (kept || fill.contains(field.name)) {
            into << TableSchema::quoted(field.name);
            from << (kept ? TableSchema::quoted(field.name) : fill.value(field.name));
        }
    }
    const QString table = TableSchema::quoted(target.sqlName);
    Transaction transaction(connection);
    TableSchema::dropIndexesAndTriggers(connection, main, target.sqlName);
    connection.exec(QStringLiteral("ALTER TABLE %1 RENAME TO corvanel_upgrade_old").arg(table));
    TableSchema::create(connection, target, main);
    connection.exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM corvanel_upgrade_old ORDER BY rowid")
                        .arg(table, into.join(QStringLiteral(", ")), from.join(QStringLiteral(", "))));
    connection.exec(QStringLiteral("DROP TABLE corvanel_upgrade_old"));
    transaction.commit();
}

// Asks, runs the work and tells the outcome; a failure never stops the next step.
void runStep(Ui& ui, const QString& question, const QString& success, const QString& failure,
             const std::function<bool()>& beforeWork, const std::function<void()>& work)
{
    if (!ui.askYesNo(question, Ui::Icon::Warning))
        return;
    if (!beforeWork())
        return;
    bool done = false;
    {
        BusyCursor busy(ui);
        try {
            work();
            done = true;
        } catch (const StoreError&) {
            done = false;
        }
    }
    if (done)
        ui.inform(success);
    else
        ui.warn(failure);
}

void upgradeToV11(const QString& folder)
{
    const QString file = tableFile(folder, TableId::Entries);
    if (file.isEmpty() || !TableSchema::sameLayout(columnsOf(file, entries()), entriesV10Fields()))
        failStep(QStringLiteral("The entries table is not in the v1.0 layout"));
    restructure(file, entriesV11());
}

void upgradeToV20(const QString& folder)
{
    const QString file = tableFile(folder, TableId::Entries);
    if (file.isEmpty() || !TableSchema::sameLayout(columnsOf(file, entries()), entriesV11().fieldNames()))
        failStep(QStringLiteral("The entries table is not in the v1.1 layout"));
    restructure(file, entriesV20());
}

// Brings one table to today's layout from the older one; a table already
// current only gets any missing index.
void bringUpToDate(const QString& file, const TableDef& current, const QStringList& older,
                   const QMap<QString, QString>& fill = {})
{
    const QStringList columns = columnsOf(file, current);
    if (TableSchema::sameLayout(columns, current.fieldNames())) {
        SqliteConnection connection(file, false);
        TableSchema::createIndexesAndTriggers(connection, current, QStringLiteral("main"));
    } else if (TableSchema::sameLayout(columns, older)) {
        restructure(file, current, fill);
    } else {
        failStep(QStringLiteral("The table %1 has an unknown layout: %2")
                     .arg(current.sqlName, columns.join(QStringLiteral(", "))));
    }
}

void upgradeToV40(const QString& folder)
{
    const QString entriesFile = tableFile(folder, TableId::Entries);
    if (entriesFile.isEmpty())
        failStep(QStringLiteral("No database found in folder"));
    bringUpToDate(entriesFile, entries(), entriesV20().fieldNames());
    const QString statisticsFile = tableFile(folder, TableId::Statistics);
    if (statisticsFile.isEmpty())
        Database::createMissingTables(folder, TableScope::StatisticsOnly);
    else  // days recorded before Total existed: "never recorded"
        bringUpToDate(statisticsFile, statistics(), statisticsV20Fields(), {{QStringLiteral("Total"), QStringLiteral("-1")}});
    Database::createMissingTables(folder, TableScope::LogScheduleAndGroupStatistics);
}

bool entriesLayoutIs(const QString& folder, const QStringList& layout)
{
    const QString file = tableFile(folder, TableId::Entries);
    if (file.isEmpty())
        return false;
    try {
        return TableSchema::sameLayout(columnsOf(file, entries()), layout);
    } catch (const StoreError&) {
        return false;
    }
}

}  // namespace

void upgradeOldDatabase(const QString& folder, Ui& ui)
{
    const auto showWait = [&ui] {
        ui.inform(kWait);
        return true;
    };
    if (entriesLayoutIs(folder, entriesV10Fields()))
        runStep(ui,
                QStringLiteral("CVN will now check that your database has all the required fields for v1.1 "
                               "compatiblity and will add any fields that are required.\n\nThis could cause "
                               "all of the contents of your mailing list database to be lost.  Are you sure "
                               "you want to continue?\n\nIf you have not backed up your database then click "
                               "'No'!"),
                QStringLiteral("Table Upgraded to v1.1!"),
                QStringLiteral("Upgrade to v1.1 was not completed.  Your database may already be in v1.0 format."),
                showWait, [&] { upgradeToV11(folder); });
    if (entriesLayoutIs(folder, entriesV10Fields()) || entriesLayoutIs(folder, entriesV11().fieldNames()))
        runStep(ui,
                QStringLiteral("CVN will now check that your database has all the required fields for v2.0 "
                               "compatiblity and will add any fields that are required\n\n  This could cause "
                               "all of the contents of your mailing list database to be lost.  Are you sure "
                               "you want to continue?\n\nIf you have not backed up your database then click "
                               "'No'!"),
                QStringLiteral("Table Upgraded!"),
                QStringLiteral("Upgrade to v2.0 was not completed.  Your database may already be in v2.0 format."),
                showWait, [&] { upgradeToV20(folder); });
    runStep(ui,
            QStringLiteral("CVN will now check that your database has all the required fields for v4.0 "
                           "compatiblity and will add any fields that are required.\n\nThere is the "
                           "possibility that this process could corrupt your database.  Are you sure you "
                           "want to continue?\n\nIf you have not backed up your database then click 'No'!"),
            QStringLiteral("Table Upgraded!"),
            QStringLiteral("Upgrade to v4.0 was not completed.  It is now recommended that you do an Optimize "
                           "and Repair using Edit|Other|Optimize Database."),
            [&ui] { return ui.askOkCancel(kWait, Ui::Icon::Information); }, [&] { upgradeToV40(folder); });
}
