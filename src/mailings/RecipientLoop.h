#pragma once

#include "store/SendOutcome.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class SendListTable;
class StaggerPause;
class TdmMailSend;
class Ui;
struct Settings;
struct SendListRow;

// The message of a run as it is handed over, field codes unreplaced.
struct RunMessage {
    QString subject;
    QString body;              // HTML when html, else plain text
    QString plainAlternative;  // beside an HTML body
    bool html = false;
    QStringList attachments;
    bool personalised = false;  // MessageIsPersonalised
};

struct RunOptions {
    int method = 3;
    int recipientsPerMessage = 1;  // 1: each recipient alone on the To line
    qint64 limit = -1;             // 1 or more: at most that many rows not yet marked Sent
    QStringList extraTo;
    QStringList extraCc;
    int staggerDelay = 0;  // seconds before every message but the first
};

enum class RunEnd {
    Completed,       // every row due was handled (or the limit reached)
    Cancelled,       // the person cancelled; the run can be resumed
    Interrupted,     // the connection was lost or the program was asked to stop; resumable
    NotConnected,    // the SMTP server could not be reached: nothing was sent
};

struct RunResult {
    RunEnd end = RunEnd::Completed;
    qint64 handled = 0;  // rows handed over by this call
    QString error;       // for NotConnected and Interrupted
};

// SendMailToDB: walks the recipient table in address order, one message at a time
// over one SMTP connection, and records each row's outcome. The rows due within
// the next second are marked reserved in one synced commit before any of them is
// sent; each hand-over is marked in flight and then given its outcome in commits
// that are not synced, which a killed process keeps and only a machine stop can
// lose. So a kill leaves at most the one message in flight uncertain, a power cut
// at most the last second's.
class RecipientLoop {
public:
    RecipientLoop(SendListTable& table, TdmMailSend& mailSend, const Settings& settings, Ui& ui,
                  StaggerPause& pause);

    // Asked every message: true stops the run as interrupted (SIGTERM, a closing program).
    std::function<bool()> stopRequested;

    RunResult SendMailToDB(const RunMessage& message, const RunOptions& options);

private:
    struct Batch;
    bool reserveMore(Batch& batch, const RunOptions& options, qint64 remaining);
    bool handOver(const QList<SendListRow>& rows, const RunMessage& message, const RunOptions& options,
                  QString& error);
    bool sendOnce(const QList<SendListRow>& rows, const RunMessage& message, const RunOptions& options);
    void release(const QList<SendListRow>& rows, bool cancelled);
    // Every commit first records the outcomes not yet written, so one commit per
    // message carries the last message's outcome and the next one's in-flight mark.
    void commitOutcomes(const std::function<void()>& change, bool synced);

    SendListTable& table_;
    TdmMailSend& mailSend_;
    const Settings& settings_;
    Ui& ui_;
    StaggerPause& pause_;
    qint64 handledTotal_ = 0;
    QList<std::pair<QString, SendOutcome>> unrecorded_;
};
