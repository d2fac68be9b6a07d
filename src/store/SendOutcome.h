#pragma once

#include <QString>

// What became of one recipient of a send run, as its row of the recipient table
// records it. Sent keeps meaning "handed to the send method"; this says whether
// the server took it.
enum class SendState {
    Waiting,    // not yet handed over
    Reserved,   // due within the next second; durably marked before any is sent
    InFlight,   // being handed over now
    Accepted,   // the server said 250 to the message
    Refused,    // the server refused it (code and text kept; 4xx is temporary)
    Cancelled,  // the run was cancelled at this recipient
    Uncertain,  // the run stopped while it was in flight: it may or may not have gone
};

struct SendOutcome {
    SendState state = SendState::Waiting;
    int code = 0;   // the server's reply code, for Refused
    QString reply;  // the server's words, for Refused

    bool temporary() const { return state == SendState::Refused && code >= 400 && code < 500; }
    // How the row's Outcome field holds it ("" for waiting).
    QString stored() const;
    static SendOutcome fromStored(const QString& text);
    // As the recipient viewer shows it.
    QString display() const;

    static SendOutcome of(SendState state) { return {state, 0, {}}; }
    static SendOutcome refused(int code, const QString& reply) { return {SendState::Refused, code, reply}; }
};
