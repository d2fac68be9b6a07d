#include "mail/ContactsStore.h"

#include "mail/MailErrors.h"
#include "mail/VCardContacts.h"
#include "mail/VCardFolderStore.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kExtension = QStringLiteral(".vcf");

// Every *.vcf file of the folder (any letter case), by name.
QFileInfoList cardFiles(const QString& folder)
{
    return QDir(folder).entryInfoList({"*" + kExtension}, QDir::Files, QDir::Name);
}

QString folderNameOf(const QFileInfo& file)
{
    return file.fileName().chopped(kExtension.size());
}

}  // namespace

VCardFolderStore::VCardFolderStore(QString folder) : folder_(std::move(folder)) {}

QString VCardFolderStore::name() const
{
    return QStringLiteral("Contacts");
}

QList<MailFolderNode> VCardFolderStore::folders()
{
    QList<MailFolderNode> nodes;
    for (const QFileInfo& file : cardFiles(folder_)) {
        MailFolderNode node;
        node.name = folderNameOf(file);
        node.kind = MailFolderNode::Kind::Contacts;
        node.messageCount = int(readVCardFile(file.filePath()).size());
        nodes.push_back(node);
    }
    return nodes;
}

std::unique_ptr<MailFolder> VCardFolderStore::open(const QStringList& names)
{
    cardFile(names);
    throw mailError(names.first() + " is a contacts folder; it holds no messages");
}

void VCardFolderStore::createFolder(const QStringList&, const QString& name)
{
    throw mailError("The contacts folders are vCard files and cannot hold a folder such as " + name);
}

QString VCardFolderStore::cardFile(const QStringList& names) const
{
    if (names.isEmpty())
        throw mailError(name() + " holds contacts folders, not cards");
    for (const QFileInfo& file : cardFiles(folder_)) {
        if (folderNameOf(file) != names.first())
            continue;
        if (names.size() > 1)
            throw missingFolderError(names[1]);
        return file.filePath();
    }
    throw missingFolderError(names.first());
}

std::unique_ptr<MailStore> openContactsStore(const QString& folder)
{
    return std::make_unique<VCardFolderStore>(folder);
}
