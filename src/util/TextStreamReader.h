#pragma once

#include "util/TextDecoder.h"

#include <QFile>
#include <QString>

#include <optional>

// A text file, or standard input, read as TextDecoder decodes it, a piece at a
// time: whatever the input, the reader holds no more than one piece, and a piece
// is handed on as soon as its bytes arrive, not when a buffer is full, so a
// program reading a pipe answers as it goes.
class TextStreamReader {
public:
    static constexpr qsizetype DefaultChunkBytes = 64 * 1024;
    // The name that stands for standard input.
    static constexpr QStringView StandardInput = u"-";

    explicit TextStreamReader(qsizetype chunkBytes = DefaultChunkBytes);

    // False, with errorString() saying why, when the file cannot be opened.
    bool open(const QString& path);
    // The text of the next bytes; nullopt at the end of the input, or when it can
    // no longer be read (errorString() is then set).
    std::optional<QString> next();
    QString errorString() const { return error_; }

private:
    QFile file_;
    QByteArray buffer_;
    TextDecoder decoder_;
    bool finished_ = false;
    QString error_;
};
