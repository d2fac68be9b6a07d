#pragma once

#include <QStringList>
#include <optional>

struct Settings;
struct CurrentMessage;
struct MailMessage;

// What a delivery report (RFC 3464) says: the failed recipients (Final-Recipient,
// else Original-Recipient, of the blocks whose Action is "failed"), and whether
// every recipient it names was only delayed. nullopt for a message that is no
// delivery report.
struct DeliveryReport {
    QStringList failed;
    bool allDelayed = false;
};
std::optional<DeliveryReport> readDeliveryReport(const MailMessage& message);

// A message from MAILER-DAEMON or postmaster (any domain) that carries a returned
// copy of an original message.
bool isReturnFromMailSystem(const CurrentMessage& message);

// A delivery warning without a delivery report: its subject names a delay, or the
// server's own text says it goes on trying.
bool announcesDelay(const CurrentMessage& message);

// The addresses a bounce without a delivery report names: found in the server's
// own text only (never in the returned original, which also ends where its quoted
// header fields begin), leaving out the bounce's own sender and recipients,
// postmaster and MAILER-DAEMON addresses and the list owner's own addresses
// (SMTPEmail, AddAddress, RemoveAddress). Each address once, in order.
QStringList bounceAddressesInText(const Settings& settings, const CurrentMessage& message);
