#pragma once

#include <QDateTime>
#include <optional>

struct ScheduleRow;

// How one batch of a schedule ended, as the send run saw it.
struct ScheduleBatchOutcome {
    bool cancelled = false;  // the user cancelled the run
    bool succeeded = false;  // the run ended normally
    // Recipients handed over in this batch, when the run counted them.
    std::optional<int> handedOver;
    // Whether the recipient table's last row in address order is marked Sent.
    bool lastRowSent = false;
};

// The row after the batch: Cancelled; or Completed with every recipient counted
// and NextSend at the "all sent" marker; or Processing with the next batch due
// Frequency minutes from now (at the "by hand" marker without a Frequency).
// The batch counts the recipients it handed over when they are given, else the
// batch size once it succeeded.
ScheduleRow FinishScheduleBatch(const ScheduleRow& row, const ScheduleBatchOutcome& outcome,
                                const QDateTime& now);
