#pragma once

#include "store/SqlFilter.h"
#include "subscriptions/ListFixture.h"

// The list rules' fixture with a helper that adds whole entries.
class ListViewFixture : public ListFixture {
protected:
    qint64 add(const QString& item, const QString& name, const QString& category = "default")
    {
        Entry e;
        e.Item = item;
        e.Name = name;
        e.Category = category;
        return insert(e);
    }
    qint64 insert(const Entry& e)
    {
        db->setEntryCount(db->entryCount() + 1);
        return entries().insert(e);
    }
    qint64 count(const QString& filter) { return entries().count(parseFilter(filter)); }
    QStringList itemsWhere(const QString& filter)
    {
        QStringList out;
        entries().walk(parseFilter(filter), [&](const Entry& e) {
            out << e.Item;
            return true;
        });
        return out;
    }
};
