#pragma once

#include <QString>

struct MailMessage;
struct Settings;
class Logs;
class Ui;

// Finds a message's sender by SenderAddressMethod and, when the method fails,
// offers another one through the sender-retrieval dialog. One per pass: it counts
// consecutive failures.
class SenderRetrieval {
public:
    SenderRetrieval(Settings& settings, Logs& logs, Ui& ui) : settings_(settings), logs_(logs), ui_(ui) {}

    struct Sender {
        QString address;  // empty when the method found none
        QString name;
    };
    Sender retrieve(const MailMessage& message);

    // "Cancel Processing" was chosen in the dialog: the pass stops.
    bool cancelled() const { return cancelled_; }

    // failures += 1 and, while AlwaysShowSenderError is on, the dialog naming the
    // method that failed and the one offered instead (none: alternative empty).
    void ShowSenderRetrievalError(const QString& method, const QString& alternative, bool unstable,
                                  int alternativeValue);

private:
    bool tryMethod(const MailMessage& message, int method, Sender& sender);

    Settings& settings_;
    Logs& logs_;
    Ui& ui_;
    int failures_ = 0;
    bool cancelled_ = false;
};
