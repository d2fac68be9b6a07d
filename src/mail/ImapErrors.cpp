#include "mail/ImapErrors.h"

#include <QRegularExpression>
#include <vmime/security/cert/certificateExpiredException.hpp>
#include <vmime/security/cert/certificateNotYetValidException.hpp>
#include <vmime/security/cert/serverIdentityException.hpp>

using namespace vmime::exceptions;
namespace cert = vmime::security::cert;

namespace {

// vmime keeps the last line the server sent, tag and status included:
// "a7 NO [AUTHENTICATIONFAILED] Authentication failed." gives "Authentication failed.".
QString serverWords(const std::string& responseLine)
{
    static const QRegularExpression reply(
        QStringLiteral("^\\S+\\s+(?:OK|NO|BAD|BYE)\\s+(?:\\[[^\\]]*\\]\\s*)?(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString line = QString::fromStdString(responseLine).trimmed();
    const QRegularExpressionMatch match = reply.match(line);
    return match.hasMatch() ? match.captured(1).trimmed() : line;
}

// Socket texts read "EPIPE: broken pipe"; the part after the code is enough.
QString socketWords(const vmime::exception& failure)
{
    QString text = QString::fromStdString(failure.what());
    static const QRegularExpression errnoName(QStringLiteral("^E[A-Z]+: "));
    text.remove(errnoName);
    return text;
}

QString connectionWords(const connection_error& failure, const ImapAccount& account)
{
    if (QString::fromStdString(failure.what()).contains(QLatin1String("resolve")))
        return QStringLiteral("The server name %1 cannot be found.").arg(account.host);
    // vmime reports every refused or unanswered connection as timed out, so no reason is given.
    return QStringLiteral("Cannot connect to %1 on port %2.").arg(account.host).arg(account.port);
}

QString certificateWords(const cert::certificateException& failure, const QString& server)
{
    if (dynamic_cast<const cert::serverIdentityException*>(&failure))
        return QStringLiteral("The certificate of %1 is made out to another server.").arg(server);
    if (dynamic_cast<const cert::certificateExpiredException*>(&failure))
        return QStringLiteral("The certificate of %1 has expired.").arg(server);
    if (dynamic_cast<const cert::certificateNotYetValidException*>(&failure))
        return QStringLiteral("The certificate of %1 is not valid yet.").arg(server);
    return QStringLiteral("The certificate of %1 is not signed by a trusted authority.").arg(server);
}

} // namespace

QString describeImapFailure(const vmime::exception& failure, const ImapAccount& account)
{
    const QString& server = account.host;
    if (const auto* login = dynamic_cast<const authentication_error*>(&failure)) {
        const QString words = serverWords(login->response());
        return words.isEmpty() ? QStringLiteral("The server refused the login.") : words;
    }
    if (const auto* refused = dynamic_cast<const command_error*>(&failure)) {
        const QString words = serverWords(refused->response());
        return QStringLiteral("The server refused %1: %2")
            .arg(QString::fromStdString(refused->command()),
                 words.isEmpty() ? QString::fromStdString(refused->what()) : words);
    }
    if (const auto* certificate = dynamic_cast<const cert::certificateException*>(&failure))
        return certificateWords(*certificate, server);
    if (const auto* greeting = dynamic_cast<const connection_greeting_error*>(&failure))
        return QStringLiteral("%1 refused the connection: %2")
            .arg(server, serverWords(greeting->response()));
    if (const auto* unreachable = dynamic_cast<const connection_error*>(&failure))
        return connectionWords(*unreachable, account);
    if (dynamic_cast<const socket_exception*>(&failure))
        return QStringLiteral("The connection to %1 was lost: %2").arg(server, socketWords(failure));
    if (dynamic_cast<const operation_timed_out*>(&failure))
        return QStringLiteral("%1 did not answer in time.").arg(server);
    if (dynamic_cast<const tls_exception*>(&failure))
        return QStringLiteral("The secure connection to %1 failed: %2")
            .arg(server, QString::fromStdString(failure.what()));
    return QString::fromStdString(failure.what());
}

bool imapConnectionLost(const vmime::exception& failure)
{
    return dynamic_cast<const socket_exception*>(&failure) ||
           dynamic_cast<const operation_timed_out*>(&failure) ||
           dynamic_cast<const tls_exception*>(&failure) ||
           dynamic_cast<const not_connected*>(&failure);
}
