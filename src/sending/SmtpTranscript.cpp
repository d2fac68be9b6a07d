#include "sending/SmtpTranscript.h"

namespace {

// "250-..." goes on, "250 ..." (or a bare "250") ends the reply.
bool endsReply(const QByteArray& text)
{
    return text.size() == 3 || (text.size() > 3 && text[3] != '-');
}

int codeOf(const QByteArray& text)
{
    bool ok = false;
    const int code = text.left(3).toInt(&ok);
    return ok && text.size() >= 3 ? code : 0;
}

} // namespace

void SmtpTranscript::clear()
{
    *this = SmtpTranscript();
}

void SmtpTranscript::sent(QByteArrayView data)
{
    const QByteArray text = data.toByteArray().trimmed();
    command_ = text.split(' ').constFirst().toUpper();
    if (command_ == "RCPT") {
        const qsizetype open = text.indexOf('<');
        const qsizetype close = text.lastIndexOf('>');
        recipient_ = QString::fromUtf8(open >= 0 && close > open ? text.mid(open + 1, close - open - 1)
                                                                  : text.mid(text.indexOf(':') + 1));
    }
}

void SmtpTranscript::received(QByteArrayView data)
{
    partial_ += data.toByteArray();
    qsizetype end;
    while ((end = partial_.indexOf('\n')) >= 0) {
        QByteArray text = partial_.left(end);
        partial_.remove(0, end + 1);
        if (text.endsWith('\r'))
            text.chop(1);
        line(text);
    }
}

void SmtpTranscript::line(const QByteArray& text)
{
    lines_ << QString::fromUtf8(text);
    const int code = codeOf(text);
    if (code == 0 || !endsReply(text))
        return;
    const QString reply = lines_.join('\n');
    lines_.clear();
    if (command_ == "QUIT")
        return;
    code_ = code;
    reply_ = reply;
    if (command_ == "DATA" && code == 354)
        textInvited_ = true;
    if (command_ == "RCPT" && code >= 400)
        refusals_ << SmtpRefusal{recipient_, code, reply};
}
