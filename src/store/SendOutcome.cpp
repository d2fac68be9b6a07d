#include "store/SendOutcome.h"

namespace {

struct StateName {
    SendState state;
    const char* stored;
    const char* display;
};

constexpr StateName kNames[] = {
    {SendState::Waiting, "", "Waiting"},
    {SendState::Reserved, "reserved", "Waiting"},
    {SendState::InFlight, "in flight", "In flight"},
    {SendState::Accepted, "accepted", "Accepted"},
    {SendState::Refused, "refused", "Refused"},
    {SendState::Cancelled, "cancelled", "Cancelled"},
    {SendState::Uncertain, "uncertain", "Uncertain"},
};

const StateName& nameOf(SendState state)
{
    for (const StateName& name : kNames)
        if (name.state == state)
            return name;
    return kNames[0];
}

}  // namespace

QString SendOutcome::stored() const
{
    const QString word = QString::fromLatin1(nameOf(state).stored);
    if (state != SendState::Refused)
        return word;
    return word + ' ' + QString::number(code) + ' ' + reply;
}

SendOutcome SendOutcome::fromStored(const QString& text)
{
    const QString word = text.section(' ', 0, 0);
    if (word == QLatin1String("refused")) {
        const QString rest = text.section(' ', 1);
        return refused(rest.section(' ', 0, 0).toInt(), rest.section(' ', 1));
    }
    for (const StateName& name : kNames)
        if (text == QLatin1String(name.stored))
            return {name.state, 0, {}};
    return {};
}

QString SendOutcome::display() const
{
    if (state != SendState::Refused)
        return QString::fromLatin1(nameOf(state).display);
    const QString kind = temporary() ? QStringLiteral("Refused for now") : QStringLiteral("Refused");
    return QStringLiteral("%1 (%2 %3)").arg(kind).arg(code).arg(reply.simplified());
}
