#include "ChildProgram.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "support/EntryRows.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kRounds = 10;
constexpr int kRows = 5000;

// A home whose entries table holds rows and has a damaged page in its middle.
QString damagedHome(const QTemporaryDir& dir)
{
    const QString folder = dir.filePath("DB") + '/';
    QDir().mkpath(folder);
    Database::createMissingTables(folder, TableScope::All);
    addEntries(folder, kRows);
    QFile f(folder + "mailist.dat");
    EXPECT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(f.size() / 2 / 4096 * 4096 + 100);
    f.write(QByteArray(2 * 4096, char(0x5a)));
    return folder;
}

}  // namespace

// Two repairs started together once both failed, both said they had succeeded,
// and left the table damaged with an empty kept copy. Each may now keep the other
// out, but then it says so, and the table is either repaired whole or untouched.
TEST(ConcurrentRepair, TwoRepairsAtOnceLeaveTheTableRepairedWholeOrUntouched)
{
    int roundsRepaired = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        QTemporaryDir home;
        const QString folder = damagedHome(home);
        const QByteArray damaged = readTestFile(folder + "mailist.dat");

        std::unique_ptr<QProcess> repairs[2];
        for (auto& repair : repairs) {
            repair = std::make_unique<QProcess>();
            repair->setProcessEnvironment(scratchEnvironment(home.path()));
            repair->start(builtProgram("corvanel-cli"), {"--yes", "repair"});
        }
        int succeeded = 0;
        for (auto& repair : repairs) {
            ASSERT_TRUE(repair->waitForFinished(120000));
            const QString err = QString::fromUtf8(repair->readAllStandardError());
            if (repair->exitCode() == 0)
                ++succeeded;
            else  // a copy that was kept out says why
                EXPECT_FALSE(err.trimmed().isEmpty());
        }
        EXPECT_FALSE(QFile::exists(folder + "mailist.dat.rebuild"));
        if (!QFile::exists(folder + "mailist.dat.damaged")) {
            EXPECT_EQ(succeeded, 0) << "a repair said it succeeded and kept nothing";
            EXPECT_EQ(readTestFile(folder + "mailist.dat"), damaged);
            continue;
        }
        ++roundsRepaired;
        EXPECT_EQ(readTestFile(folder + "mailist.dat.damaged"), damaged);
        EXPECT_FALSE(QFile::exists(folder + "mailist.dat.damaged-2"));
        SqliteConnection check(folder + "mailist.dat", false);
        EXPECT_EQ(check.scalar("PRAGMA integrity_check").toString(), "ok");
        EXPECT_GT(check.scalar("SELECT count(*) FROM mailist").toLongLong(), kRows / 2);
    }
    EXPECT_GT(roundsRepaired, 0);
}
