#include "ListFixture.h"

#include "mail/MailStores.h"
#include "mail/MaildirStore.h"
#include "store/CheckJournal.h"
#include "subscriptions/CheckRun.h"
#include "subscriptions/CurrentMessage.h"
#include "support/MaildirDrop.h"

#include <QLockFile>

namespace {

class CheckRun : public ListFixture {
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        settings.RetrieveMethod = 0;
        settings.MailingListFolder = "Local Folders//Inbox";
    }

    MailStores stores()
    {
        std::vector<std::unique_ptr<MailStore>> list;
        list.push_back(openMaildirStore("Local Folders", mailRoot));
        return MailStores(std::move(list), "Local Folders//Inbox");
    }

    CheckCounts check(const CheckRunHooks& hooks = {})
    {
        CheckCounts counts;
        btngetoutlookClick(*ctx, stores(), hooks, counts);
        return counts;
    }

    static QString figures(const CheckCounts& c)
    {
        return QString("looked at %1, acted on %2, left %3, failed %4")
            .arg(c.lookedAt).arg(c.actedOn).arg(c.left).arg(c.failed);
    }

    QString mailRoot = dir.path() + "/Mail";
    MaildirDrop inbox{mailRoot + "/Inbox"};
};

TEST_F(CheckRun, HandledMessagesGoAndTheOthersStayInTheFolder)
{
    inbox.deliver(requestMessage("ann@x.test", "subscribe"));
    const QString chat = inbox.deliver(requestMessage("bob@x.test", "Lunch on Friday?"));
    inbox.deliver(requestMessage("carl@x.test", "Hello", "join"));
    EXPECT_EQ(figures(check()), "looked at 3, acted on 2, left 1, failed 0");
    EXPECT_EQ(itemsAndGroups(), (QStringList{"ann@x.test|Default", "carl@x.test|Default"}));
    EXPECT_EQ(inbox.files(), QStringList{chat});
    EXPECT_EQ(figures(check()), "looked at 1, acted on 0, left 1, failed 0");
}

TEST_F(CheckRun, ALaterRequestOfTheSamePersonWins)
{
    inbox.deliver(requestMessage("ann@x.test", "subscribe"));
    inbox.deliver(requestMessage("ann@x.test", "unsubscribe"));
    inbox.deliver(requestMessage("bob@x.test", "unsubscribe"));
    inbox.deliver(requestMessage("bob@x.test", "subscribe"));
    check();
    EXPECT_EQ(itemsAndGroups(), QStringList{"bob@x.test|Default"});
}

TEST_F(CheckRun, MarkedReadMessagesAreNotLookedAtAgainAndMovedOnesLandInTheMoveFolder)
{
    settings.AfterProcess = "MarkRead";
    inbox.deliver(requestMessage("ann@x.test", "subscribe"));
    inbox.deliver(requestMessage("bob@x.test", "Lunch?"));
    EXPECT_EQ(figures(check()), "looked at 2, acted on 1, left 1, failed 0");
    EXPECT_EQ(inbox.files().size(), 2);
    // The one left unread is looked at again; the read one is not.
    EXPECT_EQ(figures(check()), "looked at 1, acted on 0, left 1, failed 0");

    settings.AfterProcess = "Move";
    settings.MoveFolder = "Local Folders//Done";
    MaildirDrop done(mailRoot + "/Done");
    inbox.deliver(requestMessage("carl@x.test", "subscribe"));
    // The read request is journalled: moved now, not acted on again.
    EXPECT_EQ(figures(check()), "looked at 3, acted on 2, left 1, failed 0");
    EXPECT_EQ(done.files().size(), 2);
    EXPECT_EQ(db->entryCount(), 2);

    settings.MoveFolder = "Local Folders//Gone";
    inbox.deliver(requestMessage("dora@x.test", "subscribe"));
    ui.answer(Ui::Answer::No);
    check();
    EXPECT_TRUE(ui.sawText("CVN was unable to locate the folder you specified to move processed messages to, "
                           "Local Folders//Gone.\n\nDo you want to specify a new folder now?"));
    EXPECT_TRUE(ui.sawText("The folder, Local Folders//Gone, cannot be found."));
    EXPECT_EQ(db->entryCount(), 2);
}

TEST_F(CheckRun, ChokeDownloadLooksAtTheNewestMessagesOldestFirst)
{
    settings.ChokeDownload = 2;
    inbox.deliver(requestMessage("old@x.test", "subscribe"));
    inbox.deliver(requestMessage("ann@x.test", "subscribe"));
    inbox.deliver(requestMessage("ann@x.test", "unsubscribe"));
    EXPECT_EQ(figures(check()), "looked at 2, acted on 2, left 0, failed 0");
    EXPECT_EQ(db->entryCount(), 0);
    settings.ChokeDownload = 1;  // no limit
    EXPECT_EQ(figures(check()), "looked at 1, acted on 1, left 0, failed 0");
    EXPECT_EQ(itemsAndGroups(), QStringList{"old@x.test|Default"});
}

