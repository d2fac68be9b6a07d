#pragma once

#include <QObject>
#include <functional>

class AppController;
class EntriesGrid;
class QAction;
class QMenu;
class QWidget;
class Ui;
struct ExportContext;
struct ListContext;

// The File menu's commands that move addresses in and out of the list: export,
// print, the back-up file and the spreadsheet and page copies of the list view.
// Each runs in the main window's modal-work state.
class ExchangeMenu : public QObject {
    Q_OBJECT
public:
    // The commands go into the menu before the given action.
    ExchangeMenu(AppController& controller, EntriesGrid& grid, QMenu& fileMenu, QAction* before, QWidget& window);

    void importEntries();
    // pasted: the clipboard's text when Ctrl+V opened it, else empty.
    void manualEntry(const QString& pasted);
    void exportEntries();
    void printList();
    void saveBackUp();

private:
    // Runs work with an export context on the open list; nothing without one.
    void withContext(const std::function<void(const ExportContext&)>& work);
    // Runs work on the open list in the modal-work state.
    void withList(const std::function<void(const ListContext&)>& work);

    AppController& controller_;
    EntriesGrid& grid_;
    Ui& ui_;
    QWidget& window_;
};
