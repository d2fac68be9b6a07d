#include "app/ui/SelectionActions.h"

#include "app/AppController.h"
#include "app/ModeString.h"
#include "app/Session.h"
#include "reports/EntriesGridModel.h"
#include "reports/GridColumns.h"
#include "reports/OtherViewButtons.h"
#include "reports/ui/EntriesGrid.h"
#include "subscriptions/AddressChange.h"
#include "subscriptions/Bounces.h"
#include "subscriptions/GroupCommands.h"
#include "subscriptions/ListContext.h"
#include "subscriptions/MoveToBlockedList.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QShortcut>

SelectionActions::SelectionActions(AppController& controller, EntriesGrid& grid, QMenu& menu, QMenu& sortMenu,
                                   QWidget& window)
    : QObject(&grid), controller_(controller), grid_(grid)
{
    grid_.setContextMenuPolicy(Qt::ActionsContextMenu);
    menu.addSeparator();
    addRowAction(menu, "mkResetBounce", "Reset Bounce Count ", [this](const ListContext& ctx) {
        resetBounceCount(ctx, grid_.selectedEntryIndexes());
    });
    addRowAction(menu, "mkChangeCategory", "Change Group to...", [this](const ListContext& ctx) {
        changeGroupOfEntries(ctx, grid_.selectedEntryIndexes(),
                             grid_.currentEntry().value_or(Entry()).Category);
    });
    addRowAction(menu, "mkaddtonever", "Move to Blocked Addresses",
                 [this](const ListContext& ctx) { mkaddtonever(ctx, grid_.selectedEntryIndexes()); });
    // Works on the current row, which a plain selection may lack.
    QAction* update = addListAction(menu, "mkUpdateEmail", "Update E-mail Address...", {});
    connect(update, &QAction::triggered, this, [this] {
        const QString address = grid_.isVisible() ? grid_.currentEntry().value_or(Entry()).Item : QString();
        if (address.isEmpty()) {
            QApplication::beep();
            return;
        }
        run([address](const ListContext& ctx) { PromptToModifyAddress(ctx, address, QString(), false); });
    });
    grid_.addAction(update);
    rowActions_ << update;
    addBatchActions(menu);
    menu.addSeparator();
    addListAction(menu, "MergeAllCategories1", "Merge All Groups...",
                  [](const ListContext& ctx) { MergeAllCategories(ctx); });
    addListAction(menu, "ResetBounceCountforallEntries1", "Reset Bounce Count for all Entries",
                  [](const ListContext& ctx) { ResetBounceCountforallEntries(ctx); });
    addListAction(menu, "mkDeleteAll", "Delete All Entries...",
                  [](const ListContext& ctx) { DeleteAllEntries(ctx); });
    menu.addSeparator();
    QAction* editing = menu.addAction("Allow In-line Editing");
    editing->setObjectName("mkAllowEditing");
    editing->setCheckable(true);
    editing->setChecked(controller_.session().settings.AllowEditing);
    grid_.setEditing(editing->isChecked());
    connect(editing, &QAction::toggled, this, [this](bool on) {
        controller_.session().settings.AllowEditing = on;
        grid_.setEditing(on);
    });
    grid_.addAction(editing);
    connect(&menu, &QMenu::aboutToShow, this, [this, &menu, editing] {
        updateRecordMenu(menu);
        editing->setEnabled(controller_.currentTab() != InformationTab);
    });
    addSortActions(sortMenu);
    addKeys(window);
    connect(&grid_, &EntriesGrid::deleteRequested, this, &SelectionActions::deleteSelection);
    connect(&grid_, &EntriesGrid::copyRequested, this, &SelectionActions::CopySelRecToClipboard);
}

void SelectionActions::addBatchActions(QMenu& menu)
{
    const struct {
        const char* name;
        const char* caption;
        BatchAction action;
    } actions[] = {
        {"mkCanSend", "User can send messages", BatchAction::AllowSending},
        {"mkCannotSend", "User cannot send messages", BatchAction::DenySending},
        {"mkMarkViewed", "Mark entry as Viewed", BatchAction::MarkViewed},
        {"mkTag", "Mark entry as Tagged", BatchAction::SetTag},
        {"mkUntag", "Clear the Tag of the entry", BatchAction::ClearTag},
    };
    menu.addSeparator();
    for (const auto& a : actions) {
        QAction* action = menu.addAction(a.caption);
        action->setObjectName(a.name);
        // The two sending rights are ticked after the current entry as the menu opens.
        action->setCheckable(a.action == BatchAction::AllowSending || a.action == BatchAction::DenySending);
        const BatchAction which = a.action;
        connect(action, &QAction::triggered, this, [this, which] { batch(which); });
        grid_.addAction(action);
        rowActions_ << action;
    }
    QAction* copy = menu.addAction("Copy to Clipboard");
    copy->setObjectName("mkCopy");
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    connect(copy, &QAction::triggered, this, &SelectionActions::CopySelRecToClipboard);
    QAction* remove = menu.addAction("Delete Record");
    remove->setObjectName("mkDeleteRecord");
    connect(remove, &QAction::triggered, this, &SelectionActions::deleteSelection);
    for (QAction* a : {copy, remove}) {
        grid_.addAction(a);
        rowActions_ << a;
    }
}

