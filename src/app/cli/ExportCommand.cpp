#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "exchange/ExportList.h"
#include "store/Database.h"

#include <algorithm>
#include <optional>

namespace {

const QCommandLineOption kColumns{"columns",
                                  "The columns to write, by their headings, separated by commas (E-mail, "
                                  "Group, Full Name, First Name, Surname, Company, Address, City, State, "
                                  "ZIP, Country; any letter case). Default: all of them.",
                                  "LIST"};
const QCommandLineOption kSeparator{"separator", "The one character between values. Default: a comma.", "C"};

// The flags of the named columns; nullopt, said on err, when a name is no column's.
std::optional<ExportColumnFlags> chosenColumns(CliCall& call)
{
    ExportColumnFlags flags{};
    if (!call.parser().isSet(kColumns)) {
        flags.fill(true);
        return flags;
    }
    for (const QString& name : call.parser().value(kColumns).split(',', Qt::SkipEmptyParts)) {
        const auto column = exportColumnNamed(name);
        if (!column) {
            call.err << "export: unknown column: " << name.trimmed() << Qt::endl;
            return std::nullopt;
        }
        flags[size_t(*column)] = true;
    }
    if (std::find(flags.begin(), flags.end(), true) == flags.end()) {
        call.err << "export: no column chosen" << Qt::endl;
        return std::nullopt;
    }
    return flags;
}

int exportEntries(CliCall& call)
{
    const auto columns = chosenColumns(call);
    const QString separator = call.parser().value(kSeparator);
    if (separator.size() > 1)
        call.err << "export: the separator is one character, not " << separator << Qt::endl;
    if (!columns || separator.size() > 1)
        return 2;
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    const ExportContext context{session->db.database().entries(), session->ui, {}};
    return exportlist(context, call.arguments().constFirst(), {}, separator, false, *columns) ? 0 : 1;
}

}  // namespace

CliCommand exportCommand()
{
    return {"export",
            "Writes the mailing list to a delimited text file: a heading line, then one line per entry.",
            {kColumns, kSeparator},
            {{"FILE", "The file to write; an existing one is replaced."}},
            exportEntries};
}
