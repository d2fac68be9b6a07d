#include "addresses/ScanAddressesCommand.h"

#include "addresses/AddressFileScanner.h"
#include "settings/Settings.h"

#include <cstdio>

int runScanAddresses(const QStringList& files, const QStringList& exceptList, QTextStream& out,
                     QTextStream& err)
{
    int result = 0;
    for (const QString& path : files) {
        QString error;
        const std::optional<QStringList> found = extractAddressesFromFile(path, exceptList, error);
        if (!found) {
            err << "Cannot read " << path << ": " << error << Qt::endl;
            result = 1;
            continue;
        }
        for (const QString& address : *found)
            out << address << '\n';
    }
    out.flush();
    return result;
}

int runScanAddresses(const QStringList& files, QTextStream& out)
{
    QTextStream err(stderr);
    return runScanAddresses(files, Settings().ExceptList, out, err);
}
