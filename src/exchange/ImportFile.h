#pragma once

#include "exchange/ImportReport.h"

#include <QString>
#include <QStringList>

struct ListContext;

// What the lines of an import are taken as, beyond the list rules.
struct ImportOptions {
    bool acknowledge = false;
    bool showCompletion = false;
    QString note;
    bool dryRun = false;  // every rule, nothing written: the report says what would be turned down
    // A real import of a file leaves its report beside the activity log.
    bool keepReport = false;
};

// How the fields of a multi-column file map onto the entry: position i of
// fieldOrder takes field i of each line; names are the export headings or
// "(ignore field)".
struct ImportMapping {
    QStringList fieldOrder = initialFieldOrder();
    bool headerRow = false;
    QString separator = QStringLiteral(",");

    static QStringList initialFieldOrder();
};

inline const QString kIgnoreField = QStringLiteral("(ignore field)");
// At most this many file fields are shown and mapped.
inline constexpr int kMaxImportFields = 21;

// How far an import got.
struct ImportResult {
    int linesDone = 0;     // lines counted (empty lines are not)
    bool completed = true; // false after a cancel or a No to the error question
    QString reportFile;    // where the report was left, when it was
};

// The lines through the entry rules (add or remove) or the bounce handling, as
// every caller asks; commits in batches; the report collects the refused lines.
ImportResult Importfile(const ListContext& ctx, const QStringList& lines, bool add, const ImportOptions& options,
                        const QString& separator, bool splitFields, const QString& group, bool asBounce,
                        ImportReport& report);

// The multi-column import of the lines under the mapping.
ImportResult ImportMultiColumnFile(const ListContext& ctx, const QStringList& lines, const ImportMapping& mapping,
                                   const ImportOptions& options, ImportReport& report);

// The file's lines for the multi-column import, broken at line feeds only: a CR LF
// inside a quoted field reads back as it was written. nullopt when it cannot be read.
std::optional<QStringList> readDelimitedLines(const QString& path);

// The header test of the mapping dialog: a file of more than one line whose first
// line, behind a comma and upper-cased, holds ",EMAIL," or ",E-MAIL,".
bool looksLikeHeaderRow(const QStringList& lines);

// "Import of entries from file \"name.csv\"": the note of both forms.
QString importNote(const QString& path);
