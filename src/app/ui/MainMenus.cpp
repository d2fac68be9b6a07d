#include "app/ui/MainMenus.h"

#include "app/AppController.h"

#include <QMainWindow>
#include <QMenuBar>

MainMenus::MainMenus(QMainWindow& window, AppController& controller)
    : QObject(&window), controller_(controller)
{
    QMenuBar* bar = window.menuBar();
    mkFile_ = bar->addMenu("&File");
    QMenu* file = mkFile_;
    file->setObjectName("mkFile");
    QAction* open = file->addAction("Open Database...", [this] {
        controller_.openDatabaseFromDialog();
    });
    open->setObjectName("mkOpenDatabase");
    mkCheckOutlook_ = file->addAction(controller_.checkCaption(), [this] { controller_.btngetoutlookClick(); });
    mkCheckOutlook_->setObjectName("mkCheckOutlook");
    file->addSeparator();
    mkExchangePlace_ = file->addSeparator();
    mkRecent_ = file->addMenu("Recent Databases");
    mkRecent_->setObjectName("mkRecent");
    mkRecent_->setEnabled(false);
    file->addSeparator();
    QAction* exit = file->addAction("Exit", &window, &QMainWindow::close);
    exit->setObjectName("mkExit");

    mkEdit_ = bar->addMenu("&Edit");
    mkEdit_->setObjectName("mkEdit");
    QMenu* other = mkEdit_->addMenu("Other");
    other->setObjectName("mkOther");
    QAction* optimise = other->addAction("Optimize and Repair Database...", [this] {
        controller_.optimiseFromMenu();
    });
    optimise->setObjectName("mkOptimize");

    mkSorting_ = bar->addMenu("&Sorting");
    mkSorting_->setObjectName("mkSorting");
}

void MainMenus::rebuildRecent(const QList<RecentList::MenuItem>& items)
{
    mkRecent_->clear();
    for (const auto& item : items) {
        QAction* a = mkRecent_->addAction(item.caption);
        a->setStatusTip(item.folder);
        a->setToolTip(item.folder);
        const QString folder = item.folder;
        connect(a, &QAction::triggered, this, [this, folder] {
            controller_.mkreopenonclick(folder);
        });
    }
    mkRecent_->setEnabled(RecentList::menuEnabled(items));
}
