#include "util/FileIdentity.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

std::optional<FileIdentity> fileIdentity(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino)};
#else
    Q_UNUSED(path);
    return std::nullopt;
#endif
}
