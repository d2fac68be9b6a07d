#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The recent-databases list: at most 10 folders, most recent first, compared
// without regard to case. Kept in recent.txt in the configuration folder.
class RecentList {
public:
    struct MenuItem {
        QString caption;  // DatabaseName + " (" + folder + ")", or the folder alone
        QString folder;   // the item's hint
    };

    void load(const QString& file);
    bool save(const QString& file) const;
    void AddPathToRecent(const QString& folder);
    // Drops folders without "mailist.dat" when prune is set; returns the menu items.
    QList<MenuItem> UpdateRecentList(bool prune);
    const QStringList& folders() const { return folders_; }

private:
    QStringList folders_;
};
