#pragma once

#include <QString>
#include <optional>

struct Settings;
struct CurrentMessage;

// What a request line asks for.
struct RequestLine {
    enum class Kind { Subscribe, Unsubscribe, Change };
    Kind kind;
    QString newAddress;  // Change: the address that replaces message.edtemail
};

// Reads one line as a request. The key word must be the line's first word (the
// add, removal and modify word lists, any case); without one, mail to AddAddress
// subscribes and mail to RemoveAddress unsubscribes. Sets chkdoadd, edtemail (the
// first address of the line; else it keeps the sender preset, and edtname is
// cleared only when an address was given) and edtcategory (the first remaining
// word). nullopt when the line is no request; then the message is left unchanged
// except where a step before the decision set it.
std::optional<RequestLine> ParseRequestLine(const Settings& settings, CurrentMessage& message,
                                            const QString& line);
