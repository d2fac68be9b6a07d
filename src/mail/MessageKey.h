#pragma once

#include <QString>
#include <QtGlobal>

// Names one message for the length of a pass, whatever moves or deletions happen
// to the folder meanwhile: IMAP UIDVALIDITY and UID, or a Maildir file's unique
// name (the part before ":2,"). Never a position.
struct MessageKey {
    QString store;   // store name, as in a folder path
    QString folder;  // folder path inside the store, "//"-joined
    quint32 uidValidity = 0;
    quint32 uid = 0;
    QString uniqueName;  // Maildir

    // One text for journals and logs: "store//folder uidvalidity:uid" or "store//folder name".
    QString text() const
    {
        const QString where = store + "//" + folder + ' ';
        return uniqueName.isEmpty() ? where + QString::number(uidValidity) + ':' + QString::number(uid)
                                    : where + uniqueName;
    }
    bool operator==(const MessageKey&) const = default;
};
