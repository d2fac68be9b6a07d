#include "mailings/ScheduledSending.h"

#include "base/Ui.h"
#include "mailings/MailingRun.h"
#include "mailings/ScheduleBatch.h"
#include "mailings/ScheduleTable.h"
#include "mailings/ScheduledSendDelta.h"
#include "mailings/SendRunQuestions.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kBatchError = QStringLiteral("An error was encountered sending your scheduled messages: \r\n");

}  // namespace

bool SendScheduledMessage(const ScheduleServices& s, ScheduleTable& schedules, int index, const QDateTime& now)
{
    std::optional<ScheduleRow> row = schedules.read(index);
    if (!row)
        return false;
    BusyCursor busy(s.ui);
    s.mailSend.flags.CancelRequested = false;
    row->Status = ScheduleStatus::ErrorEncountered;
    schedules.update(*row);
    SendListTable table(s.connection, s.databaseFolder);
    if (!table.CreateSendMailTable(s.ui, QFileInfo(row->SendTableFile).fileName()))
        return false;
    if (table.count() == 0) {
        s.ui.warn(kBatchError + QStringLiteral("Send List is Empty"));
        return false;
    }
    MailingRun run(s.connection, s.databaseFolder, s.settings, s.mailSend, s.ui, s.pause);
    RunSummary summary;
    if (MailingRun::stoppedMidway(table)) {
        summary = run.resumeTable(table, 0);
    } else {
        const std::optional<QStringList> attachments = AttachmentsToSend(
            row->Attachments.split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts), s.ui);
        if (!attachments)
            return false;
        RunMessage message;
        message.subject = row->Subject;
        message.body = row->Body;
        message.html = row->HTML;
        message.attachments = *attachments;
        message.personalised = row->Customized;
        RunOptions options;
        options.method = row->SendType;
        options.recipientsPerMessage = std::max(1, s.settings.MessageRecipientCount);
        options.limit = row->SendCount > 0 ? row->SendCount : -1;
        options.staggerDelay = s.settings.StaggerDelay;
        if (!s.settings.DefaultToAddress.isEmpty() && options.method != 4)
            options.extraTo = {s.settings.DefaultToAddress};
        summary = run.send(table, 0, message, options);
    }
    if (!summary.started || summary.end == RunEnd::NotConnected || summary.end == RunEnd::Interrupted)
        return false;  // status 9 stays: the batch is resumed or restarted from the viewer
    ScheduleBatchOutcome outcome;
    outcome.cancelled = summary.end == RunEnd::Cancelled;
    outcome.succeeded = summary.end == RunEnd::Completed;
    outcome.handedOver = table.runValue(QStringLiteral("handled")).toInt();
    const std::optional<SendListRow> last = table.lastRow();
    outcome.lastRowSent = last && last->Sent;
    schedules.update(FinishScheduleBatch(*row, outcome, now));
    return true;
}

int SendDueSchedules(const ScheduleServices& s, ScheduleTable& schedules)
{
    int sent = 0;
    for (const ScheduleRow& row : schedules.rows()) {
        if (row.Status != ScheduleStatus::ErrorEncountered || row.SendTableFile.isEmpty())
            continue;
        SendListTable table(s.connection, s.databaseFolder);
        const bool midway = table.CreateSendMailTable(s.ui, QFileInfo(row.SendTableFile).fileName()) &&
                            MailingRun::stoppedMidway(table);
        table.FreeSendMailTable(false);
        if (midway && SendScheduledMessage(s, schedules, row.Index, QDateTime::currentDateTime()))
            ++sent;
    }
    // Each batch moves its schedule on, so the loop ends when none is due any more.
    for (;;) {
        const ScheduleDelta delta = ScheduledSendDelta(schedules, QDateTime::currentDateTime());
        if (delta.milliseconds != 250 || !delta.dueIndex)
            return sent;
        if (!SendScheduledMessage(s, schedules, *delta.dueIndex, QDateTime::currentDateTime()))
            return sent;
        ++sent;
    }
}
