#include "app/ui/ExchangeMenu.h"

#include "app/AppController.h"
#include "app/ModeString.h"
#include "app/Session.h"
#include "exchange/BackUpFile.h"
#include "exchange/ExportList.h"
#include "exchange/ImportHooks.h"
#include "exchange/ui/ExportCommands.h"
#include "exchange/ui/PrintListPage.h"
#include "exchange/ui/ManuallyEnter.h"
#include "exchange/ui/SaveGridToFile.h"
#include "exchange/ui/TdlgImport.h"
#include "reports/ui/EntriesGrid.h"
#include "store/Database.h"
#include "subscriptions/ListContext.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <exception>

ExchangeMenu::ExchangeMenu(AppController& controller, EntriesGrid& grid, QMenu& fileMenu, QAction* before,
                           QWidget& window)
    : QObject(&window), controller_(controller), grid_(grid), ui_(controller.session().ui), window_(window)
{
    auto add = [&](const char* name, const QString& caption, void (ExchangeMenu::*command)()) {
        auto* action = new QAction(caption, &fileMenu);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, command);
        fileMenu.insertAction(before, action);
        return action;
    };
    add("mkImport", "Import Mailing List Entries...", &ExchangeMenu::importEntries);
    auto* manual = new QAction("Manually Enter Entries...", &fileMenu);
    manual->setObjectName("mkManualEntry");
    connect(manual, &QAction::triggered, this, [this] { manualEntry({}); });
    fileMenu.insertAction(before, manual);
    add("mkExport", "Export Mailing List Entries...", &ExchangeMenu::exportEntries);
    add("mkPrint", "Print Mailing List", &ExchangeMenu::printList);
    add("mkSaveBackUp", "Save Back Up File...", &ExchangeMenu::saveBackUp)->setShortcut(QKeySequence("Ctrl+S"));
}

void ExchangeMenu::withContext(const std::function<void(const ExportContext&)>& work)
{
    withList([this, &work](const ListContext& ctx) {
        ExportHooks hooks;
        hooks.holdWindow = [this](bool working) { window_.setEnabled(!working); };
        hooks.print = [this](const QString& title, const QString& page) {
            return printListPage(&window_, title, page);
        };
        work(ExportContext{ctx.entries(), ui_, hooks});
    });
}

void ExchangeMenu::withList(const std::function<void(const ListContext&)>& work)
{
    if (!controller_.session().db.isOpen())
        return;
    const ListContext ctx = controller_.listContext();
    controller_.newformpreparation(true);
    try {
        work(ctx);
    } catch (const std::exception& e) {
        controller_.AppException(QString::fromUtf8(e.what()));
    }
    controller_.newformpreparation(false);
}

void ExchangeMenu::importEntries()
{
    withList([this](const ListContext& ctx) { importMailingListEntries(&window_, ctx, importHooks(ctx)); });
}

void ExchangeMenu::manualEntry(const QString& pasted)
{
    withList([this, &pasted](const ListContext& ctx) { ManuallyEnter(&window_, ctx, importHooks(ctx), pasted); });
}

void ExchangeMenu::exportEntries()
{
    withContext([this](const ExportContext& context) {
        const bool information = controller_.currentTab() == InformationTab;
        exportMailingListEntries(&window_, context, information, [this](GridFileKind kind) {
            SaveGridToFile(&window_, ui_, kind, {}, grid_.visibleHeadings(), int(grid_.rowTotal()),
                           [this](int row) { return grid_.rowValues(row); });
        });
    });
}

void ExchangeMenu::printList()
{
    withContext([this](const ExportContext& context) { printMailingList(&window_, context); });
}

void ExchangeMenu::saveBackUp()
{
    withContext([this](const ExportContext& context) {
        Session& session = controller_.session();
        SaveBackUpFile(session.db, session.settings, ui_, true, context.hooks);
    });
}
