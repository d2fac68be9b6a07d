#pragma once

#include <QString>

class Ui;

// Brings a folder written by an older version up to the current layout: the
// v1.1 step (an AutoInc Index before the four oldest fields) and the v2.0 step
// (Name, Salutation, SendRights) when the entries table still has those old
// layouts, then the v4.0 step (contact fields, flags and dates, the full index set,
// Total in the statistics, the log, schedule and group-statistics tables). Each
// step asks first, keeps every row, reports its own success or failure, and the
// next step runs either way. The folder's tables must be closed.
void upgradeOldDatabase(const QString& folder, Ui& ui);
