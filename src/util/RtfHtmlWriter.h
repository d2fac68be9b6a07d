#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

// The HTML output: appended text waits in a pending buffer, empty list pairs are
// dropped from it, and it leaves as lines cut after "<P>" or "<BR>" (or after a tag
// once it is long), each with its web addresses made into links.
class RtfHtmlWriter {
public:
    explicit RtfHtmlWriter(QIODevice& out);

    void append(QByteArrayView html);
    // Writes one whole line, bypassing the pending buffer.
    void writeLine(QByteArrayView line);
    // Writes what is pending and hands everything to the device.
    void flush();
    bool failed() const { return !error_.isEmpty(); }
    QString errorString() const { return error_; }

private:
    qsizetype dropEmptyPairs(qsizetype from);
    void cutLines(qsizetype from);
    void emitLine(QByteArrayView line);
    void writePending();
    void writeOut();

    QIODevice& out_;
    QByteArray pending_;
    QByteArray output_;
    QString error_;
};
