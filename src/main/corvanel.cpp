#include "app/AppController.h"
#include "app/InstanceGuard.h"
#include "app/Session.h"
#include "app/TerminationSignals.h"
#include "mailings/ui/TdlgStaggerDelay.h"
#include "app/ui/GuiUi.h"
#include "app/ui/Tfrmmain.h"
#include "base/ProcessEnvironment.h"
#include "exchange/BackUpFile.h"
#include "mail/MailStoresFromSettings.h"
#include "mail/ThunderbirdAccounts.h"
#include "mail/ui/TdlgGetOLFolder.h"
#include "settings/GridLayoutStore.h"
#include "setup/ui/SetupWizardServices.h"
#include "setup/ui/TdlgSetupWizard.h"
#include "subscriptions/ui/TfrmExtractentries.h"
#include "util/ui/HelpViewer.h"

#include <QApplication>
#include <exception>

namespace {
// Routes an error no handler caught to AppException; the program goes on.
class CorvanelApplication : public QApplication {
public:
    using QApplication::QApplication;
    AppController* controller = nullptr;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            if (controller)
                controller->AppException(QString::fromUtf8(e.what()));
        }
        return false;
    }
};
}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();
    CorvanelApplication app(argc, argv);
    QApplication::setOrganizationName("Tamrix");
    QApplication::setApplicationName(AppController::kTitle);

    GuiUi ui;
    FoldersChoice folders = Session::locateFolders(QApplication::applicationDirPath());
    if (!folders.folders) {
        ui.warn(folders.problem);
        return 1;
    }
    Session session(std::move(*folders.folders), ui);
    InstanceGuard guard(session.folders.config);
    if (!guard.acquire()) {
        ui.warn(InstanceGuard::alreadyRunningText());
        return 1;
    }

    // One help window for the whole run, beside the main window rather than inside it.
    HelpViewer help(HelpTopics::standard(QApplication::applicationDirPath()));
    AppHooks hooks;
    hooks.showHelp = help.showHelp();
    hooks.showSplash = [&ui] { ui.showSplash(); };
    hooks.GetOutlookFolder = [&session, &ui](const QString& prompt) {
        const MailStores stores = mailStoresFor(session.settings, session.folders);
        return GetOutlookFolder(QApplication::activeWindow(), stores, ui, prompt);
    };
    hooks.SetUpWizard = [&ui, pickFolder = hooks.GetOutlookFolder, showHelp = hooks.showHelp](Settings& settings) {
        SetupWizardServices services{ui, pickFolder, showHelp, defaultThunderbirdFolder()};
        TdlgSetupWizard::run(QApplication::activeWindow(), services, settings);
    };
    hooks.openCheckWindow = [](const QString& heading) {
        return TfrmExtractentries::open(heading, QApplication::activeWindow());
    };
    hooks.staggerPause = [&ui]() -> std::unique_ptr<StaggerPause> { return std::make_unique<TdlgStaggerDelay>(ui); };
    hooks.backUpOnExit = [&session, &ui] { return SaveBackUpFile(session.db, session.settings, ui, false); };
    AppController controller(session, hooks);
    app.controller = &controller;
    GridLayoutStore layoutStore;
    Tfrmmain window(controller, layoutStore, &ui);
    ui.setParentWindow(&window);
    window.addHelpMenu(help);

    // A signal may come inside any event loop: a message box's, a dialog's, one of
    // the start-up before the main window exists, or the shutdown's. Every loop is
    // ended, so the window closes from here with nothing of the program's above it.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&ui] {
        ui.dismissAll();
        QCoreApplication::exit(0);
    });

    controller.start();
    int code = 0;
    if (!termination.received()) {
        window.show();
        code = app.exec();
    }
    window.closeWithoutAsking();
    app.controller = nullptr;
    return code;
}
