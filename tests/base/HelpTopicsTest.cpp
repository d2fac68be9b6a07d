#include "base/HelpTopics.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString sourceFolder(const QString& below)
{
    // Not __FILE__: a compiler cache may make it relative to the build folder.
    return QDir::cleanPath(QStringLiteral(QT_TESTCASE_SOURCEDIR) + "/../" + below);
}

// The topics the windows open in code: showHelp(N) and a k...Topic = N constant.
QSet<int> topicsOpenedInSource()
{
    static const QRegularExpression opened(R"(showHelp\(\s*(\d+)\s*\)|\bk\w*Topic\w*\s*=\s*(\d+))");
    QSet<int> topics;
    QDirIterator it(sourceFolder("src"), {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString text = QString::fromUtf8(readTestFile(it.next()));
        for (auto match = opened.globalMatch(text); match.hasNext();) {
            const auto found = match.next();
            topics << (found.captured(1).isEmpty() ? found.captured(2) : found.captured(1)).toInt();
        }
    }
    return topics;
}

// Topics whose number the code does not spell out: the options dialog opens
// 302 + the position of its page (eleven pages), and the windows still to come
// (set-up wizard 10 with its links 3 and 9, advanced settings 13, the sending
// method 314, the relay server's DNS help 8).
QSet<int> topicsOpenedByPosition()
{
    QSet<int> topics{3, 8, 9, 10, 13, 314};
    for (int page = 0; page < 11; ++page)
        topics << 302 + page;
    return topics;
}

QString titleOf(const QString& file)
{
    static const QRegularExpression title(R"(<title>([^<]*)</title>)", QRegularExpression::CaseInsensitiveOption);
    return title.match(QString::fromUtf8(readTestFile(file))).captured(1).trimmed();
}

QStringList relativeLinksOf(const QString& file)
{
    static const QRegularExpression href(R"re(href="([^"#:]+)(#[^"]*)?")re", QRegularExpression::CaseInsensitiveOption);
    QStringList links;
    for (auto match = href.globalMatch(QString::fromUtf8(readTestFile(file))); match.hasNext();)
        links << match.next().captured(1);
    return links;
}

}  // namespace

TEST(HelpPages, EveryTopicAWindowOpensHasAPageWithATitle)
{
    const QSet<int> scanned = topicsOpenedInSource();
    // The send dialog and the options dialog are known to open help; finding neither
    // means the scan no longer sees how the code opens topics.
    ASSERT_TRUE(scanned.contains(306) && scanned.contains(302)) << "source scan found no help topics";
    const HelpTopics pages({sourceFolder("docs/help")});
    for (int topic : scanned | topicsOpenedByPosition()) {
        const QString file = pages.topicFile(topic);
        ASSERT_FALSE(file.isEmpty()) << "no page for help topic " << topic;
        EXPECT_FALSE(titleOf(file).isEmpty()) << file.toStdString() << " has no title";
    }
}

TEST(HelpPages, TheIndexReachesEveryPageAndNoLinkIsBroken)
{
    const QDir folder(sourceFolder("docs/help"));
    const QStringList fromIndex = relativeLinksOf(folder.filePath("index.html"));
    const QStringList pages = folder.entryList({"*.html"}, QDir::Files);
    ASSERT_GT(pages.size(), 1);
    for (const QString& page : pages) {
        if (page != "index.html") {
            EXPECT_TRUE(fromIndex.contains(page)) << page.toStdString() << " is not listed in index.html";
        }
        for (const QString& link : relativeLinksOf(folder.filePath(page))) {
            EXPECT_TRUE(QFileInfo::exists(folder.filePath(link)))
                << page.toStdString() << " links to the missing " << link.toStdString();
        }
    }
}

TEST(HelpTopics, TheFirstFolderHoldingAPageWinsAndAMissingPageIsEmpty)
{
    QTemporaryDir first, second;
    writeTestFile(first.filePath("topic-1.html"), "<title>first</title>");
    writeTestFile(second.filePath("topic-1.html"), "<title>second</title>");
    writeTestFile(second.filePath("topic-2.html"), "<title>only here</title>");
    const HelpTopics topics({QDir(first.path()).filePath("absent"), first.path(), second.path()});
    EXPECT_EQ(titleOf(topics.topicFile(1)), "first");
    EXPECT_EQ(titleOf(topics.topicFile(2)), "only here");
    EXPECT_TRUE(topics.topicFile(3).isEmpty());
    EXPECT_TRUE(topics.indexFile().isEmpty());
}

TEST(HelpTopics, AProgramInTheBuildTreeFindsTheSourceTreesPages)
{
    const HelpTopics topics = HelpTopics::standard(QCoreApplication::applicationDirPath());
    const QDir source(sourceFolder("docs/help"));
    EXPECT_EQ(QFileInfo(topics.topicFile(302)).canonicalFilePath(),
              QFileInfo(source.filePath("topic-302.html")).canonicalFilePath());
    EXPECT_EQ(QFileInfo(topics.indexFile()).canonicalFilePath(),
              QFileInfo(source.filePath("index.html")).canonicalFilePath());
}
