#include "subscriptions/RequestWords.h"

#include "addresses/NameAndAddress.h"
#include "settings/Settings.h"
#include "subscriptions/GroupList.h"

namespace {

// "@" counts only after the first character: "@sales" is still a word of a name.
bool holdsAt(const QString& word) { return word.indexOf('@', 1) > 0; }

bool isNoiseWord(const QString& piece)
{
    static const QStringList noise = {"ME", "RE:", "FROM", "TO"};
    return noise.contains(piece, Qt::CaseInsensitive);
}

}  // namespace

QStringList SplitToWordList(const QString& text, bool joinWords, bool stripQuotes, bool skipNoise,
                            const QString& separator)
{
    QStringList words;
    if (text.isEmpty() || text == separator || separator.isEmpty())
        return words;
    const QStringList pieces = text.split(separator);
    const bool join = joinWords && separator == " ";
    for (QString piece : pieces) {
        piece = piece.trimmed();
        if (stripQuotes) {
            if (piece.startsWith('"'))
                piece.remove(0, 1);
            if (piece.endsWith('"'))
                piece.chop(1);
        }
        if (piece.isEmpty() || (skipNoise && isNoiseWord(piece)))
            continue;
        if (join && !holdsAt(piece) && words.size() > 1 && !holdsAt(words.last()))
            words.last() += ' ' + piece;
        else
            words << piece;
    }
    return words;
}

QString StripReplyPrefixes(const QString& subject)
{
    QString text = subject.trimmed();
    while (text.startsWith("RE:", Qt::CaseInsensitive))
        text = text.mid(3).trimmed();
    while (text.startsWith("FWD:", Qt::CaseInsensitive))
        text = text.mid(4).trimmed();
    return text;
}

void KeepAddressesAndGroups(const Settings& settings, QStringList& words)
{
    for (qsizetype i = words.size() - 1; i >= 0; --i)
        if (!LooksLikeAddress(words[i]) && !SupportedGroup(settings, words[i]))
            words.removeAt(i);
}

QString GetAddress(const QString& address, const QString& name)
{
    if (!address.isEmpty())
        return address;
    return name.contains('@') ? name : QString();
}
