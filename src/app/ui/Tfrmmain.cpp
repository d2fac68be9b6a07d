#include "app/ui/Tfrmmain.h"

#include "app/AppController.h"
#include "app/ModeString.h"
#include "app/Session.h"
#include "app/ui/ExchangeMenu.h"
#include "app/ui/MailingMenu.h"
#include "app/ui/OptionsMenu.h"
#include "app/ui/GuiUi.h"
#include "app/ui/InformationPanel.h"
#include "app/ui/MainMenus.h"
#include "app/ui/SelectionActions.h"
#include "reports/ui/EntriesGrid.h"
#include "reports/ui/ListPanels.h"
#include "settings/GridLayoutStore.h"
#include "store/Database.h"
#include "util/ui/HelpViewer.h"
#include "util/ui/WindowRoutines.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

Tfrmmain::Tfrmmain(AppController& controller, GridLayoutStore& layoutStore, GuiUi* gui)
    : controller_(controller), layoutStore_(layoutStore), gui_(gui)
{
    setObjectName("frmmain");
    setWindowTitle(AppController::kTitle);
    resize(900, 600);
    menus_ = new MainMenus(*this, controller_);
    buildPanels();
    actions_ = new SelectionActions(controller_, *grid_, *menus_->editMenu(), *menus_->sortMenu(), *this);
    exchange_ = new ExchangeMenu(controller_, *grid_, *menus_->fileMenu(), menus_->exchangePlace(), *this);
    actions_->hooks.manualEntry = [this](const QString& pasted) { exchange_->manualEntry(pasted); };
    mailing_ = new MailingMenu(controller_, *menus_->fileMenu(), *this);
    new OptionsMenu(controller_, *this, *menus_->sortMenu());
    connect(btnsend_, &QPushButton::clicked, mailing_, &MailingMenu::btnsendClick);
    wirePanels();
    wireTimers();
    controller_.session().statistics.displayChanged = [this] { refreshInformation(); };
    controller_.session().db.recent().menuRebuilt =
        [this](const QList<RecentList::MenuItem>& items) { menus_->rebuildRecent(items); };
    controller_.attachView(this);
    restoreGeometry(layoutStore_.windowGeometry());
    showTab(InformationTab);
}

Tfrmmain::~Tfrmmain()
{
    controller_.attachView(nullptr);
    controller_.session().db.recent().menuRebuilt = nullptr;
    controller_.session().statistics.displayChanged = nullptr;
    controller_.timers().mainWindowActive = [] { return false; };
    controller_.timers().scheduleIconChanged = nullptr;
}

void Tfrmmain::addHelpMenu(HelpViewer& viewer)
{
    QMenu* menu = menuBar()->addMenu("&Help");
    menu->setObjectName("mkHelp");
    QAction* contents = menu->addAction("Contents", &viewer, &HelpViewer::showIndex);
    contents->setObjectName("mkHelpContents");
}

void Tfrmmain::buildPanels()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* tools = new QHBoxLayout;
    auto* check = new QPushButton("Check for New Entries", central);
    check->setObjectName("btngetoutlook");
    connect(check, &QPushButton::clicked, this, [this] { controller_.btngetoutlookClick(); });
    tools->addWidget(check);
    btnsend_ = new QPushButton("Send E-Mail to List", central);
    btnsend_->setObjectName("btnsend");
    tools->addWidget(btnsend_);
    auto* print = new QPushButton("Print List...", central);
    print->setObjectName("btnPrint");
    connect(print, &QPushButton::clicked, this, [this] { exchange_->printList(); });
    tools->addWidget(print);
    tools->addStretch(1);
    layout->addLayout(tools);
    tbcDatabase_ = new QTabBar(central);
    tbcDatabase_->setObjectName("tbcDatabase");
    for (int t = 0; t < kMainTabCount; ++t)
        tbcDatabase_->addTab(mainTabCaption(t));
    connect(tbcDatabase_, &QTabBar::currentChanged, this,
            [this](int tab) { controller_.tbcDatabaseChange(tab); });
    layout->addWidget(tbcDatabase_);

    pnlInformation_ = new InformationPanel(central);
    connect(pnlInformation_, &InformationPanel::renameRequested, this,
            [this] { controller_.renameDatabase(); });
    pnlGroups_ = new GroupsPanel(central);
    pnlSearch_ = new SearchPanel(central);
    pnlOther_ = new OtherPanel(central);
    grid_ = new EntriesGrid(central);
    for (QWidget* w : std::initializer_list<QWidget*>{pnlInformation_, pnlGroups_, pnlSearch_, pnlOther_})
        layout->addWidget(w);
    layout->addWidget(grid_, 1);
    layout->addStretch(0);
    setCentralWidget(central);

    pnlStatus_ = named<QWidget>("pnlStatus", this);
    auto* status = new QHBoxLayout(pnlStatus_);
    status->setContentsMargins(0, 0, 0, 0);
    lblModeEntries_ = new QLabel(pnlStatus_);
    lblModeEntries_->setObjectName("lblModeEntries");
    lblRecordCount_ = new QLabel(pnlStatus_);
    lblRecordCount_->setObjectName("lblRecordCount");
    imgSchedule_ = new QLabel(pnlStatus_);
    imgSchedule_->setObjectName("imgSchedule");
    imgSchedule_->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(16, 16));
    imgSchedule_->setToolTip("A scheduled sending is waiting");
    imgSchedule_->hide();
    status->addWidget(lblRecordCount_);
    status->addWidget(lblModeEntries_, 1);
    status->addWidget(imgSchedule_);
    statusBar()->addWidget(pnlStatus_, 1);
}

