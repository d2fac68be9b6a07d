#include "mail/MaildirStore.h"

#include "mail/MailErrors.h"
#include "mail/MaildirFiles.h"
#include "mail/MaildirFolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kInbox = QStringLiteral("Inbox");

// One step below a directory; a folder's own parts are never folders of their own.
bool isFolderName(const QString& name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && name != "cur" &&
           name != "new" && name != "tmp";
}

QStringList subFolderNames(const QString& directory)
{
    QStringList names;
    const QStringList entries =
        QDir(directory).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QString& name : entries)
        if (isFolderName(name) && isMaildir(directory + '/' + name))
            names << name;
    return names;
}

MailFolderNode folderNode(const QString& name, const QString& directory)
{
    MailFolderNode node;
    node.name = name;
    const QList<MaildirFile> files = scanMaildir(directory);
    node.messageCount = int(files.size());
    for (const MaildirFile& file : files)
        node.unreadCount += file.seen() ? 0 : 1;
    for (const QString& child : subFolderNames(directory))
        node.children.push_back(folderNode(child, directory + '/' + child));
    return node;
}

class MaildirStore : public MailStore {
public:
    MaildirStore(QString name, QString root) : name_(std::move(name)), root_(QDir::cleanPath(root)) {}

    QString name() const override { return name_; }

    void connect() override { makeMaildir(root_ + '/' + kInbox); }

    QList<MailFolderNode> folders() override
    {
        connect();
        QList<MailFolderNode> nodes;
        for (const QString& name : subFolderNames(root_))
            nodes.push_back(folderNode(name, root_ + '/' + name));
        return nodes;
    }

    std::unique_ptr<MailFolder> open(const QStringList& names) override
    {
        connect();
        if (names.isEmpty())
            throw mailError(name_ + " holds folders, not messages");
        return std::make_unique<MaildirFolder>(name_, names, directoryOf(names));
    }

    void createFolder(const QStringList& parent, const QString& name) override
    {
        connect();
        if (!isFolderName(name))
            throw mailError("A folder cannot be named \"" + name + "\"");
        const QString directory = (parent.isEmpty() ? root_ : directoryOf(parent)) + '/' + name;
        if (QFileInfo::exists(directory))
            throw mailError("There is already a folder named " + name);
        makeMaildir(directory);
    }

private:
    QString directoryOf(const QStringList& names) const
    {
        QString directory = root_;
        for (const QString& step : names) {
            directory += '/' + step;
            if (!isFolderName(step) || !isMaildir(directory))
                throw missingFolderError(step);
        }
        return directory;
    }

    QString name_;
    QString root_;
};

}  // namespace

std::unique_ptr<MailStore> openMaildirStore(const QString& name, const QString& root)
{
    return std::make_unique<MaildirStore>(name, root);
}
