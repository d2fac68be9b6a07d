#pragma once

#include "mail/ImapStore.h"
#include "mail/MailFolder.h"

#include <QString>
#include <exception>
#include <utility>
#include <vmime/exception.hpp>

// What a failed protocol step says to a person: the server's own words when it
// answered, else what became of the connection to the account's server.
QString describeImapFailure(const vmime::exception& failure, const ImapAccount& account);

// True when the failure left the connection unusable, so the next step must log in again.
bool imapConnectionLost(const vmime::exception& failure);

// Runs one protocol step; whatever vmime raises comes out as MailError, and
// connectionLost() runs first when the connection went down with it.
template <typename Step, typename OnLost>
decltype(auto) imapStep(const ImapAccount& account, Step&& step, OnLost&& connectionLost)
{
    try {
        return step();
    } catch (const MailError&) {
        throw;
    } catch (const vmime::exception& failure) {
        if (imapConnectionLost(failure))
            connectionLost();
        throw MailError(describeImapFailure(failure, account).toStdString());
    } catch (const std::exception& failure) {
        throw MailError(failure.what());
    }
}

template <typename Step>
decltype(auto) imapStep(const ImapAccount& account, Step&& step)
{
    return imapStep(account, std::forward<Step>(step), [] {});
}
