#include "mail/ImapStore.h"
#include "support/DovecotServer.h"

#include <QDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

const QStringList kInbox{"INBOX"};

QByteArray mail(const QString& subject)
{
    return QStringLiteral("From: Reader <reader@example.test>\r\nTo: list@example.test\r\n"
                          "Subject: %1\r\n\r\nPlease add me, %1.\r\n")
        .arg(subject)
        .toUtf8();
}

QStringList subjects(const QList<StoredMessage>& messages)
{
    QStringList result;
    for (const StoredMessage& message : messages)
        result << message.subject;
    return result;
}

const MailFolderNode* child(const QList<MailFolderNode>& nodes, const QString& name)
{
    for (const MailFolderNode& node : nodes)
        if (node.name == name)
            return &node;
    return nullptr;
}

// The text a failing step shows, or a note that it did not fail.
template <typename Step>
std::string failureOf(Step&& step)
{
    try {
        step();
    } catch (const MailError& failure) {
        return failure.what();
    }
    return "(no MailError)";
}

class ImapStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!DovecotServer::installed())
            GTEST_SKIP() << "no /usr/sbin/dovecot (scripts/install-deps installs dovecot-imapd)";
        server = std::make_unique<DovecotServer>();
        ASSERT_TRUE(server->started());
        store = openImapStore(server->account());
    }

    std::unique_ptr<DovecotServer> server;
    std::unique_ptr<MailStore> store;
};

TEST_F(ImapStoreTest, AFetchGivesTheDeliveredBytesAndLeavesTheMessageUnread)
{
    server->deliver(kInbox, mail("First"));
    server->deliver(kInbox, mail("Second"));
    store->connect();
    auto inbox = store->open(kInbox);
    EXPECT_EQ(inbox->path(), QStringLiteral("listowner@127.0.0.1//INBOX"));
    const QList<MessageListing> listed = inbox->list();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0].key.store, store->name());
    EXPECT_EQ(listed[0].key.folder, QStringLiteral("INBOX"));
    EXPECT_NE(listed[0].key.uidValidity, 0u);
    EXPECT_LT(listed[0].key.uid, listed[1].key.uid);
    EXPECT_FALSE(listed[0].seen);
    EXPECT_EQ(inbox->fetch(listed[1].key).toStdString(), mail("Second").toStdString());
    EXPECT_EQ(inbox->fetch(listed[0].key).toStdString(), mail("First").toStdString());
    EXPECT_EQ(inbox->unreadCount(), 2);
    inbox.reset();
    for (const StoredMessage& message : server->messages(kInbox))
        EXPECT_FALSE(message.flags.contains('S')) << message.subject.toStdString();
    // The account's own connection and the folder's: no login per message.
    EXPECT_EQ(server->log().count("Login: user=<listowner>"), 2);
}

TEST_F(ImapStoreTest, AStoreLogsInAgainWhenTheServerEndedItsSessionBetweenPasses)
{
    server->deliver(kInbox, mail("Later"));
    store->connect();
    server->endSessions();
    const QList<MailFolderNode> tree = store->folders();
    ASSERT_EQ(tree.size(), 1);
    EXPECT_EQ(tree[0].messageCount, 1);
    auto inbox = store->open(kInbox);
    EXPECT_EQ(inbox->fetch(inbox->list().at(0).key).toStdString(), mail("Later").toStdString());
}

TEST_F(ImapStoreTest, KeysStayValidAfterAnEarlierMessageIsExpunged)
{
    for (const char* subject : {"A", "B", "C"})
        server->deliver(kInbox, mail(subject));
    auto inbox = store->open(kInbox);
    const QList<MessageListing> listed = inbox->list();
    ASSERT_EQ(listed.size(), 3);
    inbox->remove(listed[0].key);
    inbox->finish();
    EXPECT_EQ(subjects(server->messages(kInbox)), (QStringList{"B", "C"}));
    EXPECT_EQ(inbox->fetch(listed[2].key).toStdString(), mail("C").toStdString());
    EXPECT_EQ(inbox->fetch(listed[1].key).toStdString(), mail("B").toStdString());
    EXPECT_THAT(failureOf([&] { inbox->fetch(listed[0].key); }), HasSubstr("no longer"));
    MessageKey otherEra = listed[1].key;
    otherEra.uidValidity += 1;
    EXPECT_THROW(inbox->fetch(otherEra), MailError);
}

