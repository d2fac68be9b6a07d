#include "sending/SmtpInternetCheck.h"

#include <QHostInfo>

bool connectedToInternet(const QString& smtpHost)
{
    if (smtpHost.trimmed().isEmpty())
        return false;
    const QHostInfo info = QHostInfo::fromName(smtpHost.trimmed());
    return info.error() == QHostInfo::NoError && !info.addresses().isEmpty();
}
