#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "exchange/ExportColumns.h"
#include "exchange/ImportFile.h"
#include "subscriptions/ListContext.h"
#include "util/TextFiles.h"

#include <optional>

namespace {

const QCommandLineOption kGroup{"group", "Single column: the group every address goes into (or is removed from).",
                                "G"};
const QCommandLineOption kRemove{"remove", "Single column: remove the addresses instead of adding them."};
const QCommandLineOption kBounce{"bounce", "Single column: handle every address as a bounced one."};
const QCommandLineOption kColumns{"columns",
                                  "Multiple columns: the file's fields in order, by the export's headings "
                                  "(E-mail, Group, Full Name, First Name, Surname, Company, Address, City, "
                                  "State, ZIP, Country; any letter case) or (ignore field).",
                                  "LIST"};
const QCommandLineOption kHeader{"header", "Multiple columns: the first line is a row of headings."};
const QCommandLineOption kSeparator{"separator", "Multiple columns: the one character between fields. Default: a comma.",
                                    "C"};
const QCommandLineOption kDryRun{"dry-run", "Runs every rule and reports each line that would be turned down; "
                                            "writes nothing."};

// The field order the names give; nullopt, said on err, for a name of no field.
std::optional<QStringList> fieldOrder(CliCall& call)
{
    QStringList order;
    for (const QString& name : call.parser().value(kColumns).split(',')) {
        if (name.trimmed().compare(kIgnoreField, Qt::CaseInsensitive) == 0) {
            order << kIgnoreField;
            continue;
        }
        const auto column = exportColumnNamed(name);
        if (!column) {
            call.err << "import: unknown column: " << name.trimmed() << Qt::endl;
            return std::nullopt;
        }
        order << exportHeading(*column);
    }
    if (!order.contains(exportHeading(ExportColumn::Email))) {
        call.err << "import: the columns name no E-mail field" << Qt::endl;
        return std::nullopt;
    }
    return order;
}

int importEntries(CliCall& call)
{
    const QCommandLineParser& p = call.parser();
    const bool multiColumn = p.isSet(kColumns);
    std::optional<QStringList> order;
    if (multiColumn && !(order = fieldOrder(call)))
        return 2;
    const QString separator = p.value(kSeparator);
    if (separator.size() > 1) {
        call.err << "import: the separator is one character, not " << separator << Qt::endl;
        return 2;
    }
    const QString path = call.arguments().constFirst();
    const std::optional<QStringList> lines = multiColumn ? readDelimitedLines(path) : readTextLines(path);
    if (!lines) {
        call.err << "Error encountered opening your import file!" << Qt::endl;
        return 1;
    }
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    const ListContext ctx{session->settings, session->logs, session->ui, session->db, session->statistics};
    ImportOptions options;
    options.acknowledge = session->settings.AckManualEntries;
    options.note = importNote(path);
    options.dryRun = p.isSet(kDryRun);
    options.keepReport = true;
    ImportReport report(options.dryRun ? "Check of " + path : "Import of " + path);
    ImportResult result;
    if (multiColumn) {
        ImportMapping mapping;
        mapping.fieldOrder = *order;
        mapping.headerRow = p.isSet(kHeader) || looksLikeHeaderRow(*lines);
        mapping.separator = separator;
        result = ImportMultiColumnFile(ctx, *lines, mapping, options, report);
    } else {
        options.showCompletion = true;
        result = Importfile(ctx, *lines, !p.isSet(kRemove), options, ",", false, p.value(kGroup), p.isSet(kBounce),
                            report);
    }
    if (options.dryRun)
        call.out << report.text() << Qt::endl;
    else if (!result.reportFile.isEmpty())
        call.out << "report: " << result.reportFile << Qt::endl;
    return result.completed ? 0 : 1;
}

}  // namespace

CliCommand importCommand()
{
    return {"import",
            "Imports the addresses of a text file: one per line, or delimited records with --columns.",
            {kGroup, kRemove, kBounce, kColumns, kHeader, kSeparator, kDryRun},
            {{"FILE", "The file to read (UTF-8, or Windows-1252 when it is not valid UTF-8)."}},
            importEntries};
}
