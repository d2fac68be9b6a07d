#include "mail/MaildirFiles.h"

#include "mail/MailErrors.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// A short write is resumed; only a real failure ends it.
bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

}  // namespace

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool isMaildir(const QString& directory)
{
    const QDir dir(directory);
    return dir.exists("cur") && dir.exists("new") && dir.exists("tmp");
}

void makeMaildir(const QString& directory)
{
    for (const char* sub : {"cur", "new", "tmp"})
        if (!QDir().mkpath(directory + '/' + sub))
            throw mailError("Cannot create the folder " + directory + '/' + sub);
}

QList<MaildirFile> scanMaildir(const QString& directory)
{
    QList<MaildirFile> files;
    for (const bool inNew : {true, false}) {
        const QString sub = directory + (inNew ? "/new" : "/cur");
        // QDir leaves out names starting with ".", as Maildir readers must.
        const QStringList names = QDir(sub).entryList(QDir::Files);
        for (const QString& name : names)
            files.push_back({sub + '/' + name, inNew, parseMaildirName(name)});
    }
    return files;
}

RenameOutcome renameNoReplace(const QString& from, const QString& to, QString* reason)
{
    const QByteArray source = native(from), target = native(to);
    int rc = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without the no-replace rename: a hard link refuses an existing
        // name just as well, and the original goes only once the link is there.
        rc = ::link(source.constData(), target.constData());
        if (rc == 0 && ::unlink(source.constData()) != 0) {
            const int failure = errno;
            ::unlink(target.constData());
            errno = failure;
            rc = -1;
        }
    }
    if (rc == 0)
        return RenameOutcome::Done;
    if (reason)
        *reason = systemReason();
    if (errno == EEXIST)
        return RenameOutcome::TargetExists;
    return errno == EXDEV ? RenameOutcome::OtherDevice : RenameOutcome::Failed;
}

bool writeNewFile(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = native(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        throw mailError("Cannot create " + path + ": " + systemReason());
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const QString reason = written ? QString() : systemReason();
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        const QString why = written ? systemReason() : reason;
        ::unlink(name.constData());
        throw mailError("Cannot write " + path + ": " + why);
    }
    return true;
}

void syncDirectory(const QString& directory)
{
    const int fd = ::open(native(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The rename itself has happened; a file system that cannot flush a directory
    // still holds the message, so there is nothing to undo.
    ::fsync(fd);
    ::close(fd);
}
