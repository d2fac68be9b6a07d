#pragma once

#include "mail/MailFolder.h"
#include "mail/MaildirFiles.h"

#include <QHash>

// One Maildir directory opened as a folder. A message is found by its unique name
// wherever it sits now (new/ or cur/, whatever its flags), so keys survive other
// programs reading, flagging or moving the folder's other messages.
class MaildirFolder : public MailFolder {
public:
    MaildirFolder(QString storeName, const QStringList& names, QString directory);

    QString path() const override;
    QList<MessageListing> list() override;
    int unreadCount() override;
    QByteArray fetch(const MessageKey& key) override;
    void markRead(const MessageKey& key) override;
    void remove(const MessageKey& key) override;
    void moveTo(const MessageKey& key, MailFolder& target) override;
    void append(const QByteArray& message, const QStringList& flags) override;
    void finish() override {}

private:
    MaildirFile locate(const MessageKey& key);
    void rescan();
    // A rename into the other folder's cur/; false when only a copy can take it
    // there (another device, or a message of the same name already in it).
    bool renameInto(const MaildirFile& file, MaildirFolder& target);
    void copyInto(const MessageKey& key, const MaildirFile& file, MailFolder& target);
    void removeFile(const MaildirFile& file);

    QString storeName_;
    QString folderName_;  // the names below the store, "//"-joined
    QString directory_;
    QHash<QString, MaildirFile> files_;  // by unique name, as last seen
    quint64 appended_ = 0;
};
