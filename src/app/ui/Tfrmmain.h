#pragma once

#include "app/MainView.h"

#include <QMainWindow>

class AppController;
class EntriesGrid;
class ExchangeMenu;
class MailingMenu;
class QPushButton;
class GridLayoutStore;
class GroupsPanel;
class OtherPanel;
class SearchPanel;
class SelectionActions;
class GuiUi;
class HelpViewer;
class InformationPanel;
class MainMenus;
class QLabel;
class QTabBar;

// The main window: the tab control tbcDatabase, the information panel, the
// entries grid and the status panel, over the application's controller.
class Tfrmmain : public QMainWindow, public MainView {
    Q_OBJECT
public:
    // gui, when given, is the Ui whose progress window comes to the front when the
    // main window is activated.
    Tfrmmain(AppController& controller, GridLayoutStore& layoutStore, GuiUi* gui = nullptr);
    ~Tfrmmain() override;

    // Closes as at a session logout: nothing is asked; settings and database state
    // are saved as at every close. Open dialogs are the Ui's to cancel first.
    void closeWithoutAsking();

    // For writing the grid to a file and the commands the lead's menus add.
    EntriesGrid& grid() { return *grid_; }
    SelectionActions& selectionActions() { return *actions_; }
    // Help|Contents, opening the contents of the program's help window.
    void addHelpMenu(HelpViewer& viewer);

    // MainView
    void setCaption(const QString& caption) override;
    void showTab(int tab) override;
    void showEntries(const QString& filter, bool attached) override;
    void setCountLine(const QString& text) override;
    void setGridFollowsTable(bool follows) override;
    void SetLoadAllRecords(int cacheRows) override;
    void refreshInformation() override;
    void showStatus(const QString& text) override;
    void readGridLayout() override;
    void saveGridLayout() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildPanels();
    void wirePanels();
    void wireTimers();
    bool isActiveForm() const;

    AppController& controller_;
    GridLayoutStore& layoutStore_;
    GuiUi* gui_;
    MainMenus* menus_;
    QTabBar* tbcDatabase_;
    InformationPanel* pnlInformation_;
    GroupsPanel* pnlGroups_;
    SearchPanel* pnlSearch_;
    OtherPanel* pnlOther_;
    EntriesGrid* grid_;
    SelectionActions* actions_;
    ExchangeMenu* exchange_;
    MailingMenu* mailing_;
    QPushButton* btnsend_;
    QWidget* pnlStatus_;
    QLabel* lblModeEntries_;
    QLabel* lblRecordCount_;
    QLabel* imgSchedule_;
    bool formShowStarted_ = false;
    bool askBeforeClosing_ = true;
    bool closed_ = false;
};
