#include "mail/MailMessage.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

std::string shown(const QStringList& lines)
{
    return lines.join(u'|').toStdString();
}

bool anyLineHas(const QStringList& lines, const QString& text)
{
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.contains(text); });
}

QDateTime utc(int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone::utc());
}

// What a list owner's server sends back, in the shape Postfix writes it; CR LF line
// ends, Final-Recipient before Original-Recipient, and no blank line before the
// closing boundary, as real reports come.
const QByteArray postfixReport = QByteArray(R"(Return-Path: <>
Date: Thu,  6 Jun 2024 10:15:02 +0000 (UTC)
From: MAILER-DAEMON@mx.example.net (Mail Delivery System)
Subject: Undelivered Mail Returned to Sender
To: list-owner@example.org
MIME-Version: 1.0
Content-Type: multipart/report; report-type=delivery-status;
	boundary="4B1C2D3E.1717668902/mx.example.net"
Message-Id: <20240606101502.4B1C2D3E@mx.example.net>

This is a MIME-encapsulated message.

--4B1C2D3E.1717668902/mx.example.net
Content-Description: Notification
Content-Type: text/plain; charset=us-ascii

This is the mail system at host mx.example.net.

<gone@example.com>: host mail.example.com[192.0.2.7] said: 550 5.1.1
    <gone@example.com>: Recipient address rejected: User unknown

--4B1C2D3E.1717668902/mx.example.net
Content-Description: Delivery report
Content-Type: message/delivery-status

Reporting-MTA: dns; mx.example.net
X-Postfix-Sender: rfc822; list-owner@example.org

Final-Recipient: rfc822; gone@example.com
Original-Recipient: rfc822;gone@example.com
Action: failed
Status: 5.1.1 (user unknown)
Diagnostic-Code: smtp; 550 5.1.1 <gone@example.com>: Recipient address
    rejected: User unknown

Final-Recipient: rfc822;
    <slow@example.com>
Action: Delayed
Status: 4.4.1
--4B1C2D3E.1717668902/mx.example.net
Content-Type: text/rfc822-headers

Return-Path: <list-owner@example.org>
From: List Owner <list-owner@example.org>
To: gone@example.com
Subject: June newsletter

--4B1C2D3E.1717668902/mx.example.net--
)").replace("\n", "\r\n");

}  // namespace

TEST(MailMessage, EightBitHeadersAndBodyAreSalvagedWithAWarning)
{
    const MailMessage m = parseMailMessage(
        "From: J\xe9r\xf4me Dupont <jerome@example.org>\n"
        "To: list@example.net\n"
        "Subject: R\xe9union \x96 caf\xe9 \x80 5\n"
        "Date: Tue, 4 Jun 2024 09:30:00 +0200\n"
        "Message-ID: <m1@example.org>\n"
        "Return-Path: <bounce@example.org>\n"
        "Content-Type: text/plain; charset=iso-8859-1\n"
        "\n"
        "Cher Andr\xe9,\r\n"
        "\x93Merci\x94 pour la r\xe9union.\r\n");
    EXPECT_EQ(m.subject, QString::fromUtf8("Réunion – café € 5"));
    EXPECT_EQ(m.header("SUBJECT"), m.subject);
    EXPECT_EQ(m.from, (MailAddressList{{QString::fromUtf8("Jérôme Dupont"), "jerome@example.org"}}));
    EXPECT_EQ(m.bodyLines, (QStringList{QString::fromUtf8("Cher André,"), QString::fromUtf8("“Merci” pour la réunion.")}))
        << shown(m.bodyLines);
    EXPECT_TRUE(anyLineHas(m.warnings, "8-bit")) << shown(m.warnings);
    EXPECT_EQ(m.date, utc(2024, 6, 4, 7, 30));
    EXPECT_EQ(m.messageId, "m1@example.org");
    EXPECT_EQ(m.returnPath, "bounce@example.org");
}

