#pragma once

#include "mail/MailAddress.h"

#include <QList>
#include <QString>
#include <QStringList>

// One card of a vCard file (versions 2.1, 3.0, 4.0): FN (else N), every EMAIL,
// and KIND:group (a distribution list; its MEMBER mailto: addresses count as its
// addresses).
struct VCardContact {
    QString fullName;
    QStringList addresses;
    bool isGroup = false;
};

// Every card of the file, in order. Folded lines, quoted-printable values and
// charsets are decoded; a broken card is skipped, never the file.
QList<VCardContact> readVCardFile(const QString& path);
