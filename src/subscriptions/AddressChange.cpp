#include "subscriptions/AddressChange.h"

#include "addresses/AddressSyntax.h"
#include "base/Ui.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/TdmML.h"
#include "subscriptions/ListContext.h"

#include <exception>

namespace {

// More entries than this for one address means something is wrong with the table.
constexpr int kMaxEntriesPerAddress = 1000;

void reportFailure(const ListContext& ctx, bool interactive, const QString& message,
                   const QString& logLine, const QString& oldAddress, const QString& newAddress)
{
    if (interactive)
        ctx.ui.inform(message);
    ctx.logs.AddToLog(logLine);
    ctx.logs.AddToErrorsList(Logs::Modify, oldAddress, newAddress);
}

}  // namespace

std::optional<Entry> LocateEmailAddress(const EntriesTable& entries, const QString& address)
{
    return entries.locate(address);
}

bool ChangeEmailAddress(const ListContext& ctx, const QString& oldAddress,
                        const QString& newAddress, bool interactive, bool applyExceptions)
{
    const QString changed = "Changed Email Address " + oldAddress + " to " + newAddress;
    int code = 0;
    if (!validemailaddress(newAddress, applyExceptions, ctx.settings, code)) {
        reportFailure(ctx, interactive, "The e-mail address, " + newAddress + ", does not appear to be valid.",
                      changed + " -> Address not valid: " + newAddress + "!", oldAddress, newAddress);
        return false;
    }

    BusyCursor busy(ctx.ui);
    qsizetype count = 0;
    try {
        EntriesTable& entries = ctx.entries();
        // Collected first, so a new address equal to the old one in another letter
        // case is changed once instead of being found again and again.
        const QList<Entry> holders = entries.locateAll(oldAddress, kMaxEntriesPerAddress);
        Transaction transaction(ctx.db.database().connection());
        for (Entry entry : holders) {
            entry.Item = newAddress;
            entries.post(entry);
        }
        transaction.commit();
        count = holders.size();
    } catch (const std::exception& e) {
        const QString text = QString::fromStdString(e.what());
        reportFailure(ctx, interactive, "An error was encountered:\n\n" + text,
                      "Change Email Address " + oldAddress + " -> " + newAddress + ", ERROR: " + text,
                      oldAddress, newAddress);
        return false;
    }
    if (count == 0) {
        reportFailure(ctx, interactive, "The address, " + oldAddress + ", could not be found!",
                      changed + " -> Address not found!", oldAddress, newAddress);
        return false;
    }
    for (qsizetype i = 0; i < count; ++i)
        ctx.logs.AddToLog(changed);
    return true;
}

bool PromptToModifyAddress(const ListContext& ctx, const QString& oldAddress,
                           const QString& newAddress, bool showIgnoreRules)
{
    const auto change = ctx.ui.askAddressChange(oldAddress, newAddress, showIgnoreRules);
    if (!change)
        return false;
    ChangeEmailAddress(ctx, change->oldAddress.trimmed(), change->newAddress.trimmed(), true,
                       !(showIgnoreRules && change->ignoreRules));
    return true;
}
