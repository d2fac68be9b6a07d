#include "SettingsFixture.h"

class SettingsRules : public SettingsFixture {
protected:
    // Loads a Settings.ini holding the given lines of section "Settings".
    Settings loadedFrom(const QByteArray& settingsLines)
    {
        writeFile(configIni(), "[Settings]\nEmailSoftware=1\n" + settingsLines);
        return loaded();
    }
};

TEST_F(SettingsRules, BooleansReadInAnyCaseAndOtherTextGivesTheDefault)
{
    const Settings s = loadedFrom("FailedMail=TRUE\nUseRedemption=fAlSe\n"
                                  "Except=yes\nSendLog=yes\nMaintainLog=\n");
    EXPECT_TRUE(s.FailedMail);
    EXPECT_FALSE(s.UseRedemption);
    EXPECT_TRUE(s.Except);      // default true
    EXPECT_FALSE(s.SendLog);    // default false
    EXPECT_TRUE(s.MaintainLog); // empty text: default true
}

TEST_F(SettingsRules, BooleansAreWrittenTrueAndCapitalisedFalse)
{
    Settings s;
    s.FailedMail = true;
    s.Except = false;
    ASSERT_TRUE(store().SaveEntries(s));
    EXPECT_EQ(savedValue("Settings", "FailedMail"), QString("true"));
    EXPECT_EQ(savedValue("Settings", "Except"), QString("False"));
}

TEST_F(SettingsRules, UnreadableIntegersGiveTheDefault)
{
    const Settings s = loadedFrom("MessageRecipientCount=lots\nBounceDays=3\nDNSTimeOut=\n");
    EXPECT_EQ(s.MessageRecipientCount, 250);
    EXPECT_EQ(s.BounceDays, 3);
    EXPECT_EQ(s.DNSTimeOut, 6);
}

TEST_F(SettingsRules, ABounceCountOfZeroOrLessSwitchesRemovalOff)
{
    for (const QByteArray& count : {QByteArray("0"), QByteArray("-4")}) {
        const Settings s = loadedFrom("BounceMax=" + count + "\n");
        EXPECT_FALSE(s.BounceRemoval) << count.constData();
        EXPECT_EQ(s.BounceMax, 10) << count.constData();
        ASSERT_TRUE(store().SaveEntries(s));
        EXPECT_EQ(savedValue("Settings", "BounceMax"), QString("0"));
    }
    const Settings on = loadedFrom("BounceMax=3\n");
    EXPECT_TRUE(on.BounceRemoval);
    EXPECT_EQ(on.BounceMax, 3);
}

TEST_F(SettingsRules, MovingNeedsAFolderAndOtherChoicesMeanDelete)
{
    EXPECT_EQ(loadedFrom("AfterProcess=Move\n").AfterProcess, "Delete");
    EXPECT_EQ(loadedFrom("MoveFolder=Done\nAfterProcess=MOVE\n").AfterProcess, "Move");
    EXPECT_EQ(loadedFrom("AfterProcess=markread\n").AfterProcess, "MarkRead");
    EXPECT_EQ(loadedFrom("AfterProcess=Archive\n").AfterProcess, "Delete");
    EXPECT_EQ(loadedFrom("").AfterProcess, "Delete");
}

TEST_F(SettingsRules, ProcessAsUnreadOnlyEverSelectsMarkRead)
{
    EXPECT_EQ(loadedFrom("AfterProcess=MarkRead\n").AfterProcess, "MarkRead");
    EXPECT_EQ(loadedFrom("AfterProcess=MarkRead\nProcessAsUnread=False\n").AfterProcess,
              "MarkRead");
    EXPECT_EQ(loadedFrom("AfterProcess=Delete\nProcessAsUnread=true\n").AfterProcess,
              "MarkRead");
    EXPECT_EQ(loadedFrom("MoveFolder=Done\nAfterProcess=Move\nProcessAsUnread=FALSE\n")
                  .AfterProcess,
              "Move");
    EXPECT_EQ(loadedFrom("AfterProcess=Delete\nProcessAsUnread=maybe\n").AfterProcess,
              "Delete");
}

TEST_F(SettingsRules, ReadOnlyKeysAreNeverWrittenButSurviveASave)
{
    Settings s = loadedFrom("ProcessAsUnread=true\nAcknowledgementSubject=Old subject\n");
    EXPECT_EQ(s.AcknowledgementSubject, "Old subject");
    s.AcknowledgementSubject = "changed in memory";
    ASSERT_TRUE(store().SaveEntries(s));
    EXPECT_EQ(savedValue("Settings", "ProcessAsUnread"), QString("true"));
    EXPECT_EQ(savedValue("Settings", "AcknowledgementSubject"), QString("Old subject"));

    QFile::remove(configIni());
    ASSERT_TRUE(store().SaveEntries(Settings()));
    EXPECT_EQ(savedValue("Settings", "ProcessAsUnread"), std::nullopt);
    EXPECT_EQ(savedValue("Settings", "AcknowledgementSubject"), std::nullopt);
    EXPECT_EQ(savedValue("Settings", "LastSiteVisit"), std::nullopt);
}

TEST_F(SettingsRules, ForwardToWhomIsReadInAnyCase)
{
    EXPECT_EQ(loadedFrom("ForwardToWhom=EMAIL\n").ForwardToWhom, "Email");
    EXPECT_EQ(loadedFrom("ForwardToWhom=sender\n").ForwardToWhom, "Sender");
    EXPECT_EQ(loadedFrom("ForwardToWhom=all\n").ForwardToWhom, "All");
    EXPECT_EQ(loadedFrom("ForwardToWhom=\n").ForwardToWhom, "Subject");
    EXPECT_EQ(loadedFrom("ForwardToWhom=Everybody\n").ForwardToWhom, "Subject");
}