TEST_F(CheckRun, TheDefaultInboxPassReadsTheInboxAndSaysHowFarItIs)
{
    settings.RetrieveMethod = 1;
    settings.MailingListFolder.clear();
    settings.AfterProcess = "Move";  // the default inbox cannot move: handled messages go
    for (int i = 0; i < 24; ++i)
        inbox.deliver(requestMessage(QString("p%1@x.test").arg(i), "subscribe"));
    inbox.deliver(requestMessage("bob@x.test", "Lunch?"));
    QStringList statuses;
    CheckRunHooks hooks;
    hooks.pass.showStatus = [&](const QString& text) { statuses << text; };
    EXPECT_EQ(figures(check(hooks)), "looked at 25, acted on 24, left 1, failed 0");
    EXPECT_EQ(statuses, (QStringList{"Processing Entry number 0", "Processing Entry number 20"}));
    EXPECT_EQ(db->entryCount(), 24);
    // Reading marked the one left read.
    ASSERT_EQ(inbox.files().size(), 1);
    EXPECT_TRUE(inbox.files().constFirst().endsWith(":2,S")) << inbox.files().constFirst().toStdString();
}

TEST_F(CheckRun, OneFolderForRequestsAndForwardingReadsEachMessageOnce)
{
    settings.UserSending = true;
    settings.UserSendingFolder = settings.MailingListFolder;
    inbox.deliver(requestMessage("ann@x.test", "[news] our meeting"));
    inbox.deliver(requestMessage("bob@x.test", "subscribe"));
    inbox.deliver(requestMessage("carl@x.test", "[news] cannot be sent"));
    QStringList forwarded;
    CheckRunHooks hooks;
    hooks.pass.forwardmailmessage = [&](const ListContext&, CurrentMessage& m) {
        if (m.edtsubject.contains("cannot"))
            throw std::runtime_error("the group has no members");
        forwarded << m.edtsubject;
        return true;
    };
    EXPECT_EQ(figures(check(hooks)), "looked at 3, acted on 2, left 0, failed 1");
    EXPECT_EQ(forwarded, QStringList{"[news] our meeting"});
    EXPECT_EQ(itemsAndGroups(), QStringList{"bob@x.test|Default"});
    EXPECT_EQ(inbox.files().size(), 1);
    EXPECT_TRUE(logMessages().contains("Error processing the entry, carl@x.test: the group has no members"));
}

TEST_F(CheckRun, ARequestHandledButNotDisposedOfIsNotActedOnAgain)
{
    settings.SubAcknowledgement = true;
    const QString name = inbox.deliver(requestMessage("ann@x.test", "subscribe"));
    // As a crash between the commit and the disposal leaves it: handled, still there.
    settings.AfterProcess = "Move";
    check();
    ASSERT_EQ(inbox.files().size(), 1);
    settings.AfterProcess = "Delete";
    EXPECT_EQ(figures(check()), "looked at 1, acted on 1, left 0, failed 0");
    EXPECT_TRUE(inbox.files().isEmpty());
    EXPECT_EQ(db->entryCount(), 1);
    EXPECT_EQ(statistics->counters.subscribes, 1);
    const QList<CheckJournal::OutboxItem> outbox = CheckJournal(db->database()).unsent();
    ASSERT_EQ(outbox.size(), 1);
    EXPECT_EQ(outbox[0].recipient, "ann@x.test");
}

TEST_F(CheckRun, TheSenderDialogComesForEachFailureAndSaysMoreFromTheEleventh)
{
    settings.SenderAddressMethod = 3;  // Reply-To only
    for (int i = 0; i < 11; ++i)
        inbox.deliver(requestMessage("p" + QString::number(i) + "@x.test", "subscribe"));
    check();
    QStringList openings;
    for (const ScriptedUi::Shown& s : ui.shown)
        openings << s.text.section('\n', 0, 0);
    ASSERT_EQ(openings.size(), 11);
    EXPECT_EQ(openings.first(), "An error was encountered retrieving the sender address of an e-mail.");
    EXPECT_EQ(openings.last(),
              "CVN is experiencing problems with every attempt to retrieve the sender address of an e-mail.");
    EXPECT_TRUE(ui.shown[0].text.contains("the Reply-To Header Method is not supported"));
    EXPECT_EQ(db->entryCount(), 0);

    // "Change Method" takes the method offered; the next message is read by it.
    ui.answer(Ui::Answer::Yes);
    inbox.deliver(requestMessage("last@x.test", "subscribe"));
    check();
    EXPECT_EQ(settings.SenderAddressMethod, 4);
}

TEST_F(CheckRun, OnlyOneCheckRunsAtATimeOnADatabase)
{
    QLockFile running(folder + "Check.lock");
    ASSERT_TRUE(running.tryLock(0));
    inbox.deliver(requestMessage("ann@x.test", "subscribe"));
    CheckCounts counts;
    EXPECT_FALSE(btngetoutlookClick(*ctx, stores(), {}, counts));
    EXPECT_TRUE(ui.sawText("A check for new entries is already running."));
    EXPECT_EQ(inbox.files().size(), 1);

    // A check killed as it made its lock leaves the file empty: it must not keep
    // every later check out.
    running.unlock();
    QFile empty(folder + "Check.lock");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_TRUE(btngetoutlookClick(*ctx, stores(), {}, counts));
    EXPECT_TRUE(inbox.files().isEmpty());
}

}  // namespace
