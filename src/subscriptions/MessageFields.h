#pragma once

#include <QDateTime>
#include <QString>

struct CurrentMessage;
struct MailMessage;

// The date-time text of a message's fields and of the entry rules.
QString messageDateText(const QDateTime& when);

// Fills the message fields from a parsed message: subject, date (the time of
// reading when it has none), body lines, first recipient; the sender fields and
// the attachments are cleared for the pass to fill. Keeps a pointer to mail.
void fillCurrentMessage(CurrentMessage& message, const MailMessage& mail, const QDateTime& now);

struct Settings;

// The request fields start from the sender when allowfromaddressasentry is set,
// else empty.
void presetRequestFields(CurrentMessage& message, const Settings& settings);
