#pragma once

#include <QString>
#include <curl/curl.h>

// How the SMTP connection is protected (setting SMTPSecurity).
enum class SmtpSecurity {
    Auto,      // STARTTLS when the server offers it, else plain
    StartTls,  // STARTTLS or no session at all
    Tls,       // TLS from the first byte (usually port 465)
    None,      // plain, even when the server offers STARTTLS
};

// The setting's spellings in any letter case; anything else is Auto, the default.
SmtpSecurity smtpSecurityFromText(const QString& text);

// The URL libcurl connects to: smtps:// for implicit TLS, else smtp://. Its path
// is the name the client greets with (EHLO).
QByteArray smtpUrl(const QString& host, int port, SmtpSecurity security, const QString& ownName);

// The STARTTLS demand and the certificate checks on the handle.
void applySmtpSecurity(CURL* curl, SmtpSecurity security, bool verifyCertificate);
