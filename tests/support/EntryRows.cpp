#include "support/EntryRows.h"

#include "store/Database.h"
#include "store/EntriesTable.h"

void addEntries(const QString& folder, int count)
{
    Database db;
    db.setFolder(folder, false, false);
    db.openTable(TableId::Entries);
    Transaction batch(db.connection());
    for (int i = 0; i < count; ++i) {
        Entry e;
        e.Item = QStringLiteral("member%1@example.test").arg(i, 6, 10, QChar('0'));
        e.Name = QStringLiteral("Member number %1").arg(i);
        db.entries().insert(e);
    }
    batch.commit();
}
