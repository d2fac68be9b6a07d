#include "mail/ImapFolder.h"

#include "mail/ImapErrors.h"

#include <QHash>
#include <algorithm>
#include <vmime/net/imap/IMAPConnection.hpp>
#include <vmime/net/imap/IMAPMessage.hpp>
#include <vmime/utility/inputStreamByteBufferAdapter.hpp>
#include <vmime/utility/outputStream.hpp>

namespace {

using vmime::net::message;
using vmime::net::messageSet;

// vmime matches every FETCH reply against every message it holds, so listing a
// whole folder in one command costs the square of its size; in batches of this
// many it stays linear, and most folders still take one command.
constexpr size_t kListingBatch = 1000;

// The literal of a FETCH goes straight into the bytes handed back.
class ByteArrayOutput final : public vmime::utility::outputStream {
public:
    explicit ByteArrayOutput(QByteArray& bytes) : bytes_(bytes) {}
    void flush() override {}

protected:
    void writeImpl(const vmime::byte_t* const data, const size_t count) override
    {
        bytes_.append(reinterpret_cast<const char*>(data), qsizetype(count));
    }

private:
    QByteArray& bytes_;
};

int vmimeFlags(const QStringList& flags)
{
    static const QHash<QString, int> known{{"\\seen", message::FLAG_SEEN},
                                           {"\\answered", message::FLAG_REPLIED},
                                           {"\\flagged", message::FLAG_MARKED},
                                           {"\\deleted", message::FLAG_DELETED},
                                           {"\\draft", message::FLAG_DRAFT}};
    int result = 0;
    for (const QString& flag : flags) {
        const auto found = known.constFind(flag.toLower());
        if (found == known.constEnd())
            throw MailError(QStringLiteral("The flag %1 cannot be set on an IMAP message.")
                                .arg(flag)
                                .toStdString());
        result |= *found;
    }
    return result;
}

// Flags a message takes along when it moves to another store.
QStringList carriedFlags(int flags)
{
    QStringList names;
    if (flags & message::FLAG_SEEN)
        names << QStringLiteral("\\Seen");
    if (flags & message::FLAG_REPLIED)
        names << QStringLiteral("\\Answered");
    if (flags & message::FLAG_MARKED)
        names << QStringLiteral("\\Flagged");
    if (flags & message::FLAG_DRAFT)
        names << QStringLiteral("\\Draft");
    return names;
}

// IMAP wants CRLF line ends in a message, and some servers refuse bare LFs,
// which is what most message builders write.
QByteArray withCrlfLineEnds(const QByteArray& bytes)
{
    QByteArray result;
    result.reserve(bytes.size() + bytes.size() / 32);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            result += '\r';
        result += bytes[i];
    }
    return result;
}

quint32 uidNumber(const message::uid& uid)
{
    return QString::fromStdString(uid).toUInt();
}

} // namespace

ImapFolder::ImapFolder(const ImapAccount& account, std::shared_ptr<ImapSession> session,
                       std::shared_ptr<vmime::net::imap::IMAPFolder> folder,
                       const QStringList& names)
    : account_(account), names_(names), session_(std::move(session)), folder_(std::move(folder)),
      uidValidity_(folder_->getUIDValidity()),
      copiesReportUids_(session_->store().getConnection()->hasCapability("UIDPLUS"))
{
}

ImapFolder::~ImapFolder()
{
    try {
        finish();
    } catch (const MailError&) {
        // A pass that is over has nobody left to tell; the flags stay set on the server.
    }
    session_->release(std::move(folder_));
}

template <typename Step>
decltype(auto) ImapFolder::run(Step&& step) const
{
    return imapStep(account_, std::forward<Step>(step));
}

QString ImapFolder::path() const
{
    return (QStringList{account_.storeName()} + names_).join(QStringLiteral("//"));
}

QList<MessageListing> ImapFolder::list()
{
    QList<MessageListing> listings;
    run([&] {
        // Dovecot answers a FETCH from the view of the previous command: what was
        // delivered or copied in since then shows only once the folder is synced.
        folder_->noop();
        const size_t count = folder_->getMessageCount();
        for (size_t first = 1; first <= count; first += kListingBatch) {
            const size_t last = std::min(count, first + kListingBatch - 1);
            for (const auto& fetched : folder_->getAndFetchMessages(
                     messageSet::byNumber(first, last), vmime::net::fetchAttributes::FLAGS))
                // Flag changes the server volunteers may come without a UID.
                if (uidNumber(fetched->getUID()) != 0)
                    listings << listingOf(*fetched);
        }
    });
    // ... or twice, when they name a message of the batch.
    const auto byUid = [](const MessageListing& a, const MessageListing& b) {
        return a.key.uid < b.key.uid;
    };
    std::stable_sort(listings.begin(), listings.end(), byUid);
    listings.erase(std::unique(listings.begin(), listings.end(),
                               [](const auto& a, const auto& b) { return a.key == b.key; }),
                   listings.end());
    return listings;
}

