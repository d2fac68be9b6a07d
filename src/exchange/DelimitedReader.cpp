#include "exchange/DelimitedReader.h"

#include "exchange/SplitFields.h"
#include "util/TextRoutines.h"

namespace {

bool isBlank(QChar c) { return c.unicode() <= u' '; }

}  // namespace

DelimitedReader::DelimitedReader(const QStringList& lines, const QString& separator, int firstLine)
    : lines_(lines), separator_(separator.isEmpty() ? QStringLiteral(",") : separator), line_(firstLine)
{
}

std::optional<DelimitedRecord> DelimitedReader::next()
{
    if (line_ >= lines_.size())
        return std::nullopt;
    DelimitedRecord record;
    record.firstLine = line_;
    const QString& first = lines_.at(line_);
    // Lines may keep the CR of a CR LF ending, so that one inside quotes reads back.
    QStringView bare(first);
    if (bare.endsWith(u'\r'))
        bare.chop(1);
    if (bare.isEmpty() || bare == separator_) {
        ++line_;
        return record;
    }
    if (!readQuoted(record)) {
        record.fields = SplitFields(first, separator_, true, true);
        record.lineCount = 1;
        record.unclosedQuote = true;
    }
    line_ = record.firstLine + record.lineCount;
    return record;
}

bool DelimitedReader::readQuoted(DelimitedRecord& record)
{
    int line = record.firstLine;
    const QString* text = &lines_.at(line);
    qsizetype pos = 0;
    for (;;) {
        while (pos < text->size() && isBlank(text->at(pos)))
            ++pos;
        QString value;
        if (pos < text->size() && text->at(pos) == '"') {
            ++pos;
            for (;;) {
                const qsizetype quote = text->indexOf('"', pos);
                if (quote < 0) {
                    value += QStringView(*text).mid(pos);
                    value += '\n';
                    ++line;
                    if (line >= lines_.size() || line - record.firstLine > kQuoteReach)
                        return false;
                    text = &lines_.at(line);
                    pos = 0;
                    continue;
                }
                value += QStringView(*text).mid(pos, quote - pos);
                if (quote + 1 < text->size() && text->at(quote + 1) == '"') {
                    value += '"';
                    pos = quote + 2;
                    continue;
                }
                pos = quote + 1;
                break;
            }
            // Text between the closing quote and the separator is kept, not lost.
            const qsizetype cut = text->indexOf(separator_, pos);
            value += TrimText(text->mid(pos, cut < 0 ? -1 : cut - pos));
            pos = cut;
        } else {
            const qsizetype cut = text->indexOf(separator_, pos);
            value = TrimText(text->mid(pos, cut < 0 ? -1 : cut - pos));
            pos = cut;
        }
        record.fields << value;
        if (pos < 0)
            break;
        pos += separator_.size();
        if (pos >= text->size())
            break;
    }
    record.lineCount = line - record.firstLine + 1;
    return true;
}
