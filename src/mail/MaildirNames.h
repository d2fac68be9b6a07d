#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A Maildir file name: the unique name, then ":2," and the flag letters once the
// message has been seen by a reader (files in new/ usually have none).
struct MaildirName {
    QString unique;
    QString flags;
};

MaildirName parseMaildirName(const QString& fileName);
// The name a message carries in cur/: always with ":2,", its flags in ASCII order.
QString maildirFileName(const QString& unique, const QString& flags);
QString withFlag(const QString& flags, QChar flag);

// "\\Seen" S, "\\Draft" D, "\\Flagged" F, "\\Answered" R; other flags have no letter.
QString maildirFlagsOf(const QStringList& imapFlags);
QStringList imapFlagsOf(const QString& maildirFlags);

// The delivery time a deliverer put at the head of the unique name, in seconds.
std::optional<qint64> leadingNumber(const QString& unique);
// Name order with runs of digits compared as numbers, so "M99" comes before "M100"
// as deliverers that do not pad their microseconds mean it.
bool naturalLess(const QString& a, const QString& b);

// "time.M<usec>P<pid>Q<counter>.<host>", the usual shape; the host name has "/"
// and ":" spelled as octal escapes so they cannot split the name.
QString newUniqueName(quint64 counter);
