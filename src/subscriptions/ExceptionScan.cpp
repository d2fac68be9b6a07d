#include "subscriptions/ExceptionScan.h"

#include "base/ProgressScope.h"
#include "base/Ui.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/TdmML.h"
#include "subscriptions/ListContext.h"

#include <exception>

namespace {

QStringList upperCasedExceptions(const Settings& settings)
{
    QStringList lines;
    for (const QString& line : settings.ExceptList)
        if (!line.isEmpty())
            lines << line.toUpper();
    return lines;
}

bool holdsException(const QString& address, const QStringList& exceptions)
{
    const QString upper = address.toUpper();
    for (const QString& line : exceptions)
        if (upper.contains(line))
            return true;
    return false;
}

}  // namespace

QString exceptionScanQuestion()
{
    return QStringLiteral(
        "You have changed your exceptions list.  Do you want to scan your list now to ensure these "
        "exceptions do not exist?");
}

int ScanDBForExceptions(const ListContext& ctx)
{
    const QStringList exceptions = upperCasedExceptions(ctx.settings);
    if (exceptions.isEmpty())
        return 0;
    QList<Entry> found;
    try {
        EntriesTable& entries = ctx.entries();
        const int total = int(entries.count());
        ProgressScope progress(ctx.ui, "Checking for Exceptions", total, true);
        int position = 0;
        entries.walk([&](const Entry& entry) {
            if (holdsException(entry.Item, exceptions))
                found << entry;
            return progress.step(++position);
        });
        Transaction transaction(ctx.db.database().connection());
        for (const Entry& entry : found)
            entries.remove(entry.Index);
        transaction.commit();
    } catch (const std::exception& e) {
        ctx.ui.warn("Error clearing exceptions: " + QString::fromStdString(e.what()));
        return 0;
    }
    for (const Entry& entry : found)
        ctx.logs.AddToErrorsList(Logs::Add, entry.Item, entry.Category);
    ctx.changeEntryCount(-found.size());
    return int(found.size());
}
