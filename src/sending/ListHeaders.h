#pragma once

#include <QByteArray>
#include <QString>

// What a list message carries so that mail programs offer an unsubscribe button
// (List-Unsubscribe, RFC 2369) and can file the list's mail together (List-Id,
// RFC 2919).
struct ListHeaderSource {
    QString databaseName;   // `DatabaseName`: the list's display name
    QString removeAddress;  // `RemoveAddress`: mail to it unsubscribes
};

// "<mailto:" + address + "?subject=unsubscribe>", the address percent-encoded
// where a mailto URL needs it.
QByteArray listUnsubscribeValue(const QString& removeAddress);

// The list identifier: the name in lower case, accents dropped and every other run
// of characters that are no ASCII letters or digits a hyphen ("list" when nothing
// is left), a dot, and the domain of the remove address in lower case.
QByteArray listIdentifier(const QString& databaseName, const QString& removeAddress);
