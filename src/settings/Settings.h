#pragma once

#include "logs/LogSwitches.h"

#include <QString>
#include <QStringList>

// Every option of the program, one member per Settings.ini key (named as the key),
// plus the text lists. Defaults are the built-in values. SettingsStore loads and
// saves it; the options dialog edits a copy and commits it.
struct Settings {
    // --- Section "Settings"
    QString MailingListFolder;
    QString DefaultFullName;
    QString DefaultFirstName;
    QString DefaultSurname;
    QString DefaultCompany;
    QString AlternativeCategory = "Default";
    bool FailedMail = false;
    QString CurrentMode;
    QString LastSiteVisit;  // day number as text; empty when not yet set
    bool ShowGroupPanel = false;
    bool AllowEditing = false;
    bool SigOnForward = false;
    bool chkhtmlchecked = false;
    // "Remove addresses that have bounced more than" n: stored as one key, 0 = off.
    bool BounceRemoval = true;
    int BounceMax = 10;
    QString DefaultToAddress;
    bool RemoveOutofOffice = false;
    bool DeleteDeliveryWarnings = false;
    bool ReadReceipt = false;
    bool SendLog = false;
    bool AddUnsubscribers = false;
    int MessageRecipientCount = 250;
    bool MultipleCategorySupport = true;
    bool Except = true;
    int SenderAddressMethod = 5;
    int ChokeDownload = 0;
    int EmailMethod = -1;
    int AltSendMethod = -1;
    bool UseRedemption = true;
    bool SpellChecking = true;
    bool AlwaysShowSenderError = true;
    bool AlwaysResolveAddresses = true;
    QString AcknowledgementSubject;  // read only
    QString UnAckSubject = "Removal from Mailing List";
    QString AckSubject = "Mailing List Subscription";
    QString AddAddress;
    QString RemoveAddress;
    int WrongCategory = 2;  // 0 error list, 1 change group, 2 confirm
    int RetrieveMethod = -1;
    int EmailSoftware = -1;
    int ContactRetrieveMethod = -1;
    int BounceDays = 1;
    bool UnsubAcknowledgement = false;
    bool AckManualEntries = false;
    bool SubAcknowledgement = false;
    bool ProcessWebForms = false;
    QString WebFormSubject = "Web Form Submission";
    int StaggerDelay = 0;
    bool UserSending = false;
    QString UserSendingFolder;
    bool ForwardAll = false;
    QString ForwardToWhom = "Subject";  // "Sender", "Subject", "Email", "All"
    bool MustBelongToGroup = true;
    bool CheckUser = false;
    bool DefaultNoUserSend = true;
    bool GuessSalutation = true;
    bool MaintainLog = true;
    bool DebugLogging = false;
    int AutoScanDelayedTime = 60;
    bool AutoScanDelayed = false;
    bool AutoScanStartUp = false;
    QString defaultcategory = "Default";
    bool BackUpOnExit = false;
    QString BackUpFilename;
    bool newbackupfilename = false;
    bool allowfromaddressasentry = true;
    bool UpdateFieldsofOldEntry = true;
    bool Check4InternetConnection = true;
    bool LogManualEntries = true;
    bool OnlyScanSubject = false;
    bool AlwaysStartInInfo = false;
    QString MoveFolder;
    QString AfterProcess = "Delete";  // "Delete", "MarkRead" or "Move"

    // --- Section "Database"
    QString DBPath;
    bool StrictChangeDetection = false;
    bool DBIsExclusive = false;
    bool ShownBigDBWarning = false;
    bool LimitDBCache = false;
    int DBCacheSize = 2000;

    // --- Section "Servers"
    QString ProfileName;
    QString ProfilePassword;
    int ServerConnections = 100;
    QString SmtpPassword;
    bool SMTPLogon = false;
    QString SMTPHost;
    int SMTPPort = 25;
    QString SMTPID;
    QString SMTPName;
    QString SMTPEmail;
    // "Auto" takes STARTTLS when the server offers it, so a plain port-25 server keeps working.
    QString SMTPSecurity = "Auto";  // "Auto", "STARTTLS", "TLS" or "None"
    bool SMTPVerifyCertificate = true;
    QString DNSHost;
    int DNSTimeOut = 6;
    bool DNSProcessBounce = true;
    // The mail layer's own settings.
    QString IMAPHost;
    int IMAPPort = 993;
    QString IMAPSecurity = "TLS";  // "TLS", "STARTTLS" or "None"
    bool IMAPVerifyCertificate = true;
    QString LocalMailFolder;  // empty: application folder + "Mail/"
    QString AddressBookFile;
    QString SendmailPath = "/usr/sbin/sendmail";

    // --- Text lists (one file each in the configuration folder)
    QStringList SubAck;        // SubAck.txt
    QStringList UnSubAck;      // UnSubAck.txt
    QStringList ExceptList;    // Except.txt
    QStringList Remstr;        // Remstr.txt
    QStringList Modifystr;     // Modifystr.txt
    QStringList Addstr;        // Addstr.txt
    QStringList Cats;          // Cats.txt (the group list, lower case); the database's copy comes first
    QStringList WebForms;      // WebForms.ddt
    QStringList Signature;     // Signature.txt
    QStringList FwdSignature;  // FwdSignature.txt
    QStringList Never;         // Never.txt
    QStringList Failed;        // Failed.txt

    Settings();  // fills the text lists with their built-in defaults; Cats stays empty

    LogSwitches logSwitches() const { return {MaintainLog, DebugLogging}; }
};
