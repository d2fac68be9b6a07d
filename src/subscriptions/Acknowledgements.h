#pragma once

#include <QString>

class CheckJournal;
class Logs;
class TdmMailSend;
struct Settings;

// Tells a person their subscribe (or unsubscribe) request was handled, quoting
// the outcome in place of "%RESULT%", by the method for unattended mail. Nothing
// when that acknowledgement is switched off or the address is no address. Never
// shows anything: the activity log says whether it went.
void SendAcknowledgement(const Settings& settings, Logs& logs, TdmMailSend& mailSend, const QString& address,
                         const QString& resultText, bool subscribe);

// Sends the acknowledgements a check run queued with its changes, oldest first,
// after their commit. Each is marked done once tried, so a crash repeats at most
// the one in flight and a refused address is not tried at every check.
void sendQueuedAcknowledgements(const Settings& settings, Logs& logs, TdmMailSend& mailSend, CheckJournal& journal);
