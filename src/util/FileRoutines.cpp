#include "util/FileRoutines.h"

#include "base/Folders.h"
#include "base/Ui.h"
#include "util/TextRoutines.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

QString withForwardSlashes(const QString& path)
{
    return QString(path).replace('\\', '/');
}

QString fileNamePart(const QString& path)
{
    const QString p = withForwardSlashes(path);
    return p.mid(p.lastIndexOf('/') + 1);
}

// The position of the extension's dot in the last path component, or -1.
qsizetype extensionDot(const QString& path)
{
    const qsizetype nameStart = withForwardSlashes(path).lastIndexOf('/') + 1;
    const qsizetype dot = path.lastIndexOf('.');
    return dot >= nameStart ? dot : -1;
}

}  // namespace

QString AddSlash(const QString& path)
{
    return withClosingSlash(TrimText(path));
}

QString NameWithoutExtension(const QString& path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? name : name.left(dot);
}

bool HasExtension(const QString& fileName, const QString& extension)
{
    const qsizetype dot = extensionDot(fileName);
    const QString own = dot < 0 ? QString() : fileName.mid(dot);
    return own.compare(extension, Qt::CaseInsensitive) == 0;
}

QString UniqueFileName(const QString& fileName, const QString& separator)
{
    const QString name = withForwardSlashes(fileName);
    if (!QFileInfo::exists(name))
        return name;
    const QString sep = separator.isEmpty() ? QStringLiteral("_") : separator;
    const qsizetype dot = extensionDot(name);
    const QString stem = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    for (int n = 2; n <= 20000000; ++n) {
        const QString candidate = stem + sep + QString::number(n) + extension;
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

QString TempFolder()
{
    return AddSlash(QDir::tempPath());
}

QString TempFileName(const QString& fileName)
{
    return UniqueFileName(TempFolder() + fileNamePart(fileName), "_");
}

bool FolderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(withForwardSlashes(path)).isDir();
}

std::optional<QString> CreateFolderPath(const QString& path)
{
    const QString p = withForwardSlashes(path);
    if (!QDir().mkpath(p))
        return QStringLiteral("Cannot force directory creation");
    if (!FolderExists(p))
        return QStringLiteral("Directory not created");
    return std::nullopt;
}

bool ForceFolder(Ui& ui, const QString& path, bool ask, bool report)
{
    if (path.size() <= 3)
        return false;
    if (FolderExists(path))
        return true;
    if (ask && !ui.askOkCancel("The folder, " + path +
                                   " does not exist.  Would you like to create it?",
                               Ui::Icon::Information))
        return false;
    if (!CreateFolderPath(path))
        return true;
    if (report)
        ui.warn("An error was encountered while creating the folder, " + path);
    return false;
}

bool AppendLine(const QString& fileName, const QString& text, bool restart)
{
    const QByteArray line = text.toUtf8() + '\n';
#ifdef Q_OS_UNIX
    // Every request of a check run appends a line or two; Qt's file engine
    // looks the file up several times at each open, a plain append does not.
    const QByteArray path = QFile::encodeName(withForwardSlashes(fileName));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | (restart ? O_TRUNC : O_APPEND), 0666);
    if (fd < 0)
        return false;
    qsizetype written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(fd, line.constData() + written, size_t(line.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += n;
    }
    return ::close(fd) == 0 && written == line.size();
#else
    QFile file(withForwardSlashes(fileName));
    if (!file.open(QIODevice::WriteOnly | (restart ? QIODevice::Truncate : QIODevice::Append)))
        return false;
    return file.write(line) == line.size() && file.flush();
#endif
}

void OpenDocument(Ui& ui, const QString& target)
{
    const QString t = TrimText(target);
    const QFileInfo file(withForwardSlashes(t));
    const QUrl url =
        file.exists() ? QUrl::fromLocalFile(file.absoluteFilePath()) : QUrl::fromUserInput(t);
    if (!url.isValid() || url.isEmpty() || !QDesktopServices::openUrl(url))
        ui.warn("Error encountered launching browser");
}
