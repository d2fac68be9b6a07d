#pragma once

#include "app/MainView.h"

#include <QMainWindow>

class AppController;
class EntriesGrid;
class GridLayoutStore;
class GuiUi;
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

    // MainView
    void setCaption(const QString& caption) override;
    void showTab(int tab) override;
    void refreshListDisplay(bool rederive) override;
    void refreshInformation() override;
    void reapplyGroupFilter() override;
    void showStatus(const QString& text) override;
    void readGridLayout() override;
    void saveGridLayout() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildPanels();
    void wireTimers();
    bool isActiveForm() const;

    AppController& controller_;
    GridLayoutStore& layoutStore_;
    GuiUi* gui_;
    MainMenus* menus_;
    QTabBar* tbcDatabase_;
    InformationPanel* pnlInformation_;
    QWidget* pnlGroups_;
    QWidget* pnlSearch_;
    QWidget* pnlOther_;
    EntriesGrid* grid_;
    QWidget* pnlStatus_;
    QLabel* lblModeEntries_;
    QLabel* imgSchedule_;
    bool formShowStarted_ = false;
    bool askBeforeClosing_ = true;
    bool closed_ = false;
};
