#include "mailings/RecipientTableBuilder.h"

#include "addresses/AddressSyntax.h"
#include "addresses/NameAndAddress.h"
#include "base/Ui.h"
#include "sending/SendErrors.h"
#include "store/Database.h"
#include "store/SendListTable.h"
#include "store/SqliteConnection.h"
#include "store/StoreError.h"

namespace {

constexpr int kRowsPerCommit = 5000;
const QString kCalculateError = QStringLiteral("An error was encountered calculating your recipients: ");

QString entries() { return QStringLiteral("\"%1\".mailist").arg(Database::schemaName(TableId::Entries)); }

}  // namespace

RecipientTableBuilder::RecipientTableBuilder(SendListTable& table, const Settings& settings, Ui& ui,
                                             SendFlags& flags)
    : table_(table), settings_(settings), ui_(ui), flags_(flags)
{
}

bool RecipientTableBuilder::empty()
{
    try {
        table_.clear();
        return true;
    } catch (const StoreError& error) {
        ui_.warn("Error encountered clearing your temporary table: " + error.text());
        return false;
    }
}

bool RecipientTableBuilder::fromEntries(const SqlFilter& filter, bool personalised)
{
    BusyCursor busy(ui_);
    flags_.CancelRequested = false;
    if (!empty())
        return false;
    SqliteConnection& db = table_.connection();
    try {
        const QString where = filter.where.isEmpty() ? QString() : " AND (" + filter.where + ')';
        Statement countRows(db, "SELECT count(*) FROM " + entries() + " WHERE 1" + where);
        countRows.bindAll(filter.params);
        const qint64 total = countRows.step() ? countRows.integer64(0) : 0;
        const QString names = personalised ? QStringLiteral("trim(coalesce(Name, '')), trim(coalesce(Salutation, '')), "
                                                             "trim(coalesce(Surname, '')), trim(coalesce(Company, ''))")
                                           : QStringLiteral("'', '', '', ''");
        // Table order is rowid order; each batch takes the next rows after the last one copied.
        const QString copy = QStringLiteral("INSERT OR IGNORE INTO %1 (Item, Name, Salutation, Surname, Company, Sent, "
                                            "Outcome) SELECT trim(Item), %2, 0, '' FROM %3 WHERE rowid > ?%4 "
                                            "ORDER BY rowid LIMIT %5")
                                 .arg(table_.sqlName(), names, entries(), where)
                                 .arg(kRowsPerCommit);
        const QString last = QStringLiteral("SELECT max(rowid) FROM (SELECT rowid FROM %1 WHERE rowid > ?%2 "
                                            "ORDER BY rowid LIMIT %3)")
                                 .arg(entries(), where)
                                 .arg(kRowsPerCommit);
        ui_.showProgress(QStringLiteral("Generating Unique Recipient List"), int(std::min<qint64>(total, INT_MAX)), true);
        qint64 after = 0;
        qint64 done = 0;
        while (done < total) {
            const QVariantList parameters = QVariantList{after} + filter.params;
            Statement through(db, last);
            through.bindAll(parameters);
            if (!through.step() || through.isNull(0))
                break;
            const qint64 upTo = through.integer64(0);
            Statement insert(db, copy);
            insert.bindAll(parameters);
            Transaction transaction(db);
            insert.run();
            transaction.commit();
            after = upTo;
            done += kRowsPerCommit;
            ui_.setProgress(int(std::min(done, total)));
            ui_.processEvents();
            if (ui_.cancelRequested() || flags_.CancelRequested) {
                flags_.CancelRequested = true;
                ui_.hideProgress();
                return false;
            }
        }
        ui_.hideProgress();
        return true;
    } catch (const StoreError& error) {
        ui_.hideProgress();
        ui_.warn(kCalculateError + error.text());
        return false;
    }
}

bool RecipientTableBuilder::fromLines(const QStringList& lines, bool ignoreInvalid, QStringList& rejects)
{
    flags_.CancelRequested = false;
    rejects.clear();
    if (!empty())
        return false;
    SqliteConnection& db = table_.connection();
    try {
        std::optional<Transaction> transaction;
        int inBatch = 0;
        for (const QString& line : lines) {
            QString address = line.trimmed();
            if (address.isEmpty())
                continue;
            QString name;
            SplitNameAndAddress(address, name);
            ui_.showProgress("Processing address, " + address, int(lines.size()), true);
            if (ui_.cancelRequested() || flags_.CancelRequested) {
                flags_.CancelRequested = true;
                break;
            }
            int code = 0;
            if (ignoreInvalid && !validemailaddress(address, true, settings_, code)) {
                rejects << line.trimmed();
                continue;
            }
            if (!transaction)
                transaction.emplace(db);
            SendListRow row;
            row.Item = address;
            row.Name = name;
            table_.insertOrIgnore(row);
            if (++inBatch == kRowsPerCommit) {
                transaction->commit();
                transaction.reset();
                inBatch = 0;
            }
        }
        if (transaction)
            transaction->commit();
        ui_.hideProgress();
        return !flags_.CancelRequested;
    } catch (const StoreError& error) {
        ui_.hideProgress();
        ui_.warn(kCalculateError + error.text());
        return false;
    }
}
