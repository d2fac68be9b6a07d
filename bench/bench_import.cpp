// Import throughput: writes a file of new addresses, one per line, and imports it
// through Importfile into an empty list with every rule on (the exception texts, a
// blocked list, the activity log, statistics, several groups per address). The
// limit is SQLite's own shell loading the same file into a bare one-column table
// (.import). Prints both rates and their ratio, and whether the import reached
// 50,000 lines/s.
//
// Arguments (all optional): number of lines.
#include "RulesOnSettings.h"
#include "YesUi.h"
#include "base/Folders.h"
#include "base/ProcessEnvironment.h"
#include "exchange/ImportFile.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/StatisticsRecorder.h"
#include "store/TdmML.h"
#include "subscriptions/ListContext.h"
#include "util/TextFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kTarget = 50000;

double perSecond(qint64 count, qint64 ms) { return ms > 0 ? double(count) * 1000.0 / double(ms) : 0.0; }

}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();  // as the programs do
    QCoreApplication app(argc, argv);
    const int lines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000000;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "Cannot make a temporary folder\n");
        return 1;
    }
    const QString file = dir.filePath("import.txt");
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
            return 1;
        }
        for (int i = 0; i < lines; ++i)
            out.write(QStringLiteral("new.subscriber%1@mail%2.example.com\n").arg(i).arg(i % 97).toUtf8());
    }

    // The limit: the stock shell's own bulk load of the same lines.
    QElapsedTimer timer;
    timer.start();
    QProcess shell;
    shell.start("sqlite3", {dir.filePath("limit.db"), "CREATE TABLE t(Item TEXT);", ".import " + file + " t"});
    if (!shell.waitForFinished(-1) || shell.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 .import failed: %s\n", shell.readAllStandardError().constData());
        return 1;
    }
    const qint64 limitMs = timer.elapsed();

    const Folders folders = Folders::forApplication(dir.path());
    const QString folder = folders.application + "DB/";
    QDir().mkpath(folder);
    Settings settings = rulesOnSettings();
    YesUi ui;
    Logs logs(settings.logSwitches(), folders.application, [&] { return folder; });
    TdmML db(folders, settings, logs, ui);
    StatisticsRecorder statistics(db.database(), [&] { return db.entryCount(); });
    const ListContext ctx{settings, logs, ui, db, statistics, {}};
    ImportResult result;
    qint64 importMs = 0;
    try {
        Database::createMissingTables(folder, TableScope::All);
        db.database().setFolder(folder, false, false);
        for (TableId table : kOpenOrder)
            db.database().openTable(table);
        timer.restart();
        const std::optional<QStringList> read = readTextLines(file);
        if (!read) {
            std::fprintf(stderr, "Cannot read %s\n", qPrintable(file));
            return 1;
        }
        ImportOptions options;
        options.note = importNote(file);
        ImportReport report;
        result = Importfile(ctx, *read, true, options, ",", false, "news", false, report);
        importMs = timer.elapsed();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "The import failed: %s\n", e.what());
        return 1;
    }
    const qint64 onList = db.database().entries().count();
    db.database().close();

    const double importRate = perSecond(result.linesDone, importMs);
    const double limitRate = perSecond(lines, limitMs);
    std::printf("sqlite3 .import (limit)   %9d lines %7lld ms %10.0f lines/s\n", lines,
                static_cast<long long>(limitMs), limitRate);
    std::printf("Importfile, all rules     %9d lines %7lld ms %10.0f lines/s  (%lld on the list)\n",
                result.linesDone, static_cast<long long>(importMs), importRate, static_cast<long long>(onList));
    std::printf("import / limit            %.2f\n", limitRate > 0 ? importRate / limitRate : 0.0);
    std::printf("target %.0f lines/s: %s\n", kTarget, importRate >= kTarget ? "met" : "NOT met");
    return onList == lines ? 0 : 1;
}
