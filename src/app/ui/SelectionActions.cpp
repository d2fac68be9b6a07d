#include "app/ui/SelectionActions.h"

#include "app/AppController.h"
#include "app/Session.h"
#include "app/ui/EntriesGrid.h"
#include "subscriptions/AddressChange.h"
#include "subscriptions/Bounces.h"
#include "subscriptions/GroupCommands.h"
#include "subscriptions/ListContext.h"
#include "subscriptions/MoveToBlockedList.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

SelectionActions::SelectionActions(AppController& controller, EntriesGrid& grid, QMenu& menu)
    : QObject(&grid), controller_(controller), grid_(grid)
{
    grid_.setContextMenuPolicy(Qt::ActionsContextMenu);
    menu.addSeparator();
    addRowAction(menu, "mkResetBounce", "Reset Bounce Count", [this](const ListContext& ctx) {
        resetBounceCount(ctx, grid_.selectedEntryIndexes());
    });
    addRowAction(menu, "mkChangeCategory", "Change Group to...", [this](const ListContext& ctx) {
        changeGroupOfEntries(ctx, grid_.selectedEntryIndexes(), grid_.currentCategory());
    });
    addRowAction(menu, "mkaddtonever", "Move to Blocked Addresses",
                 [this](const ListContext& ctx) { mkaddtonever(ctx, grid_.selectedEntryIndexes()); });
    // Works on the current row, which a plain selection may lack.
    QAction* update = addListAction(menu, "mkUpdateEmail", "Update E-mail Address...", {});
    connect(update, &QAction::triggered, this, [this] {
        const QString address = grid_.currentItem();
        if (address.isEmpty()) {
            QApplication::beep();
            return;
        }
        run([address](const ListContext& ctx) {
            PromptToModifyAddress(ctx, address, QString(), false);
        });
    });
    grid_.addAction(update);
    menu.addSeparator();
    addListAction(menu, "MergeAllCategories1", "Merge All Groups...",
                  [](const ListContext& ctx) { MergeAllCategories(ctx); });
    addListAction(menu, "ResetBounceCountforallEntries1", "Reset Bounce Count for all Entries",
                  [](const ListContext& ctx) { ResetBounceCountforallEntries(ctx); });
}

QAction* SelectionActions::addRowAction(QMenu& menu, const QString& name, const QString& caption,
                                        const std::function<void(const ListContext&)>& work)
{
    QAction* action = addListAction(menu, name, caption, {});
    connect(action, &QAction::triggered, this, [this, work] {
        if (grid_.selectedEntryIndexes().isEmpty()) {
            QApplication::beep();
            return;
        }
        run(work);
    });
    grid_.addAction(action);
    return action;
}

QAction* SelectionActions::addListAction(QMenu& menu, const QString& name, const QString& caption,
                                         const std::function<void(const ListContext&)>& work)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    if (work)
        connect(action, &QAction::triggered, this, [this, work] { run(work); });
    return action;
}

void SelectionActions::run(const std::function<void(const ListContext&)>& work)
{
    Session& s = controller_.session();
    if (!s.db.isOpen())
        return;
    const ListContext ctx{s.settings, s.logs, s.ui, s.db, s.statistics};
    controller_.BeforeLoading();
    try {
        work(ctx);
    } catch (const std::exception& e) {
        controller_.AppException(QString::fromUtf8(e.what()));
    }
    controller_.AfterLoading();
}
