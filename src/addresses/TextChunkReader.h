#pragma once

#include <QString>
#include <QStringView>

#include <functional>

// Reads a text file piece by piece, so a large file is scanned without holding
// it whole. Every piece handed on ends with a line break (or at the end of the
// file), so no line is ever split between two pieces.
class TextChunkReader {
public:
    enum class Encoding { Utf8, Windows1252 };
    enum class Status { Complete, NotUtf8, Unreadable };
    using Consumer = std::function<void(QStringView)>;

    static constexpr qsizetype DefaultChunkBytes = 256 * 1024;

    explicit TextChunkReader(qsizetype chunkBytes = DefaultChunkBytes) : chunkBytes_(chunkBytes) {}

    // Hands the file's text to `consume`. As UTF-8 it stops with NotUtf8 at the
    // first invalid byte sequence, so the caller can start over as Windows-1252.
    // A leading byte-order mark is dropped. `error` describes an Unreadable file.
    Status read(const QString& path, Encoding encoding, const Consumer& consume, QString& error) const;

private:
    qsizetype chunkBytes_;
};
