#include "store/DatabaseFolder.h"

#include "base/Folders.h"
#include "store/Database.h"

#include <QDir>

namespace {

// Trimmed, "/" separators, trailing "/" unless empty.
QString normalised(const QString& configured)
{
    return fixpath(configured, true);
}

bool samePath(const QString& a, const QString& b)
{
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

}  // namespace

bool isSymbolicDatabaseFolder(const QString& configured)
{
    const QString p = normalised(configured);
    return p.isEmpty() || p == "%/" || p == "/" || p.compare("%/DB/", Qt::CaseInsensitive) == 0 ||
           p.compare("/DB/", Qt::CaseInsensitive) == 0;
}

QString resolveDatabaseFolder(const QString& configured, const Folders& folders)
{
    const QString p = normalised(configured);
    if (p == "%/" || p == "/")
        return folders.application;
    if (p.isEmpty() || p.compare("%/DB/", Qt::CaseInsensitive) == 0 ||
        p.compare("/DB/", Qt::CaseInsensitive) == 0)
        return folders.defaultDatabasePath();
    return p;
}

QString symbolicDatabaseFolder(const QString& folder, const Folders& folders)
{
    const QString real = resolveDatabaseFolder(folder, folders);
    if (samePath(real, folders.application))
        return "%";
    if (samePath(real, folders.defaultDatabasePath()))
        return "%\\DB";
    return real;
}

bool databaseexistsindirectory(const QString& folder)
{
    const QString dir = folderWithSlash(folder);
    return !dir.isEmpty() && !Database::findFile(dir, Database::fileName(TableId::Entries)).isEmpty();
}
