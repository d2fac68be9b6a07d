#include "support/TestCertificate.h"

#include "support/ChildRun.h"

#include <QDir>
#include <gtest/gtest.h>

bool makeTestCertificate(const QString& folder)
{
    const QDir dir(folder);
    const ChildRun certificate = runChild(
        QStringLiteral("openssl"),
        {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
         "-keyout", dir.filePath("key.pem"), "-out", dir.filePath("cert.pem"), "-days", "2",
         "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
    if (certificate.exitCode != 0)
        ADD_FAILURE() << "openssl made no certificate: " << certificate.err.toStdString();
    return certificate.exitCode == 0;
}
