#pragma once

#include <QString>

// The send run's test for a connection to the Internet before it sends by SMTP:
// the server's host name resolves to at least one address. An empty host fails.
bool connectedToInternet(const QString& smtpHost);
