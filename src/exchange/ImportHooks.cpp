#include "exchange/ImportHooks.h"

ImportHooks importHooks(const ListContext& ctx)
{
    ImportHooks hooks;
    hooks.importLines = [&ctx](const QStringList& lines, bool add, const ImportOptions& options,
                               const QString& separator, bool splitFields, const QString& group, bool asBounce,
                               ImportReport& report) {
        return Importfile(ctx, lines, add, options, separator, splitFields, group, asBounce, report);
    };
    hooks.importColumns = [&ctx](const QStringList& lines, const ImportMapping& mapping, const ImportOptions& options,
                                 ImportReport& report) {
        return ImportMultiColumnFile(ctx, lines, mapping, options, report);
    };
    return hooks;
}
