#pragma once

#include <QObject>
#include <functional>

class AppController;
class EntriesGrid;
class QAction;
class QMenu;
struct ListContext;

// The list rules that work on the grid's rows: moving the selection to the
// blocked list, changing an address, changing or merging groups and resetting
// bounce counts. They sit in the Edit menu and in the grid's pop-up menu; each
// runs with the timers stopped and redraws the grid and the information page.
class SelectionActions : public QObject {
    Q_OBJECT
public:
    SelectionActions(AppController& controller, EntriesGrid& grid, QMenu& menu);

private:
    QAction* addRowAction(QMenu& menu, const QString& name, const QString& caption,
                          const std::function<void(const ListContext&)>& work);
    QAction* addListAction(QMenu& menu, const QString& name, const QString& caption,
                           const std::function<void(const ListContext&)>& work);
    void run(const std::function<void(const ListContext&)>& work);

    AppController& controller_;
    EntriesGrid& grid_;
};
