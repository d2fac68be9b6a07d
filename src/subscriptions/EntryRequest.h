#pragma once

#include "store/Entry.h"
#include "subscriptions/ContactRecord.h"

#include <QDateTime>
#include <QString>

struct ListContext;

// One request as insertentry has settled it: the bare address, the group as
// finally used, the name and contact fields after guessing.
struct EntryRequest {
    QString address;
    QString group;
    QString name;
    TCVNAddress contact;
    QString comment;
    QString dateText;
    QDateTime date;
    bool recordStatistics = false;
    bool acknowledge = false;
    bool skipChecks = false;
};

// The row a new address gets on the list.
Entry newEntry(const ListContext& ctx, const EntryRequest& request);

// The two halves of insertentry; each answers the result text.
QString addRequestedEntry(const ListContext& ctx, const EntryRequest& request);
QString removeRequestedEntries(const ListContext& ctx, const EntryRequest& request);
