#include "addresses/AddressExtractor.h"

#include "addresses/AddressSyntax.h"

#include <algorithm>
#include <exception>

namespace {

// Towards the start of a candidate a tab also ends it; towards the end an
// underscore does, and then begins the next candidate.
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

// A run of three or more leading underscores is decoration, not part of the
// address; one or two are kept and left to the exception list.
constexpr qint64 kDecorationRun = 3;

}  // namespace

AddressScanner::AddressScanner(const QStringList& exceptList, Found found)
    : exceptList_(exceptList), found_(std::move(found))
{
}

void AddressScanner::clearCandidate()
{
    leadingUnderscores_ = 0;
    body_.clear();
    tooLong_ = false;
}

void AddressScanner::endCandidate()
{
    const qint64 kept = leadingUnderscores_ >= kDecorationRun ? 0 : leadingUnderscores_;
    if (!tooLong_ && kept + body_.size() < ExtractedAddressLimit) {
        const QString candidate = QString(kept, u'_') + body_;
        int code = AddressError::None;
        try {
            if (validemailaddress(candidate, true, exceptList_, code))
                found_(candidate);
        } catch (const std::exception&) {
            // A failure while checking a candidate gives up only the rest of its line.
            mode_ = Mode::SkipLine;
        }
    }
    clearCandidate();
}

void AddressScanner::appendToCandidate(QStringView run)
{
    if (body_.isEmpty()) {
        qsizetype underscores = 0;
        while (underscores < run.size() && run[underscores] == u'_')
            ++underscores;
        leadingUnderscores_ += underscores;
        run = run.sliced(underscores);
    }
    const qsizetype room = ExtractedAddressLimit - body_.size();
    if (run.size() > room)
        tooLong_ = true;
    body_.append(run.first(std::min(run.size(), room)));
}

void AddressScanner::endLine()
{
    if (mode_ == Mode::AfterAt)
        endCandidate();
    clearCandidate();
    mode_ = Mode::BeforeAt;
    lineStarted_ = false;
}

// Each character is looked at no more than twice, whatever the text holds.
void AddressScanner::feed(QStringView text)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        if (isLineBreak(text[i])) {
            endLine();
            ++i;
            continue;
        }
        qsizetype j = i;
        switch (mode_) {
        case Mode::SkipLine:
            while (j < size && !isLineBreak(text[j]))
                ++j;
            break;
        case Mode::BeforeAt: {
            // Only the text just before an '@' can belong to a candidate: the rest is
            // passed over by the fast search for the next '@'.
            const qsizetype at = text.indexOf(u'@', i);
            j = at < 0 ? size : at;
            // The candidate starts after the last character before j that ends one
            // (or the line); a line that holds one has started.
            qsizetype start = j;
            while (start > i && !endsCandidateTowardsStart(text[start - 1]) && !isLineBreak(text[start - 1]))
                --start;
            if (start > i) {
                clearCandidate();
                lineStarted_ = !isLineBreak(text[start - 1]) || j > start;
            } else {
                lineStarted_ = lineStarted_ || j > i;
            }
            appendToCandidate(text.sliced(start, j - start));
            if (at >= 0) {
                // An '@' that opens the line leaves the whole line unscanned.
                mode_ = lineStarted_ ? Mode::AfterAt : Mode::SkipLine;
                appendToCandidate(u"@");
                lineStarted_ = true;
                ++j;
            }
            break;
        }
        case Mode::AfterAt:
            while (j < size && !endsCandidateTowardsEnd(text[j]) && !isLineBreak(text[j]))
                ++j;
            appendToCandidate(text.sliced(i, j - i));
            if (j < size && !isLineBreak(text[j])) {
                endCandidate();
                if (mode_ == Mode::SkipLine)
                    break;
                mode_ = Mode::BeforeAt;
                // The underscore that ended this candidate may begin the next.
                if (text[j] == u'_')
                    leadingUnderscores_ = 1;
                ++j;
            }
            break;
        }
        i = j;
    }
}

void AddressScanner::finish()
{
    endLine();
}

void ScanLineForAddresses(QStringView line, const QStringList& exceptList, QStringList& found)
{
    AddressScanner scanner(exceptList, [&](const QString& address) { found.append(address); });
    scanner.feed(line);
    scanner.finish();
}

void extractemailaddresses(const QStringList& lines, const QStringList& exceptList, QStringList& found)
{
    found.clear();
    for (const QString& line : lines)
        ScanLineForAddresses(line, exceptList, found);
}

void scanTextForAddresses(QStringView text, const QStringList& exceptList, QStringList& found)
{
    ScanLineForAddresses(text, exceptList, found);
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
