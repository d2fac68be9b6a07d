#include "settings/SettingsKeys.h"

#include "settings/IniFile.h"
#include "util/TextRoutines.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

const Settings& defaults()
{
    static const Settings d;
    return d;
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
        const QString choice = text.value_or(defaults().AfterProcess);
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

// Starting on the information page means no view mode is carried over.
const SettingCodec currentMode{
    [](Settings& s, const std::optional<QString>& text) {
        s.CurrentMode = text.value_or(defaults().CurrentMode);
    },
    [](const Settings& s) { return s.AlwaysStartInInfo ? QString() : s.CurrentMode; }};

constexpr int kMinInt = std::numeric_limits<int>::min();
constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr IntRange kNotChosen{-1, -1};

constexpr KeyRule between(int min, int max, std::optional<IntRange> special = std::nullopt)
{
    return KeyRule{IntRange{min, max}, {}, special, {}};
}

constexpr KeyRule kPort = between(1, 65535);

constexpr KeyRule oneOf(std::span<const int> values, std::optional<IntRange> special)
{
    return KeyRule{IntRange{values.front(), values.back()}, values, special, {}};
}

constexpr KeyRule oneOf(std::span<const char* const> choices)
{
    return KeyRule{std::nullopt, {}, std::nullopt, choices};
}

// 1 Outlook (here: a mail account), 5 another e-mail program.
constexpr int kEmailSoftware[] = {1, 5};
constexpr const char* kAfterProcess[] = {"MarkRead", "Move", "Delete"};
constexpr const char* kForwardToWhom[] = {"Sender", "Subject", "Email", "All"};
constexpr const char* kIMAPSecurity[] = {"TLS", "STARTTLS", "None"};
constexpr const char* kSMTPSecurity[] = {"Auto", "STARTTLS", "TLS", "None"};

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
    SettingKey{S, "LastSiteVisit", &St::LastSiteVisit, {}, KeyAccess::ReadOnly},
    SettingKey{S, "ShowGroupPanel", &St::ShowGroupPanel},
    SettingKey{S, "AllowEditing", &St::AllowEditing},
    SettingKey{S, "SigOnForward", &St::SigOnForward},
    SettingKey{S, "chkhtmlchecked", &St::chkhtmlchecked},
    // 0 or less: removal off.
    SettingKey{S, "BounceMax", bounceMax, between(1, 999, IntRange{kMinInt, 0})},
    SettingKey{S, "DefaultToAddress", &St::DefaultToAddress},
    SettingKey{S, "RemoveOutofOffice", &St::RemoveOutofOffice},
    SettingKey{S, "DeleteDeliveryWarnings", &St::DeleteDeliveryWarnings},
    SettingKey{S, "ReadReceipt", &St::ReadReceipt},
    SettingKey{S, "SendLog", &St::SendLog},
    SettingKey{S, "AddUnsubscribers", &St::AddUnsubscribers},
    SettingKey{S, "MessageRecipientCount", &St::MessageRecipientCount, between(1, 99999)},
    SettingKey{S, "MultipleCategorySupport", &St::MultipleCategorySupport},
    SettingKey{S, "Except", &St::Except},
    SettingKey{S, "SenderAddressMethod", &St::SenderAddressMethod, between(0, 5)},
    // 1 or less: no limit.
    SettingKey{S, "ChokeDownload", &St::ChokeDownload, between(2, kMaxInt, IntRange{kMinInt, 1})},
    SettingKey{S, "EmailMethod", &St::EmailMethod, between(0, 4, kNotChosen)},
    SettingKey{S, "AltSendMethod", &St::AltSendMethod, between(0, 4, kNotChosen)},
    SettingKey{S, "UseRedemption", &St::UseRedemption},
    SettingKey{S, "SpellChecking", &St::SpellChecking},
    SettingKey{S, "AlwaysShowSenderError", &St::AlwaysShowSenderError},
    SettingKey{S, "AlwaysResolveAddresses", &St::AlwaysResolveAddresses},
    SettingKey{S, "AcknowledgementSubject", &St::AcknowledgementSubject, {}, KeyAccess::ReadOnly},
    SettingKey{S, "UnAckSubject", &St::UnAckSubject},
    SettingKey{S, "AckSubject", &St::AckSubject},
    SettingKey{S, "AddAddress", &St::AddAddress},
    SettingKey{S, "RemoveAddress", &St::RemoveAddress},
    SettingKey{S, "WrongCategory", &St::WrongCategory, between(0, 2)},
    SettingKey{S, "RetrieveMethod", &St::RetrieveMethod, between(0, 1, kNotChosen)},
    // Negative: not chosen yet, the set-up wizard runs.
    SettingKey{S, "EmailSoftware", &St::EmailSoftware, oneOf(kEmailSoftware, IntRange{kMinInt, -1})},
    SettingKey{S, "ContactRetrieveMethod", &St::ContactRetrieveMethod, between(0, 2, kNotChosen)},
    SettingKey{S, "BounceDays", &St::BounceDays, between(1, 365)},
    SettingKey{S, "UnsubAcknowledgement", &St::UnsubAcknowledgement},
    SettingKey{S, "AckManualEntries", &St::AckManualEntries},
    SettingKey{S, "SubAcknowledgement", &St::SubAcknowledgement},
    SettingKey{S, "ProcessWebForms", &St::ProcessWebForms},
    SettingKey{S, "WebFormSubject", &St::WebFormSubject},
    // 0: no pause.
    SettingKey{S, "StaggerDelay", &St::StaggerDelay, between(1, kMaxInt, IntRange{0, 0})},
    SettingKey{S, "UserSending", &St::UserSending},
    SettingKey{S, "UserSendingFolder", &St::UserSendingFolder},
    SettingKey{S, "ForwardAll", &St::ForwardAll},
    SettingKey{S, "ForwardToWhom", &St::ForwardToWhom, oneOf(kForwardToWhom)},
    SettingKey{S, "MustBelongToGroup", &St::MustBelongToGroup},
    SettingKey{S, "CheckUser", &St::CheckUser},
    SettingKey{S, "DefaultNoUserSend", &St::DefaultNoUserSend},
    SettingKey{S, "GuessSalutation", &St::GuessSalutation},
    SettingKey{S, "MaintainLog", &St::MaintainLog},
    SettingKey{S, "DebugLogging", &St::DebugLogging},
    SettingKey{S, "AutoScanDelayedTime", &St::AutoScanDelayedTime, between(5, 1000)},
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
    SettingKey{S, "AfterProcess", afterProcess, oneOf(kAfterProcess)},
    SettingKey{S, "ProcessAsUnread", processAsUnread, {}, KeyAccess::ReadOnly},

    SettingKey{D, "DBPath", &St::DBPath},
    SettingKey{D, "StrictChangeDetection", &St::StrictChangeDetection},
    SettingKey{D, "DBIsExclusive", &St::DBIsExclusive},
    SettingKey{D, "ShownBigDBWarning", &St::ShownBigDBWarning},
    SettingKey{D, "LimitDBCache", &St::LimitDBCache},
    SettingKey{D, "DBCacheSize", &St::DBCacheSize, between(100, 50000)},

    SettingKey{V, "ProfileName", &St::ProfileName},
    SettingKey{V, "ProfilePassword", &St::ProfilePassword},
    SettingKey{V, "ServerConnections", &St::ServerConnections, between(1, 1000)},
    SettingKey{V, "SmtpPassword", &St::SmtpPassword},
    SettingKey{V, "SMTPLogon", &St::SMTPLogon},
    SettingKey{V, "SMTPHost", &St::SMTPHost},
    SettingKey{V, "SMTPPort", &St::SMTPPort, kPort},
    SettingKey{V, "SMTPID", &St::SMTPID},
    SettingKey{V, "SMTPName", &St::SMTPName},
    SettingKey{V, "SMTPEmail", &St::SMTPEmail},
    SettingKey{V, "SMTPSecurity", &St::SMTPSecurity, oneOf(kSMTPSecurity)},
    SettingKey{V, "SMTPVerifyCertificate", &St::SMTPVerifyCertificate},
    SettingKey{V, "DNSHost", &St::DNSHost},
    SettingKey{V, "DNSTimeOut", &St::DNSTimeOut, between(1, 240)},
    SettingKey{V, "DNSProcessBounce", &St::DNSProcessBounce},
    SettingKey{V, "IMAPHost", &St::IMAPHost},
    SettingKey{V, "IMAPPort", &St::IMAPPort, kPort},
    SettingKey{V, "IMAPSecurity", &St::IMAPSecurity, oneOf(kIMAPSecurity)},
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

const SettingKey* settingKey(const QString& name)
{
    for (const SettingKey& key : keys)
        if (name == QLatin1String(key.key))
            return &key;
    return nullptr;
}
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

bool KeyRule::accepts(int n) const
{
    if (special && special->contains(n))
        return true;
    if (!usual || !usual->contains(n))
        return false;
    return only.empty() || std::find(only.begin(), only.end(), n) != only.end();
}

namespace {

// The stored text as the key's rule lets it through: a choice in its own
// spelling; nullopt (the default) for anything the rule does not accept, with
// *replaced saying so. Text that is no number at all is left to the reader.
std::optional<QString> checked(const SettingKey& key, const std::optional<QString>& text,
                               QString* replaced)
{
    const KeyRule& rule = key.rule;
    if (!text || (!rule.usual && rule.choices.empty()))
        return text;
    const QString stored = text->trimmed();
    if (!rule.choices.empty()) {
        for (const char* choice : rule.choices)
            if (stored.compare(QLatin1String(choice), Qt::CaseInsensitive) == 0)
                return QString::fromLatin1(choice);
        if (stored.isEmpty())
            return std::nullopt;
    } else {
        bool number = false;
        const int n = stored.toInt(&number);
        if (!number || rule.accepts(n))
            return text;
    }
    if (replaced)
        *replaced = QStringLiteral("%1=%2 is not a value the key allows; its default %3 is used")
                        .arg(QLatin1String(key.key), stored, keyText(key, defaults()).value_or(""));
    return std::nullopt;
}

}  // namespace

void readKey(const SettingKey& key, Settings& s, const IniFile& ini, QString* replaced)
{
    const std::optional<QString> text = checked(key, ini.value(key.section, key.key), replaced);
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