TEST_F(SettingsRules, EmptyGroupsFallBackToDefaultAndToTheDefaultGroup)
{
    const Settings none = loadedFrom("defaultcategory=\nAlternativeCategory=\n");
    EXPECT_EQ(none.defaultcategory, "Default");
    EXPECT_EQ(none.AlternativeCategory, "Default");
    const Settings vip = loadedFrom("defaultcategory=vip\nAlternativeCategory=\n");
    EXPECT_EQ(vip.AlternativeCategory, "vip");
    EXPECT_EQ(loadedFrom("defaultcategory=vip\nAlternativeCategory=misc\n").AlternativeCategory,
              "misc");
}

TEST_F(SettingsRules, StartingInInformationWritesNoMode)
{
    Settings s;
    s.CurrentMode = "2";
    s.AlwaysStartInInfo = true;
    ASSERT_TRUE(store().SaveEntries(s));
    EXPECT_EQ(savedValue("Settings", "CurrentMode"), QString(""));
    s.AlwaysStartInInfo = false;
    ASSERT_TRUE(store().SaveEntries(s));
    EXPECT_EQ(savedValue("Settings", "CurrentMode"), QString("2"));
}

TEST_F(SettingsRules, UnsubscribeSubjectAndWrongCategoryAreSavedAndReadBack)
{
    Settings s;
    s.UnAckSubject = "Goodbye";
    s.WrongCategory = 0;
    ASSERT_TRUE(store().SaveEntries(s));
    const Settings back = loaded();
    EXPECT_EQ(back.UnAckSubject, "Goodbye");
    EXPECT_EQ(back.WrongCategory, 0);
}

TEST_F(SettingsRules, DatabaseFolderIsWrittenInItsSymbolicForm)
{
    symbolicDatabase = "%\\DB";
    Settings s;
    s.DBPath = folders.defaultDatabasePath();
    ASSERT_TRUE(store().SaveEntries(s));
    EXPECT_TRUE(readFile(configIni()).contains("\nDBPath=%\\DB\n"));
    EXPECT_EQ(loaded().DBPath, "%\\DB");
}

TEST_F(SettingsRules, TheWizardRunsOnAFirstRunAndItsChoiceIsSaved)
{
    writeFile(configIni(), "[Settings]\nSMTPHost=x\n");
    Settings s = loaded();
    EXPECT_EQ(wizardRuns, 1);
    EXPECT_EQ(ui.splashHidden, 1);
    ASSERT_TRUE(store().SaveEntries(s));
    EXPECT_EQ(savedValue("Settings", "EmailSoftware"), QString("1"));
    loaded();
    EXPECT_EQ(wizardRuns, 1);
}

TEST_F(SettingsRules, AFailingWizardWarnsAndKeepsWhatWasRead)
{
    writeFile(configIni(), "[Settings]\nAckSubject=Welcome\n");
    SettingsStore::Hooks h = hooks();
    h.SetUpWizard = [](Settings&) { throw std::runtime_error("no window"); };
    SettingsStore failing(folders, ui, logs, h);
    Settings s;
    EXPECT_FALSE(failing.Loadentries(s));
    EXPECT_EQ(s.AckSubject, "Welcome");
    EXPECT_EQ(ui.texts(), QStringList{"Error encountered loading user settings from your settings file!"});
}

TEST_F(SettingsRules, AValueOutsideWhatItsKeyAllowsGivesTheDefaultAndADebugLine)
{
    writeFile(configIni(), "[Settings]\nEmailSoftware=1\nBounceDays=-1\nSenderAddressMethod=-99999\n"
                           "AutoScanDelayedTime=4\nEmailMethod=5\nForwardToWhom=Everybody\n"
                           "ChokeDownload=-3\nAltSendMethod=-1\nBounceMax=1000\n"
                           "[Servers]\nSMTPPort=999999999\nIMAPPort=0\nDNSTimeOut=240\n");
    const Settings s = loaded();
    EXPECT_EQ(s.SMTPPort, 25);
    EXPECT_EQ(s.IMAPPort, 993);
    EXPECT_EQ(s.BounceDays, 1);
    EXPECT_EQ(s.SenderAddressMethod, 5);
    EXPECT_EQ(s.AutoScanDelayedTime, 60);
    EXPECT_EQ(s.EmailMethod, -1);
    EXPECT_EQ(s.ForwardToWhom, "Subject");
    EXPECT_TRUE(s.BounceRemoval);
    EXPECT_EQ(s.BounceMax, 10);
    // Values with a meaning of their own, and the edge of a range, stay.
    EXPECT_EQ(s.ChokeDownload, -3);
    EXPECT_EQ(s.AltSendMethod, -1);
    EXPECT_EQ(s.DNSTimeOut, 240);
    EXPECT_EQ(s.EmailSoftware, 1);

    const QStringList lines = debugLines();
    EXPECT_TRUE(lines.contains("DEBUG: [Loadentries] SMTPPort=999999999 is not a value the key "
                               "allows; its default 25 is used"))
        << lines.join('\n').toStdString();
    for (const char* replaced : {"IMAPPort=0 ", "BounceDays=-1 ", "SenderAddressMethod=-99999 ",
                                 "AutoScanDelayedTime=4 ", "EmailMethod=5 ",
                                 "ForwardToWhom=Everybody ", "BounceMax=1000 "})
        EXPECT_EQ(lines.filter(QString("] ") + replaced).size(), 1) << replaced;
    EXPECT_EQ(lines.filter(" is not a value the key allows").size(), 8);
    EXPECT_TRUE(ui.shown.isEmpty());
}