void Tfrmmain::wirePanels()
{
    pnlGroups_->onTicked = [this](const QList<bool>& ticked) {
        controller_.listChoices.tickedGroups = ticked;
        controller_.requestGroupFilterRefresh();  // re-filtered once the clicks are handled
    };
    pnlGroups_->onDisplayChosen = [this](bool display) {
        controller_.listChoices.displayGroups = display;
        controller_.SetGroupFilter();
    };
    pnlSearch_->onSearch = [this](const SearchRequest& request) {
        if (controller_.btnSearchClick(request))
            pnlSearch_->offerWithin(true);
    };
    pnlOther_->onViewChosen = [this](OtherView view) { controller_.cmbOtherSearchChange(view); };
    pnlOther_->onSelect = [this] { actions_->otherSelect(); };
    pnlOther_->onSelectAll = [this] { actions_->otherSelectAll(); };
}

void Tfrmmain::wireTimers()
{
    AppTimers& timers = controller_.timers();
    timers.mainWindowActive = [this] { return isActiveForm(); };
    timers.scheduleIconChanged = [this](bool visible) {
        if (!controller_.scheduleHint().isEmpty())
            imgSchedule_->setToolTip(controller_.scheduleHint());
        imgSchedule_->setVisible(visible);
    };
}

bool Tfrmmain::isActiveForm() const
{
    return QApplication::activeModalWidget() == nullptr &&
           (isActiveWindow() || QApplication::activeWindow() == nullptr);
}

void Tfrmmain::setCaption(const QString& caption)
{
    setWindowTitle(caption);
    // The settings, and with them the e-mail software the command names, may have changed.
    menus_->checkAction()->setText(controller_.checkCaption());
}

void Tfrmmain::showTab(int tab)
{
    {
        const QSignalBlocker block(tbcDatabase_);
        tbcDatabase_->setCurrentIndex(tab);
    }
    if (tab == SelectGroupsTab)
        pnlGroups_->setGroups(controller_.session().settings.Cats, controller_.listChoices.tickedGroups,
                              controller_.listChoices.displayGroups);
    if (tab == OtherTab)
        pnlOther_->setView(controller_.listChoices.other);
    pnlInformation_->setVisible(tab == InformationTab);
    pnlGroups_->setVisible(tab == SelectGroupsTab);
    pnlSearch_->setVisible(tab == SearchTab);
    pnlOther_->setVisible(tab == OtherTab);
    grid_->setVisible(tab != InformationTab);
    pnlStatus_->setVisible(tab != InformationTab);
}

void Tfrmmain::showEntries(const QString& filter, bool attached)
{
    TdmML& db = controller_.session().db;
    grid_->showEntries(attached && db.isOpen() ? &db.database() : nullptr, filter);
    lblModeEntries_->setText(controller_.GetModeEntriesText());
}

void Tfrmmain::setCountLine(const QString& text)
{
    lblRecordCount_->setText(text);
}

void Tfrmmain::setGridFollowsTable(bool follows)
{
    grid_->setFollowsTable(follows);
}

void Tfrmmain::SetLoadAllRecords(int cacheRows)
{
    grid_->setCacheLimit(cacheRows);
}

void Tfrmmain::refreshInformation()
{
    pnlInformation_->refresh(controller_.session());
}

void Tfrmmain::showStatus(const QString& text)
{
    if (text.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(text);
}

void Tfrmmain::readGridLayout()
{
    grid_->readLayout(layoutStore_);
}

void Tfrmmain::saveGridLayout()
{
    grid_->saveLayout(layoutStore_);
    layoutStore_.saveWindowGeometry(saveGeometry());
    layoutStore_.sync();
}

void Tfrmmain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (formShowStarted_)
        return;
    formShowStarted_ = true;
    // After the first paint, so the window is up behind any question FormShow asks.
    QTimer::singleShot(0, this, [this] { controller_.FormShow(); });
}

void Tfrmmain::closeEvent(QCloseEvent* event)
{
    if (closed_) {
        event->accept();
        return;
    }
    if (askBeforeClosing_ && !controller_.FormCloseQuery()) {
        event->ignore();
        return;
    }
    closed_ = true;
    controller_.FormClose();
    controller_.FormDestroy();
    event->accept();
}

void Tfrmmain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // FormActivate: a progress window in use stays in front of the main window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && gui_ &&
        gui_->progressVisible())
        gui_->progressWindow()->raise();
}

void Tfrmmain::closeWithoutAsking()
{
    askBeforeClosing_ = false;
    close();
}
