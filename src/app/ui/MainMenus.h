#pragma once

#include "store/RecentList.h"

#include <QObject>

class AppController;
class QAction;
class QMainWindow;
class QMenu;

// The main window's menu bar: File (open, check for new entries, recent databases, exit),
// Edit|Other (optimise and repair), the record commands and the sorting menu. Each item
// calls the controller; the row commands are added by the selection's actions.
class MainMenus : public QObject {
    Q_OBJECT
public:
    MainMenus(QMainWindow& window, AppController& controller);

    // The "Recent Databases" submenu, one item per folder; enabled with more than one.
    void rebuildRecent(const QList<RecentList::MenuItem>& items);

    QMenu* fileMenu() const { return mkFile_; }
    // The place in the File menu where the list's import and export commands go.
    QAction* exchangePlace() const { return mkExchangePlace_; }
    QMenu* recentMenu() const { return mkRecent_; }
    QMenu* editMenu() const { return mkEdit_; }
    QMenu* sortMenu() const { return mkSorting_; }
    QAction* checkAction() const { return mkCheckOutlook_; }

private:
    AppController& controller_;
    QMenu* mkFile_;
    QAction* mkCheckOutlook_;
    QAction* mkExchangePlace_;
    QMenu* mkRecent_;
    QMenu* mkEdit_;
    QMenu* mkSorting_;
};
