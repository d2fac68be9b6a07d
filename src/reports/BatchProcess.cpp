#include "reports/BatchProcess.h"

#include "addresses/NameAndAddress.h"
#include "base/ProgressScope.h"
#include "base/Ui.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/TdmML.h"
#include "subscriptions/ListContext.h"

#include <stdexcept>

QString batchProgressText(BatchAction action)
{
    switch (action) {
    case BatchAction::ResetBounces: return QStringLiteral("Resetting Bounce Count");
    case BatchAction::AllowSending: return QStringLiteral("Enabling Sending Rights");
    case BatchAction::DenySending: return QStringLiteral("Disabling Sending Rights");
    case BatchAction::MarkViewed: return QStringLiteral("Setting as Viewed");
    case BatchAction::SetTag: return QStringLiteral("Setting the Tag");
    case BatchAction::ClearTag: return QStringLiteral("Clearing the Tag");
    case BatchAction::CopyToClipboard: return QStringLiteral("Copying selection to clipboard");
    }
    return {};
}

Entry PositionDBAtNode(const EntriesTable& entries, qint64 index)
{
    std::optional<Entry> entry = entries.byIndex(index);
    if (!entry)
        throw std::runtime_error("Cannot locate node");
    return *entry;
}

namespace {
// The action's change to one entry; false when it changes nothing to save.
bool change(BatchAction action, Entry& e)
{
    switch (action) {
    case BatchAction::ResetBounces: e.Bounces = 0; return true;
    case BatchAction::AllowSending: e.SendRights = true; return true;
    case BatchAction::DenySending: e.SendRights = false; return true;
    case BatchAction::MarkViewed: e.NewUser = false; return true;
    case BatchAction::SetTag: e.Tagged = true; return true;
    case BatchAction::ClearTag: e.Tagged = false; return true;
    case BatchAction::CopyToClipboard: return false;
    }
    return false;
}
}  // namespace

QStringList BatchProcess(const ListContext& ctx, BatchAction action, const QList<qint64>& rows)
{
    QStringList lines;
    if (rows.isEmpty())
        return lines;
    const QString text = batchProgressText(action);
    const BusyCursor busy(ctx.ui);
    ProgressScope progress(ctx.ui, text, int(rows.size()), true);
    EntriesTable& entries = ctx.entries();
    for (int i = 0; i < rows.size(); ++i) {
        if (!progress.step(i + 1))
            break;
        try {
            Entry e = PositionDBAtNode(entries, rows[i]);
            if (change(action, e))
                entries.post(e);
            else
                lines << FormatNameAndAddress(e.Name, e.Item);
        } catch (const std::exception&) {
            ctx.ui.message(Ui::Icon::Warning, QStringLiteral("Error Encountered ") + text);
        }
    }
    return lines;
}

QString CopySelRecToClipboard(const ListContext& ctx, const QList<qint64>& rows)
{
    return BatchProcess(ctx, BatchAction::CopyToClipboard, rows).join(QLatin1Char('\n'));
}

int deleteSelectedEntries(const ListContext& ctx, const QList<qint64>& rows)
{
    if (rows.isEmpty() ||
        !ctx.ui.askYesNo(QStringLiteral("Are you sure you want to delete the %1 selected entries?").arg(rows.size())))
        return 0;
    const BusyCursor busy(ctx.ui);
    EntriesTable& entries = ctx.entries();
    Transaction transaction(ctx.db.database().connection());
    int removed = 0;
    for (qint64 index : rows) {
        if (!entries.byIndex(index))
            continue;  // gone already, through another copy
        entries.remove(index);
        ++removed;
    }
    transaction.commit();
    ctx.changeEntryCount(-removed);
    return removed;
}

bool DeleteAllEntries(const ListContext& ctx)
{
    if (!ctx.ui.askYesNo(QStringLiteral(
            "This will delete all the entries in mailing list!  Are you sure you want to continue?")))
        return false;
    try {
        const BusyCursor busy(ctx.ui);
        ctx.entries().execute(QStringLiteral("DELETE FROM mailist"));
        ctx.db.setEntryCount(0);
        ctx.db.SaveDatabase();
    } catch (const std::exception& e) {
        ctx.ui.inform(QStringLiteral("Error empying your table: ") + QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

bool changeAllEntries(const ListContext& ctx, WholeTableChange change)
{
    const char* sql = change == WholeTableChange::MarkAllViewed     ? "UPDATE mailist SET NewUser = 0"
                      : change == WholeTableChange::AllowAllSending ? "UPDATE mailist SET SendRights = 1"
                                                                    : "UPDATE mailist SET Tagged = 0";
    try {
        const BusyCursor busy(ctx.ui);
        ctx.entries().execute(QString::fromLatin1(sql));
    } catch (const std::exception& e) {
        ctx.ui.inform(QStringLiteral("An error was encountered updating your database: ") +
                      QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}
