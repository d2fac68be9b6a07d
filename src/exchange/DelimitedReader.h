#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// One record of a delimited file: its fields, and where it stands in the file.
struct DelimitedRecord {
    QStringList fields;     // none for an empty line
    int firstLine = 0;      // the record's first line, from 0
    int lineCount = 1;      // lines it spans (a quoted line break joins the next)
    bool unclosedQuote = false;  // a quote that never closed: the line was cut at every separator
};

// Reads the records of a delimited file's lines with quoted fields: a field
// that opens with a double quote runs to the matching quote, keeping separators,
// line breaks and blanks inside it, and "" in it stands for one quote. Fields
// outside quotes are trimmed of blanks and control characters; empty fields stay,
// and a trailing separator adds none. A quote not closed within its line and the
// next kQuoteReach lines is taken as no quote at all: that one line is cut at every
// separator as SplitFields cuts it, and the record says so.
class DelimitedReader {
public:
    static constexpr int kQuoteReach = 100;

    DelimitedReader(const QStringList& lines, const QString& separator, int firstLine = 0);

    // The next record; nullopt after the last line.
    std::optional<DelimitedRecord> next();

private:
    // The record from the current line on; false when a quote does not close in reach.
    bool readQuoted(DelimitedRecord& record);

    const QStringList& lines_;
    QString separator_;
    int line_ = 0;
};
