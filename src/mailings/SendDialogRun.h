#pragma once

#include "mailings/MailingRun.h"
#include "mailings/MailingServices.h"
#include "mailings/RecipientChoice.h"

#include <QStringList>

// The recipients chosen in the "Message Recipients" panel.
struct RecipientSelection {
    RecipientChoice kind = RecipientChoice::All;
    QString filterExpression;  // the current view's, for Selection
    QString viewDescription;   // GetModeEntriesText, for Selection
    QString modeString;        // CurrentMode, for Selection
    QStringList customLines;
    bool ignoreInvalid = false;

    QString description() const { return RecipientsDescription(kind, viewDescription); }
};

// The send dialog's work below its widgets: the recipient table kept in step with
// the choice ("Accurate Count"), the immediate send with its result message, and
// the test message.
class SendDialogRun {
public:
    using Services = MailingServices;

    SendDialogRun(Services services, SendListTable& table);

    // btnrecalcClick / ProcessManual; true when the table now matches the choice.
    bool btnrecalcClick(const RecipientSelection& selection, bool personalised);
    // Rebuilds a stale table; false, after "Your message could not be sent because
    // your unique recipient list was not generated successfully!", when it fails.
    bool ensureAccurate(const RecipientSelection& selection, bool personalised);
    // The choice changed: the table must be built again before sending.
    void invalidate() { accurate_ = false; }
    bool accurate() const { return accurate_; }
    qint64 recipientCount() const;
    const QStringList& rejects() const { return rejects_; }
    const SendListTable& table() const { return table_; }
    // The table outlives the dialog: a message was sent or scheduled with it.
    void keepTable() { keepTable_ = true; }
    bool tableKept() const { return keepTable_; }

    // "Send Message!" after the message checks: rebuilds a stale table, saves the
    // message to the send log and sends (CommenceSending). True when the dialog
    // should close; the result message has then been shown.
    bool sendNow(const RunMessage& message, SendLogRecord record, const RunOptions& options,
                 const RecipientSelection& selection);
    // CommenceSending without the log record (a schedule's batch, a resend already logged).
    RunSummary CommenceSending(qint64 logIndex, const RunMessage& message, const RunOptions& options);

    // SendTestClick after the message checks: for the SMTP methods the address is
    // asked for; the message goes out with the test values and no table.
    void SendTestClick(const RunMessage& message, const RunOptions& options);

    // The information box after a send; notes are the rejected-address and log lines.
    static QString resultMessage(int method, qint64 recipients, const QString& notes);

private:
    // Rejects.txt for the addresses the typed list turned down, and the result
    // message's notes about it and the send log.
    QString resultNotes() const;

    Services s_;
    SendListTable& table_;
    bool accurate_ = false;
    bool keepTable_ = false;
    QStringList rejects_;
};
