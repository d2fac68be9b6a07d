#pragma once

#include "store/SqlFilter.h"

#include <QStringList>

class SendListTable;
class Ui;
struct SendFlags;
struct Settings;

// Fills a run's recipient table, each address once (the first occurrence wins),
// in transactions of a few thousand rows, so a long build shows progress, can be
// cancelled and never holds one huge transaction.
class RecipientTableBuilder {
public:
    RecipientTableBuilder(SendListTable& table, const Settings& settings, Ui& ui, SendFlags& flags);

    // btnrecalcClick: from the entries table, as filtered (an empty filter: every
    // entry), in table order; names only when personalised. False when it failed or
    // was cancelled (a message said why, for a failure).
    bool fromEntries(const SqlFilter& filter, bool personalised);
    // ProcessManual: from typed lines ("Name <address>" or an address); with
    // ignoreInvalid, lines whose address fails the address check go to rejects.
    bool fromLines(const QStringList& lines, bool ignoreInvalid, QStringList& rejects);

private:
    bool empty();

    SendListTable& table_;
    const Settings& settings_;
    Ui& ui_;
    SendFlags& flags_;
};
