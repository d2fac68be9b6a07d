#include "mail/ThunderbirdAccounts.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kFixture = QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/thunderbird");

QStringList namesOf(const MailAccountList& list)
{
    QStringList names;
    for (const MailAccountDetails& a : list.accounts)
        names << a.name;
    return names;
}

// A Thunderbird folder whose one profile lies elsewhere (an absolute path) and
// holds the given prefs.js.
void layOutProfile(const QTemporaryDir& dir, const QByteArray& prefs)
{
    writeTestFile(dir.filePath("tb/profiles.ini"),
                  "[Profile0]\nName=only\nIsRelative=0\nPath=" + dir.filePath("elsewhere").toUtf8() + "\n");
    writeTestFile(dir.filePath("elsewhere/prefs.js"), prefs);
}

}  // namespace

TEST(ThunderbirdAccounts, TheDefaultProfileGivesItsAccountsWithoutFaxLinesAndEachFirstIdentitysDetails)
{
    const MailAccountList list = readThunderbirdAccounts(kFixture);
    EXPECT_TRUE(list.problem.isEmpty()) << list.problem.toStdString();
    // In the account manager's order; the fax line is not offered.
    ASSERT_EQ(namesOf(list), QStringList({"ann@example.test", "Lists account", "Local Folders"}));
    EXPECT_EQ(list.defaultIndex, 1);

    const MailAccountDetails& ann = list.accounts[0];
    EXPECT_EQ(ann.fullName, "Ann \"Lists\" O'Neill");
    EXPECT_EQ(ann.email, "ann@example.test");
    // No server of its own: the profile's default one, whose port is not given.
    EXPECT_EQ(ann.smtpHost, "smtp.example.test");
    EXPECT_EQ(ann.smtpPort, 25);

    const MailAccountDetails& lists = list.accounts[1];
    EXPECT_EQ(lists.fullName, QString::fromUtf8("Zo\xC3\xAB Keeper"));
    EXPECT_EQ(lists.email, "zoe@lists.example.test");
    EXPECT_EQ(lists.smtpHost, "mail.lists.example.test");
    EXPECT_EQ(lists.smtpPort, 587);

    const MailAccountDetails& local = list.accounts[2];
    EXPECT_TRUE(local.fullName.isEmpty() && local.email.isEmpty() && local.smtpHost.isEmpty());
}

TEST(ThunderbirdAccounts, NoThunderbirdIsAnEmptyListButAFileItCannotUnderstandIsAProblem)
{
    QTemporaryDir dir;
    MailAccountList list = readThunderbirdAccounts(dir.filePath("no-thunderbird"));
    EXPECT_TRUE(list.accounts.isEmpty());
    EXPECT_TRUE(list.problem.isEmpty());

    // A profile that was never started has no prefs.js yet.
    writeTestFile(dir.filePath("fresh/profiles.ini"), "[Profile0]\nName=new\nIsRelative=1\nPath=new.default\n");
    list = readThunderbirdAccounts(dir.filePath("fresh"));
    EXPECT_TRUE(list.accounts.isEmpty());
    EXPECT_TRUE(list.problem.isEmpty());

    // A preference cut off in the middle, as a crash during a save leaves it.
    layOutProfile(dir, "user_pref(\"mail.accountmanager.accounts\", \"account1\");\n"
                       "user_pref(\"mail.account.account1.server\", \"serv");
    list = readThunderbirdAccounts(dir.filePath("tb"));
    EXPECT_TRUE(list.accounts.isEmpty());
    EXPECT_TRUE(list.problem.contains("line 2")) << list.problem.toStdString();

    writeTestFile(dir.filePath("bin/profiles.ini"), QByteArray("\x7f" "ELF\0\0\0", 7));
    list = readThunderbirdAccounts(dir.filePath("bin"));
    EXPECT_FALSE(list.problem.isEmpty());
}

TEST(ThunderbirdAccounts, AnAccountWithoutAnOutgoingServerHasNoneAndAnUnusablePortIsTheUsualOne)
{
    QTemporaryDir dir;
    layOutProfile(dir, "user_pref(\"mail.accountmanager.accounts\", \"a1, a2\");\n"
                       "user_pref(\"mail.accountmanager.defaultaccount\", \"gone\");\n"
                       "user_pref(\"mail.account.a1.identities\", \"i1\");\n"
                       "user_pref(\"mail.account.a1.server\", \"s1\");\n"
                       "user_pref(\"mail.server.s1.name\", \"Home\");\n"
                       "user_pref(\"mail.identity.i1.fullName\", \"Home User\");\n"
                       "user_pref(\"mail.account.a2.identities\", \"i2\");\n"
                       "user_pref(\"mail.account.a2.server\", \"s2\");\n"
                       "user_pref(\"mail.server.s2.name\", \"Work\");\n"
                       "user_pref(\"mail.identity.i2.smtpServer\", \"o2\");\n"
                       "user_pref(\"mail.smtpserver.o2.hostname\", \"out.example.test\");\n"
                       "user_pref(\"mail.smtpserver.o2.port\", \"587\");\n");
    const MailAccountList list = readThunderbirdAccounts(dir.filePath("tb"));
    ASSERT_EQ(namesOf(list), QStringList({"Home", "Work"}));
    EXPECT_EQ(list.defaultIndex, -1);
    EXPECT_EQ(list.accounts[0].fullName, "Home User");
    EXPECT_TRUE(list.accounts[0].smtpHost.isEmpty());
    EXPECT_EQ(list.accounts[1].smtpHost, "out.example.test");
    EXPECT_EQ(list.accounts[1].smtpPort, 25);  // a text, not an integer
}
