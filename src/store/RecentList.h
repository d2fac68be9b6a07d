#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The recent-databases list: at most 10 folders, most recent first, compared
// without regard to case. Kept in recent.txt in the configuration folder.
class RecentList {
public:
    static constexpr int kMaxEntries = 10;

    struct MenuItem {
        QString caption;  // DatabaseName + " (" + folder + ")", or the folder alone
        QString folder;   // the item's hint
    };

    // Replaces the list with the file's lines (blank lines skipped); a missing file
    // leaves it empty.
    void load(const QString& file);
    // False when the file cannot be written; *reason then says why.
    bool save(const QString& file, QString* reason = nullptr) const;
    // Ignored when empty; moves an equal folder to the top, drops the oldest beyond
    // ten, then rebuilds the menu without pruning.
    void AddPathToRecent(const QString& folder);
    // Drops folders without "mailist.dat" when prune is set; rebuilds and returns
    // the menu items (also handed to menuRebuilt).
    QList<MenuItem> UpdateRecentList(bool prune);
    const QStringList& folders() const { return folders_; }

    // The "Recent Databases" submenu is enabled only with more than one item.
    static bool menuEnabled(const QList<MenuItem>& items) { return items.size() > 1; }

    // The main window rebuilds its submenu from these items.
    std::function<void(const QList<MenuItem>& items)> menuRebuilt;

private:
    QStringList folders_;
};
