#include "base/Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kHomeVariable = QStringLiteral("CORVANEL_HOME");

// The per-user data folder; empty, with the reason in problem, when it cannot be
// known. Qt's own answer would take a relative XDG_DATA_HOME against the current
// folder and a missing HOME as "/", and so put the files wherever the program was
// started, or at the root.
QString perUserDataFolder(const QProcessEnvironment& environment, QString& problem)
{
#ifdef Q_OS_WIN
    Q_UNUSED(environment);
    Q_UNUSED(problem);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#else
    const QString dataHome = environment.value("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(dataHome))
        return dataHome;
    const QString home = environment.value("HOME");
    if (QDir::isAbsolutePath(home))
        return home + "/.local/share";
    const QString why = home.isEmpty() ? QStringLiteral("HOME is not set")
                                       : "HOME is not a full path (" + home + ")";
    problem = "Corvanel cannot choose a folder for its files: " + why +
              " and the program's own folder cannot be written. Set HOME, or set " +
              kHomeVariable + " to the folder Corvanel should use.";
    return {};
#endif
}

// The chosen home, or why it is too long for the table files in its database folder.
FoldersChoice checkedHome(const QString& chosen, qsizetype longestDatabaseFolder)
{
    Folders candidate;
    candidate.application = folderWithSlash(QDir(chosen).absolutePath());
    const QString shown = candidate.application.chopped(1);
    const qsizetype bytes = shown.toUtf8().size();
    const qsizetype excess = candidate.defaultDatabasePath().toUtf8().size() - longestDatabaseFolder;
    if (excess <= 0)
        return {Folders::forApplication(chosen), {}};
    // Letters beyond ASCII take more than one byte, and bytes are what count.
    const QString unit = bytes == shown.size() ? QStringLiteral("characters") : QStringLiteral("bytes");
    return {std::nullopt, QStringLiteral("The home folder's path is %1 %2 long; it may be at most "
                                         "%3. Set %4 to a shorter folder.")
                              .arg(bytes)
                              .arg(unit)
                              .arg(bytes - excess)
                              .arg(kHomeVariable)};
}

}  // namespace

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

QString folderWithSlash(const QString& folder)
{
    const QString p = QDir::fromNativeSeparators(folder);
    return p.isEmpty() || p.endsWith('/') ? p : p + '/';
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
    f.application = folderWithSlash(QDir(applicationFolder).absolutePath());
    QDir().mkpath(f.application);
    f.config = f.application + "Config/";
    if (!QDir().mkpath(f.config))
        f.config = f.application;
    return f;
}

FoldersChoice Folders::locate(const QString& executableFolder,
                              const QProcessEnvironment& environment,
                              qsizetype longestDatabaseFolder)
{
    const QString home = environment.value(kHomeVariable);
    if (!home.isEmpty())
        return checkedHome(home, longestDatabaseFolder);
    QFileInfo exe(executableFolder);
    if (exe.isDir() && exe.isWritable())
        return checkedHome(executableFolder, longestDatabaseFolder);
    QString problem;
    const QString perUser = perUserDataFolder(environment, problem);
    if (perUser.isEmpty())
        return {std::nullopt, problem};
    return checkedHome(perUser + "/Corvanel", longestDatabaseFolder);
}

QString Folders::settingsFile(const QString& fileName, bool allowFallback) const
{
    const QString inConfig = config + fileName;
    if (allowFallback && !QFileInfo::exists(inConfig) && QFileInfo::exists(application + fileName))
        return application + fileName;
    return inConfig;
}
