#include "addresses/AddressFileScanner.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "settings/Settings.h"

namespace {
// Every file is scanned even when one cannot be read; each failure is said on err.
int scanAddresses(CliCall& call)
{
    const QStringList exceptList = Settings().ExceptList;
    int result = 0;
    for (const QString& path : call.arguments()) {
        QString error;
        const std::optional<QStringList> found = extractAddressesFromFile(path, exceptList, error);
        if (!found) {
            call.out.flush();
            call.err << "Cannot read " << path << ": " << error << Qt::endl;
            result = 1;
            continue;
        }
        for (const QString& address : *found)
            call.out << address << '\n';
    }
    call.out.flush();
    return result;
}
}  // namespace

CliCommand scanAddressesCommand()
{
    return {"scan-addresses",
            "Prints the e-mail addresses found in text files, one per line, in order of appearance.",
            {},
            {{"FILE", "A text file (UTF-8, or Windows-1252 when not UTF-8).", true}},
            scanAddresses};
}
