#pragma once

#include "store/Database.h"

struct TableDef;

// Repair and optimisation of one table file, with a connection of their own.
namespace TableMaintenance {

// Integrity check; when damaged, the rows that can still be read (of the table
// and of its companions in the same file) are copied into a newly built file that
// then takes the old one's place (the damaged file is kept beside it as
// "<name>.damaged", or "-2", "-3", ... when earlier copies are there). Every step is reported through log. The table is held for the whole
// repair: a table another copy is repairing or holds is refused (Locked) and
// left as it is.
RepairOutcome repair(const QString& file, const TableDef& def, const QList<TableDef>& companions,
                     const ProgressFn& progress,
                     const LogFn& log);

// The newly built file repair writes beside the damaged one.
QString rebuiltFile(const QString& file);

// VACUUM, reporting an estimate of its progress.
void optimise(const QString& file, const ProgressFn& progress);

}  // namespace TableMaintenance