void SelectionActions::addSortActions(QMenu& menu)
{
    for (const char* field : {"Item", "Category", "Bounces", "Name"}) {
        const int column = gridColumnOf(field);
        const QString caption = column == 0 ? "E-mail Address" : QString::fromLatin1(gridColumns()[column].heading);
        QAction* sort = menu.addAction(caption);
        sort->setObjectName(QString("mkSortBy") + field);
        sort->setCheckable(true);
        connect(sort, &QAction::triggered, this, [this, column] { grid_.sortByColumn(column); });
        connect(&menu, &QMenu::aboutToShow, sort,
                [this, sort, column] { sort->setChecked(grid_.entriesModel().sortColumn() == column); });
    }
    menu.addSeparator();
    menu.addAction("Go to First Record", &grid_, &EntriesGrid::goToFirst)->setObjectName("mkFirstRecord");
    menu.addAction("Go to Last Record", &grid_, &EntriesGrid::goToLast)->setObjectName("mkLastRecord");
}

void SelectionActions::addKeys(QWidget& window)
{
    const auto key = [&](QKeySequence sequence, const std::function<void()>& work) {
        auto* shortcut = new QShortcut(sequence, &window);
        connect(shortcut, &QShortcut::activated, this, work);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_A), [this] {
        if (grid_.isVisible())
            grid_.selectAll();
    });
    // Ctrl+K is the copy command's own key; Ctrl+C does the same off the text boxes.
    key(QKeySequence(Qt::CTRL | Qt::Key_C), [this] { CopySelRecToClipboard(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_V), [this] {
        if (hooks.manualEntry)
            hooks.manualEntry(QApplication::clipboard()->text());
    });
    key(QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { grid_.goToFirst(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_End), [this] { grid_.goToLast(); });
}

void SelectionActions::updateRecordMenu(QMenu& menu)
{
    const bool rows = controller_.currentTab() != InformationTab && !grid_.selectedEntryIndexes().isEmpty();
    for (QAction* a : rowActions_)
        a->setEnabled(rows);
    // "User Sending Rights" only with users allowed to send to the list.
    const bool userSending = controller_.session().settings.UserSending;
    const std::optional<Entry> current = grid_.currentEntry();
    for (const auto& [name, rights] : {std::pair{"mkCanSend", true}, std::pair{"mkCannotSend", false}})
        if (QAction* a = menu.findChild<QAction*>(name)) {
            a->setVisible(userSending);
            a->setChecked(current && current->SendRights == rights);
        }
    const int tagged = gridColumnOf("Tagged");
    for (const char* name : {"mkTag", "mkUntag"})
        if (QAction* a = menu.findChild<QAction*>(name))
            a->setVisible(!grid_.isColumnHidden(tagged));
}

QList<qint64> SelectionActions::rowsOrBeep() const
{
    // Off the grid (the "Information" tab) a selection left behind is not acted on.
    const QList<qint64> rows = grid_.isVisible() ? grid_.selectedEntryIndexes() : QList<qint64>();
    if (rows.isEmpty())
        QApplication::beep();
    return rows;
}

void SelectionActions::batch(BatchAction action)
{
    const QList<qint64> rows = rowsOrBeep();
    if (!rows.isEmpty())
        run([action, rows](const ListContext& ctx) { BatchProcess(ctx, action, rows); });
}

void SelectionActions::deleteSelection()
{
    const QList<qint64> rows = rowsOrBeep();
    if (!rows.isEmpty())
        run([rows](const ListContext& ctx) { deleteSelectedEntries(ctx, rows); });
}

void SelectionActions::CopySelRecToClipboard()
{
    const QList<qint64> rows = rowsOrBeep();
    if (rows.isEmpty())
        return;
    QString text;
    run([&](const ListContext& ctx) { text = ::CopySelRecToClipboard(ctx, rows); });
    QApplication::clipboard()->setText(text);
}

void SelectionActions::otherSelect()
{
    if (!controller_.listChoices.other)
        return;
    switch (otherViewButtons(*controller_.listChoices.other).work) {
    case OtherViewButtons::Work::MarkViewed: batch(BatchAction::MarkViewed); break;
    case OtherViewButtons::Work::AllowSending: batch(BatchAction::AllowSending); break;
    case OtherViewButtons::Work::ClearTag: batch(BatchAction::ClearTag); break;
    case OtherViewButtons::Work::Delete: deleteSelection(); break;
    case OtherViewButtons::Work::None: break;
    }
}

void SelectionActions::otherSelectAll()
{
    if (!controller_.listChoices.other)
        return;
    const auto change = [this](WholeTableChange c) {
        run([c](const ListContext& ctx) { changeAllEntries(ctx, c); });
    };
    switch (otherViewButtons(*controller_.listChoices.other).work) {
    case OtherViewButtons::Work::MarkViewed: change(WholeTableChange::MarkAllViewed); break;
    case OtherViewButtons::Work::AllowSending: change(WholeTableChange::AllowAllSending); break;
    case OtherViewButtons::Work::ClearTag: change(WholeTableChange::ClearAllTags); break;
    case OtherViewButtons::Work::Delete:
        grid_.selectAll();
        deleteSelection();
        break;
    case OtherViewButtons::Work::None: break;
    }
}

QAction* SelectionActions::addRowAction(QMenu& menu, const QString& name, const QString& caption,
                                        const std::function<void(const ListContext&)>& work)
{
    QAction* action = addListAction(menu, name, caption, {});
    connect(action, &QAction::triggered, this, [this, work] {
        if (!rowsOrBeep().isEmpty())
            run(work);
    });
    grid_.addAction(action);
    rowActions_ << action;
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
    const ListContext ctx = controller_.listContext();
    controller_.BeforeLoading();
    try {
        work(ctx);
    } catch (const std::exception& e) {
        controller_.AppException(QString::fromUtf8(e.what()));
    }
    controller_.AfterLoading();
}
