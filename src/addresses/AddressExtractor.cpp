#include "addresses/AddressExtractor.h"

#include "addresses/AddressSyntax.h"

#include <exception>

namespace {

// Towards the start a tab also ends the candidate; towards the end an underscore does.
bool endsCandidateTowardsStart(QChar c)
{
    return isAddressStopChar(c.unicode()) || c == u'\t';
}

bool endsCandidateTowardsEnd(QChar c)
{
    return isAddressStopChar(c.unicode()) || c == u'_';
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// A run of three or more leading underscores is decoration, not part of the address;
// one or two are kept and left to the exception list.
QStringView withoutUnderscoreRun(QStringView candidate)
{
    if (!candidate.startsWith(u"___"))
        return candidate;
    qsizetype first = 0;
    while (first < candidate.size() && candidate[first] == u'_')
        ++first;
    return candidate.sliced(first);
}

void acceptCandidate(QStringView candidate, const QStringList& exceptList, QStringList& found)
{
    candidate = withoutUnderscoreRun(candidate);
    int code = AddressError::None;
    if (!candidate.isEmpty() && candidate.size() < ExtractedAddressLimit
        && validemailaddress(candidate, true, exceptList, code))
        found.append(candidate.toString());
}

// A failure while scanning one line gives up only the rest of that line.
void scanLineGuarded(QStringView line, const QStringList& exceptList, QStringList& found)
{
    try {
        ScanLineForAddresses(line, exceptList, found);
    } catch (const std::exception&) {
    }
}

}  // namespace

void ScanLineForAddresses(QStringView line, const QStringList& exceptList, QStringList& found)
{
    // `rest` is the unscanned tail of the line, line[rest..].
    qsizetype rest = 0;
    while (rest < line.size()) {
        const qsizetype at = line.indexOf(u'@', rest);
        // No '@' left, or one that opens the rest: nothing more on this line.
        if (at <= rest)
            return;

        qsizetype start = rest;
        for (qsizetype i = at - 1; i >= rest; --i) {
            if (endsCandidateTowardsStart(line[i])) {
                start = i + 1;
                break;
            }
        }
        qsizetype end = line.size();
        for (qsizetype i = at + 1; i < line.size(); ++i) {
            if (endsCandidateTowardsEnd(line[i])) {
                end = i;
                break;
            }
        }
        // The boundary character stays at the head of the rest.
        rest = end;
        acceptCandidate(line.sliced(start, end - start), exceptList, found);
    }
}

void extractemailaddresses(const QStringList& lines, const QStringList& exceptList, QStringList& found)
{
    found.clear();
    for (const QString& line : lines)
        scanLineGuarded(line, exceptList, found);
}

void scanTextForAddresses(QStringView text, const QStringList& exceptList, QStringList& found)
{
    qsizetype from = 0;  // always the start of a line
    while (from < text.size()) {
        const qsizetype at = text.indexOf(u'@', from);
        if (at < 0)
            return;
        qsizetype lineStart = at;
        while (lineStart > from && !isLineBreak(text[lineStart - 1]))
            --lineStart;
        qsizetype lineEnd = at + 1;
        while (lineEnd < text.size() && !isLineBreak(text[lineEnd]))
            ++lineEnd;
        scanLineGuarded(text.sliced(lineStart, lineEnd - lineStart), exceptList, found);
        from = lineEnd + 1;
    }
}

void addemailaddresses(const QString& text, QStringList& found)
{
    if (text.isEmpty())
        return;
    if (!text.contains(u';')) {
        found.append(text);
        return;
    }
    for (const QStringView piece : QStringView(text).split(u';')) {
        const QStringView address = piece.trimmed();
        if (!address.isEmpty())
            found.append(address.toString());
    }
}
