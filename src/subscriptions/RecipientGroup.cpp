#include "subscriptions/RecipientGroup.h"

#include "settings/Settings.h"
#include "store/EntriesTable.h"

#include <exception>

namespace {

QString groupFromRecipientStem(const QString& recipient)
{
    const qsizetype at = recipient.indexOf('@');
    if (at < 0)
        return {};
    QString stem = recipient.left(at);
    const qsizetype bracket = stem.indexOf('<');
    if (bracket >= 0) {
        stem = stem.mid(bracket + 1);
        qsizetype blanks = 0;
        while (blanks < stem.size() && stem.at(blanks).isSpace())
            ++blanks;
        stem = stem.mid(blanks);
    }
    return stem;
}

QString groupFromSubject(const QString& subject)
{
    const qsizetype open = subject.indexOf('[');
    if (open < 0 || subject.indexOf(']', 1) < 0)
        return {};
    const qsizetype close = subject.indexOf(']', open + 1);
    if (close < 0)
        return {};
    return subject.mid(open + 1, close - open - 1).trimmed();
}

}  // namespace

QString GetGroupOfUser(const EntriesTable& entries, const QString& address)
{
    const auto entry = entries.locate(address);
    return entry ? entry->Category : QString();
}

std::optional<QString> GetRecipientGroup(const Settings& settings, const EntriesTable& entries,
                                         const QString& sender, const QString& recipient,
                                         const QString& subject)
{
    const QString& rule = settings.ForwardToWhom;
    if (rule.compare("All", Qt::CaseInsensitive) == 0)
        return QString();
    QString group;
    try {
        if (rule.compare("Email", Qt::CaseInsensitive) == 0)
            group = groupFromRecipientStem(recipient);
        else if (rule.compare("Sender", Qt::CaseInsensitive) == 0)
            group = GetGroupOfUser(entries, sender);
        else if (rule.compare("Subject", Qt::CaseInsensitive) == 0)
            group = groupFromSubject(subject);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (group.isEmpty())
        return std::nullopt;
    return group;
}
