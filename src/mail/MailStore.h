#pragma once

#include "mail/MailFolder.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// One folder of a store's tree with its counts; kind Contacts shows with "*".
struct MailFolderNode {
    enum class Kind { Mail, Contacts };
    QString name;
    Kind kind = Kind::Mail;
    int messageCount = 0;
    int unreadCount = 0;
    QList<MailFolderNode> children;
};

// "Local Folders" (Maildir), the IMAP account, or "Contacts" (vCard files).
// Operations raise MailError.
class MailStore {
public:
    virtual ~MailStore() = default;
    virtual QString name() const = 0;
    // Logs in where the store needs it; the first failure is raised here.
    virtual void connect() = 0;
    virtual QList<MailFolderNode> folders() = 0;
    // names: the folder path below the store, one name per step. A missing step
    // raises MailError naming that step.
    virtual std::unique_ptr<MailFolder> open(const QStringList& names) = 0;
    virtual void createFolder(const QStringList& parent, const QString& name) = 0;
};
