#include "mail/AccountCheck.h"

#include "base/Folders.h"
#include "settings/Settings.h"
#include "support/DovecotServer.h"

#include <QDir>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(ImapAccountCheck, ALoginListsTheAccountsFoldersAndAWrongPasswordGivesTheServersWords)
{
    if (!DovecotServer::installed())
        GTEST_SKIP() << "no /usr/sbin/dovecot (scripts/install-deps installs dovecot-imapd)";
    DovecotServer server;
    ASSERT_TRUE(server.started());
    server.createFolder({"Lists"});
    server.createFolder({"Lists", "Done"});
    const AccountCheck found = checkImapAccount(server.account());
    EXPECT_TRUE(found.ok);
    EXPECT_EQ(found.text.toStdString(),
              "Logged in to listowner@127.0.0.1. Folders: INBOX, Lists, Lists//Done.");

    ImapAccount wrong = server.account("TLS");
    wrong.password = QStringLiteral("not the password");
    const AccountCheck refused = checkImapAccount(wrong);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.text.toStdString(),
              "An error was encountered logging into your profile: Authentication failed.");
}

TEST(LocalFoldersCheck, AMissingLocationIsReportedAndNotMadeWhileAPresentOneIsListed)
{
    QTemporaryDir home;
    const QString missing = home.path() + "/NoMail/";
    const AccountCheck absent = checkLocalFolders(missing);
    EXPECT_FALSE(absent.ok);
    EXPECT_EQ(absent.text, "The Local Folders location " + missing + " does not exist.");
    EXPECT_FALSE(QDir(missing).exists());

    const QString present = home.path() + "/Mail/";
    for (const char* part : {"cur", "new", "tmp"})
        ASSERT_TRUE(QDir().mkpath(present + "Lists/" + part));
    const AccountCheck listed = checkLocalFolders(present);
    EXPECT_TRUE(listed.ok);
    EXPECT_EQ(listed.text, "Local Folders (" + present + "): Inbox, Lists.");
}

TEST(MailSettingsCheck, EveryStoreTheSettingsNameIsCheckedAndOneMissingFileFailsTheWhole)
{
    QTemporaryDir home;
    const Folders folders = Folders::forApplication(home.path() + "/");
    ASSERT_TRUE(QDir().mkpath(folders.application + "Mail"));
    Settings settings;
    settings.AddressBookFile = home.path() + "/contacts.vcf";
    settings.SendmailPath = "/bin/sh";
    const AccountCheck found = checkMailSettings(settings, folders);
    EXPECT_FALSE(found.ok);
    EXPECT_THAT(
        found.text.toStdString(),
        StartsWith("Local Folders (" + folders.application.toStdString() + "Mail/): Inbox."));
    EXPECT_THAT(found.text.toStdString(),
                HasSubstr("The vCard Address Book " + settings.AddressBookFile.toStdString() +
                          " was not found."));
    EXPECT_THAT(found.text.toStdString(), HasSubstr("The sendmail program /bin/sh was found."));
}
