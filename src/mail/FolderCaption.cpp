#include "mail/FolderCaption.h"

#include <QStringList>

QString folderCaption(const MailFolderNode& node)
{
    return node.kind == MailFolderNode::Kind::Contacts ? node.name + '*' : node.name;
}

QString stripasterisk(const QString& caption)
{
    return caption.endsWith('*') ? caption.chopped(1) : caption;
}

int FolderImageIndex(const QString& caption, bool isStore)
{
    if (isStore)
        return 0;
    const QString upper = caption.toUpper();
    if (upper.contains('*') || upper == "CONTACTS")
        return 2;
    if (upper == "CALENDAR")
        return 1;
    if (upper.contains("DELETED"))
        return 3;
    static const QStringList named = {"DRAFTS", "JOURNAL", "NOTES",  "TASKS",
                                      "INBOX",  "OUTBOX",  "SENT ITEMS"};
    const qsizetype at = named.indexOf(upper);
    return at >= 0 ? int(at) + 4 : 11;
}

bool isSupportedFolderCaption(const QString& caption, bool allowContacts)
{
    const QString upper = caption.toUpper();
    if (upper == "CALENDAR" || upper == "JOURNAL" || upper == "NOTES" || upper == "TASKS")
        return false;
    return allowContacts || !caption.contains('*');
}
