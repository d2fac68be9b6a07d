#include "util/RtfTokenizer.h"

#include <algorithm>

namespace {

constexpr qint64 kChunkBytes = 256 * 1024;
constexpr int kMaxParam = 1000000000;

bool isLetter(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

int hexValue(int c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isPlain(char c)
{
    return c != '\\' && c != '{' && c != '}' && c != '\r' && c != '\n';
}

}  // namespace

RtfTokenizer::RtfTokenizer(QIODevice& in) : in_(in) {}

bool RtfTokenizer::refill()
{
    if (inFront_) {
        inFront_ = false;
        front_.clear();
        p_ = chunkP_;
        end_ = chunk_.constData() + chunk_.size();
        if (p_ < end_)
            return true;
    }
    if (!error_.isEmpty())
        return false;
    chunk_.resize(kChunkBytes);
    const qint64 got = in_.read(chunk_.data(), kChunkBytes);
    if (got < 0)
        error_ = in_.errorString();
    chunk_.resize(std::max<qint64>(got, 0));
    consumed_ += chunk_.size();
    p_ = chunk_.constData();
    end_ = p_ + chunk_.size();
    return p_ < end_;
}

void RtfTokenizer::insert(QByteArrayView text)
{
    if (inFront_) {
        front_ = text.toByteArray().append(QByteArrayView(p_, end_ - p_));
    } else {
        chunkP_ = p_;
        front_ = text.toByteArray();
        inFront_ = true;
    }
    p_ = front_.constData();
    end_ = p_ + front_.size();
}

void RtfTokenizer::skipBytes(qint64 count)
{
    while (count > 0 && (p_ < end_ || refill())) {
        const qint64 step = std::min<qint64>(count, end_ - p_);
        p_ += step;
        count -= step;
    }
}

// A control word: its letters, then an optional "-" and digits, then one space consumed.
void RtfTokenizer::readWord(RtfToken& token)
{
    size_t length = 0;
    bool tooLong = false;
    while (isLetter(peek())) {
        const char c = char(get());
        if (length < sizeof(name_) - 1)
            name_[length++] = c;
        else
            tooLong = true;
    }
    token.kind = RtfToken::Word;
    token.name = tooLong ? std::string_view() : std::string_view(name_, length);
    bool negative = false;
    if (peek() == '-') {
        get();
        negative = true;
    }
    qint64 value = 0;
    while (isDigit(peek())) {
        token.hasParam = true;
        value = std::min<qint64>(value * 10 + (get() - '0'), kMaxParam);
    }
    token.param = int(negative ? -value : value);
    if (peek() == ' ')
        get();
}

RtfToken RtfTokenizer::next()
{
    RtfToken token;
    for (;;) {
        const int c = get();
        switch (c) {
        case -1:
            return token;
        case '\r':
        case '\n':
            continue;
        case '{':
            token.kind = RtfToken::Open;
            return token;
        case '}':
            token.kind = RtfToken::Close;
            return token;
        case '\\':
            break;
        default: {
            const char* start = p_ - 1;
            while (p_ < end_ && isPlain(*p_))
                ++p_;
            token.kind = RtfToken::Text;
            token.text = QByteArrayView(start, p_ - start);
            return token;
        }
        }
        const int after = peek();
        if (isLetter(after)) {
            readWord(token);
            if (token.name != "bin")
                return token;
            skipBytes(std::max(token.param, 0));
            token = RtfToken();
            continue;
        }
        if (after == '\'') {
            get();
            const int high = hexValue(get());
            const int low = hexValue(peek());
            if (low >= 0)
                get();
            token.kind = RtfToken::Hex;
            token.hex = high >= 0 && low >= 0 ? high * 16 + low : -1;
            return token;
        }
        if (after < 0)
            return token;
        get();
        token.kind = RtfToken::Symbol;
        token.symbol = after == '\r' ? '\n' : char(after);
        return token;
    }
}

void RtfTokenizer::skipGroup()
{
    int depth = 1;
    for (RtfToken token = next(); token.kind != RtfToken::End; token = next()) {
        if (token.kind == RtfToken::Open)
            ++depth;
        else if (token.kind == RtfToken::Close && --depth == 0)
            return;
    }
}
