#pragma once

#include "store/Database.h"

struct TableDef;

// Repair and optimisation of one table file, with a connection of their own.
namespace TableMaintenance {

// Integrity check; when damaged, the rows that can still be read are copied into
// a newly built file that then takes the old one's place (the damaged file is kept
// beside it as "<name>.damaged"). Every step is reported through log.
void repair(const QString& file, const TableDef& def, const ProgressFn& progress, const LogFn& log);

// VACUUM, reporting an estimate of its progress.
void optimise(const QString& file, const ProgressFn& progress);

}  // namespace TableMaintenance
