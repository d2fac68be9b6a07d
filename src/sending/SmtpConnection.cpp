#include "sending/SmtpConnection.h"

#include "base/Ui.h"

#include <QSysInfo>
#include <cstring>
#include <memory>

namespace {

const QString kConnectingCaption = QStringLiteral("Connecting to your SMTP Server...");
const QString kUnsafeAddress = QStringLiteral("The address holds a line break or control character");
constexpr long kConnectSeconds = 30;
constexpr long kReplySeconds = 60;

// An address that would end its command line early could smuggle in commands of its own.
bool safeAddress(const QString& address)
{
    for (const QChar c : address)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    return true;
}

struct Upload {
    const QByteArray& bytes;
    qsizetype offset = 0;
};

size_t readUpload(char* buffer, size_t size, size_t count, void* upload)
{
    auto& from = *static_cast<Upload*>(upload);
    const size_t n = std::min(size * count, size_t(from.bytes.size() - from.offset));
    std::memcpy(buffer, from.bytes.constData() + from.offset, n);
    from.offset += qsizetype(n);
    return n;
}

// The answer to the connection's NOOP is of no use.
size_t discard(char*, size_t size, size_t count, void*)
{
    return size * count;
}

bool belowSmtp(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        return true;
    default:
        return false;
    }
}

struct SlistFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

} // namespace

SmtpConnection::SmtpConnection(SmtpAccount account, Ui& ui, LogLine log)
    : account_(std::move(account)), ui_(ui), log_(std::move(log))
{
}

SmtpConnection::~SmtpConnection()
{
    if (curl_)
        curl_easy_cleanup(curl_);
}

CURL* SmtpConnection::handle()
{
    if (curl_)
        return curl_;
    curl_ = curl_easy_init();
    const QByteArray url =
        smtpUrl(account_.host, account_.port, account_.security, QSysInfo::machineHostName());
    curl_easy_setopt(curl_, CURLOPT_URL, url.constData());
    applySmtpSecurity(curl_, account_.security, account_.verifyCertificate);
    if (account_.logon) {
        curl_easy_setopt(curl_, CURLOPT_USERNAME, account_.user.toUtf8().constData());
        curl_easy_setopt(curl_, CURLOPT_PASSWORD, account_.password.toUtf8().constData());
        curl_easy_setopt(curl_, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
    }
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, kReplySeconds);
    curl_easy_setopt(curl_, CURLOPT_MAIL_RCPT_ALLLOWFAILS, 1L);
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(curl_, CURLOPT_READFUNCTION, readUpload);
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, errorText_);
    // The debug stream is the only place the server's full replies show.
    curl_easy_setopt(curl_, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl_, CURLOPT_DEBUGFUNCTION, debug);
    curl_easy_setopt(curl_, CURLOPT_DEBUGDATA, this);
    return curl_;
}

int SmtpConnection::debug(CURL*, curl_infotype type, char* data, size_t size, void* self)
{
    auto& transcript = static_cast<SmtpConnection*>(self)->transcript_;
    if (type == CURLINFO_HEADER_OUT)
        transcript.sent(QByteArrayView(data, qsizetype(size)));
    else if (type == CURLINFO_HEADER_IN)
        transcript.received(QByteArrayView(data, qsizetype(size)));
    return 0;
}

SmtpResult SmtpConnection::connect()
{
    ui_.showProgress(kConnectingCaption, 0, false);
    log_("Connecting to SMTP Server: " + account_.host);
    CURL* curl = handle();
    transcript_.clear();
    errorText_[0] = 0;
    // A command without recipients goes through greeting, STARTTLS and log-in, and
    // leaves the connection open for the messages.
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "NOOP");
    const SmtpResult result = resultOf(curl_easy_perform(curl));
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, nullptr);
    if (!result.ok) {
        log_("SMTP Connection Error: " + result.error);
        ui_.hideProgress();
    }
    return result;
}

void SmtpConnection::disconnect()
{
    log_("Disconnecting from SMTP Server");
    if (curl_) {
        curl_easy_cleanup(curl_);
        curl_ = nullptr;
    }
    ui_.hideProgress();
}

SmtpResult SmtpConnection::send(const QString& sender, const QStringList& recipients,
                                const QByteArray& message)
{
    QList<SmtpRefusal> unsafe;
    curl_slist* list = nullptr;
    for (const QString& recipient : recipients) {
        if (safeAddress(recipient))
            list = curl_slist_append(list, recipient.toUtf8().constData());
        else
            unsafe << SmtpRefusal{recipient, 0, kUnsafeAddress};
    }
    const std::unique_ptr<curl_slist, SlistFree> envelope(list);
    if (!safeAddress(sender) || !envelope) {
        SmtpResult refused;
        refused.error = safeAddress(sender) ? unsafe.value(0).reply : kUnsafeAddress;
        refused.refused = unsafe;
        return refused;
    }
    CURL* curl = handle();
    transcript_.clear();
    errorText_[0] = 0;
    Upload upload{message};
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, sender.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, envelope.get());
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(message.size()));
    SmtpResult result = resultOf(curl_easy_perform(curl));
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, nullptr);
    curl_easy_setopt(curl, CURLOPT_READDATA, nullptr);
    result.refused = unsafe + result.refused;
    return result;
}

SmtpResult SmtpConnection::resultOf(CURLcode code) const
{
    SmtpResult result;
    result.ok = code == CURLE_OK;
    result.code = transcript_.code();
    result.reply = transcript_.reply();
    result.refused = transcript_.refusals();
    result.textInvited = transcript_.textInvited();
    if (result.ok)
        return result;
    if (result.code >= 400)
        result.error = result.reply;
    else if (belowSmtp(code))
        result.error = kSmtpConnectionError;
    else
        result.error = QString::fromUtf8(errorText_[0] ? errorText_ : curl_easy_strerror(code));
    return result;
}
