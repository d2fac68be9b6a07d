#pragma once

#include <QString>

// A self-signed certificate for 127.0.0.1 (cert.pem, key.pem in folder), good for
// two days. A failure fails the test and returns false.
bool makeTestCertificate(const QString& folder);
