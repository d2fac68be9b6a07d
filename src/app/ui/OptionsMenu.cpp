#include "app/ui/OptionsMenu.h"

#include "app/AppController.h"
#include "app/Session.h"
#include "setup/ui/OptionsServices.h"
#include "setup/ui/TdlgAdvancedSettings.h"
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

void OptionsMenu::mkOptionsClick() { editOptions(controller_, &window_); }

bool OptionsMenu::editOptions(AppController& controller, QWidget* parent, const QString& onlyPage)
{
    Session& session = controller.session();
    OptionsServices services{.ui = session.ui, .logs = session.logs};
    services.listContext = [&controller](Settings& s) { return controller.listContext(s); };
    services.pickFolder = controller.hooks().GetOutlookFolder;
    services.showHelp = controller.hooks().showHelp;
    services.setupWizard = controller.hooks().SetUpWizard;
    services.advancedSettings = [&controller, parent](Settings& s) {
        TdlgAdvancedSettings::edit(parent, controller.session().ui, s, controller.session().folders,
                                   controller.hooks().showHelp);
    };
    services.save = [&controller](const Settings& s) { return controller.settingsStore().SaveEntries(s); };
    services.applied = [&controller](const Settings&) { controller.settingsApplied(); };
    controller.newformpreparation(true);
    const bool committed = Tdlgoptions::edit(parent, services, session.settings, onlyPage);
    controller.newformpreparation(false);
    return committed;
}
