#pragma once

#include <QString>
#include <QStringList>

struct ListContext;
struct Settings;
struct CurrentMessage;

enum class MessageKind { None, Subscribe, Unsubscribe, Change, WebForm, Bounce, Warning, AutoReply };

// "subscribe", "unsubscribe", "change", "webform", "bounce", "warning", "autoreply", "none".
QString kindName(MessageKind kind);

// What a message is and what acting on it would touch.
struct Classification {
    MessageKind kind = MessageKind::None;
    // processEntry's answer: the message was acted on and may be disposed of.
    bool actOn = false;
    // A request's address (a change: the old one, then the new one), a web form's
    // address, or every address a bounce hands to processbounce.
    QStringList addresses;
};

// Decides what the message is, by an ordered list of small rules: out-of-office by
// subject, a delivery report, delivery warnings by subject, web forms, bounces by
// subject or sender, an automatic reply by header, request lines. Inserts the
// subject (reply prefixes stripped) as line 0 of Memo1 and sets the request fields
// as the request rules do; changes nothing else.
Classification classifyMessage(const Settings& settings, CurrentMessage& message);

// Classifies the message and acts on it: the entry rules for a request or a web
// form, the bounce count for every address of a bounce. True when the run may
// dispose of the message.
bool processEntry(const ListContext& ctx, CurrentMessage& message);

// True when a message of a forwarding pass is meant for a group: with ForwardAll
// on the mail account method every message is; otherwise a subject holding "["
// and, after its first character, "]".
bool IsUserEmail(const Settings& settings, const CurrentMessage& message);