TEST_F(ImapStoreTest, AFolderOfThousandsOfMessagesIsListedWhole)
{
    const int count = 2345;
    for (int i = 0; i < count; ++i)
        server->deliver(kInbox, mail(QStringLiteral("Request %1").arg(i)));
    auto inbox = store->open(kInbox);
    const QList<MessageListing> listed = inbox->list();
    ASSERT_EQ(listed.size(), count);
    for (qsizetype i = 1; i < listed.size(); ++i)
        ASSERT_LT(listed[i - 1].key.uid, listed[i].key.uid) << i;
    EXPECT_EQ(inbox->fetch(listed.first().key).toStdString(), mail("Request 0").toStdString());
    EXPECT_EQ(inbox->fetch(listed.last().key).toStdString(),
              mail(QStringLiteral("Request %1").arg(count - 1)).toStdString());
}

TEST_F(ImapStoreTest, AMoveWithinTheAccountLandsInTheTargetAndLeavesAtTheEndOfThePass)
{
    server->createFolder({"Lists"});
    server->createFolder({"Lists", "Handled"});
    server->deliver(kInbox, mail("Keep"));
    server->deliver(kInbox, mail("Move"), "S");
    auto inbox = store->open(kInbox);
    auto handled = store->open({"Lists", "Handled"});
    const QList<MessageListing> listed = inbox->list();
    ASSERT_EQ(listed.size(), 2);
    inbox->moveTo(listed[1].key, *handled);
    inbox->finish();
    EXPECT_EQ(subjects(server->messages(kInbox)), QStringList{"Keep"});
    const QList<StoredMessage> moved = server->messages({"Lists", "Handled"});
    ASSERT_EQ(subjects(moved), QStringList{"Move"});
    EXPECT_TRUE(moved[0].flags.contains('S'));
    const QList<MessageListing> there = handled->list();
    ASSERT_EQ(there.size(), 1);
    EXPECT_EQ(there[0].key.folder, QStringLiteral("Lists//Handled"));
    EXPECT_EQ(handled->fetch(there[0].key).toStdString(), mail("Move").toStdString());
}

TEST_F(ImapStoreTest, AMoveToAnotherServerCopiesTheMessageWithItsFlags)
{
    DovecotServer other;
    ASSERT_TRUE(other.started());
    other.createFolder({"Archive"});
    server->deliver(kInbox, mail("Travel"), "S");
    auto inbox = store->open(kInbox);
    auto otherStore = openImapStore(other.account());
    auto archive = otherStore->open({"Archive"});
    inbox->moveTo(inbox->list().at(0).key, *archive);
    inbox.reset();
    EXPECT_TRUE(server->messages(kInbox).isEmpty());
    const QList<StoredMessage> arrived = other.messages({"Archive"});
    ASSERT_EQ(subjects(arrived), QStringList{"Travel"});
    EXPECT_TRUE(arrived[0].flags.contains('S'));
    const QList<MessageListing> there = archive->list();
    ASSERT_EQ(there.size(), 1);
    EXPECT_EQ(archive->fetch(there[0].key).toStdString(), mail("Travel").toStdString());
}

TEST_F(ImapStoreTest, MarkReadSetsSeen)
{
    server->deliver(kInbox, mail("Read"));
    server->deliver(kInbox, mail("Unread"));
    auto inbox = store->open(kInbox);
    inbox->markRead(inbox->list().at(0).key);
    EXPECT_EQ(inbox->unreadCount(), 1);
    const QList<MessageListing> listed = inbox->list();
    EXPECT_TRUE(listed[0].seen);
    EXPECT_FALSE(listed[1].seen);
    const QList<StoredMessage> stored = server->messages(kInbox);
    EXPECT_TRUE(stored[0].flags.contains('S'));
    EXPECT_FALSE(stored[1].flags.contains('S'));
}

TEST_F(ImapStoreTest, ARemovedMessageIsFlaggedAndGoneWhenThePassEnds)
{
    server->deliver(kInbox, mail("Gone"));
    server->deliver(kInbox, mail("Stays"));
    auto inbox = store->open(kInbox);
    inbox->remove(inbox->list().at(0).key);
    EXPECT_TRUE(server->messages(kInbox).at(0).flags.contains('T'));
    inbox.reset();  // the pass ends without an explicit finish()
    EXPECT_EQ(subjects(server->messages(kInbox)), QStringList{"Stays"});
}

TEST_F(ImapStoreTest, MessagesDeletedElsewhereAreListedAsDeletedAndKept)
{
    server->deliver(kInbox, mail("Trashed"), "ST");
    server->deliver(kInbox, mail("Fresh"));
    auto inbox = store->open(kInbox);
    const QList<MessageListing> listed = inbox->list();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed[0].deleted);
    EXPECT_FALSE(listed[1].deleted);
    inbox.reset();
    EXPECT_EQ(subjects(server->messages(kInbox)), (QStringList{"Trashed", "Fresh"}));
}

