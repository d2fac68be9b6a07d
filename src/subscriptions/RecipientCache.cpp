#include "subscriptions/RecipientCache.h"

#include "store/EntriesTable.h"
#include "store/StoreError.h"
#include "store/UnicodeCollation.h"

#include <algorithm>

void RecipientCache::clear()
{
    addresses_.clear();
    group_.clear();
}

void RecipientCache::LoadCacheEntries(const EntriesTable& entries, const QString& group)
{
    const bool wholeList = group.isEmpty();
    const QString wanted = wholeList ? QStringLiteral("ALL") : group.toUpper();
    // A group that happens to be called "All" is not the whole list.
    if (!group_.isEmpty() && group_ == wanted && wholeList_ == wholeList)
        return;
    clear();
    QStringList found;
    try {
        entries.walk([&](const Entry& e) {
            if (wholeList || e.Category.toUpper() == wanted)
                found << e.Item;
            return true;
        });
    } catch (const StoreError&) {
        return;
    }
    std::sort(found.begin(), found.end(), [](const QString& a, const QString& b) { return unicodeNoCase(a, b) < 0; });
    found.erase(std::unique(found.begin(), found.end(),
                            [](const QString& a, const QString& b) { return unicodeNoCase(a, b) == 0; }),
                found.end());
    addresses_ = std::move(found);
    group_ = wanted;
    wholeList_ = wholeList;
}
