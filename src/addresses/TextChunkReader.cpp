#include "addresses/TextChunkReader.h"

#include "util/TextFiles.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>

namespace {

// The length of the text up to and including its last line break; 0 without one.
qsizetype completeLinesLength(QStringView text)
{
    for (qsizetype i = text.size(); i > 0; --i) {
        if (text[i - 1] == u'\n' || text[i - 1] == u'\r')
            return i;
    }
    return 0;
}

}  // namespace

TextChunkReader::Status TextChunkReader::read(const QString& path, Encoding encoding, const Consumer& consume,
                                              QString& error) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return Status::Unreadable;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QByteArray bytes(chunkBytes_, Qt::Uninitialized);
    QString pending;  // text after the last line break handed on so far
    const auto decodeInto = [&](QByteArrayView chunk) {
        if (encoding == Encoding::Windows1252) {
            pending += decodeWindows1252(chunk);
            return;
        }
        const qsizetype kept = pending.size();
        pending.resize(kept + utf8.requiredSpace(chunk.size()));
        const QChar* end = utf8.appendToBuffer(pending.data() + kept, chunk);
        pending.resize(end - pending.constData());
    };
    for (;;) {
        const qint64 got = file.read(bytes.data(), chunkBytes_);
        if (got < 0) {
            error = file.errorString();
            return Status::Unreadable;
        }
        // A closing line break also flushes the decoder, so a multi-byte sequence
        // cut off by the end of the file counts as invalid.
        decodeInto(got > 0 ? QByteArrayView(bytes.constData(), got) : QByteArrayView("\n"));
        if (encoding == Encoding::Utf8 && utf8.hasError())
            return Status::NotUtf8;
        const qsizetype complete = completeLinesLength(pending);
        if (complete > 0) {
            consume(QStringView(pending).first(complete));
            pending.remove(0, complete);
        }
        if (got == 0)
            return Status::Complete;
    }
}
