#include "base/Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString fixpath(const QString& path, bool withSlash)
{
    QString p = path.trimmed();
    p.replace('\\', '/');
    if (withSlash)
        return withClosingSlash(p);
    if (p.endsWith('/'))
        p.chop(1);
    return p;
}

QString withClosingSlash(const QString& path)
{
    if (path.isEmpty() || path.endsWith('/') || path.endsWith('\\'))
        return path;
    return path + '/';
}

Folders Folders::forApplication(const QString& applicationFolder)
{
    Folders f;
    f.application = fixpath(QDir(applicationFolder).absolutePath(), true);
    QDir().mkpath(f.application);
    f.config = f.application + "Config/";
    if (!QDir().mkpath(f.config))
        f.config = f.application;
    return f;
}

Folders Folders::locate(const QString& executableFolder)
{
    const QString home = qEnvironmentVariable("CORVANEL_HOME");
    if (!home.isEmpty())
        return forApplication(home);
    QFileInfo exe(executableFolder);
    if (exe.isDir() && exe.isWritable())
        return forApplication(executableFolder);
    return forApplication(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          "/Corvanel");
}

QString Folders::settingsFile(const QString& fileName, bool allowFallback) const
{
    const QString inConfig = config + fileName;
    if (allowFallback && !QFileInfo::exists(inConfig) && QFileInfo::exists(application + fileName))
        return application + fileName;
    return inConfig;
}
