#include "app/ui/OptionsMenu.h"

#include "app/AppController.h"
#include "app/Session.h"
#include "setup/ui/OptionsServices.h"
#include "setup/ui/Tdlgoptions.h"
#include "subscriptions/ListContext.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

OptionsMenu::OptionsMenu(AppController& controller, QMainWindow& window, QMenu& before)
    : QObject(&window), controller_(controller), window_(window)
{
    auto* view = new QMenu("&View", &window);
    view->setObjectName("mkView");
    QAction* options = view->addAction("Options...", this, &OptionsMenu::mkOptionsClick);
    options->setObjectName("mkOptions");
    window.menuBar()->insertMenu(before.menuAction(), view);
}

void OptionsMenu::mkOptionsClick()
{
    Session& session = controller_.session();
    OptionsServices services{.ui = session.ui, .logs = session.logs};
    services.listContext = [this](Settings& s) { return controller_.listContext(s); };
    services.pickFolder = controller_.hooks().GetOutlookFolder;
    services.showHelp = controller_.hooks().showHelp;
    services.save = [this](const Settings& s) { return controller_.settingsStore().SaveEntries(s); };
    services.applied = [this](const Settings&) { controller_.settingsApplied(); };
    controller_.newformpreparation(true);
    Tdlgoptions::edit(&window_, services, session.settings);
    controller_.newformpreparation(false);
}
