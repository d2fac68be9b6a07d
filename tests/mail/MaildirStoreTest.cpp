#include "mail/MailStores.h"
#include "mail/MaildirStore.h"
#include "support/TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

QByteArray message(const QString& subject)
{
    return ("From: a@example.com\r\nSubject: " + subject + "\r\n\r\nBody of " + subject + "\r\n").toUtf8();
}

class MaildirStoreTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString root = tmp.path() + "/Mail";
    std::unique_ptr<MailStore> store = openMaildirStore("Local Folders", root);

    // A folder laid out on disk, as another mail program leaves it.
    QString maildir(const QString& relative)
    {
        const QString dir = root + '/' + relative;
        for (const char* sub : {"cur", "new", "tmp"})
            QDir().mkpath(dir + '/' + sub);
        return dir;
    }
    // A message delivered by another program under its own file name.
    static void deliver(const QString& dir, const QString& fileName, const QString& subject)
    {
        writeTestFile(dir + '/' + fileName, message(subject));
    }
    static QStringList files(const QString& dir) { return QDir(dir).entryList(QDir::Files, QDir::Name); }
    // The subjects of the folder's messages in listing order, read through their keys.
    static QStringList subjects(MailFolder& folder)
    {
        QStringList out;
        for (const MessageListing& m : folder.list()) {
            const QByteArray bytes = folder.fetch(m.key);
            out << QString::fromUtf8(bytes).section("Subject: ", 1).section("\r\n", 0, 0);
        }
        return out;
    }
};

template <typename F>
std::string mailErrorOf(F&& f)
{
    try {
        f();
    } catch (const MailError& e) {
        return e.what();
    }
    return "no MailError";
}

TEST_F(MaildirStoreTest, TreeHasTheInboxAndNestedFoldersWithTheirCounts)
{
    const QString projects = maildir("Projects");
    const QString q1 = maildir("Projects/2024-Q1 (old)");
    QDir().mkpath(root + "/not a maildir");
    deliver(projects, "new/1700000001.M1P1.host", "unread in new");
    deliver(projects, "cur/1700000002.M1P1.host:2,S", "read");
    deliver(projects, "cur/1700000003.M1P1.host:2,F", "flagged, unread");
    deliver(q1, "cur/1700000004.M1P1.host:2,RS", "answered");

    const QList<MailFolderNode> top = store->folders();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0].name, "Inbox");
    EXPECT_TRUE(QFileInfo(root + "/Inbox/tmp").isDir());
    EXPECT_EQ(top[1].name, "Projects");
    EXPECT_EQ(top[1].messageCount, 3);
    EXPECT_EQ(top[1].unreadCount, 2);
    ASSERT_EQ(top[1].children.size(), 1);
    EXPECT_EQ(top[1].children[0].name, "2024-Q1 (old)");
    EXPECT_EQ(top[1].children[0].messageCount, 1);
    EXPECT_EQ(top[1].children[0].unreadCount, 0);

    EXPECT_THAT(mailErrorOf([&] { store->open({"Projects", "Gone"}); }), HasSubstr("Gone"));
    EXPECT_THAT(mailErrorOf([&] { store->open({"not a maildir"}); }), HasSubstr("not a maildir"));
}

TEST_F(MaildirStoreTest, ListsInArrivalOrderWhateverTheFileNames)
{
    const QString inbox = maildir("Inbox");
    deliver(inbox, "new/1700000300.M5P1.host", "fourth");
    deliver(inbox, "cur/1700000100.M100P1.host:2,S", "second");  // same second: microseconds decide
    deliver(inbox, "cur/1700000100.M99P1.host:2,S", "first");
    deliver(inbox, "cur/no-time-in-this-name:2,", "third");
    QFile undated(inbox + "/cur/no-time-in-this-name:2,");
    ASSERT_TRUE(undated.open(QIODevice::ReadWrite));
    ASSERT_TRUE(undated.setFileTime(QDateTime::fromSecsSinceEpoch(1700000200), QFileDevice::FileModificationTime));
    undated.close();

    auto folder = store->open({"Inbox"});
    EXPECT_EQ(folder->path(), "Local Folders//Inbox");
    EXPECT_EQ(subjects(*folder), QStringList({"first", "second", "third", "fourth"}));
    const QList<MessageListing> listing = folder->list();
    EXPECT_EQ(listing[2].key.uniqueName, "no-time-in-this-name");
    EXPECT_EQ(listing[2].key.text(), "Local Folders//Inbox no-time-in-this-name");
    EXPECT_EQ(folder->unreadCount(), 2);
}

