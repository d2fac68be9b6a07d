#pragma once

#include <QList>

struct ListContext;

// "Move to Blocked Addresses": after the user agrees, each of the rows (entry
// Index values) has its lower-cased address put on the blocked list and is
// deleted. Returns the number of entries moved.
int mkaddtonever(const ListContext& ctx, const QList<qint64>& rows);
