#include "app/ui/MailingMenu.h"

#include "app/AppController.h"
#include "app/ModeString.h"
#include "app/ui/OptionsMenu.h"
#include "app/Session.h"
#include "base/Ui.h"
#include "exchange/CheckOverwriteFile.h"
#include "mailings/RefusedResend.h"
#include "mailings/ScheduleTable.h"
#include "mailings/SendDialogRun.h"
#include "mailings/SendRunQuestions.h"
#include "mailings/ui/SendRunPanel.h"
#include "mailings/ui/TdlgMailSchedule.h"
#include "mailings/ui/TdlgSendMail.h"
#include "mailings/ui/TdlgShowRecipients.h"
#include "mailings/ui/TdlgStaggerDelay.h"
#include "sending/TdmMailSend.h"
#include "sending/ui/TdlgSMTPSettings.h"
#include "store/SendListTable.h"
#include "store/SqlFilter.h"
#include "store/SqliteConnection.h"

#include <QMenu>
#include <QVBoxLayout>

namespace {

// The entries a choice holds before the table is built: the list's count, or the
// current view's.
qint64 estimateOf(Session& session, RecipientChoice choice, const QString& filter)
{
    if (choice == RecipientChoice::All || filter.isEmpty())
        return session.db.entryCount();
    try {
        const SqlFilter parsed = parseFilter(filter);
        Statement count(session.db.database().connection(), "SELECT count(*) FROM mailist WHERE " + parsed.where);
        count.bindAll(parsed.params);
        return count.step() ? count.integer64(0) : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

MailingMenu::MailingMenu(AppController& controller, QMenu& fileMenu, QWidget& window)
    : QObject(&window), controller_(controller), window_(window)
{
    QAction* send = fileMenu.addAction("Send E-mail to Mailing List...", this, [this] { btnsendClick(); });
    send->setObjectName("mkSendMail");
    QAction* schedule = fileMenu.addAction("Scheduled Mail Messages...", this, [this] { mkMailSchedClick(); });
    schedule->setObjectName("mkMailSched");
}

void MailingMenu::btnsendClick()
{
    Session& session = controller_.session();
    session.logs.debug("PrepareSendDialog", "Commence, createdmmailsend");
    session.CreatedmMailSend();
    controller_.newformpreparation(true);
    PrepareSendDialog();
    session.logs.debug("PrepareSendDialog", " Close NewFormPrep");
    controller_.newformpreparation(false);
    session.logs.debug("PrepareSendDialog", " End Proc");
}

void MailingMenu::PrepareSendDialog()
{
    Session& session = controller_.session();
    Settings& settings = session.settings;
    if (!session.db.isOpen())
        return;
    if (!AskDefaultSendMethod(settings, session.ui))
        return;
    const QString folder = session.db.resolvedFolder();
    SendListTable table(session.db.database().connection(), folder);
    if (!table.CreateSendMailTable(session.ui))
        return;
    session.logs.debug("PrepareSendDialog", "CreateForms");
    TdmMailSend& mailSend = session.CreatedmMailSend();
    TdlgStaggerDelay pause(session.ui, &window_);
    const MailingServices services{session.db.database().connection(), folder, settings, mailSend, session.ui, pause};
    SendDialogRun run(services, table);
    TdlgSendMail dialog({settings, session.logs, session.ui, [&] { return TdlgSMTPSettings::edit(&window_, session.ui, settings); }, controller_.hooks().showHelp},
                        &window_);
    const int tab = controller_.currentTab();
    SendRunPanel::View view;
    view.selectionAvailable = tab == SelectGroupsTab || tab == SearchTab || tab == OtherTab;
    view.description = controller_.GetModeEntriesText();
    view.modeString = ModeString{tab, controller_.entriesFilter()}.toString();
    view.filterExpression = controller_.entriesFilter();
    view.estimate = [&session, filter = view.filterExpression](RecipientChoice choice) {
        return estimateOf(session, choice, filter);
    };
    view.showHelp = controller_.hooks().showHelp;
    view.sendingOptions = [this, &dialog] { OptionsMenu::editOptions(controller_, &dialog, "Sending Mail"); };
    auto* panel = new SendRunPanel(dialog, run, services, settings, session.logs, view);
    dialog.runArea()->addWidget(panel);
    mailSend.showRecipients = [&] {
        // Mid-run: the table is being sent, so it offers no resend of its own.
        TdlgShowRecipients viewer(table, session.ui,
                                  {[&session](const QString& file) { return CheckOverwriteFile(session.ui, file); }, {}},
                                  &dialog);
        viewer.exec();
    };
    dialog.exec();
    mailSend.showRecipients = nullptr;
    session.logs.debug("PrepareSendDialog", " Free Forms");
    // A table that was sent or scheduled stays with its log record or schedule.
    table.FreeSendMailTable(!run.tableKept());
}

void MailingMenu::showRecipients(const QString& tableFile)
{
    Session& session = controller_.session();
    const QString folder = session.db.resolvedFolder();
    SendListTable table(session.db.database().connection(), folder);
    if (!table.CreateSendMailTable(session.ui, tableFile))
        return;
    TdlgStaggerDelay pause(session.ui, &window_);
    const MailingServices services{session.db.database().connection(), folder, session.settings,
                                   session.CreatedmMailSend(), session.ui, pause};
    TdlgShowRecipients::Hooks hooks{[&session](const QString& file) { return CheckOverwriteFile(session.ui, file); },
                                    [&] { ResendToRefused(services, table); }};
    TdlgShowRecipients viewer(table, session.ui, hooks, &window_);
    viewer.exec();
}

void MailingMenu::mkMailSchedClick()
{
    Session& session = controller_.session();
    if (!session.db.isOpen())
        return;
    controller_.newformpreparation(true);
    ScheduleTable schedules(session.db.database().connection());
    TdlgMailSchedule::run(&window_, {{session.ui, session.settings, session.logs, {}, controller_.hooks().showHelp},
                                     schedules,
                                     session.db.resolvedFolder(),
                                     [this](const QString& file) { showRecipients(file); },
                                     {}});
    controller_.newformpreparation(false);  // arms the timers again, for a schedule made due
}
