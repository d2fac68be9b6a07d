#pragma once

#include "mail/AccountCheck.h"
#include "sending/SmtpAccount.h"

class Ui;

// Opens a session as a send run would (greeting, EHLO, STARTTLS as the security
// asks, AUTH when a log-in is set) and ends it with QUIT, sending nothing.
AccountCheck checkSmtpAccount(const SmtpAccount& account, Ui& ui);
