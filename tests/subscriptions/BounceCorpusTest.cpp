#include "mail/MailMessage.h"
#include "settings/Settings.h"
#include "subscriptions/Classification.h"
#include "subscriptions/CurrentMessage.h"
#include "subscriptions/MessageFields.h"
#include "util/TextFiles.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Where the messages of the corpus are: they are other projects' files, kept
// beside this repository (the steering repository's shared/bounces/) or pointed
// to by CORVANEL_BOUNCE_CORPUS; the labels live here.
QString corpusFolder()
{
    const QString tests = QStringLiteral(QT_TESTCASE_SOURCEDIR);
    const QStringList candidates = {qEnvironmentVariable("CORVANEL_BOUNCE_CORPUS"), tests + "/data/bounces",
                                    tests + "/../../shared/bounces"};
    for (const QString& folder : candidates)
        if (!folder.isEmpty() && QFile::exists(folder + "/sisimai") && QFile::exists(folder + "/flufl-bounce"))
            return folder;
    return {};
}

struct Tally {
    int truePositives = 0;
    int missed = 0;
    int wrong = 0;
    int warningsAsBounces = 0;
    int repliesAsBounces = 0;
    QStringList misses;
};

QSet<QString> lowered(const QStringList& list)
{
    QSet<QString> set;
    for (const QString& s : list)
        set.insert(s.toLower());
    return set;
}

}  // namespace

// Real delivery failures from mail-server test suites and bounce-parsing libraries,
// labelled from their delivery reports or their sources' expected results.
TEST(BounceCorpus, FindsTheFailedRecipientsOfRealBouncesAndNoTemporaryFailure)
{
    const QString folder = corpusFolder();
    if (folder.isEmpty())
        GTEST_SKIP() << "the corpus' messages are not beside this checkout (see tests/data/bounces/README.md)";
    const QStringList labels =
        readTextLines(QStringLiteral(QT_TESTCASE_SOURCEDIR) + "/data/bounces/labels.tsv").value_or(QStringList());
    ASSERT_GE(labels.size(), 100);

    Settings settings;
    settings.FailedMail = true;
    settings.DeleteDeliveryWarnings = true;
    settings.RemoveOutofOffice = true;
    Tally tally;
    int bounces = 0;
    for (const QString& line : labels) {
        const QStringList fields = line.split('\t');
        ASSERT_GE(fields.size(), 3) << line.toStdString();
        QFile file(folder + '/' + fields[0]);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << fields[0].toStdString();
        const MailMessage mail = parseMailMessage(file.readAll());
        CurrentMessage message;
        message.chkScanListChanges = true;
        takeMessage(message, mail, settings, nullptr, QDateTime::currentDateTime());
        const Classification what = classifyMessage(settings, message);
        const QSet<QString> found = what.kind == MessageKind::Bounce ? lowered(what.addresses) : QSet<QString>{};
        if (fields[1] == "warning") {
            if (what.kind == MessageKind::Bounce) {
                ++tally.warningsAsBounces;
                tally.misses << fields[0] + " is a delivery warning taken as a bounce";
            }
            continue;
        }
        if (fields[1] == "autoreply") {
            tally.repliesAsBounces += what.kind == MessageKind::Bounce;
            continue;
        }
        ++bounces;
        const QSet<QString> expected = lowered(fields[2].split(' ', Qt::SkipEmptyParts));
        const int hits = int((expected & found).size());
        tally.truePositives += hits;
        tally.missed += int(expected.size()) - hits;
        tally.wrong += int(found.size()) - hits;
        if (hits < expected.size() || found.size() > hits)
            tally.misses << fields[0] + " expected " + fields[2] + " found " + QStringList(found.values()).join(' ');
    }
    const double recall = double(tally.truePositives) / (tally.truePositives + tally.missed);
    const double precision = double(tally.truePositives) / qMax(1, tally.truePositives + tally.wrong);
    std::printf("bounces %d: recall %.4f, precision %.4f; warnings taken as bounces %d, auto-replies %d\n",
                bounces, recall, precision, tally.warningsAsBounces, tally.repliesAsBounces);
    for (const QString& miss : tally.misses)
        std::printf("  %s\n", qPrintable(miss));
    EXPECT_GE(recall, 0.95);
    EXPECT_GE(precision, 0.98);
    EXPECT_EQ(tally.warningsAsBounces, 0);
}
