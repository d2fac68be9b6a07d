#include "util/RtfHtmlWriter.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype kOutputBytes = 256 * 1024;
// Pending text past this leaves at a space even without a tag, so memory stays bounded.
constexpr qsizetype kMaxPending = 1024 * 1024;
constexpr qsizetype kPairLength = 9;
constexpr QByteArrayView kScheme = "http://";

bool endsLink(char c)
{
    // A quote ends it too, so the address cannot leave the attribute it is put in.
    return c == ' ' || c == ',' || c == '<' || c == '"';
}

}  // namespace

RtfHtmlWriter::RtfHtmlWriter(QIODevice& out) : out_(out) {}

void RtfHtmlWriter::append(QByteArrayView html)
{
    const qsizetype from = pending_.size();
    pending_.append(html);
    if (html.contains('>')) {
        cutLines(std::max<qsizetype>(0, dropEmptyPairs(from) - 3));
    }
    const qsizetype size = pending_.size();
    if (size > 100 && pending_.endsWith('>') && pending_[size - 2] != 'L' && pending_[size - 2] != 'A') {
        emitLine(pending_);
        pending_.clear();
    } else if (size > kMaxPending) {
        const qsizetype space = pending_.lastIndexOf(' ');
        const qsizetype cut = space > 0 ? space + 1 : size;
        emitLine(QByteArrayView(pending_).first(cut));
        pending_.remove(0, cut);
    }
}

// Every pair ends at a '>' of the new text: the text before it holds none. Gives
// where the changed text now begins.
qsizetype RtfHtmlWriter::dropEmptyPairs(qsizetype from)
{
    qsizetype changed = from;
    char* data = pending_.data();
    qsizetype write = from;
    for (qsizetype read = from; read < pending_.size(); ++read) {
        data[write++] = data[read];
        if (data[read] != '>' || write < kPairLength)
            continue;
        const char* tail = data + write - kPairLength;
        if (std::memcmp(tail, "<UL></UL>", kPairLength) == 0 ||
            std::memcmp(tail, "</UL><UL>", kPairLength) == 0) {
            write -= kPairLength;
            changed = std::min(changed, write);
        }
    }
    pending_.truncate(write);
    return changed;
}

void RtfHtmlWriter::cutLines(qsizetype from)
{
    qsizetype start = 0;
    for (;;) {
        const QByteArrayView rest = QByteArrayView(pending_).sliced(start);
        const qsizetype searchFrom = std::max<qsizetype>(0, from - start);
        qsizetype end = rest.indexOf(QByteArrayView("<P>"), searchFrom);
        if (end >= 0) {
            end += 3;
        } else {
            end = rest.indexOf(QByteArrayView("<BR>"), searchFrom);
            if (end < 0)
                break;
            end += 4;
        }
        emitLine(rest.first(end));
        start += end;
    }
    pending_.remove(0, start);
}

// Web addresses in text become links; one inside a tag (a face's name) is left alone.
void RtfHtmlWriter::emitLine(QByteArrayView line)
{
    qsizetype done = 0;
    qsizetype scanned = 0;
    bool inTag = false;
    for (qsizetype i = line.indexOf(kScheme); i >= 0; i = line.indexOf(kScheme, i)) {
        for (; scanned < i; ++scanned)
            if (line[scanned] == '<' || line[scanned] == '>')
                inTag = line[scanned] == '<';
        if (inTag) {
            ++i;
            continue;
        }
        qsizetype end = i + kScheme.size();
        while (end < line.size() && !endsLink(line[end]))
            ++end;
        const QByteArrayView address = line.sliced(i, end - i);
        output_.append(line.sliced(done, i - done));
        output_.append("<A HREF=\"").append(address).append("\">").append(address).append("</A>");
        done = scanned = i = end;
    }
    output_.append(line.sliced(done));
    output_.append('\n');
    if (output_.size() >= kOutputBytes)
        writeOut();
}

void RtfHtmlWriter::writePending()
{
    if (!pending_.isEmpty())
        emitLine(pending_);
    pending_.clear();
}

void RtfHtmlWriter::writeLine(QByteArrayView line)
{
    writePending();
    emitLine(line);
}

void RtfHtmlWriter::writeOut()
{
    if (error_.isEmpty() && out_.write(output_) != output_.size())
        error_ = out_.errorString();
    output_.clear();
}

void RtfHtmlWriter::flush()
{
    writePending();
    writeOut();
}