TEST_F(ImapStoreTest, TheFolderTreeCountsMessagesAndShowsACreatedFolder)
{
    server->createFolder({"Lists"});
    server->createFolder({"Lists", "Bounces"});
    server->deliver(kInbox, mail("New"));
    server->deliver(kInbox, mail("Old"), "S");
    for (const char* subject : {"B1", "B2", "B3"})
        server->deliver({"Lists", "Bounces"}, mail(subject));
    store->createFolder({"Lists"}, QStringLiteral("Requests"));
    const QList<MailFolderNode> tree = store->folders();
    ASSERT_EQ(tree.size(), 2);
    EXPECT_EQ(tree[0].name, QStringLiteral("INBOX"));
    EXPECT_EQ(tree[0].messageCount, 2);
    EXPECT_EQ(tree[0].unreadCount, 1);
    const MailFolderNode* lists = child(tree, "Lists");
    ASSERT_NE(lists, nullptr);
    ASSERT_EQ(lists->children.size(), 2);
    const MailFolderNode* bounces = child(lists->children, "Bounces");
    ASSERT_NE(bounces, nullptr);
    EXPECT_EQ(bounces->messageCount, 3);
    EXPECT_EQ(bounces->unreadCount, 3);
    EXPECT_EQ(bounces->kind, MailFolderNode::Kind::Mail);
    EXPECT_NE(child(lists->children, "Requests"), nullptr);
    EXPECT_TRUE(server->messages({"Lists", "Requests"}).isEmpty());
    EXPECT_EQ(store->open({"Lists", "Requests"})->list().size(), 0);
    EXPECT_THAT(failureOf([&] { store->open({"Lists", "Missing"}); }), HasSubstr("\"Missing\""));
    EXPECT_THAT(failureOf([&] { store->createFolder({"Nowhere"}, "Sub"); }),
                HasSubstr("\"Nowhere\""));
}

TEST_F(ImapStoreTest, AnAppendedDraftKeepsItsBytesAndFlag)
{
    server->createFolder({"Drafts"});
    auto drafts = store->open({"Drafts"});
    // Written with bare LFs, as message builders do; IMAP has it with CRLFs.
    drafts->append(mail("Test message").replace("\r\n", "\n"), {"\\Draft"});
    const QList<StoredMessage> stored = server->messages({"Drafts"});
    ASSERT_EQ(subjects(stored), QStringList{"Test message"});
    EXPECT_TRUE(stored[0].flags.contains('D'));
    const QList<MessageListing> listed = drafts->list();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_FALSE(listed[0].seen);
    EXPECT_EQ(drafts->fetch(listed[0].key).toStdString(), mail("Test message").toStdString());
}

TEST_F(ImapStoreTest, ImapsRefusesASelfSignedCertificateUnlessTheAccountAcceptsAny)
{
    server->deliver(kInbox, mail("Secure"));
    auto checking = openImapStore(server->account("TLS", /*verifyCertificate=*/true));
    EXPECT_THAT(failureOf([&] { checking->connect(); }), HasSubstr("certificate"));
    auto trusting = openImapStore(server->account("TLS", /*verifyCertificate=*/false));
    auto inbox = trusting->open(kInbox);
    EXPECT_EQ(inbox->fetch(inbox->list().at(0).key).toStdString(), mail("Secure").toStdString());
}

TEST_F(ImapStoreTest, StartTlsLogsInOverTls)
{
    server->deliver(kInbox, mail("Upgraded"));
    auto secured = openImapStore(server->account("STARTTLS"));
    auto inbox = secured->open(kInbox);
    EXPECT_EQ(inbox->fetch(inbox->list().at(0).key).toStdString(), mail("Upgraded").toStdString());
    const QStringList logins = server->log().split('\n').filter("Login: user=<listowner>");
    ASSERT_FALSE(logins.isEmpty());
    for (const QString& login : logins)
        EXPECT_THAT(login.toStdString(), HasSubstr(", TLS"));
}

TEST_F(ImapStoreTest, AWrongPasswordGivesTheServersAnswer)
{
    ImapAccount account = server->account();
    account.password = QStringLiteral("not the password");
    auto refused = openImapStore(account);
    EXPECT_EQ(failureOf([&] { refused->connect(); }), "Authentication failed.");
}

TEST_F(ImapStoreTest, AServerThatStopsDuringAPassEndsItWithAnError)
{
    server->deliver(kInbox, mail("Before"));
    server->deliver(kInbox, mail("After"));
    auto inbox = store->open(kInbox);
    const QList<MessageListing> listed = inbox->list();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(inbox->fetch(listed[0].key).toStdString(), mail("Before").toStdString());
    inbox->remove(listed[0].key);
    server->stop();
    EXPECT_THAT(failureOf([&] { inbox->fetch(listed[1].key); }), HasSubstr("127.0.0.1"));
    EXPECT_THROW(inbox->finish(), MailError);
    EXPECT_THROW(store->folders(), MailError);
    inbox.reset();
}

} // namespace
