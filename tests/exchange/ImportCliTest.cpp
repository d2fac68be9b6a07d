#include "../app/ChildProgram.h"
#include "support/ChildRun.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// corvanel-cli import as a script runs it, on a scratch home.
class ImportCliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(run({"--yes", "info"}), 0) << err.toStdString(); }

    int run(const QStringList& arguments)
    {
        const ChildRun cli = runChild(builtProgram("corvanel-cli"), arguments, scratchEnvironment(home.path()));
        out = cli.out;
        err = cli.err;
        return cli.exitCode;
    }
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = home.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QByteArray exported()
    {
        const QString path = home.filePath("out.csv");
        EXPECT_EQ(run({"export", path, "--columns", "E-mail,Full Name"}), 0);
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir home;
    QString out;
    QString err;
};

}  // namespace

TEST_F(ImportCliTest, ADryRunReportsTheLinesItWouldTurnDownAndWritesNothing)
{
    const QString list = file("list.txt", "ann@example.test\nnot an address\nann@example.test\n");
    EXPECT_EQ(run({"import", list, "--dry-run"}), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("Line 2")) << out.toStdString();
    EXPECT_TRUE(out.contains("Line 3")) << out.toStdString();
    EXPECT_EQ(exported(), QByteArray());

    EXPECT_EQ(run({"import", list}), 0) << err.toStdString();
    const qsizetype at = out.indexOf("report: ");
    ASSERT_GE(at, 0) << out.toStdString();
    EXPECT_TRUE(QFile::exists(out.mid(at + 8).trimmed())) << out.toStdString();
    EXPECT_EQ(exported(), QByteArray("E-mail,Full Name\r\nann@example.test,\r\n"));
}

TEST_F(ImportCliTest, ColumnsMapTheFieldsInOrderAndAWindows1252FileReadsAsIs)
{
    const QString list = file("list.csv", "Full Name;Phone;E-mail\r\n"
                                          "J\xfcrgen;123;jurgen@example.test\r\n"
                                          "\"Smith; Ann\";456;ann@example.test\r\n");
    EXPECT_EQ(run({"import", list, "--columns", "full name,(ignore field),e-mail", "--separator", ";", "--header"}),
              0)
        << err.toStdString();
    EXPECT_EQ(exported(), QString("E-mail,Full Name\r\nann@example.test,Smith; Ann\r\n"
                                  "jurgen@example.test,Jürgen\r\n")
                              .toUtf8());

    EXPECT_EQ(run({"import", list, "--columns", "E-mail,Phone"}), 2);
    EXPECT_TRUE(err.contains("import: unknown column: Phone")) << err.toStdString();
}

// A killed import keeps every batch it committed, and importing the file again
// brings in the rest: no address lost, none twice.
TEST_F(ImportCliTest, AKilledImportKeepsItsCommittedBatchesAndARunAgainAddsTheRest)
{
    constexpr int kLines = 60000;
    QByteArray lines;
    for (int i = 0; i < kLines; ++i)
        lines += "member" + QByteArray::number(i) + "@example.test\n";
    const QString list = file("list.txt", lines);
    QFile log(home.filePath("DB/log.txt"));
    QProcess import;
    import.setProcessEnvironment(scratchEnvironment(home.path()));
    import.start(builtProgram("corvanel-cli"), {"import", list});
    ASSERT_TRUE(import.waitForStarted());
    const QRegularExpression committed("committed up to line (\\d+)");
    int committedLine = 0;
    while (import.state() == QProcess::Running && committedLine == 0) {
        QThread::msleep(5);
        if (log.open(QIODevice::ReadOnly)) {
            const auto found = committed.match(QString::fromUtf8(log.readAll()));
            committedLine = found.hasMatch() ? found.captured(1).toInt() : 0;
            log.close();
        }
    }
    ASSERT_EQ(import.state(), QProcess::Running) << "the import ended before it could be killed";
    ::kill(pid_t(import.processId()), SIGKILL);
    ASSERT_TRUE(import.waitForFinished(60000));

    const auto onList = [this] {
        QList<QByteArray> rows = exported().split('\n');
        rows.removeFirst();  // the heading
        rows.removeAll(QByteArray());
        return rows;
    };
    const qsizetype kept = onList().size();
    EXPECT_GE(kept, committedLine);
    EXPECT_LT(kept, kLines);
    EXPECT_EQ(run({"import", list}), 0) << err.toStdString();
    QList<QByteArray> rows = onList();
    EXPECT_EQ(rows.size(), kLines);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(std::unique(rows.begin(), rows.end()), rows.end());
}
