#include "util/KeptCopy.h"

#include <QFile>

#include <functional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
// Far more kept copies than anyone keeps; the bound only stops a loop on a folder
// where every attempt fails for a reason other than a taken name.
constexpr int kMaxCopies = 100000;

// Puts the file under the first free kept name with `place`, which refuses a taken
// name, so two copies of the program keeping files at once cannot pick the same one.
std::optional<QString> keepUnderFreeName(QFile& source, const QString& suffix,
                                         const std::function<bool(const QString&)>& place,
                                         QString* reason)
{
    const QString file = source.fileName();
    for (int n = 1; n <= kMaxCopies; ++n) {
        const QString name = n == 1 ? file + suffix : file + suffix + '-' + QString::number(n);
        if (QFile::exists(name))
            continue;
        if (place(name))
            return name;
        // Someone took the name between the look and the attempt; any other
        // failure (the file is gone, the folder is read-only) ends it.
        if (!QFile::exists(name) || !source.exists())
            break;
    }
    if (reason)
        *reason = source.errorString();
    return std::nullopt;
}

// A kept copy may be all that is left of the rows when the original is overwritten
// next, so it must be on the disk first, not only in the system's cache.
bool syncToDisk(QFile& file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

}  // namespace

std::optional<QString> moveAside(const QString& file, const QString& suffix, QString* reason)
{
    QFile source(file);
    return keepUnderFreeName(source, suffix, [&](const QString& name) { return source.rename(name); },
                             reason);
}

std::optional<QString> copyAside(const QString& file, const QString& suffix,
                                 const std::function<bool(QFile& copy)>& write, QString* reason)
{
    QFile source(file);
    QString failure;
    const std::optional<QString> kept = keepUnderFreeName(
        source, suffix,
        [&](const QString& name) {
            QFile copy(name);
            if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                return false;  // taken meanwhile, or the folder cannot be written
            if (write(copy) && syncToDisk(copy))
                return true;
            failure = copy.errorString().isEmpty() ? QStringLiteral("the file could not be read")
                                                   : copy.errorString();
            copy.remove();
            return false;
        },
        reason);
    if (!kept && reason && !failure.isEmpty())
        *reason = failure;
    return kept;
}
