#include "mailings/MailingRun.h"

#include "base/MachineBoot.h"
#include "base/Ui.h"
#include "mailings/RecipientTableBuilder.h"
#include "mailings/SendRunLock.h"
#include "sending/TdmMailSend.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/StoreError.h"

#include <QLocale>

namespace {

// The table's notes: what the run sends and how, and how far it got.
namespace Note {
const QString phase = QStringLiteral("phase");  // "building", "sending", "ended"
const QString log = QStringLiteral("log");
const QString filter = QStringLiteral("filter");
const QString subject = QStringLiteral("subject");
const QString body = QStringLiteral("body");
const QString plain = QStringLiteral("plain");
const QString html = QStringLiteral("html");
const QString attachments = QStringLiteral("attachments");
const QString personalised = QStringLiteral("personalised");
const QString method = QStringLiteral("method");
const QString perMessage = QStringLiteral("perMessage");
const QString limit = QStringLiteral("limit");
const QString to = QStringLiteral("to");
const QString cc = QStringLiteral("cc");
const QString stagger = QStringLiteral("stagger");
const QString boot = QStringLiteral("boot");
}  // namespace Note

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
QStringList lines(const QString& text) { return text.split('\n', Qt::SkipEmptyParts); }

}  // namespace

MailingRun::MailingRun(SqliteConnection& connection, const QString& databaseFolder, const Settings& settings,
                       TdmMailSend& mailSend, Ui& ui, StaggerPause& pause)
    : db_(connection), folder_(databaseFolder), settings_(settings), mailSend_(mailSend), ui_(ui), pause_(pause),
      log_(connection)
{
}

qint64 MailingRun::SaveEmailToSendLog(SendLogRecord record, const SendListTable& table)
{
    record.Date = QDate::currentDate();
    record.RecipientCount = table.count();
    record.sendListNumber = SendListTable::numberOf(table.fileName());
    record.runOpen = true;
    try {
        return log_.append(record);
    } catch (const StoreError& error) {
        ui_.warn("An error was encounterd saving your message to the log: " + error.text());
        return 0;
    }
}

void MailingRun::prepare(SendListTable& table, qint64 logIndex, const RunMessage& message, const RunOptions& options,
                         const QString& filterExpression)
{
    table.setRunValue(Note::filter, filterExpression);
    saveParameters(table, logIndex, message, options, QStringLiteral("building"));
}

void MailingRun::saveParameters(SendListTable& table, qint64 logIndex, const RunMessage& message,
                                const RunOptions& options, const QString& phase)
{
    Transaction transaction(db_);
    table.setRunValue(Note::log, QString::number(logIndex));
    table.setRunValue(Note::subject, message.subject);
    table.setRunValue(Note::body, message.body);
    table.setRunValue(Note::plain, message.plainAlternative);
    table.setRunValue(Note::html, flag(message.html));
    table.setRunValue(Note::attachments, message.attachments.join('\n'));
    table.setRunValue(Note::personalised, flag(message.personalised));
    table.setRunValue(Note::method, QString::number(options.method));
    table.setRunValue(Note::perMessage, QString::number(options.recipientsPerMessage));
    table.setRunValue(Note::limit, QString::number(options.limit));
    table.setRunValue(Note::to, options.extraTo.join('\n'));
    table.setRunValue(Note::cc, options.extraCc.join('\n'));
    table.setRunValue(Note::stagger, QString::number(options.staggerDelay));
    table.setRunValue(Note::phase, phase);
    if (options.limit < 1)
        table.resetOutcomes();
    table.setRunValue(QStringLiteral("handled"), QStringLiteral("0"));
    transaction.commit();
}

RunSummary MailingRun::send(SendListTable& table, qint64 logIndex, const RunMessage& message, const RunOptions& options)
{
    saveParameters(table, logIndex, message, options, QStringLiteral("sending"));
    if (logIndex > 0)
        log_.setRecipientCount(logIndex, table.count());
    return run(table, logIndex, message, options);
}

RunSummary MailingRun::run(SendListTable& table, qint64 logIndex, const RunMessage& message, const RunOptions& options)
{
    RecipientLoop loop(table, mailSend_, settings_, ui_, pause_);
    loop.stopRequested = stopRequested;
    const RunResult result = loop.SendMailToDB(message, options);
    RunSummary summary;
    summary.started = true;
    summary.end = result.end;
    summary.error = result.error;
    if (result.end == RunEnd::Completed) {
        table.setRunValue(Note::phase, QStringLiteral("ended"));
        if (logIndex > 0)
            log_.setRun(logIndex, SendListTable::numberOf(table.fileName()), false);
    }
    summary.tally = table.tally();
    summary.recipients = table.count();
    return summary;
}

std::optional<InterruptedRun> MailingRun::interrupted() const
{
    const std::optional<SendLogRecord> record = log_.latestOpenRun();
    if (!record)
        return std::nullopt;
    return InterruptedRun{record->Index, record->RecipientCount, record->Date};
}