TEST(MailMessage, EncodedWordsAndParameterContinuationsAreDecoded)
{
    const MailMessage m = parseMailMessage(R"(From: =?utf-8?q?Zo=C3=AB_M=C3=BCller?= <zoe@example.org>
To: "Doe, Jane" <jane@example.org>, bob@example.org
Cc: Team: carol@example.org, dave@example.org;
Subject: =?ISO-8859-1?Q?Pr=E9sentation?= du
 =?UTF-8?B?cHJvamV0IOKAkyBiaWxhbg==?=
Date: Wed, 5 Jun 2024 18:00:00 -0500
Content-Type: multipart/mixed; boundary="XYZ"

--XYZ
Content-Type: text/plain; charset=utf-8
Content-Transfer-Encoding: quoted-printable

Bonjour =E2=80=94 voir la pi=C3=A8ce=
 jointe.
--XYZ
Content-Type: application/PDF
Content-Disposition: attachment;
 filename*0*=utf-8''%C3%9Cbersicht%20;
 filename*1*=M%C3%A4rz.pdf
Content-Transfer-Encoding: base64

JVBERi0xLjQK
--XYZ--
)");
    EXPECT_EQ(m.subject, QString::fromUtf8("Présentation du projet – bilan"));
    EXPECT_EQ(m.header("subject"), "=?ISO-8859-1?Q?Pr=E9sentation?= du =?UTF-8?B?cHJvamV0IOKAkyBiaWxhbg==?=");
    EXPECT_EQ(m.from, (MailAddressList{{QString::fromUtf8("Zoë Müller"), "zoe@example.org"}}));
    EXPECT_EQ(m.to, (MailAddressList{{"Doe, Jane", "jane@example.org"}, {"", "bob@example.org"}}));
    EXPECT_EQ(m.cc, (MailAddressList{{"", "carol@example.org"}, {"", "dave@example.org"}}));
    EXPECT_EQ(m.date, utc(2024, 6, 5, 23, 0));
    EXPECT_EQ(m.bodyLines, QStringList{QString::fromUtf8("Bonjour — voir la pièce jointe.")}) << shown(m.bodyLines);
    ASSERT_EQ(m.attachments.size(), 1);
    EXPECT_EQ(m.attachments[0].fileName, QString::fromUtf8("Übersicht März.pdf"));
    EXPECT_EQ(m.attachments[0].data, "%PDF-1.4\n");
    EXPECT_EQ(m.structure.contentType, "multipart/mixed");
    ASSERT_EQ(m.structure.children.size(), 2);
    EXPECT_EQ(m.structure.children[1].contentType, "application/pdf");
    EXPECT_EQ(m.structure.children[1].fileName, QString::fromUtf8("übersicht märz.pdf"));
    // Content-Type is a field of the message too, in its place.
    ASSERT_EQ(m.headers.size(), 6);
    EXPECT_EQ(m.headers[5].first, "Content-Type");
}

TEST(MailMessage, HtmlOnlyBodyReadsAsText)
{
    const MailMessage m = parseMailMessage(R"(From: shop@example.com
Subject: Offer
Content-Type: text/html; charset=windows-1252
Content-Transfer-Encoding: quoted-printable

<html><head><style>p { color: red }</style></head><body>
<p>Caf=E9 &amp; cr&egrave;me &lt;fra=EEche&gt; =80&#8364;5</p><p>Second&nbsp;line</p></body></html>
)");
    EXPECT_EQ(m.bodyLines, (QStringList{QString::fromUtf8("Café & crème <fraîche> €€5"), "Second line"}))
        << shown(m.bodyLines);
}

TEST(MailMessage, DeliveryReportGivesEachRecipientAndKeepsTheOriginalOutOfTheOwnText)
{
    const MailMessage m = parseMailMessage(postfixReport);
    EXPECT_TRUE(m.isDeliveryReport);
    ASSERT_EQ(m.deliveryStatus.size(), 2);
    EXPECT_EQ(m.deliveryStatus[0].finalRecipient, "gone@example.com");
    EXPECT_EQ(m.deliveryStatus[0].originalRecipient, "gone@example.com");
    EXPECT_EQ(m.deliveryStatus[0].action, "failed");
    EXPECT_EQ(m.deliveryStatus[0].status, "5.1.1");
    EXPECT_EQ(m.deliveryStatus[1].finalRecipient, "slow@example.com");
    EXPECT_EQ(m.deliveryStatus[1].originalRecipient, "");
    EXPECT_EQ(m.deliveryStatus[1].action, "delayed");
    EXPECT_EQ(m.deliveryStatus[1].status, "4.4.1");
    EXPECT_TRUE(m.hasReturnedMessage);
    EXPECT_TRUE(anyLineHas(m.ownTextLines, "<gone@example.com>: host mail.example.com")) << shown(m.ownTextLines);
    EXPECT_FALSE(anyLineHas(m.ownTextLines, "list-owner@example.org")) << shown(m.ownTextLines);
    EXPECT_EQ(m.returnPath, "");
    EXPECT_EQ(m.from, (MailAddressList{{"Mail Delivery System", "MAILER-DAEMON@mx.example.net"}}));
    EXPECT_EQ(m.date, utc(2024, 6, 6, 10, 15).addSecs(2));
}

