#pragma once

#include "mail/ImapStore.h"

#include <memory>
#include <vector>
#include <vmime/net/imap/IMAPStore.hpp>

// A logged-in vmime store, shared by the account's store and the folders opened
// from it. vmime's folders point back into their store without owning it, and
// one whose connection broke cannot detach itself when it goes: such folders
// are kept here and freed only after the store.
class ImapSession {
public:
    explicit ImapSession(std::shared_ptr<vmime::net::imap::IMAPStore> store);
    ~ImapSession();
    ImapSession(const ImapSession&) = delete;
    ImapSession& operator=(const ImapSession&) = delete;

    vmime::net::imap::IMAPStore& store() { return *store_; }
    // Closes an opened folder, logging its connection out.
    void release(std::shared_ptr<vmime::net::folder> folder);

private:
    std::shared_ptr<vmime::net::imap::IMAPStore> store_;
    std::vector<std::shared_ptr<vmime::net::folder>> unclosable_;
};

// The account's store, logged in over the connection its security asks for.
// Every folder opened from it logs in once more on a connection of its own.
// Raises vmime::exception.
std::shared_ptr<ImapSession> logInToImap(const ImapAccount& account);
