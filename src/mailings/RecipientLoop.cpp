#include "mailings/RecipientLoop.h"

#include "base/MachineBoot.h"
#include "base/Ui.h"
#include "mailings/StaggerPause.h"
#include "sending/FieldCodes.h"
#include "sending/TdmMailSend.h"
#include "store/Database.h"
#include "store/SendListTable.h"

#include <QElapsedTimer>
#include <QHash>
#include <algorithm>

namespace {

constexpr int kMostMessagesReserved = 10000;
const QString kNotHandedOver = QStringLiteral("The send method did not take the message");

QStringList itemsOf(const QList<SendListRow>& rows)
{
    QStringList items;
    items.reserve(rows.size());
    for (const SendListRow& row : rows)
        items << row.Item;
    return items;
}

// Methods that hand the message to an SMTP server of their own and so can lose it.
bool throughSmtp(int method) { return method >= 1 && method <= 3; }

}  // namespace

// The rows reserved and not yet handed over, and how many messages the next
// reservation should cover to last about a second.
struct RecipientLoop::Batch {
    QList<SendListRow> queue;
    QString lastItem;
    bool exhausted = false;
    int messagesPerReservation = 1;
    qint64 sentSinceReservation = 0;
    QElapsedTimer sinceReservation;
};

RecipientLoop::RecipientLoop(SendListTable& table, TdmMailSend& mailSend, const Settings& settings, Ui& ui,
                             StaggerPause& pause)
    : table_(table), mailSend_(mailSend), settings_(settings), ui_(ui), pause_(pause)
{
}

void RecipientLoop::commitOutcomes(const std::function<void()>& change, bool synced)
{
    if (synced)
        table_.setSyncedCommits(true);
    Transaction transaction(table_.connection(), Transaction::Lock::Deferred);
    if (!unrecorded_.isEmpty()) {
        for (const auto& [item, outcome] : std::as_const(unrecorded_))
            table_.setOutcome({item}, outcome);
        table_.setRunValue(QStringLiteral("handled"), QString::number(handledTotal_));
    }
    change();
    transaction.commit();
    unrecorded_.clear();
    if (synced)
        table_.setSyncedCommits(false);
}

bool RecipientLoop::reserveMore(Batch& batch, const RunOptions& options, qint64 remaining)
{
    if (batch.exhausted)
        return false;
    if (batch.sinceReservation.isValid() && batch.sentSinceReservation > 0 && options.staggerDelay < 1) {
        const double seconds = std::max<qint64>(1, batch.sinceReservation.elapsed()) / 1000.0;
        const double perSecond = double(batch.sentSinceReservation) / seconds;
        batch.messagesPerReservation = std::clamp(int(perSecond), 1, kMostMessagesReserved);
    }
    qint64 wanted = qint64(batch.messagesPerReservation) * options.recipientsPerMessage;
    if (remaining >= 0)
        wanted = std::min(wanted, remaining - batch.queue.size());
    if (wanted <= 0)
        return false;
    const auto rows = options.limit >= 1 ? SendListTable::Rows::UnsentPending : SendListTable::Rows::Pending;
    const QList<SendListRow> found = table_.rowsAfter(batch.lastItem, int(wanted), rows);
    if (found.isEmpty()) {
        batch.exhausted = true;
        return false;
    }
    batch.lastItem = found.constLast().Item;
    commitOutcomes(
        [&] {
            table_.setOutcome(itemsOf(found), SendOutcome::of(SendState::Reserved));
            table_.setRunValue(QStringLiteral("boot"), machineBootId());
        },
        true);
    batch.queue += found;
    batch.sentSinceReservation = 0;
    batch.sinceReservation.start();
    return true;
}

RunResult RecipientLoop::SendMailToDB(const RunMessage& message, const RunOptions& options)
{
    SendFlags& flags = mailSend_.flags;
    flags.CancelRequested = false;
    handledTotal_ = table_.runValue(QStringLiteral("handled")).toLongLong();
    const bool limited = options.limit >= 1;
    qint64 count = 0;
    if (limited) {
        count = std::max<qint64>(0, options.limit - handledTotal_);
    } else {
        table_.walk([&](const SendListRow&) { return ++count, true; }, SendListTable::Rows::Pending);
    }
    mailSend_.AddToSendLog("Commencing Batch Send to " + QString::number(count) + " recipients", true);
    table_.setSyncedCommits(false);
    const bool smtp = options.method == 3;
    if (smtp) {
        const SmtpResult connected = mailSend_.SMTPConnect();
        if (!connected.ok) {
            ui_.hideProgress();
            mailSend_.AddToSendLog("SMTP Connection Error: " + connected.error, true);
            ui_.inform("An error was encountered connecting to your SMTP Server: \r\n\r\n" + connected.error);
            table_.setSyncedCommits(true);
            return {RunEnd::NotConnected, 0, connected.error};
        }
    }
    ui_.showProgress(QStringLiteral("Sending e-mail to "), int(std::min<qint64>(count, INT_MAX)), true);

    RunResult result;
    Batch batch;
    const int perMessage = std::max(1, options.recipientsPerMessage);
    bool first = true;
    bool skipDelays = false;
    while (!limited || result.handled < count) {
        const qint64 left = limited ? count - result.handled : -1;
        if (batch.queue.size() < perMessage)
            reserveMore(batch, options, left);
        if (batch.queue.isEmpty())
            break;
        if (stopRequested && stopRequested()) {
            result.end = RunEnd::Interrupted;
            break;
        }
        const QList<SendListRow> rows = batch.queue.mid(0, limited ? int(std::min<qint64>(perMessage, left)) : perMessage);
        if (!first && options.staggerDelay >= 1 && !skipDelays) {
            // The pause comes before a recipient already chosen: a cancel in it still
            // lets this message go and stops the run after it.
            commitOutcomes([] {}, false);
            const StaggerPause::Result waited = pause_.pause(options.staggerDelay);
            skipDelays = waited == StaggerPause::Result::SkipAll;
            if (waited == StaggerPause::Result::Cancel)
                flags.CancelRequested = true;
        }
        first = false;
        ui_.setProgressText("Sending e-mail to " + rows.constFirst().Item);
        ui_.setProgress(int(std::min<qint64>(result.handled + 1, INT_MAX)));
        QString error;
        if (!handOver(rows, message, options, error)) {
            batch.queue.remove(0, rows.size());  // their outcome is recorded: waiting or uncertain
            result.end = RunEnd::Interrupted;
            result.error = error;
            break;
        }
        batch.queue.remove(0, rows.size());
        result.handled += rows.size();
        ++batch.sentSinceReservation;
        ui_.processEvents();
        if (ui_.cancelRequested())
            flags.CancelRequested = true;
        if (flags.CancelRequested) {
            result.end = RunEnd::Cancelled;
            break;
        }
    }
    // The cancel meets the next recipient due, which may not be reserved yet.
    if (result.end == RunEnd::Cancelled && batch.queue.isEmpty() && (!limited || result.handled < count))
        reserveMore(batch, options, limited ? count - result.handled : -1);
    release(batch.queue, result.end == RunEnd::Cancelled);
    if (smtp)
        mailSend_.SMTPDisconnect();
    mailSend_.AddToSendLog("Send to " + QString::number(result.handled) + " recipients has been completed");
    ui_.hideProgress();
    table_.setSyncedCommits(true);
    return result;
}

