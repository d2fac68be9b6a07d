#include "mail/ImapStore.h"

#include "mail/ImapErrors.h"
#include "mail/ImapFolder.h"
#include "mail/ImapLogin.h"
#include "mail/ImapPath.h"

#include <algorithm>
#include <vmime/net/imap/IMAPConnection.hpp>

namespace {

using vmime::net::folderAttributes;

const QString kInbox = QStringLiteral("INBOX");

// The tree node for names, made with its parents when the server listed a
// folder before (or without) the folders above it.
MailFolderNode& nodeFor(QList<MailFolderNode>& roots, const QStringList& names)
{
    QList<MailFolderNode>* level = &roots;
    MailFolderNode* node = nullptr;
    for (const QString& name : names) {
        auto found = std::find_if(level->begin(), level->end(),
                                  [&](const MailFolderNode& n) { return n.name == name; });
        if (found == level->end()) {
            level->append(MailFolderNode{name, MailFolderNode::Kind::Mail, 0, 0, {}});
            found = level->end() - 1;
        }
        node = &*found;
        level = &node->children;
    }
    return *node;
}

// The Inbox first, the rest by name, as a folder picker shows them.
void sortTree(QList<MailFolderNode>& nodes)
{
    std::sort(nodes.begin(), nodes.end(), [](const MailFolderNode& a, const MailFolderNode& b) {
        if ((a.name == kInbox) != (b.name == kInbox))
            return a.name == kInbox;
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    for (MailFolderNode& node : nodes)
        sortTree(node.children);
}

// The Inbox is the one name servers take in any case; keys and paths spell it one way.
QStringList spelledAsListed(QStringList names)
{
    if (!names.isEmpty() && names.first().compare(kInbox, Qt::CaseInsensitive) == 0)
        names.first() = kInbox;
    return names;
}

class ImapStore final : public MailStore {
    // (First in the class: its callers deduce their results from it.)
    // A session whose connection went down is dropped, while folders already open
    // keep the one they came from. One left from an earlier pass may have been
    // ended by the server meanwhile (an idle time-out, a restart): the step is
    // then tried once more on a fresh login.
    template <typename Step>
    decltype(auto) run(Step&& step)
    {
        const bool reused = session_ != nullptr;
        try {
            return imapStep(account_, step, [&] { session_.reset(); });
        } catch (const MailError&) {
            if (!reused || session_)
                throw;
            return imapStep(account_, step, [&] { session_.reset(); });
        }
    }

public:
    explicit ImapStore(const ImapAccount& account) : account_(account) {}

    QString name() const override { return account_.storeName(); }

    void connect() override
    {
        run([&] { loggedIn(); });
    }

    QList<MailFolderNode> folders() override
    {
        return run([&] {
            QList<MailFolderNode> roots;
            for (const auto& folder : loggedIn().getRootFolder()->getFolders(/*recursive=*/true)) {
                MailFolderNode& node = nodeFor(roots, folderNames(folder->getFullPath()));
                if (folder->getAttributes().getFlags() & folderAttributes::FLAG_NO_OPEN)
                    continue;
                size_t count = 0, unseen = 0;
                try {
                    folder->status(count, unseen);
                } catch (const vmime::exceptions::command_error&) {
                    // A folder the server lists but will not count still belongs in the tree.
                }
                node.messageCount = int(count);
                node.unreadCount = int(unseen);
            }
            sortTree(roots);
            return roots;
        });
    }

    std::unique_ptr<MailFolder> open(const QStringList& names) override
    {
        const QStringList steps = spelledAsListed(names);
        return run([&]() -> std::unique_ptr<MailFolder> {
            requireSteps(steps);
            auto folder = std::dynamic_pointer_cast<vmime::net::imap::IMAPFolder>(
                loggedIn().getFolder(imapPath(steps)));
            folder->open(vmime::net::folder::MODE_READ_WRITE);
            return std::make_unique<ImapFolder>(account_, session_, folder, steps);
        });
    }

    void createFolder(const QStringList& parent, const QString& name) override
    {
        const QStringList steps = spelledAsListed(parent);
        run([&] {
            requireSteps(steps);
            const char delimiter = loggedIn().getConnection()->hierarchySeparator();
            if (name.isEmpty() || name.contains(QLatin1Char(delimiter)))
                throw MailError(QStringLiteral("A folder name on %1 cannot be empty or hold \"%2\".")
                                    .arg(account_.host, QString(QLatin1Char(delimiter)))
                                    .toStdString());
            auto folder = loggedIn().getFolder(imapPath(steps + QStringList{name}));
            if (folder->exists())
                throw MailError(
                    QStringLiteral("The folder \"%1\" exists already.").arg(name).toStdString());
            folderAttributes attributes;
            attributes.setType(folderAttributes::TYPE_CONTAINS_MESSAGES);
            folder->create(attributes);
        });
    }

private:
    vmime::net::imap::IMAPStore& loggedIn()
    {
        if (!session_)
            session_ = logInToImap(account_);
        return session_->store();
    }

    // Each step of the path, from the top, so the first one missing is the one named.
    void requireSteps(const QStringList& names)
    {
        for (qsizetype depth = 1; depth <= names.size(); ++depth)
            if (!loggedIn().getFolder(imapPath(names.first(depth)))->exists())
                throw MailError(QStringLiteral("The folder \"%1\" does not exist.")
                                    .arg(names[depth - 1])
                                    .toStdString());
    }

    ImapAccount account_;
    std::shared_ptr<ImapSession> session_;
};

} // namespace

std::unique_ptr<MailStore> openImapStore(const ImapAccount& account)
{
    return std::make_unique<ImapStore>(account);
}
