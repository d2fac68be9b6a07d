#pragma once

#include "mailings/RecipientLoop.h"
#include "mailings/SendLogTable.h"
#include "store/SendListTable.h"

#include <QDateTime>
#include <functional>
#include <optional>

class SqliteConnection;
class StaggerPause;
class TdmMailSend;
class Ui;
struct Settings;

// What a run came to, over all its resumes.
struct RunSummary {
    bool started = false;  // false: locked by another copy, or no table
    RunEnd end = RunEnd::Completed;
    SendListTally tally;
    qint64 recipients = 0;  // rows of the recipient table
    QString error;
};

// A run that stopped before its end, as the next start offers to resume it.
struct InterruptedRun {
    qint64 logIndex = 0;
    qint64 recipients = 0;
    QDate date;
};

// One mailing to a recipient table: saved to the send log before it begins, with
// its message and parameters in the table's own notes, so that after a kill, a
// power cut, a lost connection or a cancel it can be resumed from its outcomes.
class MailingRun {
public:
    MailingRun(SqliteConnection& connection, const QString& databaseFolder, const Settings& settings,
               TdmMailSend& mailSend, Ui& ui, StaggerPause& pause);

    std::function<bool()> stopRequested;

    // SaveEmailToSendLog: appends the record, naming the table; 0 when it could not
    // be written (after "An error was encounterd saving your message to the log: ").
    qint64 SaveEmailToSendLog(SendLogRecord record, const SendListTable& table);
    // Notes the run before its table is built from the entries through the filter
    // expression, so that a run killed meanwhile builds it again.
    void prepare(SendListTable& table, qint64 logIndex, const RunMessage& message, const RunOptions& options,
                 const QString& filterExpression);
    // Sends to the table's rows; the caller holds the folder's send lock.
    RunSummary send(SendListTable& table, qint64 logIndex, const RunMessage& message, const RunOptions& options);

    // The newest run of the send log that did not end.
    std::optional<InterruptedRun> interrupted() const;
    // Resumes it; the caller holds the send lock. Not started when there is none
    // ("There is no interrupted mailing to resume." is the caller's to say).
    RunSummary resume();
    // Resumes the run of an open table (a send-log run's or a schedule's batch).
    RunSummary resumeTable(SendListTable& table, qint64 logIndex);
    // "Resend to Refused": a new run, with a table and a send-log record of its own,
    // over the rows of a run's table that the server refused, with that run's message
    // and parameters. The caller holds the send lock. Not started when none was refused.
    RunSummary resendToRefused(const SendListTable& source);
    // Whether the table's run was stopped while it sent (or built its table).
    static bool stoppedMidway(const SendListTable& table);

    // At a start: "A mailing to N recipients was interrupted on DATE. Do you want to
    // resume it now?" and the resume on Yes (No keeps it for later). Quiet when none
    // is interrupted or another copy is sending. True when one was resumed.
    bool offerResume();

    // The message and parameters the run noted in its table.
    static std::pair<RunMessage, RunOptions> parametersOf(const SendListTable& table);

    // "recipients: accepted A, refused R, uncertain U, not sent W".
    static QString tallyLine(const SendListTally& tally);

private:
    void saveParameters(SendListTable& table, qint64 logIndex, const RunMessage& message, const RunOptions& options,
                        const QString& phase);
    RunSummary run(SendListTable& table, qint64 logIndex, const RunMessage& message, const RunOptions& options);

    SqliteConnection& db_;
    QString folder_;
    const Settings& settings_;
    TdmMailSend& mailSend_;
    Ui& ui_;
    StaggerPause& pause_;
    SendLogTable log_;
};
