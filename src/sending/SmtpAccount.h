#pragma once

#include "sending/SmtpSecurity.h"

#include <QString>

struct Settings;

// The user's own mail server, as the SMTP send method reaches it.
struct SmtpAccount {
    QString host;
    int port = 25;
    SmtpSecurity security = SmtpSecurity::Auto;
    bool verifyCertificate = true;
    bool logon = false;  // log in with AUTH LOGIN
    QString user;
    QString password;
};

SmtpAccount smtpAccountFrom(const Settings& settings);