void RecipientLoop::release(const QList<SendListRow>& rows, bool cancelled)
{
    // The rows the cancel met are cancelled; those reserved beyond them wait again.
    // Synced: the run's last outcomes go to the disk with it.
    const qsizetype current = cancelled ? 1 : 0;
    commitOutcomes(
        [&] {
            table_.setOutcome(itemsOf(rows.mid(0, current)), SendOutcome::of(SendState::Cancelled));
            table_.setOutcome(itemsOf(rows.mid(current)), SendOutcome::of(SendState::Waiting));
        },
        true);
}

bool RecipientLoop::handOver(const QList<SendListRow>& rows, const RunMessage& message, const RunOptions& options,
                             QString& error)
{
    const QStringList items = itemsOf(rows);
    commitOutcomes([&] { table_.setOutcome(items, SendOutcome::of(SendState::InFlight)); }, false);
    if (sendOnce(rows, message, options))
        return true;
    // The connection broke before the server could have the message: one more try
    // on a new connection, then the run stops where it can be resumed.
    const SmtpResult lost = mailSend_.lastSmtpResult();
    if (options.method == 3 && mailSend_.SMTPConnect().ok && sendOnce(rows, message, options))
        return true;
    const bool uncertain = mailSend_.lastSmtpResult().textInvited || lost.textInvited;
    commitOutcomes([&] { table_.setOutcome(items, SendOutcome::of(uncertain ? SendState::Uncertain : SendState::Waiting)); },
                   true);
    error = mailSend_.lastSmtpResult().error.isEmpty() ? lost.error : mailSend_.lastSmtpResult().error;
    return false;
}

// False only when the connection was lost; every other end is recorded.
bool RecipientLoop::sendOnce(const QList<SendListRow>& rows, const RunMessage& message, const RunOptions& options)
{
    SendByMethodCall call;
    call.personalise = true;
    call.cc = options.extraCc;
    call.plainAlternative = message.plainAlternative;
    call.subject = message.subject;
    call.body = message.body;
    if (options.recipientsPerMessage == 1) {
        const SendListRow& row = rows.constFirst();
        call.to = {row.Item};
        if (message.personalised) {
            const FieldValues values{row.Name, row.Salutation, row.Surname, row.Company, row.Item};
            call.subject = ReplaceFieldCodes(message.subject, values, settings_);
            call.body = ReplaceFieldCodes(message.body, values, settings_);
            call.plainAlternative = ReplaceFieldCodes(message.plainAlternative, values, settings_);
        }
    } else {
        call.to = options.extraTo;
        call.bcc = itemsOf(rows);
    }
    call.bodyIsHtml = message.html;
    call.attachments = message.attachments;
    call.showErrors = true;
    call.method = options.method;
    call.connectForThisMessage = options.method != 3;
    const bool ok = mailSend_.SendByMethod(call);
    const SmtpResult& smtp = mailSend_.lastSmtpResult();
    if (!ok && throughSmtp(options.method) && smtp.connectionLost())
        return false;
    QHash<QString, SmtpRefusal> refusals;
    for (const SmtpRefusal& refusal : smtp.refused)
        refusals.insert(refusal.address.toLower(), refusal);
    for (const SendListRow& row : rows) {
        const auto refusal = refusals.constFind(row.Item.toLower());
        SendOutcome outcome = SendOutcome::of(SendState::Accepted);
        if (refusal != refusals.constEnd())
            outcome = SendOutcome::refused(refusal->code, refusal->reply);
        else if (!ok)
            outcome = SendOutcome::refused(smtp.code, smtp.code ? smtp.reply : kNotHandedOver);
        unrecorded_.append({row.Item, outcome});
    }
    handledTotal_ += rows.size();
    return true;
}