TEST_F(MaildirStoreTest, KeysStillFindTheirMessagesAfterOthersMovedOrWent)
{
    const QString inbox = maildir("Inbox");
    maildir("Archive");
    for (int i = 1; i <= 4; ++i)
        deliver(inbox, QString("new/170000000%1.M1P1.host").arg(i), QString("message %1").arg(i));
    auto folder = store->open({"Inbox"});
    auto archive = store->open({"Archive"});
    const QList<MessageListing> keys = folder->list();
    ASSERT_EQ(keys.size(), 4);

    folder->remove(keys[0].key);
    folder->moveTo(keys[1].key, *archive);
    folder->markRead(keys[2].key);
    // Another program flags the message meanwhile: the file gets another name.
    ASSERT_TRUE(QFile::rename(inbox + "/cur/1700000003.M1P1.host:2,S", inbox + "/cur/1700000003.M1P1.host:2,FS"));

    EXPECT_THAT(QString::fromUtf8(folder->fetch(keys[2].key)).toStdString(), HasSubstr("message 3"));
    EXPECT_THAT(QString::fromUtf8(folder->fetch(keys[3].key)).toStdString(), HasSubstr("message 4"));
    EXPECT_THAT(mailErrorOf([&] { folder->fetch(keys[0].key); }), HasSubstr("1700000001.M1P1.host"));
    EXPECT_THAT(mailErrorOf([&] { folder->fetch(keys[1].key); }), HasSubstr("1700000002.M1P1.host"));
    EXPECT_EQ(subjects(*folder), QStringList({"message 3", "message 4"}));
    EXPECT_EQ(subjects(*archive), QStringList({"message 2"}));
}

TEST_F(MaildirStoreTest, MarkReadMovesToCurAndKeepsTheOtherFlagsInOrder)
{
    const QString inbox = maildir("Inbox");
    deliver(inbox, "new/1700000001.M1P1.host", "new one");
    deliver(inbox, "cur/1700000002.M1P1.host:2,RD", "draft answered");
    deliver(inbox, "cur/1700000003.M1P1.host:2,S", "already read");
    auto folder = store->open({"Inbox"});
    for (const MessageListing& m : folder->list())
        folder->markRead(m.key);

    EXPECT_TRUE(files(inbox + "/new").isEmpty());
    EXPECT_EQ(files(inbox + "/cur"), QStringList({"1700000001.M1P1.host:2,S", "1700000002.M1P1.host:2,DRS",
                                                  "1700000003.M1P1.host:2,S"}));
    EXPECT_EQ(folder->unreadCount(), 0);
    for (const MessageListing& m : folder->list())
        EXPECT_TRUE(m.seen) << m.key.uniqueName.toStdString();
}

TEST_F(MaildirStoreTest, MovesKeepNameAndFlagsAndNeverOverwriteAMessageOfTheSameName)
{
    const QString inbox = maildir("Inbox");
    const QString archive = maildir("Archive");
    deliver(inbox, "cur/1700000001.M1P1.host:2,FS", "flagged");
    deliver(inbox, "new/1700000002.M1P1.host", "unread");
    deliver(inbox, "cur/1700000003.M1P1.host:2,S", "twin in the inbox");
    deliver(archive, "cur/1700000003.M1P1.host:2,S", "twin in the archive");
    auto from = store->open({"Inbox"});
    auto to = store->open({"Archive"});
    for (const MessageListing& m : from->list())
        from->moveTo(m.key, *to);

    EXPECT_TRUE(files(inbox + "/cur").isEmpty());
    EXPECT_TRUE(files(inbox + "/new").isEmpty());
    const QStringList moved = files(archive + "/cur");
    EXPECT_TRUE(moved.contains("1700000001.M1P1.host:2,FS"));
    EXPECT_TRUE(moved.contains("1700000002.M1P1.host:2,"));
    EXPECT_EQ(moved.size(), 4);
    QStringList all = subjects(*to);
    all.sort();
    EXPECT_EQ(all, QStringList({"flagged", "twin in the archive", "twin in the inbox", "unread"}));
    EXPECT_EQ(to->unreadCount(), 1);
}

