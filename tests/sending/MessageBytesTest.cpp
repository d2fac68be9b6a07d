// GMime before Qt (see GMimeHandles.h).
#include "sending/GMimeHandles.h"

#include "mail/MailMessage.h"
#include "sending/MessageBytes.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <ostream>

// Failures show texts, not bytes.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
void PrintTo(const MailAddress& mailbox, std::ostream* out)
{
    *out << '"' << mailbox.name.toStdString() << "\" <" << mailbox.address.toStdString() << '>';
}

namespace {

const QString ann = QStringLiteral("Ann Lee <ann@example.org>");

OutgoingMessage message(const QString& plain, const QString& html = {})
{
    OutgoingMessage message;
    message.fromName = QStringLiteral("Jörg Bäcker");
    message.fromAddress = QStringLiteral("news@lists.example.org");
    message.to = {ann};
    message.subject = QStringLiteral("Grüße aus Köln");
    message.plainBody = plain;
    message.htmlBody = html;
    return message;
}

// What a recipient's mail program makes of one part: its text decoded by its own
// charset label, and that label.
struct ShownPart {
    QString text;
    QString charset;
};

ShownPart shownPart(const QByteArray& bytes, const char* mimeType)
{
    ensureGMime();
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.constData(), size_t(bytes.size())));
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    GObjectPtr<GMimeMessage> parsed(g_mime_parser_construct_message(parser.get(), nullptr));
    GMimePartIter* iter = g_mime_part_iter_new(GMIME_OBJECT(parsed.get()));
    ShownPart shown;
    do {
        GMimeObject* part = g_mime_part_iter_get_current(iter);
        GMimeContentType* type = part ? g_mime_object_get_content_type(part) : nullptr;
        const GText name(type ? g_mime_content_type_get_mime_type(type) : nullptr);
        if (GMIME_IS_TEXT_PART(part) && qstrcmp(name.get(), mimeType) == 0) {
            const GText text(g_mime_text_part_get_text(GMIME_TEXT_PART(part)));
            shown = {QString::fromUtf8(text.get()).remove(u'\r'),
                     QString::fromUtf8(g_mime_text_part_get_charset(GMIME_TEXT_PART(part)))};
            break;
        }
    } while (g_mime_part_iter_next(iter));
    g_mime_part_iter_free(iter);
    return shown;
}

QStringList structureOf(const MimePart& part)
{
    QStringList types{part.contentType};
    for (const MimePart& child : part.children)
        types += structureOf(child);
    return types;
}

// Every line on the wire ends in CR LF and stays within SMTP's 998 octets.
void expectWireLines(const QByteArray& bytes)
{
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype at = 0; at + 1 < lines.size(); ++at) {
        EXPECT_TRUE(lines[at].endsWith('\r')) << "line " << at << " ends in a bare LF";
        EXPECT_LE(lines[at].size() - 1, 998) << "line " << at;
        EXPECT_FALSE(lines[at].chopped(lines[at].endsWith('\r') ? 1 : 0).contains('\r')) << "bare CR, line " << at;
    }
}

QStringList headerNames(const MailMessage& parsed)
{
    QStringList names;
    for (const auto& [name, value] : parsed.headers)
        names.append(name.toLower());
    names.sort();
    return names;
}

class MessageBytesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString attachment(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        writeTestFile(path, bytes);
        return path;
    }
};

TEST_F(MessageBytesTest, HtmlWithAttachmentsShowsBothAlternativesAndTheNamedFile)
{
    const QByteArray pdf("%PDF-1.4\n\x00\x01\xff binary", 20);
    OutgoingMessage outgoing = message(QStringLiteral("Hallo Jürgen,\nbis bald."),
                                       QStringLiteral("<html><body><p>Hallo J&uuml;rgen, <b>bis bald</b>.</p></body></html>"));
    outgoing.attachmentPaths = {attachment(QStringLiteral("Übersicht März.pdf"), pdf)};
    MessageBuildOptions options;
    options.date = QDateTime(QDate(2026, 3, 2), QTime(9, 30), QTimeZone(3600));
    const BuiltMessage built = buildMessageBytes(outgoing, options);
    ASSERT_TRUE(built.ok()) << built.error.toStdString();
    expectWireLines(built.bytes);

    const MailMessage parsed = parseMailMessage(built.bytes);
    EXPECT_TRUE(parsed.warnings.isEmpty()) << parsed.warnings.join(u'|').toStdString();
    EXPECT_EQ(structureOf(parsed.structure),
              QStringList({"multipart/mixed", "multipart/alternative", "text/plain", "text/html", "application/pdf"}));
    EXPECT_EQ(parsed.subject, QStringLiteral("Grüße aus Köln"));
    EXPECT_EQ(parsed.from, MailAddressList({{QStringLiteral("Jörg Bäcker"), QStringLiteral("news@lists.example.org")}}));
    EXPECT_EQ(parsed.to, MailAddressList({{QStringLiteral("Ann Lee"), QStringLiteral("ann@example.org")}}));
    EXPECT_EQ(parsed.date, options.date);
    EXPECT_TRUE(parsed.messageId.endsWith(QStringLiteral("@lists.example.org"))) << parsed.messageId.toStdString();
    EXPECT_EQ(parsed.header(QStringLiteral("MIME-Version")), QStringLiteral("1.0"));
    EXPECT_FALSE(parsed.header(QStringLiteral("Disposition-Notification-To")));
    EXPECT_EQ(parsed.bodyLines.first(2), QStringList({"Hallo Jürgen,", "bis bald."}));
    ASSERT_EQ(parsed.attachments.size(), 1);
    EXPECT_EQ(parsed.attachments[0].fileName, QStringLiteral("Übersicht März.pdf"));
    EXPECT_EQ(parsed.attachments[0].data, pdf);
    EXPECT_TRUE(built.bytes.contains("filename*=")) << "the name is not RFC 2231 encoded";

    const ShownPart plain = shownPart(built.bytes, "text/plain");
    const ShownPart html = shownPart(built.bytes, "text/html");
    EXPECT_EQ(plain.charset.toLower(), QStringLiteral("utf-8"));
    EXPECT_TRUE(html.text.contains(QStringLiteral("<b>bis bald</b>"))) << html.text.toStdString();
}

