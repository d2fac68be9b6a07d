#pragma once

#include <QString>
#include <QStringList>

class EntriesTable;

// The addresses of one group (or of the whole list), kept between forwarded
// messages so that a run of messages to the same group reads the list once.
class RecipientCache {
public:
    // Rebuilds unless it holds the group already (compared in upper case; an empty
    // group is the whole list). An error leaves it empty, to be rebuilt next time.
    void LoadCacheEntries(const EntriesTable& entries, const QString& group);

    // Sorted, each address once whatever its letter case.
    const QStringList& lbcache() const { return addresses_; }
    // The upper-cased group held, "ALL" for the whole list, empty for none.
    const QString& edtCachedGroup() const { return group_; }
    void clear();

private:
    QStringList addresses_;
    QString group_;
    bool wholeList_ = false;
};
