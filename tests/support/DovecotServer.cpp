#include "support/DovecotServer.h"

#include "support/ChildRun.h"
#include "support/TestCertificate.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kDovecot = QStringLiteral("/usr/sbin/dovecot");
const QString kUser = QStringLiteral("listowner");
// A space makes the login quote it.
const QString kPassword = QStringLiteral("s3cret word");

// Dovecot refuses mail access as root, so under root the mail belongs to nobody.
bool asRoot() { return geteuid() == 0; }
uid_t mailUid() { return asRoot() ? 65534 : geteuid(); }
gid_t mailGid() { return asRoot() ? 65534 : getegid(); }

// Both ports are held at once so they differ; a race with another program for
// them shows as a failed start and is tried again.
QList<int> freePorts(int count)
{
    QList<QTcpServer*> servers;
    QList<int> ports;
    for (int i = 0; i < count; ++i) {
        auto* server = new QTcpServer;
        server->listen(QHostAddress::LocalHost, 0);
        ports << server->serverPort();
        servers << server;
    }
    qDeleteAll(servers);
    return ports;
}

bool accepts(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    return socket.waitForConnected(200);
}

QString subjectOf(const QByteArray& bytes)
{
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray text = line.trimmed();
        if (text.isEmpty())
            break;
        if (text.toLower().startsWith("subject:"))
            return QString::fromUtf8(text.mid(8).trimmed());
    }
    return QString();
}

} // namespace

bool DovecotServer::installed()
{
    return QFileInfo(kDovecot).isExecutable();
}

DovecotServer::DovecotServer()
{
    if (!dir_.isValid()) {
        ADD_FAILURE() << "no temporary folder for Dovecot";
        return;
    }
    // The auth process runs as dovecot and the mail one as the mail user: both pass through here.
    ::chmod(QFile::encodeName(dir_.path()).constData(), 0711);
    if (!makeTestCertificate(dir_.path()))
        return;
    const QString home = dir_.filePath("home");
    for (const char* sub : {"cur", "new", "tmp"})
        QDir().mkpath(home + "/Maildir/" + sub);
    for (const QString& path : {home, home + "/Maildir", home + "/Maildir/cur",
                                home + "/Maildir/new", home + "/Maildir/tmp"})
        giveToMailUser(path);
    writeTestFile(dir_.filePath("users"), QStringLiteral("%1:{PLAIN}%2:%3:%4::%5::\n")
                                              .arg(kUser, kPassword)
                                              .arg(mailUid())
                                              .arg(mailGid())
                                              .arg(home)
                                              .toUtf8());
    ::chmod(QFile::encodeName(dir_.filePath("users")).constData(), 0644);
    for (int attempt = 0; attempt < 3 && !started_; ++attempt)
        started_ = startOnFreePorts();
    if (!started_)
        ADD_FAILURE() << "Dovecot did not start:\n" << log().toStdString();
}

DovecotServer::~DovecotServer()
{
    stop();
}

bool DovecotServer::startOnFreePorts()
{
    const QList<int> ports = freePorts(2);
    imapPort_ = ports[0];
    imapsPort_ = ports[1];
    writeConfiguration();
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    // In the foreground it stays our child, so its exit can be waited for.
    process_.start(kDovecot, {"-F", "-c", dir_.filePath("dovecot.conf")});
    if (!process_.waitForStarted(10000))
        return false;
    if (waitUntilListening())
        return true;
    stop();
    return false;
}

void DovecotServer::writeConfiguration() const
{
    QString users;
    if (!asRoot()) {
        const QString self = QString::fromLocal8Bit(getpwuid(geteuid())->pw_name);
        const QString group = QString::fromLocal8Bit(getgrgid(getegid())->gr_name);
        users = QStringLiteral("default_internal_user = %1\ndefault_login_user = %1\n"
                               "default_internal_group = %2\n")
                    .arg(self, group);
    }
    const QString configuration = QStringLiteral(R"(base_dir = %1/run
state_dir = %1/state
log_path = %1/dovecot.log
instance_name = %2
listen = 127.0.0.1
protocols = imap
%3ssl = yes
ssl_cert = <%1/cert.pem
ssl_key = <%1/key.pem
disable_plaintext_auth = no
auth_mechanisms = plain login
auth_failure_delay = 0
passdb {
  driver = passwd-file
  args = scheme=PLAIN %1/users
}
userdb {
  driver = passwd-file
  args = %1/users
}
mail_location = maildir:~/Maildir
mailbox_list_index = no
namespace inbox {
  inbox = yes
  separator = /
}
service imap-login {
  chroot =
  inet_listener imap {
    port = %4
  }
  inet_listener imaps {
    port = %5
    ssl = yes
  }
}
service anvil {
  chroot =
}
)")
                                      .arg(dir_.path(), QFileInfo(dir_.path()).fileName(), users)
                                      .arg(imapPort_)
                                      .arg(imapsPort_);
    writeTestFile(dir_.filePath("dovecot.conf"), configuration.toUtf8());
}

