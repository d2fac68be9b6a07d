#pragma once

#include "util/RtfHtmlWriter.h"

#include <string>

// A simple bordered table read row by row: where text goes while one is read (a
// cell's text waits until its cell is known to be in a new row or not) and the row
// and cell tags around it. Without a table, text goes straight to the writer.
class RtfTableWriter {
public:
    explicit RtfTableWriter(RtfHtmlWriter& html) : html_(html) {}

    bool active() const { return state_ != State::None; }
    bool rowEnded() const { return state_ == State::RowEnded; }
    void append(QByteArrayView text);

    // A row definition: starts the table, or the next row after an ended one.
    void rowDefinition();
    // The end of a cell; closedTags close what the cell's text opened.
    void cell(const std::string& closedTags);
    void row(const std::string& closedTags);
    // The paragraph goes on in the table.
    void inTable() { lookAhead_ = false; }
    // A paragraph reset after a row: the second one before the table goes on ends it.
    void paragraphReset();
    // Closes whatever is open, at the end of the document.
    void finish();

private:
    enum class State { None, RowStarted, InCell, RowEnded };
    void end();

    RtfHtmlWriter& html_;
    State state_ = State::None;
    bool lookAhead_ = false;
    std::string buffer_;
};
