#pragma once

#include <QString>
#include <QStringList>

struct Settings;

// The words of a request line. The separator is appended when the text does not
// end with it; pieces are trimmed and empty ones dropped; stripQuotes removes one
// leading and one trailing double quote; skipNoise drops "ME", "RE:", "FROM" and
// "TO". With joinWords and a blank separator a piece without "@" (after its first
// character) joins the previous word when the list already holds more than one word
// and that word has none either: "SUBSCRIBE a@x.test Sales Team" keeps the group
// "Sales Team" whole, while the first two words always stay apart.
QStringList SplitToWordList(const QString& text, bool joinWords, bool stripQuotes, bool skipNoise,
                            const QString& separator);

// Removes leading "RE:" prefixes, then leading "FWD:" prefixes (any case), trimming
// between them. "RE: FWD: RE: text" therefore keeps its second "RE:".
QString StripReplyPrefixes(const QString& subject);

// Drops, from last to first, every word that neither looks like an address nor
// names a supported group.
void KeepAddressesAndGroups(const Settings& settings, QStringList& words);

// The address when not empty; else the name when it holds "@"; else empty.
QString GetAddress(const QString& address, const QString& name);
