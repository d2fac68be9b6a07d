#include "util/KeptCopy.h"

#include <QFile>

namespace {
// Far more kept copies than anyone keeps; the bound only stops a loop on a folder
// where every rename fails for a reason other than a taken name.
constexpr int kMaxCopies = 100000;
}  // namespace

std::optional<QString> moveAside(const QString& file, const QString& suffix, QString* reason)
{
    QFile source(file);
    for (int n = 1; n <= kMaxCopies; ++n) {
        const QString name = n == 1 ? file + suffix : file + suffix + '-' + QString::number(n);
        if (QFile::exists(name))
            continue;
        if (source.rename(name))
            return name;
        // Someone took the name between the look and the rename; any other
        // failure (the file is gone, the folder is read-only) ends the attempt.
        if (!QFile::exists(name) || !source.exists())
            break;
    }
    if (reason)
        *reason = source.errorString();
    return std::nullopt;
}
