#include "subscriptions/AcknowledgementTexts.h"

namespace AcknowledgementText {

QString alreadyContained(const QString& address, const QString& group, bool inGroup)
{
    return "The e-mail address, " + address + ", is already contained in "
           + (inGroup ? "the Group, " + group + "." : QStringLiteral("our Mailing list."));
}

QString added(const QString& address, const QString& group, bool inGroup)
{
    return "The e-mail address, " + address + ", was successfully added to "
           + (inGroup ? "the Group, " + group + "." : QStringLiteral("our Mailing list."));
}

QString removed(const QString& address, const QString& group, bool inGroup)
{
    return "The e-mail address, " + address + ", was successfully removed from "
           + (inGroup ? "the Group, " + group + "." : QStringLiteral("our Mailing list."));
}

QString notFound(const QString& address, const QString& group, bool inGroup)
{
    return "There is no record of the e-mail address, " + address + ", in "
           + (inGroup ? "the Group, " + group + "." : QStringLiteral("our Mailing list."));
}

}  // namespace AcknowledgementText
