#include "util/ui/HelpViewer.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace {

QString helpFolder()
{
    return QDir::cleanPath(QStringLiteral(QT_TESTCASE_SOURCEDIR) + "/../docs/help");
}

QString titleOf(const QString& file)
{
    static const QRegularExpression title(R"(<title>([^<]*)</title>)");
    return title.match(QString::fromUtf8(readTestFile(file))).captured(1).trimmed();
}

QTextBrowser* browserOf(HelpViewer& viewer)
{
    return viewer.findChild<QTextBrowser*>("brwHelp");
}

void click(HelpViewer& viewer, const char* button)
{
    auto* found = viewer.findChild<QPushButton*>(button);
    ASSERT_NE(found, nullptr) << button;
    ASSERT_TRUE(found->isEnabled()) << button;
    found->click();
}

}  // namespace

TEST(HelpViewer, ShowsATopicsPageAndGoesToTheIndexAndBack)
{
    HelpViewer viewer(HelpTopics({helpFolder()}));
    viewer.showHelp()(306);
    QTextBrowser* browser = browserOf(viewer);
    ASSERT_NE(browser, nullptr);
    const QString title = titleOf(helpFolder() + "/topic-306.html");
    ASSERT_FALSE(title.isEmpty());
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(viewer.windowTitle().contains(title)) << viewer.windowTitle().toStdString();
    EXPECT_TRUE(browser->toPlainText().contains(title));

    click(viewer, "btnHelpIndex");
    EXPECT_EQ(browser->source().fileName(), "index.html");
    EXPECT_TRUE(viewer.windowTitle().contains(titleOf(helpFolder() + "/index.html")));
    click(viewer, "btnHelpBack");
    EXPECT_EQ(browser->source().fileName(), "topic-306.html");
    click(viewer, "btnHelpForward");
    EXPECT_EQ(browser->source().fileName(), "index.html");
}

TEST(HelpViewer, AMissingTopicIsNamedInTheViewersOwnText)
{
    QTemporaryDir empty;
    HelpViewer viewer(HelpTopics({empty.path()}));
    viewer.showTopic(4242);
    const QString text = browserOf(viewer)->toPlainText();
    EXPECT_TRUE(text.contains("4242")) << text.toStdString();
    EXPECT_TRUE(text.contains(empty.path())) << text.toStdString();
}

// A modal dialog blocks every window but its own; the viewer joins it while it runs
// and must neither vanish with it nor stay inside it afterwards.
TEST(HelpViewer, OpenedFromAModalDialogItOutlivesTheDialog)
{
    HelpViewer viewer(HelpTopics({helpFolder()}));
    const auto showHelp = viewer.showHelp();
    QDialog dialog;
    QWidget* hostWhileRunning = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        showHelp(14);
        hostWhileRunning = viewer.parentWidget();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(hostWhileRunning, &dialog);
    EXPECT_EQ(viewer.parentWidget(), nullptr);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(browserOf(viewer)->source().fileName(), "topic-14.html");

    auto* destroyed = new QDialog;
    destroyed->setModal(true);
    destroyed->show();
    showHelp(15);
    ASSERT_EQ(viewer.parentWidget(), destroyed);
    delete destroyed;
    EXPECT_EQ(viewer.parentWidget(), nullptr);
    EXPECT_EQ(browserOf(viewer)->source().fileName(), "topic-15.html");
}
