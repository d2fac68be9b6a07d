#pragma once

#include "subscriptions/ContactRecord.h"

#include <QString>
#include <QStringList>

struct ListContext;

// Adds (add set) or removes an address under the list's rules: the address check,
// the blocked list, the group rules and duplicates. Writes the entries table,
// counts statistics when recordStatistics is set, hands acknowledgements to the
// context when acknowledge is set and writes one activity-log line per request.
// skipChecks leaves out the address check and the blocked list (reprocessing with
// "Ignore All Rules"). A group naming several groups separated by commas makes one
// request per group. Nothing raises: every outcome is a result text, returned in
// the order of the requests (none for an address without "@").
QStringList insertentry(const ListContext& ctx, bool add, const QString& address,
                        bool recordStatistics, bool acknowledge, bool skipChecks,
                        const QString& dateText, const QString& comment,
                        const TCVNAddress& contact, const QString& name, const QString& group);
