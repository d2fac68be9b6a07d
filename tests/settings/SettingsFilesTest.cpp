#include "SettingsFixture.h"

#include "base/ProjectInfo.h"
#include "util/DateText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <filesystem>

class SettingsFiles : public SettingsFixture {};

TEST_F(SettingsFiles, AFileOnlyInTheApplicationFolderIsReadUntilTheFirstSave)
{
    writeFile(appIni(), "[Settings]\nEmailSoftware=1\n[Servers]\nSMTPHost=app.example\n");
    writeFile(folders.application + "Addstr.txt", "ENROL\n");
    Settings s = loaded();
    EXPECT_EQ(s.SMTPHost, "app.example");
    EXPECT_EQ(s.Addstr, QStringList{"ENROL"});
    EXPECT_FALSE(QFileInfo::exists(configIni()));

    ASSERT_TRUE(store().SaveEntries(s));
    EXPECT_TRUE(QFileInfo::exists(configIni()));
    EXPECT_TRUE(QFileInfo::exists(folders.config + "Addstr.txt"));

    writeFile(appIni(), "[Settings]\nEmailSoftware=1\n[Servers]\nSMTPHost=stale.example\n");
    writeFile(folders.application + "Addstr.txt", "STALE\n");
    const Settings again = loaded();
    EXPECT_EQ(again.SMTPHost, "app.example");
    EXPECT_EQ(again.Addstr, QStringList{"ENROL"});
}

TEST_F(SettingsFiles, TheSiteReminderDayCarriesIntoTheConfigurationCopy)
{
    writeFile(appIni(), "[Settings]\nEmailSoftware=1\nLastSiteVisit=46000\n");
    clock = QDateTime(fromDayNumber(46010), QTime(9, 0));
    Settings s = loaded();
    ASSERT_TRUE(store().SaveEntries(s));
    EXPECT_EQ(savedValue("Settings", "LastSiteVisit"), QString("46000"));
}

TEST_F(SettingsFiles, SettingsIniIsPrivateAndLeavesNoTemporaryFile)
{
    Settings s;
    s.SmtpPassword = "secret";
    ASSERT_TRUE(store().SaveEntries(s));
    const QFileDevice::Permissions perms = QFileInfo(configIni()).permissions();
    EXPECT_TRUE(perms.testFlag(QFileDevice::ReadOwner));
    EXPECT_TRUE(perms.testFlag(QFileDevice::WriteOwner));
    for (auto other : {QFileDevice::ReadGroup, QFileDevice::WriteGroup, QFileDevice::ExeGroup,
                       QFileDevice::ReadOther, QFileDevice::WriteOther, QFileDevice::ExeOther,
                       QFileDevice::ExeOwner})
        EXPECT_FALSE(perms.testFlag(other));

    QStringList expected{"Settings.ini"};
    for (const char* name : {"SubAck.txt", "UnSubAck.txt", "Except.txt", "Remstr.txt",
                             "Modifystr.txt", "Addstr.txt", "Cats.txt", "WebForms.ddt",
                             "Signature.txt", "FwdSignature.txt", "Never.txt", "Failed.txt"})
        expected << name;
    expected.sort();
    QStringList present = QDir(folders.config).entryList(QDir::Files | QDir::Hidden);
    present.sort();
    EXPECT_EQ(present, expected);
}

TEST_F(SettingsFiles, SettingsIniIsPlainKeyValueText)
{
    Settings s;
    s.MailingListFolder = R"(Mail Account//Inbox, "lists" & 100% ; done)";
    s.DBPath = "/srv/lists/";
    ASSERT_TRUE(store().SaveEntries(s));
    const QStringList lines = QString::fromUtf8(readFile(configIni())).split('\n', Qt::SkipEmptyParts);
    const QRegularExpression keyLine("^[A-Za-z0-9]+=.*$");
    QStringList sections;
    for (const QString& line : lines) {
        if (line.startsWith('['))
            sections << line;
        else
            EXPECT_TRUE(keyLine.match(line).hasMatch()) << line.toStdString();
    }
    EXPECT_EQ(sections, (QStringList{"[Settings]", "[Database]", "[Servers]"}));
    EXPECT_TRUE(lines.contains(R"(MailingListFolder=Mail Account//Inbox, "lists" & 100% ; done)"));
    EXPECT_TRUE(lines.contains("DBPath=/srv/lists/"));
    EXPECT_EQ(loaded().MailingListFolder, s.MailingListFolder);
}

