#include "util/RtfTableWriter.h"

namespace {

// A cell's text past this is written at once, as the first cell of a row is.
constexpr size_t kMaxCellBytes = 1024 * 1024;

QByteArrayView view(const std::string& text)
{
    return QByteArrayView(text.data(), qsizetype(text.size()));
}

}  // namespace

void RtfTableWriter::append(QByteArrayView text)
{
    if (state_ != State::InCell && state_ != State::RowEnded) {
        html_.append(text);
        return;
    }
    buffer_.append(text.data(), size_t(text.size()));
    if (buffer_.size() <= kMaxCellBytes)
        return;
    html_.append(state_ == State::InCell ? "<TD>" : "<TR><TD>");
    html_.append(view(buffer_));
    buffer_.clear();
    state_ = State::RowStarted;
}

void RtfTableWriter::rowDefinition()
{
    if (state_ == State::None) {
        html_.append("<BR><TABLE BORDER=2><TR><TD>");
    } else if (state_ == State::RowEnded) {
        html_.append("<TR><TD>");
        html_.append(view(buffer_));
        buffer_.clear();
    } else {
        return;
    }
    state_ = State::RowStarted;
    lookAhead_ = false;
}

void RtfTableWriter::cell(const std::string& closedTags)
{
    if (state_ == State::RowStarted)
        html_.append(view(closedTags + "</TD>"));
    else
        html_.append(view((state_ == State::InCell ? "<TD>" : "<TR><TD>") + buffer_ + closedTags + "</TD>"));
    buffer_.clear();
    state_ = State::InCell;
    lookAhead_ = false;
}

void RtfTableWriter::row(const std::string& closedTags)
{
    if (state_ == State::RowStarted)
        html_.append(view(closedTags + "</TD></TR>"));
    else if (state_ == State::InCell)
        html_.append("</TR>");
    buffer_.clear();
    state_ = State::RowEnded;
    lookAhead_ = false;
}

void RtfTableWriter::paragraphReset()
{
    if (state_ != State::RowEnded)
        return;
    if (lookAhead_)
        end();
    else
        lookAhead_ = true;
}

// Text read after the row, while it was not yet known whether the table went on,
// follows the table.
void RtfTableWriter::end()
{
    html_.append("</TABLE><BR>");
    html_.append(view(buffer_));
    buffer_.clear();
    state_ = State::None;
    lookAhead_ = false;
}

void RtfTableWriter::finish()
{
    if (state_ == State::InCell && !buffer_.empty())
        cell({});
    if (state_ == State::RowStarted || state_ == State::InCell)
        row({});
    if (state_ == State::RowEnded)
        end();
}
