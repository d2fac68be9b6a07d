#pragma once

#include "mail/MailStore.h"

#include <QString>

// The contacts store seen from MailStores: each folder is one vCard file, read as
// cards rather than opened as messages.
class VCardFolderStore : public MailStore {
public:
    explicit VCardFolderStore(QString folder);

    QString name() const override;
    void connect() override {}
    QList<MailFolderNode> folders() override;
    // Contacts folders hold no messages: always MailError.
    std::unique_ptr<MailFolder> open(const QStringList& names) override;
    // vCard files hold no folders: always MailError.
    void createFolder(const QStringList& parent, const QString& name) override;

    // The file behind a contacts folder; MailError names a missing step.
    QString cardFile(const QStringList& names) const;

private:
    QString folder_;
};