TEST(MailMessage, InlineReturnedCopyEndsTheOwnTextAtItsMarkerLine)
{
    const QByteArray head = "From: MAILER-DAEMON@mail.example.com\nTo: list-owner@example.org\n"
                            "Subject: failure notice\n\n";
    const QByteArray original = "\nReturn-Path: <list-owner@example.org>\nFrom: List Owner <list-owner@example.org>\n"
                                "To: gone@example.com\nSubject: June newsletter\n\nHello members.\n";
    const QList<std::pair<QByteArray, QByteArray>> servers = {
        {"Hi. This is the qmail-send program at mail.example.com.\n\n<gone@example.com>:\n"
         "Sorry, no mailbox here by that name. (#5.1.1)\n",
         "--- Below this line is a copy of the message.\n"},
        {"This message was created automatically by mail delivery software.\n\n  gone@example.com\n"
         "    Unrouteable address\n",
         "------ This is a copy of the message, including all the headers. ------\n"},
        {"   ----- The following addresses had permanent fatal errors -----\n<gone@example.com>\n\n"
         "   ----- Transcript of session follows -----\n... while talking to mx.example.com.:\n",
         "   ----- Unsent message follows -----\n"},
    };
    for (const auto& [own, marker] : servers) {
        const MailMessage m = parseMailMessage(head + own + marker + original);
        EXPECT_TRUE(m.hasReturnedMessage) << marker.toStdString();
        EXPECT_EQ(m.ownTextLines, m.bodyLines.first(m.ownTextLines.size()));
        EXPECT_TRUE(anyLineHas(m.ownTextLines, "gone@example.com")) << shown(m.ownTextLines);
        EXPECT_FALSE(anyLineHas(m.ownTextLines, "list-owner@example.org")) << shown(m.ownTextLines);
        EXPECT_TRUE(anyLineHas(m.bodyLines, "From: List Owner <list-owner@example.org>"));
    }
    // The transcript is the server's own account of the failure.
    const MailMessage sendmail = parseMailMessage(head + servers[2].first + servers[2].second + original);
    EXPECT_TRUE(anyLineHas(sendmail.ownTextLines, "while talking to mx.example.com"));

    // A sentence that speaks of an original message does not cut the text.
    const MailMessage plain = parseMailMessage(head + "Please see the original message below:\n" + original);
    EXPECT_FALSE(plain.hasReturnedMessage);
    EXPECT_EQ(plain.ownTextLines, plain.bodyLines);
}

TEST(MailMessage, AttachmentsWithHostileNamesAreSavedInsideTheFolder)
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath("a/b/c");
    QByteArray mime = "Content-Type: multipart/mixed; boundary=\"S\"\n\n";
    const QList<std::pair<QByteArray, QByteArray>> parts = {
        {"filename=\"../../x\"", "one"},
        {"filename=\"report.pdf\"", "two"},
        {"filename=\"report.pdf\"", "three"},
        {"filename=\"..\"", "four"},
        {"filename*=utf-8''%2E%2E%2Fevil%01%0A%E2%80%AEname.txt", "five"},
        {"filename=\"C:\\\\Users\\\\ann\\\\notes.doc\"", "six"},
        {"filename=\"" + QString(150, u'\u00e9').toUtf8() + ".pdf\"", "seven"},
    };
    for (const auto& [disposition, body] : parts)
        mime += "--S\nContent-Type: application/octet-stream\nContent-Disposition: attachment; " + disposition +
                "\n\n" + body + "\n";
    mime += "--S--\n";
    const MailMessage m = parseMailMessage(mime);
    ASSERT_EQ(m.attachments.size(), parts.size());

    QDir().mkpath(folder);
    writeTestFile(folder + "/report.pdf", "already here");
    const QStringList paths = saveAttachments(m, folder);
    ASSERT_EQ(paths.size(), parts.size());
    QStringList names;
    for (qsizetype at = 0; at < paths.size(); ++at) {
        EXPECT_EQ(QFileInfo(paths[at]).absolutePath(), QDir(folder).absolutePath()) << paths[at].toStdString();
        EXPECT_EQ(readTestFile(paths[at]), parts[at].second);
        names.append(QFileInfo(paths[at]).fileName());
    }
    EXPECT_EQ(names, (QStringList{"x", "report (2).pdf", "report (3).pdf", "attachment", "evilname.txt", "notes.doc",
                            QString(98, u'\u00e9') + ".pdf"}));
    EXPECT_EQ(readTestFile(folder + "/report.pdf"), "already here");
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("a/x")));
    // A second save of the same message adds to the folder, never replaces.
    EXPECT_EQ(QFileInfo(saveAttachments(m, tmp.filePath("a/b/c")).first()).fileName(), "x (2)");
}

TEST(MailMessage, GarbageStillGivesAMessage)
{
    const MailMessage text = parseMailMessage("just some words \x01 without headers\nsecond line\n");
    EXPECT_EQ(text.bodyLines, (QStringList{"just some words \x01 without headers", "second line"}));
    EXPECT_FALSE(text.warnings.isEmpty());

    const MailMessage truncated = parseMailMessage("Content-Type: multipart/mixed; boundary=B\n\n--B\n"
                                                   "Content-Type: text/plain\n\nfirst part only");
    EXPECT_EQ(truncated.bodyLines, QStringList{"first part only"});

    QByteArray nested;
    for (int depth = 0; depth < 500; ++depth)
        nested += "Content-Type: multipart/mixed; boundary=b" + QByteArray::number(depth) + "\n\n--b" +
                  QByteArray::number(depth) + "\n";
    EXPECT_FALSE(parseMailMessage(nested).warnings.isEmpty());

    QByteArray noise;
    quint32 state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245 + 12345;
        noise += char(state >> 24);
    }
    QTemporaryDir tmp;
    const MailMessage garbage = parseMailMessage(noise);
    EXPECT_EQ(saveAttachments(garbage, tmp.path()).size(), garbage.attachments.size());
    EXPECT_TRUE(parseMailMessage({}).bodyLines.isEmpty());
}
