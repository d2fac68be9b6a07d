#include "subscriptions/InsertEntry.h"

#include "addresses/NameAndAddress.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/StatisticsRecorder.h"
#include "subscriptions/EntryRequest.h"
#include "subscriptions/GroupChoice.h"
#include "subscriptions/GroupList.h"
#include "subscriptions/ListContext.h"
#include "util/DateText.h"

#include <exception>

namespace {

const QString kInvalidGroup = QStringLiteral("Not Added: Invalid Group!");

QString capitalised(const QString& word)
{
    return word.isEmpty() ? word : word.left(1).toUpper() + word.mid(1);
}

// The first name and surname from the words of the name, and the name from them.
void guessSalutation(QString& name, TCVNAddress& contact)
{
    const QStringList words = name.split(' ', Qt::SkipEmptyParts);
    if (!words.isEmpty()) {
        if (contact.FirstName.isEmpty())
            contact.FirstName = capitalised(words.first());
        if (contact.Surname.isEmpty())
            contact.Surname = capitalised(words.last());
    }
    if (name.trimmed().isEmpty() && (!contact.FirstName.isEmpty() || !contact.Surname.isEmpty()))
        name = (contact.FirstName + " " + contact.Surname).trimmed();
}

// The invalid-group choice of the options; false when the request stops with an
// errors-list entry.
bool applyGroupRules(const ListContext& ctx, bool add, QString& group)
{
    if (!group.isEmpty() && !SupportedGroup(ctx.settings, group)) {
        switch (ctx.settings.WrongCategory) {
        case 1:
            group = add ? ctx.settings.AlternativeCategory : QString();
            break;
        case 2:
            if (CheckGroup(ctx, group, add ? GroupForAddedEntry : GroupForRemovedEntry))
                break;
            [[fallthrough]];
        default:
            return false;
        }
    }
    if (add && group.isEmpty())
        group = ctx.settings.defaultcategory;
    return true;
}

QString carryOut(const ListContext& ctx, bool add, EntryRequest& request)
{
    if (!add && (request.group.compare("ALL", Qt::CaseInsensitive) == 0
                 || request.group.compare("ME", Qt::CaseInsensitive) == 0))
        request.group.clear();
    if (!applyGroupRules(ctx, add, request.group)) {
        ctx.logs.AddToErrorsList(add ? Logs::Add : Logs::Remove, request.address, request.group);
        return kInvalidGroup;
    }
    return add ? addRequestedEntry(ctx, request) : removeRequestedEntries(ctx, request);
}

}  // namespace

QStringList insertentry(const ListContext& ctx, bool add, const QString& address,
                        bool recordStatistics, bool acknowledge, bool skipChecks,
                        const QString& dateText, const QString& comment,
                        const TCVNAddress& contact, const QString& name, const QString& group)
{
    if (address.isEmpty() || !address.contains('@'))
        return {};
    if (group.contains(',')) {
        QStringList results;
        for (const QString& piece : group.split(',')) {
            const QString one = piece.trimmed();
            if (!one.isEmpty())
                results << insertentry(ctx, add, address, recordStatistics, acknowledge, skipChecks,
                                       dateText, comment, contact, name, one);
        }
        return results;
    }

    EntryRequest request;
    request.address = address;
    request.name = name;
    request.contact = contact;
    request.group = group;
    request.comment = comment;
    request.dateText = dateText;
    request.date = parseDateTimeText(dateText).value_or(QDateTime::currentDateTime());
    request.recordStatistics = recordStatistics;
    request.acknowledge = acknowledge;
    request.skipChecks = skipChecks;

    QString result;
    try {
        SplitNameAndAddress(request.address, request.name);
        if (ctx.settings.GuessSalutation)
            guessSalutation(request.name, request.contact);
        result = carryOut(ctx, add, request);
    } catch (const std::exception& e) {
        // Nothing here may stop a check run; the failure becomes the result.
        result = add ? "Error inserting into database: " + QString::fromStdString(e.what())
                     : QStringLiteral("Entry could not be deleted!");
    }
    ctx.logs.AddToLog(QString(add ? "ADD" : "REMOVE") + " " + request.address + " " + request.group
                      + "  (" + comment + ")  ->  " + result);
    ctx.statistics.UpdateWeeklyStatsDisplay();
    return {result};
}
