#include "subscriptions/Bounces.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqlFilter.h"
#include "store/TableSchema.h"
#include "store/TdmML.h"
#include "subscriptions/AddressChange.h"
#include "subscriptions/ListContext.h"
#include "util/DateText.h"

#include <exception>

namespace {

const QString kResetFailed = QStringLiteral("Error resetting bounce counts!");

QString countBounce(const ListContext& ctx, const QString& address, const QString& dateText)
{
    const QDate bounceDay = parseDateTimeText(dateText).value_or(QDateTime::currentDateTime()).date();
    EntriesTable& entries = ctx.entries();
    auto entry = LocateEmailAddress(entries, address);
    if (!entry)
        return QStringLiteral("E-mail address not found!");

    const qint64 lastDay = entry->LastBounce ? dayNumber(*entry->LastBounce) : 0;
    if (lastDay + ctx.settings.BounceDays > dayNumber(bounceDay))
        return QStringLiteral("Not processed as entry within bounce frequency ignore range");

    const int maximum = ctx.settings.BounceMax;
    if (ctx.settings.BounceRemoval && maximum != 0 && entry->Bounces + 1 >= maximum) {
        try {
            entries.remove(entry->Index);
        } catch (const std::exception&) {
            ctx.logs.AddToErrorsList(Logs::Remove, address);
            return QStringLiteral("Entry could not be deleted!");
        }
        RecordRemovedAddress(ctx, address, true);
        ctx.changeEntryCount(-1);
        return QStringLiteral("Entry successfully deleted!");
    }

    entry->LastBounce = bounceDay;
    entry->Bounces += 1;
    try {
        entries.post(*entry);
    } catch (const std::exception&) {
        return QStringLiteral("Bounce count could not be incremented!");
    }
    return QStringLiteral("Bounce count incremented!");
}

}  // namespace

QString processbounce(const ListContext& ctx, const QString& address, const QString& dateText)
{
    QString result;
    try {
        result = countBounce(ctx, address, dateText);
    } catch (const std::exception&) {
        // The entry could not even be looked up.
        result = QStringLiteral("Bounce count could not be incremented!");
    }
    ctx.logs.AddToLog("Update Undeliverable " + address + " -> " + result);
    return result;
}

bool ResetBounceCountforallEntries(const ListContext& ctx)
{
    BusyCursor busy(ctx.ui);
    try {
        EntriesTable& entries = ctx.entries();
        Database& database = ctx.db.database();
        if (!database.isExclusive()) {
            entries.execute("UPDATE " + TableSchema::table(TableId::Entries).sqlName + " SET Bounces = 0");
            return true;
        }
        // This copy is the table's only user: each entry is saved through the
        // table, so its after-post event sees the change.
        QList<Entry> bounced;
        entries.walk(parseFilter(QStringLiteral("Bounces > 0")), [&](const Entry& entry) {
            bounced << entry;
            return true;
        });
        Transaction transaction(database.connection());
        for (Entry& entry : bounced) {
            entry.Bounces = 0;
            entries.post(entry);
        }
        transaction.commit();
    } catch (const std::exception&) {
        ctx.ui.warn(kResetFailed);
        return false;
    }
    return true;
}

bool resetBounceCount(const ListContext& ctx, const QList<qint64>& rows)
{
    BusyCursor busy(ctx.ui);
    try {
        EntriesTable& entries = ctx.entries();
        Transaction transaction(ctx.db.database().connection());
        for (const qint64 index : rows) {
            auto entry = entries.byIndex(index);
            if (!entry || entry->Bounces == 0)
                continue;
            entry->Bounces = 0;
            entries.post(*entry);
        }
        transaction.commit();
    } catch (const std::exception&) {
        ctx.ui.warn(kResetFailed);
        return false;
    }
    return true;
}
