#include "sending/SmtpSecurity.h"

#include <QUrl>

SmtpSecurity smtpSecurityFromText(const QString& text)
{
    if (text.compare(QLatin1String("STARTTLS"), Qt::CaseInsensitive) == 0)
        return SmtpSecurity::StartTls;
    if (text.compare(QLatin1String("TLS"), Qt::CaseInsensitive) == 0)
        return SmtpSecurity::Tls;
    if (text.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0)
        return SmtpSecurity::None;
    return SmtpSecurity::Auto;
}

QByteArray smtpUrl(const QString& host, int port, SmtpSecurity security, const QString& ownName)
{
    QUrl url;
    url.setScheme(security == SmtpSecurity::Tls ? QStringLiteral("smtps") : QStringLiteral("smtp"));
    url.setHost(host);
    url.setPort(port);
    url.setPath('/' + ownName);
    return url.toEncoded();
}

void applySmtpSecurity(CURL* curl, SmtpSecurity security, bool verifyCertificate)
{
    long demand = CURLUSESSL_NONE;
    if (security == SmtpSecurity::Auto)
        demand = CURLUSESSL_TRY;
    else if (security == SmtpSecurity::StartTls || security == SmtpSecurity::Tls)
        demand = CURLUSESSL_ALL;
    curl_easy_setopt(curl, CURLOPT_USE_SSL, demand);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, verifyCertificate ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, verifyCertificate ? 2L : 0L);
}
