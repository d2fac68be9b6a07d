#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <string_view>

// One piece of RTF input.
struct RtfToken {
    enum Kind { End, Open, Close, Word, Symbol, Hex, Text };
    Kind kind = End;
    std::string_view name;  // Word: its letters (valid until the next token)
    int param = 0;          // Word: the number, 0 when missing
    bool hasParam = false;
    char symbol = 0;        // Symbol: the character after the backslash ('\n' for a line break)
    int hex = -1;           // Hex: the byte, -1 when the two digits are not hex
    QByteArrayView text;    // Text: a run of plain bytes (valid until the next token)
};

// RTF tokens read from a device a chunk at a time. Line breaks carry no meaning
// and are dropped, though they end a control word. `\binN` data is skipped here,
// never held. Text may be put in front of the rest of the input (a style's words).
class RtfTokenizer {
public:
    explicit RtfTokenizer(QIODevice& in);

    RtfToken next();
    // Consumes the rest of the current group up to and including its closing brace.
    void skipGroup();
    void insert(QByteArrayView text);
    // Bytes read from the device so far.
    qint64 consumed() const { return consumed_; }
    QString errorString() const { return error_; }

private:
    int get() { return (p_ < end_ || refill()) ? static_cast<unsigned char>(*p_++) : -1; }
    int peek() { return (p_ < end_ || refill()) ? static_cast<unsigned char>(*p_) : -1; }
    bool refill();
    void readWord(RtfToken& token);
    void skipBytes(qint64 count);

    QIODevice& in_;
    QByteArray chunk_;
    QByteArray front_;  // inserted text, read before the rest of chunk_
    bool inFront_ = false;
    const char* p_ = nullptr;
    const char* end_ = nullptr;
    const char* chunkP_ = nullptr;  // where chunk_ resumes after front_
    qint64 consumed_ = 0;
    char name_[33] = {};
    QString error_;
};
