#include "ChildProgram.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kInputBytes = 1024 * kMiB;

// What the scan may hold at its peak: the program itself and a few pieces of text.
// The sanitizer's allocator keeps freed memory aside (up to 256 MiB) before reuse.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kPeakLimit = 640 * kMiB;
#else
constexpr qint64 kPeakLimit = 96 * kMiB;
#endif

// The highest resident size the process has reached so far (Linux).
qint64 peakResidentBytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

bool writeAll(QProcess& process, const QByteArray& bytes)
{
    process.write(bytes);
    while (process.bytesToWrite() > 0)
        if (!process.waitForBytesWritten(60000))
            return false;
    return true;
}

}  // namespace

// Reading standard input once held all of it, and one long line took time growing
// with the square of its length, with nothing printed until the end. Here a single
// line of 1 GiB comes through a pipe: each address is printed while the input is
// still coming, and memory stays bounded.
TEST(StreamingScan, OneGibibyteLineThroughAPipeIsScannedAsItComesInBoundedMemory)
{
    QTemporaryDir home;
    QProcess scan;
    scan.setProcessEnvironment(scratchEnvironment(home.path()));
    scan.start(builtProgram("corvanel-cli"), {"scan-addresses", "-"});
    ASSERT_TRUE(scan.waitForStarted());

    const QByteArray zeros(kMiB, '\0');
    const QByteArray letters(kMiB, 'x');
    ASSERT_TRUE(writeAll(scan, "first@example.com "));
    qint64 written = 18;
    // The address is found once the space after it is read, long before the end.
    QByteArray out;
    while (!out.contains('\n') && written < kInputBytes / 2) {
        ASSERT_TRUE(writeAll(scan, zeros));
        written += zeros.size();
        scan.waitForReadyRead(0);
        out += scan.readAllStandardOutput();
    }
    EXPECT_EQ(out, "first@example.com\n");
    while (written < kInputBytes / 2) {
        ASSERT_TRUE(writeAll(scan, zeros));
        written += zeros.size();
    }
    // An address cut by no line break from half a gibibyte of letters before it.
    ASSERT_TRUE(writeAll(scan, " middle@example.com,"));
    while (written < kInputBytes) {
        ASSERT_TRUE(writeAll(scan, letters));
        written += letters.size();
    }
    ASSERT_TRUE(writeAll(scan, " last@example.com"));
    const qint64 peak = peakResidentBytes(scan.processId());
    scan.closeWriteChannel();
    ASSERT_TRUE(scan.waitForFinished(120000));
    out += scan.readAllStandardOutput();

    EXPECT_EQ(scan.exitCode(), 0) << scan.readAllStandardError().toStdString();
    EXPECT_EQ(out, "first@example.com\nmiddle@example.com\nlast@example.com\n");
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, kPeakLimit) << peak / kMiB << " MiB";
}
