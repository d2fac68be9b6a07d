#include "mailings/ui/SendRunPanel.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "mailings/NewSchedule.h"
#include "mailings/RecipientCount.h"
#include "mailings/ScheduleSettings.h"
#include "mailings/ScheduleTable.h"
#include "mailings/SendRunQuestions.h"
#include "mailings/SendLogTable.h"
#include "mailings/ui/TdlgAddRecip.h"
#include "mailings/ui/TdlgScheduleSend.h"
#include "mailings/ui/TdlgSendMail.h"
#include "sending/FieldCodes.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"
#include "store/SendListTable.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, QLayout* layout, const QString& caption, const QString& name)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    layout->addWidget(b);
    return b;
}

}  // namespace

SendRunPanel::SendRunPanel(TdlgSendMail& dialog, SendDialogRun& run, MailingServices services, Settings& settings,
                           Logs& logs, View view)
    : QWidget(&dialog), dialog_(dialog), run_(run), services_(std::move(services)), settings_(settings), logs_(logs),
      view_(std::move(view))
{
    setObjectName("pnlSendRun");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    MessageComposition& composition = dialog_.composer().composition();
    TdlgAddRecip::Options options;
    options.relayServer = settings_.EmailMethod == 4;
    options.oneMessagePerRecipient = composition.RecipientsPerMessage == 1;
    options.selectionAvailable = view_.selectionAvailable;
    options.viewDescription = view_.description;
    options.fromMailFolder = view_.fromMailFolder;
    recipients_ = new TdlgAddRecip(services_.ui, options, this);
    if (!settings_.DefaultToAddress.isEmpty() && settings_.EmailMethod != 4)
        recipients_->addDefaultTo(settings_.DefaultToAddress);
    layout->addWidget(recipients_);

    auto* count = new QHBoxLayout;
    lblCount_ = new QLabel(this);
    lblCount_->setObjectName("lblRecipientCount");
    count->addWidget(lblCount_, 1);
    lnkCalculate_ = new QLabel("<a href=\"#\">Accurate Count</a>", this);
    lnkCalculate_->setObjectName("lnkCalculate");
    connect(lnkCalculate_, &QLabel::linkActivated, this, [this] { btnrecalcClick(); });
    count->addWidget(lnkCalculate_);
    layout->addLayout(count);
    for (auto [label, name] : {std::pair{&lblTo_, "lblTo"}, {&lblCC_, "lblCC"}, {&lblBCC_, "lblBCC"}}) {
        *label = new QLabel(this);
        (*label)->setObjectName(name);
        layout->addWidget(*label);
    }

    auto* buttons = new QHBoxLayout;
    connect(button(this, buttons, "Send Message!", "btnSend"), &QPushButton::clicked, this,
            [this] { btnSendClick(false); });
    connect(button(this, buttons, "Scheduled Send...", "btnSchedSend"), &QPushButton::clicked, this,
            [this] { btnSendClick(true); });
    connect(button(this, buttons, "Send Test Message", "btnSendTest"), &QPushButton::clicked, this,
            [this] { SendTestClick(); });
    QPushButton* sendingOptions = button(this, buttons, "Sending Options...", "btnSendingOptions");
    sendingOptions->setEnabled(bool(view_.sendingOptions));
    connect(sendingOptions, &QPushButton::clicked, this, &SendRunPanel::btnSendingOptionsClick);
    connect(button(this, buttons, "Cancel", "btnCancel"), &QPushButton::clicked, this, [this] {
        services_.mailSend.flags.CancelRequested = true;
        QApplication::beep();
    });
    buttons->addStretch(1);
    layout->addLayout(buttons);

    const auto changed = [this] {
        run_.invalidate();
        showCount(false);
    };
    connect(recipients_, &TdlgAddRecip::recipientsChanged, this, changed);
    connect(recipients_, &TdlgAddRecip::extrasChanged, this, [this] { showCount(run_.accurate()); });
    connect(&dialog_.composer(), &MessageComposer::personalised, this, changed);
    showCount(false);
}

RecipientSelection SendRunPanel::selection() const
{
    RecipientSelection chosen;
    chosen.kind = recipients_->choice();
    chosen.filterExpression = view_.filterExpression;
    chosen.viewDescription = view_.description;
    chosen.modeString = view_.modeString;
    chosen.customLines = recipients_->customLines();
    chosen.ignoreInvalid = recipients_->ignoreInvalid();
    return chosen;
}

void SendRunPanel::showCount(bool accurate)
{
    RecipientCountInput input;
    const RecipientChoice choice = recipients_->choice();
    input.number = accurate ? run_.recipientCount()
                   : choice == RecipientChoice::Custom ? recipients_->customLines().size()
                   : view_.estimate ? view_.estimate(choice)
                                    : 0;
    input.recipientsPerMessage = dialog_.composer().composition().RecipientsPerMessage;
    input.accurate = accurate;
    input.description = RecipientsDescription(choice, view_.description);
    input.extraTo = recipients_->extraTo();
    input.extraCC = recipients_->extraCC();
    input.relayServer = settings_.EmailMethod == 4;
    const RecipientCountTexts texts = ShowRecipientCount(input);
    lblCount_->setText(texts.countLine);
    lblTo_->setText("To: " + texts.to);
    lblCC_->setText("CC: " + texts.cc);
    lblBCC_->setText("BCC: " + texts.bcc);
    lnkCalculate_->setEnabled(!accurate);
}

