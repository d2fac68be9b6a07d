#pragma once

#include "exchange/ExportList.h"

#include <QString>

struct Settings;
class TdmML;

// The backup file: the option's name (BackUpFilename) when it is set and its folder
// exists, else "backup.csv" in the database folder. With newbackupfilename the first
// of that name, "name 2.ext", "name 3.ext", ... that does not exist; empty when
// every one does.
QString backUpFileName(const Settings& settings, const QString& databaseFolder);

// Writes every entry, all eleven columns, to the backup file; with report, says
// where it went. False when nothing could be written (also with no database open)
// or the run failed.
bool SaveBackUpFile(TdmML& db, const Settings& settings, Ui& ui, bool report,
                    const ExportHooks& hooks = {});
