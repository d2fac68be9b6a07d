#include "exchange/ImportFile.h"

#include "base/ProgressScope.h"
#include "exchange/DelimitedReader.h"
#include "exchange/ExportColumns.h"
#include "exchange/ImportRequest.h"
#include "exchange/ImportRun.h"
#include "exchange/SplitFields.h"
#include "logs/Logs.h"
#include "store/TdmML.h"
#include "subscriptions/ListContext.h"
#include "util/TextFiles.h"

#include <QFileInfo>
#include <exception>

namespace {

// Window events are let through every this many lines: often enough for Cancel
// to answer at once, rarely enough to keep a large import fast.
constexpr int kEventLines = 30;

// A line's failure: the question whether to go on; false ends the loop.
bool continueAfter(Ui& ui, int line, const QString& error)
{
    return ui.message(Ui::Icon::Warning,
                      "An error was encountered with line " + QString::number(line) + ": " + error +
                          ".  Do you want to continue?",
                      Ui::Buttons::YesNo) == Ui::Answer::Yes;
}

// The loop both forms share: progress, cancel, the per-line question, the
// batches, and the report left beside the activity log.
class ImportLoop {
public:
    ImportLoop(const ListContext& ctx, const ImportMode& mode, const ImportOptions& options, ImportReport& report,
               int total)
        : ctx_(ctx), options_(options), report_(report), run_(ctx, mode, report),
          progress_(ctx.ui, QString(), total, true), busy_(ctx.ui), total_(total)
    {
    }

    // Shows the caption now and then; false once a cancel is confirmed.
    bool showing(int position, const QString& caption)
    {
        if (position % kEventLines != 0)
            return true;
        ctx_.ui.showProgress(caption, total_, true);
        if (!progress_.step(position)) {
            result_.completed = false;
            report_.setStopped("cancelled at line " + QString::number(position + 1));
            return false;
        }
        return true;
    }

    // Runs one request; false when the person chose to stop after its failure.
    bool process(int position, const ImportRequest& request)
    {
        try {
            run_.process(request);
            run_.lineDone(request.lineNumber);
            ++result_.linesDone;
            last_ = request.lineNumber;
            return true;
        } catch (const std::exception& e) {
            if (continueAfter(ctx_.ui, position, QString::fromUtf8(e.what())))
                return true;
            result_.completed = false;
            report_.setStopped("stopped after an error at line " + QString::number(request.lineNumber));
            return false;
        }
    }

    ImportResult finish()
    {
        run_.finish(last_);
        report_.setAdded(run_.added());
        if (!options_.dryRun && options_.keepReport) {
            QString reason;
            result_.reportFile = report_.writeBeside(ctx_.db.resolvedFolder(), &reason);
            if (result_.reportFile.isEmpty())
                ctx_.logs.AddToLog("The import report could not be written: " + reason);
        }
        if (!result_.completed && ctx_.ui.cancelRequested())
            ctx_.ui.inform("The import was cancelled after " + QString::number(result_.linesDone) +
                           " lines; every line before the cancel has been processed.");
        return result_;
    }

private:
    const ListContext& ctx_;
    const ImportOptions& options_;
    ImportReport& report_;
    ImportRun run_;
    ProgressScope progress_;
    BusyCursor busy_;
    int total_;
    ImportResult result_;
    int last_ = 0;
};

ImportMode modeOf(bool add, bool asBounce, const ImportOptions& options)
{
    ImportMode mode;
    mode.add = add;
    mode.acknowledge = options.acknowledge;
    mode.asBounce = asBounce;
    mode.dryRun = options.dryRun;
    mode.note = options.note;
    return mode;
}

QString fieldAt(const QStringList& fields, const QStringList& order, const QString& name)
{
    const int position = int(order.indexOf(name));
    return position >= 0 && position < fields.size() && position < kMaxImportFields ? fields[position]
                                                                                      : QString();
}

ImportRequest requestOf(const QStringList& fields, const QStringList& order)
{
    auto value = [&](ExportColumn column) { return fieldAt(fields, order, exportHeading(column)); };
    ImportRequest r;
    r.address = value(ExportColumn::Email);
    r.group = value(ExportColumn::Group);
    r.name = value(ExportColumn::FullName);
    r.contact.FirstName = value(ExportColumn::FirstName);
    r.contact.Surname = value(ExportColumn::Surname);
    r.contact.Company = value(ExportColumn::Company);
    r.contact.Address = value(ExportColumn::Address);
    r.contact.City = value(ExportColumn::City);
    r.contact.State = value(ExportColumn::State);
    r.contact.ZIP = value(ExportColumn::ZIP);
    r.contact.Country = value(ExportColumn::Country);
    return r;
}

}  // namespace

