#include "addresses/AddressFileScanner.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "settings/Settings.h"

namespace {
// Every file is scanned even when one cannot be read; each failure is said on err.
// Addresses are written as they are found, so a pipe shows them as its input comes.
int scanAddresses(CliCall& call)
{
    const QStringList exceptList = Settings().ExceptList;
    int result = 0;
    for (const QString& path : call.arguments()) {
        QString error;
        const bool read = scanAddressFile(
            path, exceptList,
            [&](const QString& address) { call.out << address << '\n'; }, error, [&] { call.out.flush(); });
        if (!read) {
            call.out.flush();
            call.err << "Cannot read " << path << ": " << error << Qt::endl;
            result = 1;
        }
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
            {{"FILE",
              "A text file (UTF-8, UTF-16 or UTF-32 with a byte-order mark; bytes that are not UTF-8 "
              "are read as Windows-1252), or - for standard input.",
              true}},
            scanAddresses};
}
