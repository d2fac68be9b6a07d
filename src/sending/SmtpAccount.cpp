#include "sending/SmtpAccount.h"

#include "settings/Settings.h"

SmtpAccount smtpAccountFrom(const Settings& settings)
{
    return SmtpAccount{settings.SMTPHost,
                       settings.SMTPPort,
                       smtpSecurityFromText(settings.SMTPSecurity),
                       settings.SMTPVerifyCertificate,
                       settings.SMTPLogon,
                       settings.SMTPID,
                       settings.SmtpPassword};
}
