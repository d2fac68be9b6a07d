#include "util/RtfHtmlWriter.h"

#include <algorithm>

namespace {

constexpr size_t kOutputBytes = 256 * 1024;
// Pending text past this leaves at a space even without a tag, so memory stays bounded.
constexpr size_t kMaxPending = 1024 * 1024;
constexpr size_t kPairLength = 9;
constexpr std::string_view kScheme = "http://";

bool endsLink(char c)
{
    // A quote ends it too, so the address cannot leave the attribute it is put in.
    return c == ' ' || c == ',' || c == '<' || c == '"';
}

// Where "http://" begins, from its colon: text holds far fewer colons than h's.
size_t findScheme(std::string_view line, size_t from)
{
    for (size_t colon = line.find(':', from + 4); colon != std::string_view::npos; colon = line.find(':', colon + 1))
        if (line.substr(colon - 4, kScheme.size()) == kScheme)
            return colon - 4;
    return std::string_view::npos;
}

}  // namespace

RtfHtmlWriter::RtfHtmlWriter(QIODevice& out) : out_(out)
{
    output_.reserve(kOutputBytes + 4096);
}

void RtfHtmlWriter::append(QByteArrayView html)
{
    const size_t from = pending_.size();
    pending_.append(html.data(), size_t(html.size()));
    if (html.contains('>')) {
        const size_t changed = dropEmptyPairs(from);
        cutLines(changed > 3 ? changed - 3 : 0);
    }
    const size_t size = pending_.size();
    if (size > 100 && pending_.back() == '>' && pending_[size - 2] != 'L' && pending_[size - 2] != 'A') {
        writePending();
    } else if (size > kMaxPending) {
        const size_t space = pending_.rfind(' ');
        const size_t cut = space != std::string::npos && space > size / 2 ? space + 1 : size;
        emitLine(std::string_view(pending_).substr(0, cut));
        pending_.erase(0, cut);
    }
}

// Every pair ends at a '>' of the new text: the text before it holds none. Gives
// where the changed text now begins.
size_t RtfHtmlWriter::dropEmptyPairs(size_t from)
{
    size_t changed = from;
    for (size_t end = pending_.find('>', from); end != std::string::npos; end = pending_.find('>', end + 1)) {
        if (end + 1 < kPairLength)
            continue;
        const std::string_view pair = std::string_view(pending_).substr(end + 1 - kPairLength, kPairLength);
        if (pair != "<UL></UL>" && pair != "</UL><UL>")
            continue;
        end -= kPairLength;
        pending_.erase(end + 1, kPairLength);
        changed = std::min(changed, end + 1);
    }
    return changed;
}

void RtfHtmlWriter::cutLines(size_t from)
{
    size_t start = 0;
    for (;;) {
        const std::string_view rest = std::string_view(pending_).substr(start);
        const size_t searchFrom = from > start ? from - start : 0;
        size_t end = rest.find("<P>", searchFrom);
        if (end != std::string_view::npos) {
            end += 3;
        } else {
            end = rest.find("<BR>", searchFrom);
            if (end == std::string_view::npos)
                break;
            end += 4;
        }
        emitLine(rest.substr(0, end));
        start += end;
    }
    pending_.erase(0, start);
}

// Web addresses in text become links; one inside a tag (a face's name) is left alone.
void RtfHtmlWriter::emitLine(std::string_view line)
{
    size_t done = 0;
    size_t scanned = 0;
    bool inTag = false;
    for (size_t i = findScheme(line, 0); i != std::string_view::npos; i = findScheme(line, i)) {
        for (; scanned < i; ++scanned)
            if (line[scanned] == '<' || line[scanned] == '>')
                inTag = line[scanned] == '<';
        if (inTag) {
            ++i;
            continue;
        }
        size_t end = i + kScheme.size();
        while (end < line.size() && !endsLink(line[end]))
            ++end;
        const std::string_view address = line.substr(i, end - i);
        output_.append(line.substr(done, i - done));
        output_.append("<A HREF=\"").append(address).append("\">").append(address).append("</A>");
        done = scanned = i = end;
    }
    output_.append(line.substr(done));
    output_ += '\n';
    if (output_.size() >= kOutputBytes)
        writeOut();
}

void RtfHtmlWriter::writePending()
{
    if (!pending_.empty())
        emitLine(pending_);
    pending_.clear();
}

void RtfHtmlWriter::writeLine(std::string_view line)
{
    writePending();
    emitLine(line);
}

void RtfHtmlWriter::writeOut()
{
    if (error_.isEmpty() && out_.write(output_.data(), qint64(output_.size())) != qint64(output_.size()))
        error_ = out_.errorString();
    output_.clear();
}

void RtfHtmlWriter::flush()
{
    writePending();
    writeOut();
}