TEST_F(SettingsFiles, ALineBreakInAValueCannotAddAKey)
{
    Settings s;
    s.EmailSoftware = 1;
    s.SMTPHost = "evil.example\nEmailSoftware=9\r\n[Settings]";
    ASSERT_TRUE(store().SaveEntries(s));
    const Settings back = loaded();
    EXPECT_EQ(back.EmailSoftware, 1);
    EXPECT_EQ(back.SMTPHost, "evil.example EmailSoftware=9  [Settings]");
}

TEST_F(SettingsFiles, KeysOfOtherToolsSurviveASave)
{
    writeFile(configIni(), "[Settings]\nEmailSoftware=1\nFutureOption=on\n[Plugins]\nspell=en\n");
    const Settings s = loaded();
    ASSERT_TRUE(store().SaveEntries(s));
    EXPECT_EQ(savedValue("Settings", "FutureOption"), QString("on"));
    EXPECT_EQ(savedValue("Plugins", "spell"), QString("en"));
}

TEST_F(SettingsFiles, MissingListFilesKeepTheBuiltInLists)
{
    const Settings s = loaded();
    const Settings builtIn;
    EXPECT_EQ(s.SubAck.size(), 10);
    EXPECT_EQ(s.UnSubAck.size(), 11);
    EXPECT_EQ(s.SubAck, builtIn.SubAck);
    EXPECT_EQ(s.ExceptList, (QStringList{"__", "hotmial"}));
    EXPECT_EQ(s.Remstr, builtIn.Remstr);
    EXPECT_EQ(s.WebForms.size(), 12);
    EXPECT_EQ(s.Failed.size(), 35);
    EXPECT_EQ(s.Failed.first(), "Delivery error");
    EXPECT_EQ(s.Failed.last(), "Zustellungsfehler");
    EXPECT_EQ(s.Never.size(), 1);
    EXPECT_TRUE(s.Signature.isEmpty());
    EXPECT_EQ(s.Cats, QStringList{"default"});
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(SettingsFiles, TheDatabaseGroupListWinsOverTheConfiguredOne)
{
    writeFile(folders.config + "Cats.txt", "configured\n");
    Settings s;
    s.Cats = QStringList{"from database"};
    store().Loadentries(s);
    EXPECT_EQ(s.Cats, QStringList{"from database"});
    EXPECT_EQ(loaded().Cats, QStringList{"configured"});
}

TEST_F(SettingsFiles, AShortWebFormFileKeepsTheRemainingPrefixes)
{
    writeFile(folders.config + "WebForms.ddt", "Aktion:\nE-Mail:\n");
    const Settings s = loaded();
    ASSERT_EQ(s.WebForms.size(), 12);
    EXPECT_EQ(s.WebForms[0], "Aktion:");
    EXPECT_EQ(s.WebForms[1], "E-Mail:");
    EXPECT_EQ(s.WebForms[2], "Group:");
    EXPECT_EQ(s.WebForms[11], "Country:");
}

TEST_F(SettingsFiles, ListsInWindows1252AreRead)
{
    writeFile(folders.config + "Remstr.txt", "ABMELDEN\r\nK\xdc" "NDIGEN\r\n");
    EXPECT_EQ(loaded().Remstr, (QStringList{"ABMELDEN", "KÜNDIGEN"}));
}

// A message that names the file ("Cannot write /x/y") and then gives a reason.
bool namesFileAndReason(const QString& text, const QString& start, const QString& failedFile)
{
    const QString named = start + "\n\n" + failedFile + ": ";
    return text.startsWith(named) && text.size() > named.size();
}

TEST_F(SettingsFiles, FailuresToWriteWarnAndTheOtherPartStillRuns)
{
    QDir().mkpath(folders.config + "SubAck.txt");  // a folder where the file belongs
    Settings s;
    s.SMTPHost = "still.saved";
    EXPECT_FALSE(store().SaveEntries(s));
    EXPECT_EQ(savedValue("Servers", "SMTPHost"), QString("still.saved"));
    EXPECT_TRUE(QFileInfo::exists(folders.config + "Failed.txt"));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(namesFileAndReason(ui.shown[0].text,
                                   "An Error was encountered saving your data files.  Please "
                                   "check that you have sufficient disk space and the "
                                   "application is run from a write-enabled directory",
                                   "Cannot write " + folders.config + "SubAck.txt"))
        << ui.shown[0].text.toStdString();

    ui.shown.clear();
    QFile::remove(configIni());
    QDir().mkpath(configIni());
    EXPECT_FALSE(store().SaveEntries(s));
    ASSERT_EQ(ui.shown.size(), 2);
    EXPECT_TRUE(namesFileAndReason(ui.shown[1].text,
                                   "Error encountered writing your settings to the registry!",
                                   "Cannot read " + configIni()))
        << ui.shown[1].text.toStdString();
}

TEST_F(SettingsFiles, ASettingsFileThatCannotBeReadIsNotWrittenOver)
{
    // Found in the application folder but unreadable (a folder stands in for it):
    // a configuration copy with the known keys alone would hide every other key.
    QDir().mkpath(appIni());
    Settings s;
    EXPECT_FALSE(store().SaveEntries(s));
    EXPECT_FALSE(QFileInfo::exists(configIni()));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(namesFileAndReason(ui.shown[0].text,
                                   "Error encountered writing your settings to the registry!",
                                   "Cannot read " + appIni()))
        << ui.shown[0].text.toStdString();
    EXPECT_TRUE(ui.shown[0].text.contains("nothing in it is lost"));

    EXPECT_FALSE(store().SaveDatabasePath("/srv/lists/"));
    EXPECT_FALSE(QFileInfo::exists(configIni()));
}

TEST_F(SettingsFiles, AnUnreadableSettingsFileWarnsAndKeepsTheDefaults)
{
    QDir().mkpath(configIni());
    writeFile(folders.config + "Addstr.txt", "ENROL\n");
    Settings s;
    EXPECT_FALSE(store().Loadentries(s));
    EXPECT_EQ(ui.texts(), QStringList{"Error encountered loading user settings from your settings file!"});
    EXPECT_EQ(s.Addstr, QStringList{"ENROL"});
    EXPECT_EQ(s.AckSubject, "Mailing List Subscription");
}

class SiteReminder : public SettingsFixture {
protected:
    const QString question =
        "You have not visited the Tamrix web site for over 4 months.  There may be new versions "
        "of this software or plug-ins available for download.  Would you like to go to the "
        "Tamrix web site now?";
    qint64 today() const { return dayNumber(clock.date()); }
    void storeLastVisit(qint64 day)
    {
        writeFile(configIni(),
                  "[Settings]\nEmailSoftware=1\nLastSiteVisit=" + QByteArray::number(day) + "\n");
    }
};

TEST_F(SiteReminder, AnOldVisitAsksAndYesOpensTheHomePage)
{
    storeLastVisit(today() - 121);
    ui.answer(Ui::Answer::Yes);
    const Settings s = loaded();
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, question);
    EXPECT_EQ(ui.shown[0].buttons, Ui::Buttons::YesNo);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(ProjectInfo::kHomePage)});
    EXPECT_EQ(s.LastSiteVisit, "");
    EXPECT_EQ(savedValue("Settings", "LastSiteVisit"), QString(""));
}

