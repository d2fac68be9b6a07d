#include "util/TextStreamReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// One read of the system: what has arrived, up to `size` bytes, without waiting
// for more (the toolkit's own read waits until its buffer is full).
qint64 readAvailable(int handle, char* data, qsizetype size)
{
    for (;;) {
#ifdef Q_OS_WIN
        const qint64 got = _read(handle, data, unsigned(size));
#else
        const qint64 got = ::read(handle, data, size_t(size));
#endif
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

}  // namespace

TextStreamReader::TextStreamReader(qsizetype chunkBytes) : buffer_(chunkBytes, Qt::Uninitialized) {}

bool TextStreamReader::open(const QString& path)
{
    bool opened = false;
    if (path == StandardInput) {
        opened = file_.open(stdin, QIODevice::ReadOnly | QIODevice::Unbuffered);
    } else {
        file_.setFileName(path);
        opened = file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    if (!opened)
        error_ = file_.errorString();
    return opened;
}

std::optional<QString> TextStreamReader::next()
{
    while (!finished_) {
        const qint64 got = readAvailable(file_.handle(), buffer_.data(), buffer_.size());
        if (got < 0) {
            error_ = QString::fromLocal8Bit(std::strerror(errno));
            finished_ = true;
            return std::nullopt;
        }
        if (got == 0) {
            finished_ = true;
            return decoder_.finish();
        }
        QString text = decoder_.decode(QByteArrayView(buffer_.constData(), got));
        if (!text.isEmpty())
            return text;
    }
    return std::nullopt;
}
