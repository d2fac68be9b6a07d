#include "mailings/RecipientChoice.h"

QString RecipientsDescription(RecipientChoice choice, const QString& viewDescription)
{
    switch (choice) {
    case RecipientChoice::Custom: return QStringLiteral("Manually Entered Contacts");
    case RecipientChoice::All: return QStringLiteral("All Database Contacts");
    case RecipientChoice::Selection: break;
    }
    return viewDescription;
}