TEST_F(MessageBytesTest, EachOtherBodyHasItsOwnShape)
{
    const QString html = QStringLiteral("<html><body>Hi</body></html>");
    OutgoingMessage htmlAlone = message(QStringLiteral("Hi"), html);
    OutgoingMessage plainAlone = message(QStringLiteral("Hi"));
    OutgoingMessage plainWithFile = message(QStringLiteral("Hi"));
    plainWithFile.attachmentPaths = {attachment(QStringLiteral("notes.txt"), "a\nb\n")};
    OutgoingMessage htmlWithoutPlain = message(QString(), html);
    htmlWithoutPlain.attachmentPaths = plainWithFile.attachmentPaths;

    EXPECT_EQ(structureOf(parseMailMessage(buildMessageBytes(htmlAlone).bytes).structure),
              QStringList({"text/html"}));
    EXPECT_EQ(structureOf(parseMailMessage(buildMessageBytes(plainAlone).bytes).structure),
              QStringList({"text/plain"}));
    EXPECT_EQ(structureOf(parseMailMessage(buildMessageBytes(plainWithFile).bytes).structure),
              QStringList({"multipart/mixed", "text/plain", "text/plain"}));
    // No empty plain alternative, which a mail program preferring plain text would show.
    EXPECT_EQ(structureOf(parseMailMessage(buildMessageBytes(htmlWithoutPlain).bytes).structure),
              QStringList({"multipart/mixed", "text/html", "text/plain"}));

    // Two messages of the same moment are still told apart by their identifiers.
    const auto idOf = [](const OutgoingMessage& m) {
        return parseMailMessage(buildMessageBytes(m).bytes).header(QStringLiteral("Message-ID")).value_or(QString());
    };
    const QString first = idOf(plainAlone);
    EXPECT_TRUE(QRegularExpression(R"(^<[0-9a-z]+\.[0-9a-z]+@lists\.example\.org>$)").match(first).hasMatch())
        << first.toStdString();
    EXPECT_NE(idOf(plainAlone), first);
}

TEST_F(MessageBytesTest, LineBreaksInSubscribersTextsNeverMakeHeadersOrRecipients)
{
    OutgoingMessage outgoing = message(QStringLiteral("Hi"));
    outgoing.subject = QStringLiteral("Hello\r\nBcc: spy@evil.test\r\n\r\nfake body");
    outgoing.fromName = QStringLiteral("List\nReply-To: spy@evil.test");
    outgoing.to = {QStringLiteral("Ann\r\nCc: spy@evil.test <ann@example.org>"),
                   QStringLiteral("bob@example.org\r\nBcc: spy@evil.test"),
                   QStringLiteral("carl@example.org, spy@evil.test"),
                   QStringLiteral("\"Dora\x0b\x00\" <dora@example.org>"),
                   QStringLiteral("Eve <eve@example.org>\u2028To: spy@evil.test")};
    const BuiltMessage built = buildMessageBytes(outgoing);
    ASSERT_TRUE(built.ok()) << built.error.toStdString();
    expectWireLines(built.bytes);

    const MailMessage parsed = parseMailMessage(built.bytes);
    EXPECT_EQ(headerNames(parsed), QStringList({"content-type", "date", "from", "message-id", "mime-version",
                                                "subject", "to"}));
    EXPECT_EQ(parsed.subject, QStringLiteral("Hello Bcc: spy@evil.test fake body"));
    EXPECT_EQ(parsed.from, MailAddressList({{QStringLiteral("List Reply-To: spy@evil.test"),
                                             QStringLiteral("news@lists.example.org")}}));
    EXPECT_EQ(parsed.to, MailAddressList({{QString(), QStringLiteral("ann@example.org")},
                                          {QStringLiteral("Dora"), QStringLiteral("dora@example.org")}}));
    EXPECT_EQ(parsed.bodyLines.first(), QStringLiteral("Hi"));
    EXPECT_EQ(built.envelopeRecipients, QStringList({"ann@example.org", "dora@example.org"}));
    EXPECT_EQ(built.refusedRecipients, outgoing.to.mid(1, 2) + outgoing.to.mid(4));

    OutgoingMessage forgedSender = message(QStringLiteral("Hi"));
    forgedSender.fromAddress = QStringLiteral("news@example.org\r\nBcc: spy@evil.test");
    EXPECT_TRUE(buildMessageBytes(forgedSender).bytes.isEmpty());
}

