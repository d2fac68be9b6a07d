#include "mail/ImapLogin.h"

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <vmime/net/timeoutHandler.hpp>
#include <vmime/net/session.hpp>
#include <vmime/security/cert/X509Certificate.hpp>
#include <vmime/security/cert/defaultCertificateVerifier.hpp>
#include <vmime/utility/url.hpp>

namespace {

namespace cert = vmime::security::cert;

const char kSystemAuthorities[] = "/etc/ssl/certs";
// How long a server may stay silent before the step fails instead of hanging the pass.
constexpr qint64 kSilenceLimitMs = 30000;

class SilenceLimit final : public vmime::net::timeoutHandler {
public:
    SilenceLimit() { silent_.start(); }
    bool isTimeOut() override { return silent_.hasExpired(kSilenceLimitMs); }
    void resetTimeOut() override { silent_.restart(); }
    bool handleTimeOut() override { return false; }  // give up, do not wait longer

private:
    QElapsedTimer silent_;
};

class SilenceLimits final : public vmime::net::timeoutHandlerFactory {
public:
    std::shared_ptr<vmime::net::timeoutHandler> create() override
    {
        return std::make_shared<SilenceLimit>();
    }
};

// For servers with a certificate of their own making, when the account says so.
class AnyCertificate final : public cert::certificateVerifier {
public:
    void verify(std::shared_ptr<cert::certificateChain>, const vmime::string&) override {}
};

// vmime would check the certificate against the name a reverse look-up gives for
// a numeric address; the name that counts is the one the account connects to.
class AccountCertificate final : public cert::certificateVerifier {
public:
    explicit AccountCertificate(const QString& host) : host_(host.toStdString())
    {
        std::vector<std::shared_ptr<cert::X509Certificate>> authorities;
        const QDir folder(QString::fromLatin1(kSystemAuthorities));
        for (const QString& name : folder.entryList({"*.pem", "*.crt"}, QDir::Files)) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QByteArray bytes = file.readAll();
            if (auto authority = cert::X509Certificate::import(
                    reinterpret_cast<const vmime::byte_t*>(bytes.constData()), size_t(bytes.size())))
                authorities.push_back(authority);
        }
        standard_->setX509RootCAs(authorities);
    }

    void verify(std::shared_ptr<cert::certificateChain> chain, const vmime::string&) override
    {
        standard_->verify(chain, host_);
    }

private:
    std::string host_;
    std::shared_ptr<cert::defaultCertificateVerifier> standard_ =
        std::make_shared<cert::defaultCertificateVerifier>();
};

} // namespace

ImapSession::ImapSession(std::shared_ptr<vmime::net::imap::IMAPStore> store)
    : store_(std::move(store))
{
}

ImapSession::~ImapSession()
{
    store_.reset();
    unclosable_.clear();
}

void ImapSession::release(std::shared_ptr<vmime::net::folder> folder)
{
    try {
        folder->close(/*expunge=*/false);
    } catch (const vmime::exception&) {
        unclosable_.push_back(std::move(folder));
    }
}

std::shared_ptr<ImapSession> logInToImap(const ImapAccount& account)
{
    const QString security = account.security.toUpper();
    const bool startTls = security == QLatin1String("STARTTLS");
    const bool plain = security == QLatin1String("NONE");
    const vmime::utility::url address(plain || startTls ? "imap" : "imaps",
                                      account.host.toStdString(), vmime::port_t(account.port));
    auto store = vmime::net::session::create()->getStore(address);
    store->setProperty("options.sasl", false);
    store->setProperty("auth.username", account.user.toStdString());
    store->setProperty("auth.password", account.password.toStdString());
    store->setProperty("connection.tls", startTls);
    store->setProperty("connection.tls.required", startTls);
    if (!plain) {
        if (account.verifyCertificate)
            store->setCertificateVerifier(std::make_shared<AccountCertificate>(account.host));
        else
            store->setCertificateVerifier(std::make_shared<AnyCertificate>());
    }
    store->setTimeoutHandlerFactory(std::make_shared<SilenceLimits>());
    store->connect();
    return std::make_shared<ImapSession>(
        std::dynamic_pointer_cast<vmime::net::imap::IMAPStore>(store));
}
