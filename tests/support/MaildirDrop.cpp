#include "support/MaildirDrop.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QtGlobal>

MaildirDrop::MaildirDrop(QString folder) : folder_(std::move(folder)), next_(QDateTime::currentSecsSinceEpoch())
{
    for (const char* sub : {"cur", "new", "tmp"})
        QDir().mkpath(folder_ + '/' + sub);
}

QString MaildirDrop::deliver(const QByteArray& message)
{
    const QString name = QString::number(next_++) + ".M1P1.drop.test";
    const QString tmp = folder_ + "/tmp/" + name;
    QFile file(tmp);
    if (!file.open(QIODevice::WriteOnly) || file.write(message) != message.size())
        qFatal("cannot write %s", qPrintable(tmp));
    file.close();
    if (!QFile::rename(tmp, folder_ + "/new/" + name))
        qFatal("cannot deliver %s", qPrintable(name));
    return name;
}

QStringList MaildirDrop::files() const
{
    return QDir(folder_ + "/new").entryList(QDir::Files, QDir::Name)
           + QDir(folder_ + "/cur").entryList(QDir::Files, QDir::Name);
}

QByteArray requestMessage(const QString& from, const QString& subject, const QString& body, const QString& to)
{
    return ("From: " + from + "\r\nTo: " + to + "\r\nSubject: " + subject
            + "\r\nDate: Tue, 1 Dec 2026 10:00:00 +0000\r\n\r\n" + body + "\r\n")
        .toUtf8();
}
