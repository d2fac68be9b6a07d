#include "support/SmtpSink.h"

#include "support/TestCertificate.h"
#include "support/TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <gtest/gtest.h>
#include <signal.h>

namespace {

// Debian's interpreter: the first python3 on PATH may lack Debian's modules.
const QString kPython = QStringLiteral("/usr/bin/python3");

const char kServer[] = R"py(
import json, logging, os, signal, socket, ssl, sys, warnings
from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

# Its advice against AUTH without TLS is beside the point on loopback, and a
# client that refuses the certificate is what the test expects.
warnings.filterwarnings('ignore')
logging.getLogger('mail.log').setLevel(logging.CRITICAL)

folder = sys.argv[1]
with open(os.path.join(folder, 'options.json')) as f:
    options = json.load(f)
mail = os.path.join(folder, 'mail')

def write(path, data, mode):
    with open(path + '.part', mode) as f:
        f.write(data)
    os.rename(path + '.part', path)

class Handler:
    count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in options['refused']:
            return '550 5.1.1 <%s>: Recipient address rejected: User unknown' % address
        if address == options['deferred']:
            return '450 4.2.1 <%s>: Recipient address rejected: Mailbox busy' % address
        envelope.rcpt_tos.append(address)
        return '250 2.1.5 Ok'

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(mail, '%06d' % self.count)
        write(base + '.eml', envelope.original_content, 'wb')
        write(base + '.json', json.dumps({
            'from': envelope.mail_from, 'to': envelope.rcpt_tos,
            'session': '%s:%s' % session.peer[:2], 'tls': server.transport.get_extra_info('ssl_object') is not None}), 'w')
        return '250 2.0.0 Ok: queued as %d' % self.count

def authenticator(server, session, envelope, mechanism, auth_data):
    ok = (isinstance(auth_data, LoginPassword)
          and auth_data.login.decode() == options['user']
          and auth_data.password.decode() == options['password'])
    return AuthResult(success=ok, handled=False)

context = None
if options['tls'] != 'none':
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(os.path.join(folder, 'cert.pem'), os.path.join(folder, 'key.pem'))
settings = dict(hostname='127.0.0.1', auth_require_tls=False)
if options['user']:
    settings.update(authenticator=authenticator, auth_required=True)
if options['tls'] == 'starttls':
    settings.update(tls_context=context)
if options['tls'] == 'implicit':
    settings.update(ssl_context=context)

# The server's thread inherits the mask, so SIGTERM reaches sigwait below.
signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGTERM})
for attempt in range(5):
    probe = socket.socket()
    probe.bind(('127.0.0.1', 0))
    port = probe.getsockname()[1]
    probe.close()
    controller = Controller(Handler(), port=port, **settings)
    try:
        controller.start()
        break
    except Exception:
        controller = None
if controller is None:
    sys.exit(1)
write(os.path.join(folder, 'port'), str(port), 'w')
signal.sigwait({signal.SIGTERM})
controller.stop()
)py";

QString tlsName(SmtpSinkOptions::Tls tls)
{
    switch (tls) {
    case SmtpSinkOptions::Tls::StartTls:
        return QStringLiteral("starttls");
    case SmtpSinkOptions::Tls::Implicit:
        return QStringLiteral("implicit");
    case SmtpSinkOptions::Tls::None:
        break;
    }
    return QStringLiteral("none");
}

} // namespace

bool SmtpSink::installed()
{
    QProcess probe;
    probe.start(kPython, {"-c", "import aiosmtpd"});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

SmtpSink::SmtpSink(SmtpSinkOptions options) : options_(std::move(options))
{
    if (!dir_.isValid()) {
        ADD_FAILURE() << "no temporary folder for the SMTP sink";
        return;
    }
    if (options_.tls != SmtpSinkOptions::Tls::None && !makeTestCertificate(dir_.path()))
        return;
    QDir(dir_.path()).mkpath("mail");
    const QJsonObject settings{{"tls", tlsName(options_.tls)},
                               {"user", options_.user},
                               {"password", options_.password},
                               {"refused", QJsonArray::fromStringList(options_.refused)},
                               {"deferred", options_.deferred}};
    writeTestFile(dir_.filePath("options.json"), QJsonDocument(settings).toJson());
    writeTestFile(dir_.filePath("server.py"), kServer);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(kPython, {dir_.filePath("server.py"), dir_.path()});
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
        const QByteArray port = readTestFile(dir_.filePath("port"));
        if (!port.isEmpty()) {
            port_ = port.toInt();
            return;
        }
        QThread::msleep(50);
    }
    ADD_FAILURE() << "the SMTP sink did not start";
    stop();
}

SmtpSink::~SmtpSink()
{
    stop();
}

void SmtpSink::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(15000)) {
        ADD_FAILURE() << "the SMTP sink did not stop on SIGTERM";
        process_.kill();
        process_.waitForFinished(5000);
    }
}

SmtpAccount SmtpSink::account(SmtpSecurity security, bool verifyCertificate) const
{
    SmtpAccount account;
    account.host = QStringLiteral("127.0.0.1");
    account.port = port_;
    account.security = security;
    account.verifyCertificate = verifyCertificate;
    account.logon = !options_.user.isEmpty();
    account.user = options_.user;
    account.password = options_.password;
    return account;
}

QList<SinkMessage> SmtpSink::messages() const
{
    QList<SinkMessage> taken;
    const QDir mail(dir_.filePath("mail"));
    for (const QString& name : mail.entryList({"*.json"}, QDir::Files, QDir::Name)) {
        const QJsonObject envelope = QJsonDocument::fromJson(readTestFile(mail.filePath(name))).object();
        QStringList recipients;
        for (const QJsonValue& to : envelope["to"].toArray())
            recipients << to.toString();
        taken << SinkMessage{envelope["from"].toString(), recipients, envelope["session"].toString(),
                             envelope["tls"].toBool(),
                             readTestFile(mail.filePath(QFileInfo(name).completeBaseName() + ".eml"))};
    }
    return taken;
}
