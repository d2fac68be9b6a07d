#include "subscriptions/RequestLine.h"

#include "addresses/NameAndAddress.h"
#include "settings/Settings.h"
#include "subscriptions/CurrentMessage.h"
#include "subscriptions/RequestWords.h"

namespace {

bool sameAddress(const QString& a, const QString& b)
{
    return !b.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

std::optional<RequestLine> ParseRequestLine(const Settings& settings, CurrentMessage& message,
                                            const QString& line)
{
    QStringList words = SplitToWordList(line, true, true, true, " ");
    const QString recipient = ExtractAddress(message.edtFirstRecipient);
    const bool toAddAddress = sameAddress(recipient, settings.AddAddress);
    const bool toRemoveAddress = sameAddress(recipient, settings.RemoveAddress);
    if (words.isEmpty()) {
        if (toAddAddress)
            words << "SUBSCRIBE";
        else if (toRemoveAddress)
            words << "UNSUBSCRIBE";
        else
            return std::nullopt;
    }

    const QString key = words.first();
    if (settings.Modifystr.contains(key, Qt::CaseInsensitive) && words.size() >= 3
        && LooksLikeAddress(words[1]) && LooksLikeAddress(words[2])) {
        message.edtemail = words[1];
        return RequestLine{RequestLine::Kind::Change, words[2]};
    }
    if (settings.Remstr.contains(key, Qt::CaseInsensitive)) {
        message.chkdoadd = false;
        words.removeFirst();
    } else if (settings.Addstr.contains(key, Qt::CaseInsensitive)) {
        message.chkdoadd = true;
        words.removeFirst();
    } else {
        if (toAddAddress)
            message.chkdoadd = true;
        else if (toRemoveAddress)
            message.chkdoadd = false;
        else
            return std::nullopt;
        KeepAddressesAndGroups(settings, words);
    }

    for (qsizetype i = 0; i < words.size(); ++i)
        if (LooksLikeAddress(words[i])) {
            message.edtemail = words.takeAt(i);
            message.edtname.clear();
            break;
        }
    message.edtcategory = words.value(0);
    return RequestLine{message.chkdoadd ? RequestLine::Kind::Subscribe : RequestLine::Kind::Unsubscribe, {}};
}
