#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Delivers messages into a Maildir folder as a mail server does: written into
// tmp/, renamed into new/, under unique names whose leading number is the
// delivery time, so they list in the order delivered.
class MaildirDrop {
public:
    explicit MaildirDrop(QString folder);
    QString deliver(const QByteArray& message);
    // The messages still in the folder (new/ and cur/), by file name.
    QStringList files() const;

private:
    QString folder_;
    qint64 next_;
};

// A plain request as a person writes it.
QByteArray requestMessage(const QString& from, const QString& subject, const QString& body = {},
                          const QString& to = "list@owner.test");