TEST_F(SiteReminder, NoOpensNothingAndTheNextStartBeginsANewPeriod)
{
    storeLastVisit(today() - 200);
    ui.answer(Ui::Answer::No);
    loaded();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(savedValue("Settings", "LastSiteVisit"), QString(""));

    ui.shown.clear();
    loaded();
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(savedValue("Settings", "LastSiteVisit"), QString::number(today()));
}

TEST_F(SiteReminder, ARecentVisitAsksNothing)
{
    storeLastVisit(today() - 120);
    clock.setTime(QTime(0, 0));
    const Settings s = loaded();
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(s.LastSiteVisit, QString::number(today() - 120));
}

TEST_F(SiteReminder, AnAbsentDayBecomesToday)
{
    const Settings s = loaded();
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(s.LastSiteVisit, QString::number(today()));
    EXPECT_EQ(savedValue("Settings", "LastSiteVisit"), QString::number(today()));
}

TEST_F(SettingsFiles, AFileThatHoldsNoSettingsIsKeptAsideOnceAndReplaced)
{
    const char binary[] = "\x7f" "ELF\x02\x01\x00\x00=\x13[Settings]\nSMTPPort=7\n";
    const QByteArray garbage(binary, sizeof binary - 1);
    const QByteArray prose("Shopping list\nmilk, eggs; flour = 1 kg\n");
    int kept = 0;
    for (const QByteArray& bytes : {garbage, prose}) {
        writeFile(configIni(), bytes);
        ui.shown.clear();
        Settings s = loaded();
        const QString bad = configIni() + (kept++ == 0 ? ".bad" : ".bad-2");
        EXPECT_EQ(readFile(bad), bytes);
        EXPECT_EQ(std::filesystem::status(bad.toStdString()).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        EXPECT_EQ(s.SMTPPort, 25);
        EXPECT_EQ(wizardRuns, kept);
        ASSERT_EQ(ui.texts().size(), 1);
        EXPECT_TRUE(ui.texts()[0].contains(bad)) << ui.texts()[0].toStdString();

        ASSERT_TRUE(store().SaveEntries(s));
        const QByteArray fresh = readFile(configIni());
        EXPECT_TRUE(fresh.startsWith("[Settings]\n")) << fresh.constData();
        EXPECT_FALSE(fresh.contains("ELF") || fresh.contains("milk"));
    }
    EXPECT_FALSE(QFileInfo::exists(configIni() + ".bad-3"));

    // Odd lines in a file that does hold settings are passed over, the file is kept.
    writeFile(configIni(), "#!/bin/sh\n[Settings]\nEmailSoftware=1\n\x01\x02 junk\n"
                           "[Servers]\nSMTPPort=2525\n");
    EXPECT_EQ(loaded().SMTPPort, 2525);
    EXPECT_FALSE(QFileInfo::exists(configIni() + ".bad-3"));
}

TEST_F(SettingsFiles, UnicodeFilesAndKeysWithoutASectionAreRead)
{
    const QString text = "[Settings]\r\nEmailSoftware=5\r\nDefaultCompany=Müller & Söhne\r\n"
                         "[Servers]\r\nSMTPHost=smtp.example\r\n";
    const QList<QStringConverter::Encoding> encodings{
        QStringConverter::Utf16LE, QStringConverter::Utf16BE, QStringConverter::Utf32LE};
    for (QStringConverter::Encoding encoding : encodings) {
        QStringEncoder encode(encoding, QStringEncoder::Flag::WriteBom);
        writeFile(configIni(), encode.encode(text));
        const Settings s = loaded();
        EXPECT_EQ(s.EmailSoftware, 5) << int(encoding);
        EXPECT_EQ(s.DefaultCompany, "Müller & Söhne") << int(encoding);
        EXPECT_EQ(s.SMTPHost, "smtp.example") << int(encoding);
    }
    EXPECT_EQ(wizardRuns, 0);

    // Read where they stand, and saved into their sections, once.
    writeFile(configIni(), "EmailSoftware=5\nSMTPPort=2525\nFutureOption=on\n");
    const Settings s = loaded();
    EXPECT_EQ(s.SMTPPort, 2525);
    EXPECT_EQ(wizardRuns, 0);
    ASSERT_TRUE(store().SaveEntries(s));
    const QByteArray saved = readFile(configIni());
    EXPECT_TRUE(saved.startsWith("FutureOption=on\n\n[Settings]\n")) << saved.constData();
    EXPECT_EQ(saved.count("SMTPPort="), 1);
    EXPECT_EQ(savedValue("Servers", "SMTPPort"), QString("2525"));
    EXPECT_FALSE(QFileInfo::exists(configIni() + ".bad"));
}