MessageListing ImapFolder::listingOf(const vmime::net::message& fetched) const
{
    MessageListing listing;
    listing.key.store = account_.storeName();
    listing.key.folder = names_.join(QStringLiteral("//"));
    listing.key.uidValidity = uidValidity_;
    listing.key.uid = uidNumber(fetched.getUID());
    const int flags = fetched.getFlags();
    listing.seen = flags & message::FLAG_SEEN;
    listing.deleted = flags & message::FLAG_DELETED;
    return listing;
}

int ImapFolder::unreadCount()
{
    return run([&] {
        size_t count = 0, unseen = 0;
        folder_->status(count, unseen);
        return int(unseen);
    });
}

QByteArray ImapFolder::fetch(const MessageKey& key)
{
    const auto uid = uidOf(key);
    QByteArray bytes;
    run([&] {
        ByteArrayOutput out(bytes);
        // By UID in one command, and with PEEK so reading never marks the message read.
        const auto message = std::make_shared<vmime::net::imap::IMAPMessage>(folder_, 0, uid);
        message->extract(out, nullptr, 0, size_t(-1), /*peek=*/true);
    });
    // A UID that is gone gets an OK without any message.
    if (bytes.isEmpty())
        throw gone(key);
    return bytes;
}

void ImapFolder::markRead(const MessageKey& key)
{
    flag(key, message::FLAG_SEEN);
}

void ImapFolder::remove(const MessageKey& key)
{
    flag(key, message::FLAG_DELETED);
    expungeDue_ = true;
}

void ImapFolder::remove(const QList<MessageKey>& keys)
{
    if (keys.isEmpty())
        return;
    std::vector<vmime::net::message::uid> uids;
    for (const MessageKey& key : keys)
        uids.push_back(uidOf(key));
    run([&] { folder_->setMessageFlags(messageSet::byUID(uids), message::FLAG_DELETED, message::FLAG_MODE_ADD); });
    expungeDue_ = true;
}

void ImapFolder::flag(const MessageKey& key, int flags)
{
    const auto uid = uidOf(key);
    run([&] { folder_->setMessageFlags(messageSet::byUID(uid), flags, message::FLAG_MODE_ADD); });
}

void ImapFolder::moveTo(const MessageKey& key, MailFolder& target)
{
    const auto* imapTarget = dynamic_cast<const ImapFolder*>(&target);
    if (imapTarget && sameAccount(*imapTarget))
        copyWithinAccount(key, *imapTarget);
    else
        copyAcrossStores(key, target);
    remove(key);
}

bool ImapFolder::sameAccount(const ImapFolder& other) const
{
    return account_.host.compare(other.account_.host, Qt::CaseInsensitive) == 0 &&
           account_.port == other.account_.port && account_.user == other.account_.user;
}

void ImapFolder::copyWithinAccount(const MessageKey& key, const ImapFolder& target)
{
    const auto uid = uidOf(key);
    const messageSet copied = run([&] {
        return folder_->copyMessages(target.folder_->getFullPath(), messageSet::byUID(uid));
    });
    if (copiesReportUids_ && copied.isEmpty())
        throw gone(key);
}

void ImapFolder::copyAcrossStores(const MessageKey& key, MailFolder& target)
{
    const auto uid = uidOf(key);
    const auto found = run([&] {
        return folder_->getAndFetchMessages(messageSet::byUID(uid),
                                            vmime::net::fetchAttributes::FLAGS);
    });
    const auto message = std::find_if(found.begin(), found.end(), [&](const auto& m) {
        return uidNumber(m->getUID()) == key.uid;
    });
    if (message == found.end())
        throw gone(key);
    target.append(fetch(key), carriedFlags((*message)->getFlags()));
}

void ImapFolder::append(const QByteArray& bytes, const QStringList& flags)
{
    const int wanted = vmimeFlags(flags);
    const QByteArray message = withCrlfLineEnds(bytes);
    run([&] {
        vmime::utility::inputStreamByteBufferAdapter in(
            reinterpret_cast<const vmime::byte_t*>(message.constData()), size_t(message.size()));
        folder_->addMessage(in, size_t(message.size()), wanted);
    });
}

void ImapFolder::finish()
{
    // Only a pass that removed something expunges: messages others flagged \Deleted stay theirs.
    if (!expungeDue_)
        return;
    run([&] { folder_->expunge(); });
    expungeDue_ = false;
}

vmime::net::message::uid ImapFolder::uidOf(const MessageKey& key) const
{
    if (key.uidValidity != uidValidity_)
        throw MailError(QStringLiteral("The folder %1 was rebuilt on the server; %2 names a "
                                       "message it no longer holds.")
                            .arg(path(), key.text())
                            .toStdString());
    return vmime::net::message::uid(static_cast<unsigned long>(key.uid));
}

MailError ImapFolder::gone(const MessageKey& key) const
{
    return MailError(
        QStringLiteral("The message %1 is no longer in the folder.").arg(key.text()).toStdString());
}
