#pragma once

#include "mail/ImapLogin.h"
#include "mail/ImapStore.h"
#include "mail/MailFolder.h"

#include <memory>
#include <vmime/net/imap/IMAPFolder.hpp>

// One selected IMAP folder with a connection of its own for the whole pass:
// every step is one command on it, messages are named by UID.
class ImapFolder final : public MailFolder {
public:
    ImapFolder(const ImapAccount& account, std::shared_ptr<ImapSession> session,
               std::shared_ptr<vmime::net::imap::IMAPFolder> folder, const QStringList& names);
    ~ImapFolder() override;

    QString path() const override;
    QList<MessageListing> list() override;
    int unreadCount() override;
    QByteArray fetch(const MessageKey& key) override;
    void markRead(const MessageKey& key) override;
    void remove(const MessageKey& key) override;
    void remove(const QList<MessageKey>& keys) override;
    void moveTo(const MessageKey& key, MailFolder& target) override;
    void append(const QByteArray& message, const QStringList& flags) override;
    void finish() override;

private:
    // The key's UID, once it is known to name a message of this folder's UID era.
    vmime::net::message::uid uidOf(const MessageKey& key) const;
    MailError gone(const MessageKey& key) const;
    MessageListing listingOf(const vmime::net::message& fetched) const;
    bool sameAccount(const ImapFolder& other) const;
    void copyWithinAccount(const MessageKey& key, const ImapFolder& target);
    void copyAcrossStores(const MessageKey& key, MailFolder& target);
    void flag(const MessageKey& key, int flags);

    template <typename Step>
    decltype(auto) run(Step&& step) const;

    ImapAccount account_;
    QStringList names_;
    std::shared_ptr<ImapSession> session_;
    std::shared_ptr<vmime::net::imap::IMAPFolder> folder_;
    quint32 uidValidity_ = 0;
    bool copiesReportUids_ = false;  // UIDPLUS: a COPY names what it copied
    bool expungeDue_ = false;
};
