#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <string>

// The HTML output: appended text waits in a pending buffer, empty list pairs are
// dropped from it, and it leaves as lines cut after "<P>" or "<BR>" (or after a tag
// once it is long), each with its web addresses made into links.
class RtfHtmlWriter {
public:
    explicit RtfHtmlWriter(QIODevice& out);

    void append(QByteArrayView html);
    // Writes one whole line, after what is pending.
    void writeLine(std::string_view line);
    // Writes what is pending and hands everything to the device.
    void flush();
    bool failed() const { return !error_.isEmpty(); }
    QString errorString() const { return error_; }

private:
    size_t dropEmptyPairs(size_t from);
    void cutLines(size_t from);
    void emitLine(std::string_view line);
    void writePending();
    void writeOut();

    QIODevice& out_;
    std::string pending_;
    std::string output_;
    QString error_;
};
