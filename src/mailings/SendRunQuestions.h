#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Ui;
struct Settings;

// The questions every send run asks before it starts, wherever it is started from.

// No send method chosen yet: the default one is offered (OK takes it). False on Cancel.
bool AskDefaultSendMethod(Settings& settings, Ui& ui);
// An empty subject or a body of two characters or fewer is confirmed first.
bool ConfirmMessageContent(const QString& subject, const QString& body, Ui& ui);
// Through an SMTP server with the check on and no connection: OK or Ignore goes on.
bool InternetCheckPasses(const Settings& settings, int method, Ui& ui);
// The attachments that still exist; each missing one is asked about (last to
// first) and dropped on Yes. nullopt when the person chose not to send.
std::optional<QStringList> AttachmentsToSend(QStringList files, Ui& ui);
