#pragma once

#include <QList>
#include <QString>

// One mailbox of a header: the display name (decoded, may be empty) and the address.
struct MailAddress {
    QString name;
    QString address;
    bool operator==(const MailAddress&) const = default;
};
using MailAddressList = QList<MailAddress>;