QStringList ImportMapping::initialFieldOrder()
{
    QStringList order;
    for (int i = 0; i < kExportColumnCount; ++i)
        order << exportHeading(exportColumnAt(i));
    return order;
}

ImportResult Importfile(const ListContext& ctx, const QStringList& lines, bool add, const ImportOptions& options,
                        const QString& separator, bool splitFields, const QString& group, bool asBounce,
                        ImportReport& report)
{
    const int total = int(lines.size()) - 1;
    ImportLoop loop(ctx, modeOf(add, asBounce, options), options, report, total);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        if (!loop.showing(i, "Processing: " + line))
            break;
        ImportRequest r;
        r.lineNumber = i + 1;
        r.line = line;
        if (splitFields) {
            const QStringList fields = SplitFields(line, separator, true, true);
            if (fields.isEmpty())
                continue;
            r.address = fields[0].trimmed();
            r.group = fields.size() > 1 ? fields[1].trimmed() : group.trimmed();
        } else {
            r.address = line.trimmed();
            r.group = group.trimmed();
        }
        if (!loop.process(i, r))
            break;
    }
    const ImportResult result = loop.finish();
    if (options.showCompletion && result.completed)
        ctx.ui.inform("Processing of " + QString::number(result.linesDone) + " entries has been completed");
    return result;
}

ImportResult ImportMultiColumnFile(const ListContext& ctx, const QStringList& lines, const ImportMapping& mapping,
                                   const ImportOptions& options, ImportReport& report)
{
    const int total = int(lines.size()) - 1;
    ImportLoop loop(ctx, modeOf(true, false, options), options, report, total);
    const QString separator = mapping.separator.isEmpty() ? QStringLiteral(",") : mapping.separator;
    DelimitedReader reader(lines, separator);
    bool header = mapping.headerRow;
    while (const std::optional<DelimitedRecord> record = reader.next()) {
        if (std::exchange(header, false))
            continue;
        const int i = record->firstLine;
        if (record->unclosedQuote)
            report.unclosedQuote(i + 1);
        if (record->fields.isEmpty())
            continue;
        if (!loop.showing(i, "Processing Line " + QString::number(i)))
            break;
        ImportRequest r = requestOf(record->fields, mapping.fieldOrder);
        r.lineNumber = i + 1;
        r.line = lines.mid(i, record->lineCount).join('\n').trimmed();
        if (!loop.process(i, r))
            break;
    }
    const ImportResult result = loop.finish();
    if (result.completed && !options.dryRun)
        ctx.ui.inform(QString::number(result.linesDone) + " entries have been processed!");
    return result;
}

std::optional<QStringList> readDelimitedLines(const QString& path)
{
    const std::optional<QString> text = readText(path);
    if (!text)
        return std::nullopt;
    QStringList lines = text->split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool looksLikeHeaderRow(const QStringList& lines)
{
    if (lines.size() <= 1)
        return false;
    const QString probe = ("," + lines.first()).toUpper();
    return probe.contains(QLatin1String(",EMAIL,")) || probe.contains(QLatin1String(",E-MAIL,"));
}

QString importNote(const QString& path)
{
    return "Import of entries from file \"" + QFileInfo(path).fileName() + "\"";
}
