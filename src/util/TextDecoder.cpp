#include "util/TextDecoder.h"

#include "util/TextFiles.h"

namespace {

// The longest byte-order mark, UTF-32's.
constexpr qsizetype kLongestMark = 4;

// The length of the UTF-8 sequence `lead` opens, 0 when no valid one does.
int sequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Whether `next` may follow `lead` as the second byte of its sequence; the narrow
// ranges shut out overlong forms, surrogates and code points beyond U+10FFFF.
bool validSecond(unsigned char lead, unsigned char next)
{
    switch (lead) {
    case 0xE0: return next >= 0xA0 && next <= 0xBF;
    case 0xED: return next >= 0x80 && next <= 0x9F;
    case 0xF0: return next >= 0x90 && next <= 0xBF;
    case 0xF4: return next >= 0x80 && next <= 0x8F;
    default: return next >= 0x80 && next <= 0xBF;
    }
}

bool isContinuation(unsigned char b)
{
    return b >= 0x80 && b <= 0xBF;
}

void appendCodePoint(char32_t code, QString& text)
{
    if (code < 0x10000) {
        text.append(QChar(char16_t(code)));
    } else {
        text.append(QChar::highSurrogate(code));
        text.append(QChar::lowSurrogate(code));
    }
}

// The length of the bytes less a multi-byte sequence that the end cuts short and
// that the next piece may complete.
qsizetype withoutCutSequence(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const unsigned char b = data[bytes.size() - back];
        if (b < 0x80)
            return bytes.size();
        if (!isContinuation(b))
            return sequenceLength(b) > back ? bytes.size() - back : bytes.size();
    }
    return bytes.size();
}

}  // namespace

void TextDecoder::appendUtf8(QByteArrayView bytes, bool atEnd, QString& text)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            qsizetype run = i + 1;
            while (run < size && data[run] < 0x80)
                ++run;
            text.append(QLatin1StringView(bytes.data() + i, run - i));
            i = run;
            continue;
        }
        const int length = sequenceLength(lead);
        int valid = length > 0 ? 1 : 0;  // bytes of the sequence that fit so far
        while (valid > 0 && valid < length && i + valid < size &&
               (valid == 1 ? validSecond(lead, data[i + 1]) : isContinuation(data[i + valid])))
            ++valid;
        if (length > 0 && valid == length) {
            char32_t code = lead & (0xFF >> (length + 1));
            for (int k = 1; k < length; ++k)
                code = (code << 6) | (data[i + k] & 0x3F);
            appendCodePoint(code, text);
            i += length;
        } else if (length > 0 && i + valid == size && !atEnd) {
            pending_ = QByteArray(bytes.data() + i, size - i);  // the rest comes with the next piece
            return;
        } else {
            text.append(decodeWindows1252(bytes.sliced(i, 1)));
            ++i;
        }
    }
}

QString TextDecoder::decodePending(bool atEnd)
{
    QString text;
    if (!markChecked_) {
        if (pending_.size() < kLongestMark && !atEnd)
            return text;
        markChecked_ = true;
        const std::optional<QStringConverter::Encoding> mark = QStringConverter::encodingForData(pending_);
        if (mark && *mark != QStringConverter::Utf8) {
            // The decoder drops the mark itself.
            marked_.emplace(*mark);
        } else if (mark) {
            pending_.remove(0, 3);
        }
    }
    const QByteArray bytes = std::exchange(pending_, QByteArray());
    if (marked_)
        return marked_->decode(bytes);
    return decodeUtf8(bytes, atEnd);
}

// Text that is valid UTF-8 throughout, nearly all of it, goes through the toolkit's
// fast decoder; a piece with any other byte is decoded byte by byte.
QString TextDecoder::decodeUtf8(QByteArrayView bytes, bool atEnd)
{
    const qsizetype complete = atEnd ? bytes.size() : withoutCutSequence(bytes);
    // A U+FEFF inside the text is a character: the byte-order mark is gone already.
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = strict.decode(bytes.first(complete));
    if (!strict.hasError()) {
        pending_ = bytes.sliced(complete).toByteArray();
        return text;
    }
    text.clear();
    text.reserve(bytes.size());
    appendUtf8(bytes, atEnd, text);
    return text;
}

QString TextDecoder::decode(QByteArrayView bytes)
{
    if (marked_)
        return marked_->decode(bytes);
    if (markChecked_ && pending_.isEmpty())
        return decodeUtf8(bytes, false);
    pending_.append(bytes);
    return decodePending(false);
}

QString TextDecoder::finish()
{
    return decodePending(true);
}
