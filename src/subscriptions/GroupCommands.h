#pragma once

#include <QList>
#include <QString>

struct ListContext;

// "Change Group to...": asks for a supported group for the given rows (entry
// Index values) and moves them to it; an entry whose address is already in that
// group is deleted instead of becoming a duplicate. currentGroup is the chooser's
// first text. False when there are no rows (the caller beeps) or the user
// cancelled; the caller then refreshes the list view and its group filter.
bool changeGroupOfEntries(const ListContext& ctx, const QList<qint64>& rows,
                          const QString& currentGroup);

// "Merge All Groups...": after two confirmations every entry moves to "Default",
// duplicates of an address removed, and the database is saved. False when the
// user declined.
bool MergeAllCategories(const ListContext& ctx);
