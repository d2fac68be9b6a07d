#pragma once

#include "mailings/MailingRun.h"

class CliCall;
class Session;

// A mailing the command line starts: its message, its send-log record and the
// entries it goes to.
struct CliMailing {
    RunMessage message;
    SendLogRecord record;
    QString filter;  // the entries table's filter expression; empty: every entry
};

// Runs the mailing as the desktop's send button does (the same questions, answered
// on the console), or with resume set continues the newest interrupted one, under
// the folder's send lock; prints the run's tally line. 0 when the run ended, 1 when
// it could not start or was interrupted.
int runCliMailing(CliCall& call, Session& session, const CliMailing* mailing);
