#pragma once

#include <QDateTime>

struct CurrentMessage;
struct MailMessage;
struct Settings;
class SenderRetrieval;

// The message taken in as a pass takes it: its own fields (the date is the time
// of reading when it has none; a pointer to mail is kept), the sender by the
// configured method (without a retrieval: the From address, as the default inbox
// reads it), and the request fields preset from the sender when
// allowfromaddressasentry is set (else empty).
void takeMessage(CurrentMessage& message, const MailMessage& mail, const Settings& settings,
                 SenderRetrieval* senders, const QDateTime& now);
