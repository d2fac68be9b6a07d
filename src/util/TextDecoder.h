#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <optional>

// Bytes to text, piece by piece, as the program reads every text file: UTF-16 and
// UTF-32 when the bytes open with their byte-order mark; otherwise UTF-8 in which
// each byte that is not part of a valid UTF-8 sequence is taken as Windows-1252,
// so a file written by an older Windows tool reads as it always did, no byte is
// lost or replaced, and a stream needs no second reading. A byte-order mark is
// dropped. The pieces may be cut anywhere, even inside a character.
class TextDecoder {
public:
    // The text of the next piece; what cannot be decoded yet waits for the next.
    QString decode(QByteArrayView bytes);
    // The text of whatever still waits, at the end of the bytes: a sequence cut
    // off there is taken byte by byte as Windows-1252.
    QString finish();

private:
    QString decodeUtf8(QByteArrayView bytes, bool atEnd);
    void appendUtf8(QByteArrayView bytes, bool atEnd, QString& text);
    QString decodePending(bool atEnd);

    bool markChecked_ = false;
    std::optional<QStringDecoder> marked_;  // UTF-16 or UTF-32, as the mark said
    QByteArray pending_;                    // a mark not yet whole, or a cut UTF-8 sequence
};
