#pragma once

#include "store/SendListTable.h"
#include "store/SqliteConnection.h"
#include "support/ScriptedUi.h"

#include <QTemporaryDir>

// A new recipient table in a folder of its own, removed with it.
struct TemporarySendList {
    QTemporaryDir dir;
    SqliteConnection connection;
    ScriptedUi ui;
    SendListTable table{connection, dir.path()};

    TemporarySendList();
    ~TemporarySendList();

    // A recipient whose run ended as outcome says.
    void add(const QString& item, const QString& name, const SendOutcome& outcome);
};