TEST_F(MessageBytesTest, BccRecipientsAreHiddenUnlessTheTransportReadsThem)
{
    OutgoingMessage batch = message(QStringLiteral("Hi"));
    batch.to.clear();
    batch.bcc = {QStringLiteral("one@example.org"), QStringLiteral("ONE@example.org"), QStringLiteral("two@example.net")};

    const BuiltMessage bySmtp = buildMessageBytes(batch);
    const MailMessage seen = parseMailMessage(bySmtp.bytes);
    EXPECT_FALSE(seen.header(QStringLiteral("Bcc")));
    EXPECT_FALSE(bySmtp.bytes.contains("two@example.net"));
    EXPECT_EQ(seen.header(QStringLiteral("To")), QStringLiteral("undisclosed-recipients: ;"));
    EXPECT_EQ(bySmtp.envelopeRecipients, QStringList({"one@example.org", "two@example.net"}));

    MessageBuildOptions forSendmail;
    forSendmail.keepBccHeader = true;
    EXPECT_TRUE(parseMailMessage(buildMessageBytes(batch, forSendmail).bytes).header(QStringLiteral("Bcc")));
}

TEST_F(MessageBytesTest, LongLinesAndALoneDotArriveIntact)
{
    const QString longLine(5000, u'x');
    OutgoingMessage outgoing = message(QStringLiteral("first\r\n.\r\n") + longLine + QStringLiteral("\r\nlast"),
                                       QStringLiteral("<p>first</p>\n.\n<p>") + longLine + QStringLiteral("</p>"));
    outgoing.attachmentPaths = {attachment(QStringLiteral("a.txt"), "x")};
    outgoing.subject = QString(3000, u'y');
    const BuiltMessage built = buildMessageBytes(outgoing);
    expectWireLines(built.bytes);
    // The lone dot stays a line of its own; the transport dot-stuffs it.
    EXPECT_TRUE(built.bytes.contains("\r\n.\r\n"));

    const MailMessage parsed = parseMailMessage(built.bytes);
    EXPECT_EQ(parsed.subject, QString(3000, u'y'));
    EXPECT_EQ(parsed.bodyLines.first(4), QStringList({"first", ".", longLine, "last"}));
    EXPECT_TRUE(shownPart(built.bytes, "text/html").text.contains(QStringLiteral("\n.\n<p>") + longLine));
}

TEST_F(MessageBytesTest, ReadReceiptAndListHeadersNameTheListsAddresses)
{
    OutgoingMessage outgoing = message(QStringLiteral("Hi"));
    outgoing.readReceipt = true;
    MessageBuildOptions options;
    options.listHeaders.emplace(QStringLiteral("Zoë's Weekly News"), QStringLiteral("leave@Lists.Example.org"));
    const BuiltMessage built = buildMessageBytes(outgoing, options);
    expectWireLines(built.bytes);

    const MailMessage parsed = parseMailMessage(built.bytes);
    EXPECT_EQ(parsed.header(QStringLiteral("Disposition-Notification-To")), QStringLiteral("news@lists.example.org"));
    EXPECT_EQ(parsed.header(QStringLiteral("List-Unsubscribe")),
              QStringLiteral("<mailto:leave@Lists.Example.org?subject=unsubscribe>"));
    const QString listId = parsed.header(QStringLiteral("List-Id")).value_or(QString());
    EXPECT_TRUE(listId.endsWith(QStringLiteral(" <zoe-s-weekly-news.lists.example.org>"))) << listId.toStdString();
    const GText name(g_mime_utils_header_decode_phrase(nullptr, listId.section(u'<', 0, 0).toUtf8().constData()));
    EXPECT_EQ(QString::fromUtf8(name.get()).trimmed(), QStringLiteral("Zoë's Weekly News"));

    options.listHeaders->removeAddress.clear();
    EXPECT_FALSE(parseMailMessage(buildMessageBytes(message(QStringLiteral("Hi")), options).bytes)
                     .header(QStringLiteral("List-Id")));
}

TEST_F(MessageBytesTest, AMissingAttachmentBuildsNothing)
{
    OutgoingMessage outgoing = message(QStringLiteral("Hi"));
    outgoing.attachmentPaths = {dir.filePath(QStringLiteral("gone.pdf"))};
    const BuiltMessage built = buildMessageBytes(outgoing);
    EXPECT_TRUE(built.bytes.isEmpty());
    EXPECT_TRUE(built.error.startsWith(QStringLiteral("Error attaching the file, ") + outgoing.attachmentPaths[0]))
        << built.error.toStdString();
}

}  // namespace