TEST_F(MaildirStoreTest, FolderAndMessageNamesWithDashesAndOddCharactersWork)
{
    store->createFolder({}, "Lists - 2024");
    store->createFolder({"Lists - 2024"}, "Ünïcode & #1 'quoted'");
    EXPECT_THAT(mailErrorOf([&] { store->createFolder({"Lists - 2024"}, "a/b"); }), HasSubstr("a/b"));
    EXPECT_THAT(mailErrorOf([&] { store->createFolder({"Missing"}, "x"); }), HasSubstr("Missing"));
    const QString odd = root + "/Lists - 2024/Ünïcode & #1 'quoted'";
    ASSERT_TRUE(QFileInfo(odd + "/new").isDir());
    deliver(odd, "new/1700000001.M1P1-2.my-host", "dashed host");
    deliver(odd, "cur/msg-with-dashes-and spaces:2,S", "dashed name");
    deliver(odd, "cur/1700000002.M1P1.host,S=1234,W=1300:2,S", "size fields");

    std::vector<std::unique_ptr<MailStore>> list;
    list.push_back(openMaildirStore("Local Folders", root));
    const MailStores stores(std::move(list), "Local Folders//Inbox");
    auto folder = stores.open("Local Folders//Lists - 2024//Ünïcode & #1 'quoted'");
    QStringList seen = subjects(*folder);
    seen.sort();
    EXPECT_EQ(seen, QStringList({"dashed host", "dashed name", "size fields"}));
    auto inbox = stores.open("Local Folders//Inbox");
    for (const MessageListing& m : folder->list()) {
        folder->markRead(m.key);
        folder->moveTo(m.key, *inbox);
    }
    EXPECT_EQ(inbox->list().size(), 3);
    EXPECT_TRUE(folder->list().isEmpty());
    EXPECT_THAT(mailErrorOf([&] { stores.open("Local Folders//Lists - 2024//Gone"); }), HasSubstr("Gone"));
    EXPECT_THAT(mailErrorOf([&] { stores.open("Elsewhere//Inbox"); }), HasSubstr("Elsewhere"));
}

TEST_F(MaildirStoreTest, AppendedMessagesArriveLastWithTheirFlags)
{
    const QString inbox = maildir("Inbox");
    deliver(inbox, "cur/1700000001.M1P1.host:2,S", "delivered earlier");
    auto folder = store->open({"Inbox"});
    folder->append(message("a draft"), {"\\Draft", "\\Seen"});
    folder->append(message("flagged reply"), {"\\Answered", "\\Flagged"});
    folder->append(message("plain"), {});

    EXPECT_EQ(subjects(*folder), QStringList({"delivered earlier", "a draft", "flagged reply", "plain"}));
    EXPECT_TRUE(files(inbox + "/tmp").isEmpty());
    const QStringList names = files(inbox + "/cur");
    ASSERT_EQ(names.size(), 4);
    const QRegularExpression shape(R"(^\d+\.M\d+P\d+Q\d+\.[^/:]+:2,([A-Z]*)$)");
    QStringList flags;
    for (const QString& name : names.mid(1)) {
        const auto match = shape.match(name);
        EXPECT_TRUE(match.hasMatch()) << name.toStdString();
        flags << match.captured(1);
    }
    flags.sort();
    EXPECT_EQ(flags, QStringList({"", "DS", "FR"}));
    EXPECT_EQ(folder->unreadCount(), 2);
}

TEST_F(MaildirStoreTest, AFailedRenameLeavesTheMessageWhereItWas)
{
    const QString inbox = maildir("Inbox");
    const QString archive = maildir("Archive");
    deliver(inbox, "new/1700000001.M1P1.host", "keep me");
    auto folder = store->open({"Inbox"});
    auto target = store->open({"Archive"});
    const MessageKey key = folder->list().at(0).key;

    // The target vanishes while the pass holds it open (another program deleted it).
    ASSERT_TRUE(QDir(archive).removeRecursively());
    EXPECT_THAT(mailErrorOf([&] { folder->moveTo(key, *target); }), HasSubstr("Archive"));
    EXPECT_THAT(mailErrorOf([&] { target->append(message("nowhere"), {}); }), HasSubstr("Archive"));
    EXPECT_EQ(files(inbox + "/new"), QStringList({"1700000001.M1P1.host"}));

    // cur/ goes too: marking it read cannot move it, and it stays in new/.
    ASSERT_TRUE(QDir(inbox + "/cur").removeRecursively());
    EXPECT_THAT(mailErrorOf([&] { folder->markRead(key); }), HasSubstr("1700000001.M1P1.host"));
    EXPECT_EQ(files(inbox + "/new"), QStringList({"1700000001.M1P1.host"}));
    EXPECT_EQ(readTestFile(inbox + "/new/1700000001.M1P1.host"), message("keep me"));
}

}  // namespace