void SendRunPanel::btnrecalcClick()
{
    const bool accurate = run_.btnrecalcClick(selection(), dialog_.composer().composition().MessageIsPersonalised);
    recipients_->setRejects(run_.rejects());
    showCount(accurate);
}

void SendRunPanel::btnSendingOptionsClick()
{
    view_.sendingOptions();
    MessageComposition& composition = dialog_.composer().composition();
    composition.takeRecipientsPerMessage();
    recipients_->setSendingMethod(settings_.EmailMethod == 4, composition.RecipientsPerMessage == 1);
    showCount(run_.accurate());
}

bool SendRunPanel::messageChecks(bool recompute)
{
    MessageComposer& composer = dialog_.composer();
    return composer.GetSalutationCheck(recompute) && composer.CheckSendingFormat();
}

RunMessage SendRunPanel::message()
{
    MessageComposer& composer = dialog_.composer();
    composer.composition().UseBodyAsIs = false;
    RunMessage m;
    m.subject = composer.subject();
    m.body = composer.GetMessageBody();
    m.html = composer.isHtml();
    if (m.html)
        m.plainAlternative = composer.plainText();
    m.attachments = composer.trueAttachments();
    m.personalised = composer.composition().MessageIsPersonalised || HasFieldCodes(m.subject) ||
                     HasFieldCodes(m.body);
    return m;
}

RunOptions SendRunPanel::options() const
{
    RunOptions o;
    o.method = settings_.EmailMethod;
    o.recipientsPerMessage = dialog_.composer().composition().RecipientsPerMessage;
    o.extraTo = recipients_->extraTo();
    o.extraCc = recipients_->extraCC();
    o.staggerDelay = settings_.StaggerDelay;
    return o;
}

void SendRunPanel::btnSendClick(bool scheduled)
{
    logs_.debug("btnSendClick", "Commence");
    if (!messageChecks(true))
        return;
    const RunMessage m = message();
    if (!ConfirmMessageContent(m.subject, m.body, services_.ui))
        return;
    SendLogRecord record;
    record.Subject = m.subject;
    record.Body = dialog_.composer().logBody();
    record.IsHTML = m.html;
    record.CustomHTML = dialog_.composer().composition().CustomHTMLLoaded;
    record.Attachments = m.attachments;
    if (scheduled) {
        if (run_.ensureAccurate(selection(), m.personalised))
            CheckSchedSend(m, record);
    } else if (run_.sendNow(m, record, options(), selection())) {
        dialog_.done(QDialog::Accepted);
    }
    logs_.debug("btnSendClick", "End");
}

void SendRunPanel::CheckSchedSend(const RunMessage& m, const SendLogRecord& logged)
{
    TdlgScheduleSend::Services services{services_.ui, settings_, logs_, {}, view_.showHelp};
    const std::optional<ScheduleSettings> chosen = TdlgScheduleSend::askNew(&dialog_, services);
    if (!chosen)
        return;
    SendLogRecord record = logged;
    const RecipientSelection chosenRecipients = selection();
    record.Recipients = chosenRecipients.description();
    record.RecipientString = chosenRecipients.kind == RecipientChoice::Custom ? QString() : chosenRecipients.modeString;
    MailingRun log(services_.connection, services_.databaseFolder, services_.settings, services_.mailSend,
                   services_.ui, services_.pause);
    const SendListTable& table = run_.table();
    const qint64 logIndex = log.SaveEmailToSendLog(record, table);
    // A schedule's batches are followed by its own status, not by the log record.
    if (logIndex > 0)
        SendLogTable(services_.connection).setRun(logIndex, SendListTable::numberOf(table.fileName()), false);
    ScheduleRow row;
    row.Subject = m.subject;
    row.Body = m.body;
    row.HTML = m.html;
    row.Customized = m.personalised;
    row.Attachments = m.attachments.join("\r\n");
    row.SendType = settings_.EmailMethod;
    row.RecipientTotal = int(table.count());
    row.SendTableFile = table.fileName();
    ScheduleTable schedules(services_.connection);
    if (!StoreNewSchedule(schedules, row, *chosen, QDateTime::currentDateTime(), services_.ui))
        return;
    // The images and temporary files are the schedule's now.
    dialog_.composer().composition().lbxDeleteFiles.clear();
    run_.keepTable();
    dialog_.done(QDialog::Accepted);
}

void SendRunPanel::SendTestClick()
{
    services_.mailSend.flags.HideSendErrors = false;
    if (!messageChecks(true))
        return;
    run_.SendTestClick(message(), options());
}
