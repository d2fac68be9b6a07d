#pragma once

#include "reports/BatchProcess.h"

#include <QObject>
#include <functional>

class AppController;
class EntriesGrid;
class QAction;
class QMenu;
class QWidget;
struct ListContext;

// What the window leaves to later parts of the program.
struct SelectionHooks {
    // Ctrl+V: manual entry with the clipboard's text already pasted.
    std::function<void(QString pasted)> manualEntry;
};

// The commands that work on the grid's rows: the batch actions, delete, the list
// rules (blocked list, address, groups, bounce counts), copying, in-line editing,
// the sorting menu and the main window's keys. Row commands act only while the
// grid is shown and rows are selected; each runs in the modal-work state and
// re-applies the view afterwards.
class SelectionActions : public QObject {
    Q_OBJECT
public:
    SelectionActions(AppController& controller, EntriesGrid& grid, QMenu& recordMenu, QMenu& sortMenu,
                     QWidget& window);

    SelectionHooks hooks;

    // The row commands: batch action, delete, copy (the window's keys and buttons use them).
    void batch(BatchAction action);
    void deleteSelection();
    void CopySelRecToClipboard();
    // The "Other" view's buttons, by the view's work.
    void otherSelect();
    void otherSelectAll();

private:
    QAction* addRowAction(QMenu& menu, const QString& name, const QString& caption,
                          const std::function<void(const ListContext&)>& work);
    QAction* addListAction(QMenu& menu, const QString& name, const QString& caption,
                           const std::function<void(const ListContext&)>& work);
    void addBatchActions(QMenu& menu);
    void addSortActions(QMenu& menu);
    void addKeys(QWidget& window);
    // Rows to work on: the selection while the grid is shown; empty beeps.
    QList<qint64> rowsOrBeep() const;
    void updateRecordMenu(QMenu& menu);
    void run(const std::function<void(const ListContext&)>& work);

    AppController& controller_;
    EntriesGrid& grid_;
    QList<QAction*> rowActions_;
};
