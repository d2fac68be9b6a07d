// List-rules throughput: fills a database in a temporary folder with a large list
// (batched inserts straight into the entries table), then adds distinct new
// addresses one request at a time through insertentry with every check on (the
// exception texts, a blocked list, the activity log, statistics) and unsubscribes
// part of them again. Prints the fill rate, insertions/s and removals/s.
//
// Arguments (all optional): list size, insertions, removals, and "exclusive" to
// open the tables as this copy's only user (WAL) instead of the shared default,
// "normal" to run the tables at synchronous=NORMAL instead of FULL (commits then
// wait for no disk flush; in WAL mode a power loss may undo the last commits
// but never damages a table).
#include "base/Folders.h"
#include "base/ProcessEnvironment.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqliteConnection.h"
#include "store/StatisticsRecorder.h"
#include "store/TableSchema.h"
#include "store/TdmML.h"
#include "subscriptions/InsertEntry.h"
#include "subscriptions/ListContext.h"
#include "RulesOnSettings.h"
#include "YesUi.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

constexpr int kFillBatch = 20000;
// Requests committed together, as a check run commits the requests of a batch
// of messages before it disposes of them.
constexpr int kRequestGroup = 1000;

QString memberAddress(int i)
{
    return QStringLiteral("member%1@host%2.example.org").arg(i).arg(i % 1000);
}

QString newAddress(int i)
{
    return QStringLiteral("new.subscriber%1@mail%2.example.com").arg(i).arg(i % 97);
}

double perSecond(qint64 count, qint64 ms)
{
    return ms > 0 ? double(count) * 1000.0 / double(ms) : 0.0;
}

int argument(const QStringList& args, int position, int fallback)
{
    bool ok = false;
    const int value = args.value(position).toInt(&ok);
    return ok && value >= 0 ? value : fallback;
}

}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();  // as the programs do
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int listSize = argument(args, 1, 1000000);
    const int insertions = argument(args, 2, 200000);
    const int removals = std::min(argument(args, 3, 50000), insertions);
    const bool exclusive = args.contains(QStringLiteral("exclusive"));
    const bool normalSync = args.contains(QStringLiteral("normal"));

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "Cannot make a temporary folder\n");
        return 1;
    }
    const Folders folders = Folders::forApplication(dir.path());
    const QString folder = folders.application + "DB/";
    QDir().mkpath(folder);

    Settings settings = rulesOnSettings();
    settings.DBIsExclusive = exclusive;

    YesUi ui;
    Logs logs(settings.logSwitches(), folders.application, [&] { return folder; });
    TdmML db(folders, settings, logs, ui);
    StatisticsRecorder statistics(db.database(), [&] { return db.entryCount(); });
    ListContext ctx{settings, logs, ui, db, statistics, {}};
    qint64 acknowledgements = 0;
    ctx.SendAcknowledgement = [&](const QString&, const QString&, bool) { ++acknowledgements; };

    try {
        Database::createMissingTables(folder, TableScope::All);
        db.database().setFolder(folder, exclusive, false);
        for (TableId table : kOpenOrder)
            db.database().openTable(table);
        if (normalSync)
            for (TableId table : kOpenOrder)
                db.database().connection().exec(
                    QStringLiteral("PRAGMA \"db_%1\".synchronous = NORMAL").arg(TableSchema::table(table).sqlName));
        std::printf("tables: %s journal, synchronous=%s\n", exclusive ? "WAL" : "rollback",
                    normalSync ? "NORMAL" : "FULL");

        EntriesTable& entries = db.database().entries();
        QElapsedTimer timer;
        timer.start();
        for (int done = 0; done < listSize;) {
            Transaction batch(db.database().connection());
            const int end = std::min(listSize, done + kFillBatch);
            const QDateTime now = QDateTime::currentDateTime();
            for (; done < end; ++done) {
                Entry e;
                e.Item = memberAddress(done);
                e.Category = done % 3 == 0 ? QStringLiteral("news") : QStringLiteral("default");
                e.Name = QStringLiteral("Member %1").arg(done);
                e.InsertDate = now;
                entries.insert(e);
            }
            batch.commit();
        }
        const qint64 fillMs = timer.elapsed();
        db.setEntryCount(listSize);
        std::printf("fill: %d entries in %lld ms (%.0f entries/s, batches of %d)\n", listSize,
                    static_cast<long long>(fillMs), perSecond(listSize, fillMs), kFillBatch);

        std::optional<Transaction> group;
        int entered = 0;
        timer.restart();
        for (int i = 0; i < insertions; ++i) {
            if (i % kRequestGroup == 0)
                group.emplace(db.database().connection());
            const QStringList result = insertentry(ctx, true, newAddress(i), settings.LogManualEntries,
                                                   true, false, {}, "bench", TCVNAddress{}, {},
                                                   i % 2 ? QStringLiteral("news") : QString());
            if (result.value(0) == QLatin1String("Entered Successfully"))
                ++entered;
            if ((i + 1) % kRequestGroup == 0 || i + 1 == insertions)
                group->commit();
        }
        const qint64 insertMs = timer.elapsed();
        std::printf("insertentry add: %d requests (%d entered) in %lld ms (%.0f insertions/s)\n",
                    insertions, entered, static_cast<long long>(insertMs), perSecond(insertions, insertMs));

        int deleted = 0;
        timer.restart();
        for (int i = 0; i < removals; ++i) {
            if (i % kRequestGroup == 0)
                group.emplace(db.database().connection());
            const QStringList result = insertentry(ctx, false, newAddress(i * (insertions / std::max(1, removals))),
                                                   settings.LogManualEntries, true, false, {}, "bench",
                                                   TCVNAddress{}, {}, {});
            if (result.value(0) == QLatin1String("Entry successfully deleted!"))
                ++deleted;
            if ((i + 1) % kRequestGroup == 0 || i + 1 == removals)
                group->commit();
        }
        const qint64 removeMs = timer.elapsed();
        std::printf("insertentry remove: %d requests (%d deleted) in %lld ms (%.0f removals/s)\n", removals,
                    deleted, static_cast<long long>(removeMs), perSecond(removals, removeMs));

        const qint64 expected = qint64(listSize) + entered - deleted;
        const qint64 remaining = entries.count();
        std::printf("entries now %lld (expected %lld), %lld acknowledgements, log.txt %lld bytes\n",
                    static_cast<long long>(remaining), static_cast<long long>(expected),
                    static_cast<long long>(acknowledgements),
                    static_cast<long long>(QFileInfo(folder + "log.txt").size()));
        db.database().close();
        return remaining == expected && entered == insertions && deleted == removals ? 0 : 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
