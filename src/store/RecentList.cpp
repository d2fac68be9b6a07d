#include "store/RecentList.h"

#include "store/DBInfo.h"
#include "store/DatabaseFolder.h"
#include "util/TextFiles.h"

void RecentList::load(const QString& file)
{
    folders_.clear();
    for (const QString& line : readTextLines(file).value_or(QStringList())) {
        const QString folder = line.trimmed();
        if (!folder.isEmpty())
            folders_ << folder;
    }
}

bool RecentList::save(const QString& file, QString* reason) const
{
    return writeTextFileAtomically(file, folders_, reason);
}

void RecentList::AddPathToRecent(const QString& folder)
{
    if (folder.isEmpty())
        return;
    folders_.removeIf([&](const QString& f) { return f.compare(folder, Qt::CaseInsensitive) == 0; });
    while (folders_.size() >= kMaxEntries)
        folders_.removeLast();
    folders_.prepend(folder);
    UpdateRecentList(false);
}

QList<RecentList::MenuItem> RecentList::UpdateRecentList(bool prune)
{
    if (prune)
        folders_.removeIf([](const QString& f) { return !databaseexistsindirectory(f); });
    QList<MenuItem> items;
    for (const QString& folder : folders_) {
        const QString name = DBInfo::read(folder).DatabaseName;
        items.push_back({name.isEmpty() ? folder : name + " (" + folder + ")", folder});
    }
    if (menuRebuilt)
        menuRebuilt(items);
    return items;
}
