#include "settings/SettingsKeys.h"

#include "settings/IniFile.h"
#include "util/TextRoutines.h"

#include <array>

namespace {

const Settings& defaults()
{
    static const Settings d;
    return d;
}

// One of the given choices, matched in any letter case; otherwise the fallback.
QString choiceFromText(const std::optional<QString>& text, const QStringList& choices,
                       const QString& fallback)
{
    if (text)
        for (const QString& c : choices)
            if (c.compare(text->trimmed(), Qt::CaseInsensitive) == 0)
                return c;
    return fallback;
}

// A count of 0 or less switches bounce removal off; the dialog then shows the usual count.
const SettingCodec bounceMax{
    [](Settings& s, const std::optional<QString>& text) {
        const int n = intFromText(text, defaults().BounceMax);
        s.BounceRemoval = n > 0;
        s.BounceMax = n > 0 ? n : defaults().BounceMax;
    },
    [](const Settings& s) { return s.BounceRemoval ? QString::number(s.BounceMax) : "0"; }};

// Moving needs a folder to move to; without one processed messages are deleted.
// Listed after MoveFolder, which it reads.
const SettingCodec afterProcess{
    [](Settings& s, const std::optional<QString>& text) {
        const QString choice = choiceFromText(text, {"MarkRead", "Move", "Delete"}, "Delete");
        s.AfterProcess = choice == "Move" && s.MoveFolder.isEmpty() ? "Delete" : choice;
    },
    [](const Settings& s) { return s.AfterProcess; }};

// An old key: when set it asks for "Mark messages as read". It never turns a
// stored choice into deletion. Listed after AfterProcess, which it overrides.
const SettingCodec processAsUnread{
    [](Settings& s, const std::optional<QString>& text) {
        if (boolFromText(text, false))
            s.AfterProcess = "MarkRead";
    },
    nullptr};

const SettingCodec forwardToWhom{
    [](Settings& s, const std::optional<QString>& text) {
        s.ForwardToWhom = choiceFromText(text, {"Sender", "Subject", "Email", "All"}, "Subject");
    },
    [](const Settings& s) { return s.ForwardToWhom; }};

// Starting on the information page means no view mode is carried over.
const SettingCodec currentMode{
    [](Settings& s, const std::optional<QString>& text) {
        s.CurrentMode = text.value_or(defaults().CurrentMode);
    },
    [](const Settings& s) { return s.AlwaysStartInInfo ? QString() : s.CurrentMode; }};

const SettingCodec imapSecurity{
    [](Settings& s, const std::optional<QString>& text) {
        s.IMAPSecurity =
            choiceFromText(text, {"TLS", "STARTTLS", "None"}, defaults().IMAPSecurity);
    },
    [](const Settings& s) { return s.IMAPSecurity; }};

constexpr const char* S = "Settings";
constexpr const char* D = "Database";
constexpr const char* V = "Servers";

using St = Settings;

const std::array keys{
    SettingKey{S, "MailingListFolder", &St::MailingListFolder},
    SettingKey{S, "DefaultFullName", &St::DefaultFullName},
    SettingKey{S, "DefaultFirstName", &St::DefaultFirstName},
    SettingKey{S, "DefaultSurname", &St::DefaultSurname},
    SettingKey{S, "DefaultCompany", &St::DefaultCompany},
    SettingKey{S, "AlternativeCategory", &St::AlternativeCategory},
    SettingKey{S, "FailedMail", &St::FailedMail},
    SettingKey{S, "CurrentMode", currentMode},
    // Written only by the site reminder.
    SettingKey{S, "LastSiteVisit", &St::LastSiteVisit, KeyAccess::ReadOnly},
    SettingKey{S, "ShowGroupPanel", &St::ShowGroupPanel},
    SettingKey{S, "AllowEditing", &St::AllowEditing},
    SettingKey{S, "SigOnForward", &St::SigOnForward},
    SettingKey{S, "chkhtmlchecked", &St::chkhtmlchecked},
    SettingKey{S, "BounceMax", bounceMax},
    SettingKey{S, "DefaultToAddress", &St::DefaultToAddress},
    SettingKey{S, "RemoveOutofOffice", &St::RemoveOutofOffice},
    SettingKey{S, "DeleteDeliveryWarnings", &St::DeleteDeliveryWarnings},
    SettingKey{S, "ReadReceipt", &St::ReadReceipt},
    SettingKey{S, "SendLog", &St::SendLog},
    SettingKey{S, "AddUnsubscribers", &St::AddUnsubscribers},
    SettingKey{S, "MessageRecipientCount", &St::MessageRecipientCount},
    SettingKey{S, "MultipleCategorySupport", &St::MultipleCategorySupport},
    SettingKey{S, "Except", &St::Except},
    SettingKey{S, "SenderAddressMethod", &St::SenderAddressMethod},
    SettingKey{S, "ChokeDownload", &St::ChokeDownload},
    SettingKey{S, "EmailMethod", &St::EmailMethod},
    SettingKey{S, "AltSendMethod", &St::AltSendMethod},
    SettingKey{S, "UseRedemption", &St::UseRedemption},
    SettingKey{S, "SpellChecking", &St::SpellChecking},
    SettingKey{S, "AlwaysShowSenderError", &St::AlwaysShowSenderError},
    SettingKey{S, "AlwaysResolveAddresses", &St::AlwaysResolveAddresses},
    SettingKey{S, "AcknowledgementSubject", &St::AcknowledgementSubject, KeyAccess::ReadOnly},
    SettingKey{S, "UnAckSubject", &St::UnAckSubject},
    SettingKey{S, "AckSubject", &St::AckSubject},
    SettingKey{S, "AddAddress", &St::AddAddress},
    SettingKey{S, "RemoveAddress", &St::RemoveAddress},
    SettingKey{S, "WrongCategory", &St::WrongCategory},
    SettingKey{S, "RetrieveMethod", &St::RetrieveMethod},
    SettingKey{S, "EmailSoftware", &St::EmailSoftware},
    SettingKey{S, "ContactRetrieveMethod", &St::ContactRetrieveMethod},
    SettingKey{S, "BounceDays", &St::BounceDays},
    SettingKey{S, "UnsubAcknowledgement", &St::UnsubAcknowledgement},
    SettingKey{S, "AckManualEntries", &St::AckManualEntries},
    SettingKey{S, "SubAcknowledgement", &St::SubAcknowledgement},
    SettingKey{S, "ProcessWebForms", &St::ProcessWebForms},
    SettingKey{S, "WebFormSubject", &St::WebFormSubject},
    SettingKey{S, "StaggerDelay", &St::StaggerDelay},
    SettingKey{S, "UserSending", &St::UserSending},
    SettingKey{S, "UserSendingFolder", &St::UserSendingFolder},
    SettingKey{S, "ForwardAll", &St::ForwardAll},
    SettingKey{S, "ForwardToWhom", forwardToWhom},
    SettingKey{S, "MustBelongToGroup", &St::MustBelongToGroup},
    SettingKey{S, "CheckUser", &St::CheckUser},
    SettingKey{S, "DefaultNoUserSend", &St::DefaultNoUserSend},
    SettingKey{S, "GuessSalutation", &St::GuessSalutation},
    SettingKey{S, "MaintainLog", &St::MaintainLog},
    SettingKey{S, "DebugLogging", &St::DebugLogging},
    SettingKey{S, "AutoScanDelayedTime", &St::AutoScanDelayedTime},
    SettingKey{S, "AutoScanDelayed", &St::AutoScanDelayed},
    SettingKey{S, "AutoScanStartUp", &St::AutoScanStartUp},
    SettingKey{S, "defaultcategory", &St::defaultcategory},
    SettingKey{S, "BackUpOnExit", &St::BackUpOnExit},
    SettingKey{S, "BackUpFilename", &St::BackUpFilename},
    SettingKey{S, "newbackupfilename", &St::newbackupfilename},
    SettingKey{S, "allowfromaddressasentry", &St::allowfromaddressasentry},
    SettingKey{S, "UpdateFieldsofOldEntry", &St::UpdateFieldsofOldEntry},
    SettingKey{S, "Check4InternetConnection", &St::Check4InternetConnection},
    SettingKey{S, "LogManualEntries", &St::LogManualEntries},
    SettingKey{S, "OnlyScanSubject", &St::OnlyScanSubject},
    SettingKey{S, "AlwaysStartInInfo", &St::AlwaysStartInInfo},
    SettingKey{S, "MoveFolder", &St::MoveFolder},
    SettingKey{S, "AfterProcess", afterProcess},
    SettingKey{S, "ProcessAsUnread", processAsUnread, KeyAccess::ReadOnly},

    SettingKey{D, "DBPath", &St::DBPath},
    SettingKey{D, "StrictChangeDetection", &St::StrictChangeDetection},
    SettingKey{D, "DBIsExclusive", &St::DBIsExclusive},
    SettingKey{D, "ShownBigDBWarning", &St::ShownBigDBWarning},
    SettingKey{D, "LimitDBCache", &St::LimitDBCache},
    SettingKey{D, "DBCacheSize", &St::DBCacheSize},

    SettingKey{V, "ProfileName", &St::ProfileName},
    SettingKey{V, "ProfilePassword", &St::ProfilePassword},
    SettingKey{V, "ServerConnections", &St::ServerConnections},
    SettingKey{V, "SmtpPassword", &St::SmtpPassword},
    SettingKey{V, "SMTPLogon", &St::SMTPLogon},
    SettingKey{V, "SMTPHost", &St::SMTPHost},
    SettingKey{V, "SMTPPort", &St::SMTPPort},
    SettingKey{V, "SMTPID", &St::SMTPID},
    SettingKey{V, "SMTPName", &St::SMTPName},
    SettingKey{V, "SMTPEmail", &St::SMTPEmail},
    SettingKey{V, "DNSHost", &St::DNSHost},
    SettingKey{V, "DNSTimeOut", &St::DNSTimeOut},
    SettingKey{V, "DNSProcessBounce", &St::DNSProcessBounce},
    SettingKey{V, "IMAPHost", &St::IMAPHost},
    SettingKey{V, "IMAPPort", &St::IMAPPort},
    SettingKey{V, "IMAPSecurity", imapSecurity},
    SettingKey{V, "IMAPVerifyCertificate", &St::IMAPVerifyCertificate},
    SettingKey{V, "LocalMailFolder", &St::LocalMailFolder},
    SettingKey{V, "AddressBookFile", &St::AddressBookFile},
    SettingKey{V, "SendmailPath", &St::SendmailPath},
};

const std::array lists{
    ListFile{"SubAck.txt", &St::SubAck},
    ListFile{"UnSubAck.txt", &St::UnSubAck},
    ListFile{"Except.txt", &St::ExceptList},
    ListFile{"Remstr.txt", &St::Remstr},
    ListFile{"Modifystr.txt", &St::Modifystr},
    ListFile{"Addstr.txt", &St::Addstr},
    ListFile{"Cats.txt", &St::Cats},
    ListFile{"WebForms.ddt", &St::WebForms},
    ListFile{"Signature.txt", &St::Signature},
    ListFile{"FwdSignature.txt", &St::FwdSignature},
    ListFile{"Never.txt", &St::Never},
    ListFile{"Failed.txt", &St::Failed},
};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

std::span<const SettingKey> settingKeys() { return keys; }
std::span<const ListFile> listFiles() { return lists; }

QString boolText(bool value) { return value ? "true" : "False"; }

bool boolFromText(const std::optional<QString>& text, bool fallback)
{
    return text ? TextToBool(text->trimmed(), fallback) : fallback;
}

int intFromText(const std::optional<QString>& text, int fallback)
{
    if (!text)
        return fallback;
    bool ok = false;
    const int n = text->trimmed().toInt(&ok);
    return ok ? n : fallback;
}

void readKey(const SettingKey& key, Settings& s, const IniFile& ini)
{
    const std::optional<QString> text = ini.value(key.section, key.key);
    std::visit(Overloaded{
                   [&](bool Settings::*m) { s.*m = boolFromText(text, defaults().*m); },
                   [&](int Settings::*m) { s.*m = intFromText(text, defaults().*m); },
                   [&](QString Settings::*m) { s.*m = text.value_or(defaults().*m); },
                   [&](const SettingCodec& c) { c.read(s, text); },
               },
               key.binding);
}

std::optional<QString> keyText(const SettingKey& key, const Settings& s)
{
    if (key.access == KeyAccess::ReadOnly)
        return std::nullopt;
    return std::visit(Overloaded{
                          [&](bool Settings::*m) { return boolText(s.*m); },
                          [&](int Settings::*m) { return QString::number(s.*m); },
                          [&](QString Settings::*m) { return s.*m; },
                          [&](const SettingCodec& c) {
                              return c.write ? c.write(s) : QString();
                          },
                      },
                      key.binding);
}
