#pragma once

#include "exchange/ImportFile.h"

#include <functional>

struct ListContext;

// The import's two runs as the import and address-processing dialogs call them,
// the list context already bound, so a dialog only says what it asks for.
struct ImportHooks {
    // Importfile: lines, add, options, separator, split fields, group, as bounce.
    std::function<ImportResult(const QStringList& lines, bool add, const ImportOptions& options,
                               const QString& separator, bool splitFields, const QString& group, bool asBounce,
                               ImportReport& report)>
        importLines;
    // ImportMultiColumnFile: lines, mapping, options.
    std::function<ImportResult(const QStringList& lines, const ImportMapping& mapping, const ImportOptions& options,
                               ImportReport& report)>
        importColumns;
};

// Both runs over the list of ctx, which must outlive the hooks.
ImportHooks importHooks(const ListContext& ctx);
