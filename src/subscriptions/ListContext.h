#pragma once

#include <QString>
#include <functional>

struct Settings;
class Logs;
class Ui;
class TdmML;
class StatisticsRecorder;
class EntriesTable;

// Sends the acknowledgement of a request: the address, the outcome sentence and
// whether it answers a subscription (else a removal). Left empty, nothing is sent.
using AcknowledgementFn =
    std::function<void(const QString& address, const QString& resultText, bool subscribe)>;

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
};

// Appends the address to "Bounced.txt" (bounced) or "Removed.txt"; failures are ignored.
void RecordRemovedAddress(const ListContext& ctx, const QString& address, bool bounced);