RunSummary MailingRun::resume()
{
    const std::optional<SendLogRecord> record = log_.latestOpenRun();
    if (!record)
        return {};
    SendListTable table(db_, folder_);
    if (!table.CreateSendMailTable(ui_, SendListTable::fileNameOf(record->sendListNumber))) {
        // Its table is gone: nothing can be resumed, so the record stops asking.
        log_.setRun(record->Index, record->sendListNumber, false);
        return {};
    }
    return resumeTable(table, record->Index);
}

bool MailingRun::stoppedMidway(const SendListTable& table)
{
    const QString phase = table.runValue(Note::phase);
    return phase == QLatin1String("sending") || phase == QLatin1String("building");
}

std::pair<RunMessage, RunOptions> MailingRun::parametersOf(const SendListTable& table)
{
    RunMessage message;
    message.subject = table.runValue(Note::subject);
    message.body = table.runValue(Note::body);
    message.plainAlternative = table.runValue(Note::plain);
    message.html = table.runValue(Note::html) == QLatin1String("1");
    message.attachments = lines(table.runValue(Note::attachments));
    message.personalised = table.runValue(Note::personalised) == QLatin1String("1");
    RunOptions options;
    options.method = table.runValue(Note::method).toInt();
    options.recipientsPerMessage = std::max(1, table.runValue(Note::perMessage).toInt());
    options.limit = table.runValue(Note::limit).toLongLong();
    options.extraTo = lines(table.runValue(Note::to));
    options.extraCc = lines(table.runValue(Note::cc));
    options.staggerDelay = table.runValue(Note::stagger).toInt();
    return {message, options};
}

RunSummary MailingRun::resendToRefused(const SendListTable& source)
{
    SendListTable fresh(db_, folder_);
    if (!fresh.CreateSendMailTable(ui_))
        return {};
    {
        Transaction transaction(db_, Transaction::Lock::Deferred);
        source.walk(
            [&](const SendListRow& row) {
                SendListRow again = row;
                again.Sent = false;
                again.outcome = {};
                fresh.insertOrIgnore(again);
                return true;
            },
            SendListTable::Rows::Refused);
        transaction.commit();
    }
    if (fresh.count() == 0) {
        fresh.FreeSendMailTable(true);
        return {};
    }
    const auto [message, options] = parametersOf(source);
    // A schedule's batch has no record of its own to copy: its notes give the message.
    SendLogRecord record = log_.read(source.runValue(Note::log).toLongLong()).value_or(SendLogRecord{});
    if (record.Index == 0) {
        record.Subject = message.subject;
        record.Body = message.body;
        record.IsHTML = message.html;
        record.Attachments = message.attachments;
    }
    // Another set of recipients than the first run's: no view to restore on a resend.
    record.Recipients = QStringLiteral("Refused Recipients");
    record.RecipientString.clear();
    const qint64 logIndex = SaveEmailToSendLog(record, fresh);
    return send(fresh, logIndex, message, options);
}

RunSummary MailingRun::resumeTable(SendListTable& table, qint64 logIndex)
{
    // The notes were written on this start of the machine: every write reached the
    // system's cache, which only a machine stop loses.
    table.settleAfterStop(!machineBootId().isEmpty() && table.runValue(Note::boot) == machineBootId());
    const auto [message, options] = parametersOf(table);
    if (table.runValue(Note::phase) == QLatin1String("building")) {
        RecipientTableBuilder builder(table, settings_, ui_, mailSend_.flags);
        const QString filter = table.runValue(Note::filter);
        try {
            if (!builder.fromEntries(parseFilter(filter), message.personalised))
                return {};
        } catch (const FilterError& error) {
            ui_.warn(QString::fromUtf8(error.what()));
            return {};
        }
        return send(table, logIndex, message, options);
    }
    return run(table, logIndex, message, options);
}

bool MailingRun::offerResume()
{
    const std::optional<InterruptedRun> pending = interrupted();
    if (!pending)
        return false;
    SendRunLock lock(folder_);
    if (!lock.tryAcquire())
        return false;  // not interrupted: another copy is sending it now
    if (!ui_.askYesNo(QStringLiteral("A mailing to %1 recipients was interrupted on %2. Do you want to resume it now?")
                          .arg(pending->recipients)
                          .arg(QLocale().toString(pending->date, QLocale::ShortFormat))))
        return false;
    const RunSummary summary = resume();
    if (summary.started)
        ui_.inform(QStringLiteral("The mailing to %1 recipients has %2: %3.")
                       .arg(summary.recipients)
                       .arg(summary.end == RunEnd::Completed ? QStringLiteral("ended") : QStringLiteral("stopped again"))
                       .arg(tallyLine(summary.tally)));
    return summary.started;
}

QString MailingRun::tallyLine(const SendListTally& tally)
{
    return QStringLiteral("recipients: accepted %1, refused %2, uncertain %3, not sent %4")
        .arg(tally.accepted)
        .arg(tally.refused)
        .arg(tally.uncertain)
        .arg(tally.notSent);
}
