#pragma once

#include "store/StatisticsRecorder.h"

#include <QString>
#include <functional>

struct Settings;
class Logs;
class Ui;
class TdmML;
class EntriesTable;

// Sends the acknowledgement of a request: the address, the outcome sentence and
// whether it answers a subscription (else a removal). Left empty, nothing is sent.
using AcknowledgementFn =
    std::function<void(const QString& address, const QString& resultText, bool subscribe)>;

// The list's entry count and the statistics counters at one moment: what a
// request puts back when the transaction it counted in is rolled back.
struct ListCounts {
    qint64 entries = 0;
    StatisticsCounters statistics;
};

// What the list rules work with: the options, the logs, the person at the screen,
// the open database session and its statistics, and the acknowledgement sender.
struct ListContext {
    Settings& settings;
    Logs& logs;
    Ui& ui;
    TdmML& db;
    StatisticsRecorder& statistics;
    AcknowledgementFn SendAcknowledgement = {};

    EntriesTable& entries() const;
    // The list's entry count grows or shrinks by delta.
    void changeEntryCount(qint64 delta) const;
    ListCounts counts() const;
    void restoreCounts(const ListCounts& counts) const;
};

// Appends the address to "Bounced.txt" (bounced) or "Removed.txt"; failures are ignored.
void RecordRemovedAddress(const ListContext& ctx, const QString& address, bool bounced);