bool DovecotServer::waitUntilListening()
{
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (process_.state() != QProcess::Running)
            return false;
        if (accepts(imapPort_) && accepts(imapsPort_))
            return true;
        QThread::msleep(50);
    }
    return false;
}

void DovecotServer::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    // Dovecot's master leaves running sessions alone when it stops; a server going
    // down ends them, so they are ended first.
    if (started_)
        endSessions();
    bool known = false;
    const qint64 pid = readTestFile(dir_.filePath("run/master.pid")).trimmed().toLongLong(&known);
    ::kill(pid_t(known ? pid : process_.processId()), SIGTERM);
    if (!process_.waitForFinished(15000)) {
        ADD_FAILURE() << "Dovecot did not stop on SIGTERM";
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void DovecotServer::endSessions()
{
    const ChildRun kick = runChild(QStringLiteral("/usr/bin/doveadm"),
                                   {"-c", dir_.filePath("dovecot.conf"), "kick", kUser});
    // 68 (EX_NOUSER): nobody was logged in.
    EXPECT_TRUE(kick.exitCode == 0 || kick.exitCode == 68) << kick.err.toStdString();
}

ImapAccount DovecotServer::account(const QString& security, bool verifyCertificate) const
{
    ImapAccount account;
    account.host = QStringLiteral("127.0.0.1");
    account.security = security;
    account.port = security == QLatin1String("TLS") ? imapsPort_ : imapPort_;
    account.verifyCertificate = verifyCertificate;
    account.user = kUser;
    account.password = kPassword;
    return account;
}

QString DovecotServer::log() const
{
    return QString::fromUtf8(readTestFile(dir_.filePath("dovecot.log")));
}

QString DovecotServer::maildir(const QStringList& folder) const
{
    const QString root = dir_.filePath("home/Maildir");
    return folder == QStringList{"INBOX"} ? root : root + "/." + folder.join('.');
}

void DovecotServer::giveToMailUser(const QString& path) const
{
    if (asRoot() && ::chown(QFile::encodeName(path).constData(), mailUid(), mailGid()) != 0)
        ADD_FAILURE() << "cannot give " << path.toStdString() << " to the mail user";
}

void DovecotServer::createFolder(const QStringList& names) const
{
    const QString folder = maildir(names);
    for (const char* sub : {"cur", "new", "tmp"})
        QDir().mkpath(folder + '/' + sub);
    writeTestFile(folder + "/maildirfolder", QByteArray());
    for (const QString& path : {folder, folder + "/cur", folder + "/new", folder + "/tmp",
                                folder + "/maildirfolder"})
        giveToMailUser(path);
}

void DovecotServer::deliver(const QStringList& folder, const QByteArray& message,
                            const QString& flags)
{
    const QString name = QStringLiteral("%1.M%2P%3.corvanel-test")
                             .arg(QDateTime::currentSecsSinceEpoch())
                             .arg(deliveries_++, 6, 10, QLatin1Char('0'))
                             .arg(QCoreApplication::applicationPid());
    const QString written = maildir(folder) + "/tmp/" + name;
    writeTestFile(written, message);
    giveToMailUser(written);
    const QString delivered = flags.isEmpty() ? maildir(folder) + "/new/" + name
                                              : maildir(folder) + "/cur/" + name + ":2," + flags;
    ASSERT_TRUE(QFile::rename(written, delivered)) << delivered.toStdString();
}

QList<StoredMessage> DovecotServer::messages(const QStringList& folder) const
{
    QList<QFileInfo> files;
    for (const char* sub : {"new", "cur"})
        files += QDir(maildir(folder) + '/' + sub).entryInfoList(QDir::Files);
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.fileName() < b.fileName();
    });
    QList<StoredMessage> stored;
    for (const QFileInfo& file : files) {
        const qsizetype info = file.fileName().indexOf(":2,");
        stored << StoredMessage{subjectOf(readTestFile(file.filePath())),
                                info < 0 ? QString() : file.fileName().mid(info + 3)};
    }
    return stored;
}
