#include "sending/SmtpAccountCheck.h"

#include "sending/SmtpConnection.h"

AccountCheck checkSmtpAccount(const SmtpAccount& account, Ui& ui)
{
    const QString server = account.host + ":" + QString::number(account.port);
    SmtpConnection connection(account, ui, [](const QString&) {});
    const SmtpResult result = connection.connect();
    if (!result.ok)
        return {false, "The SMTP server " + server + " could not be used: " + result.error};
    connection.disconnect();
    const QString login = account.logon ? " and accepted the log-in of " + account.user : QString();
    return {true, "The SMTP server " + server + " answered" + login + "."};
}
