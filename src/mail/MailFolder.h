#pragma once

#include "mail/MessageKey.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

// A message as the folder lists it, before anything is read.
struct MessageListing {
    MessageKey key;
    bool seen = false;
    bool deleted = false;  // IMAP \Deleted already set: skipped by a pass
};

// The mail layer's failures: a lost connection, a refused command, a file that
// cannot be renamed. what() is the text shown after the calling step's message.
class MailError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One opened folder, held for a pass (one login on IMAP, reused for every message).
// Every operation raises MailError on failure.
class MailFolder {
public:
    virtual ~MailFolder() = default;

    virtual QString path() const = 0;  // full folder path, "store//name//name"

    // The messages in arrival order, oldest first (IMAP UID order, Maildir by
    // delivery time then name).
    virtual QList<MessageListing> list() = 0;
    virtual int unreadCount() = 0;

    // The whole message as it was delivered; never sets \Seen.
    virtual QByteArray fetch(const MessageKey& key) = 0;

    virtual void markRead(const MessageKey& key) = 0;
    // IMAP: \Deleted now, gone at finish(); Maildir: the file is removed.
    virtual void remove(const MessageKey& key) = 0;
    // The same for several messages, in one command where the store allows it.
    virtual void remove(const QList<MessageKey>& keys)
    {
        for (const MessageKey& key : keys)
            remove(key);
    }
    // Into another folder of any store; the original goes as by remove().
    virtual void moveTo(const MessageKey& key, MailFolder& target) = 0;
    // Adds a message (Drafts, Sent); flags as IMAP names them ("\\Seen", "\\Draft").
    virtual void append(const QByteArray& message, const QStringList& flags) = 0;

    // Ends the pass: expunges what remove() flagged. Also run by the destructor,
    // which swallows its errors.
    virtual void finish() = 0;
};
