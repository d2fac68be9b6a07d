#include "addresses/AddressSyntax.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/StatisticsRecorder.h"
#include "store/StoreError.h"
#include "store/TdmML.h"
#include "subscriptions/AcknowledgementTexts.h"
#include "subscriptions/BlockedList.h"
#include "subscriptions/EntryRequest.h"
#include "subscriptions/ListContext.h"

#include <exception>

namespace {

void acknowledge(const ListContext& ctx, const EntryRequest& request, const QString& text)
{
    if (request.acknowledge && ctx.SendAcknowledgement)
        ctx.SendAcknowledgement(request.address, text, true);
}

void setWhenGiven(QString& field, const QString& value)
{
    if (!value.isEmpty())
        field = value;
}

// The old entry takes the comment and every contact field the request gives.
void updateOldEntry(const ListContext& ctx, Entry entry, const EntryRequest& request)
{
    entry.Comments = request.comment;
    setWhenGiven(entry.Name, request.name);
    setWhenGiven(entry.Salutation, request.contact.FirstName);
    setWhenGiven(entry.Surname, request.contact.Surname);
    setWhenGiven(entry.Company, request.contact.Company);
    setWhenGiven(entry.Address, request.contact.Address);
    setWhenGiven(entry.City, request.contact.City);
    setWhenGiven(entry.State, request.contact.State);
    setWhenGiven(entry.ZIP, request.contact.ZIP);
    setWhenGiven(entry.Country, request.contact.Country);
    try {
        ctx.entries().post(entry);
    } catch (const std::exception&) {
        // The entry exists either way; only the refreshed fields are lost.
    }
}


// The admission rules a new address must pass; empty when it passes.
QString admissionRefusal(const ListContext& ctx, const EntryRequest& request)
{
    if (request.skipChecks)
        return {};
    int code = 0;
    if (!validemailaddress(request.address, true, ctx.settings, code)) {
        ctx.logs.AddToErrorsList(Logs::Add, request.address, request.group);
        return "Not Added: Invalid E-mail Address (Error: " + GetEmailErrorCode(code) + ")!";
    }
    if (IsBlockedAddress(ctx.settings, request.address))
        return QStringLiteral("Not Added: E-mail Address is listed in the Blocked Subscribers list!");
    return {};
}

}  // namespace

Entry newEntry(const ListContext& ctx, const EntryRequest& request)
{
    Entry e;
    e.Item = request.address;
    e.Category = request.group;
    e.Bounces = 0;
    e.Comments = request.comment;
    e.Name = request.name;
    e.Salutation = request.contact.FirstName;
    e.SendRights = !ctx.settings.DefaultNoUserSend;
    e.Surname = request.contact.Surname;
    e.Company = request.contact.Company;
    e.Address = request.contact.Address;
    e.City = request.contact.City;
    e.State = request.contact.State;
    e.ZIP = request.contact.ZIP;
    e.Country = request.contact.Country;
    e.Status = -1;
    e.NewUser = true;
    e.SearchHit = false;
    e.Tagged = false;
    e.PlainText = false;
    e.InsertDate = request.date;
    return e;
}

QString addRequestedEntry(const ListContext& ctx, const EntryRequest& request)
{
    const bool inGroup = ctx.settings.MultipleCategorySupport && !request.group.isEmpty();
    const ListCounts before = ctx.counts();
    try {
        EntriesTable& entries = ctx.entries();
        const auto existing = ctx.settings.MultipleCategorySupport
                                  ? entries.locate(request.address, request.group)
                                  : entries.locate(request.address);
        if (existing) {
            if (ctx.settings.UpdateFieldsofOldEntry)
                updateOldEntry(ctx, *existing, request);
            acknowledge(ctx, request,
                        AcknowledgementText::alreadyContained(request.address, request.group, inGroup));
            return QStringLiteral("Entry already exists!");
        }
        const QString refusal = admissionRefusal(ctx, request);
        if (!refusal.isEmpty())
            return refusal;
        // The entry and its statistics make one commit: one wait for the disk per
        // request, and nothing counted for an entry that never reached it.
        Transaction transaction(ctx.db.database().connection());
        entries.insert(newEntry(ctx, request));
        ctx.changeEntryCount(+1);  // the day's total counts the new entry
        if (request.recordStatistics)
            ctx.statistics.AddStatRecord(StatSubscribe, request.dateText, request.group);
        transaction.commit();
    } catch (const std::exception& e) {
        ctx.restoreCounts(before);
        ctx.logs.AddToErrorsList(Logs::Add, request.address, request.group);
        return "Error inserting into database: " + QString::fromStdString(e.what());
    }
    ++ctx.statistics.counters.movement;
    acknowledge(ctx, request, AcknowledgementText::added(request.address, request.group, inGroup));
    return QStringLiteral("Entered Successfully");
}
