#pragma once

#include "mail/MailAddress.h"

#include <QString>
#include <optional>

// Subjects, display names and addresses reach headers from subscribers' own mail
// and typed fields. Here, and nowhere else, they are made unable to end their
// header: no value keeps a character that could start a new header line or split
// one address into several.

// Every run of control characters (CR, LF, tab, NUL, NEL, ...) and line or
// paragraph separators becomes one space.
QString headerText(const QString& text);

// The mailbox of one address line ("ann@example.org" or "Ann <ann@example.org>"),
// its name made header text; nullopt unless the address is one address that
// passes the syntax check (so no comma, blank, bracket or quote survives in it).
std::optional<MailAddress> headerMailbox(const QString& line);
