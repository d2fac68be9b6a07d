// GMime comes before any Qt header: glib names struct members "signals", which
// Qt defines as a keyword.
#include <gmime/gmime.h>

#include "mail/MailMessage.h"

#include "mail/DeliveryStatusText.h"
#include "mail/ReturnedCopyMarker.h"
#include "util/TextFiles.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QTimeZone>
#include <algorithm>
#include <memory>

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct ParserOptionsFree {
    void operator()(GMimeParserOptions* options) const { g_mime_parser_options_free(options); }
};
using ParserOptionsPtr = std::unique_ptr<GMimeParserOptions, ParserOptionsFree>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};

void initGMimeOnce()
{
    static const bool ready = [] {
        g_mime_init();
        return true;
    }();
    (void)ready;
}

const char* warningWhat(GMimeParserWarning code)
{
    switch (code) {
    case GMIME_WARN_DUPLICATED_HEADER: return "repeated header";
    case GMIME_WARN_DUPLICATED_PARAMETER: return "repeated header parameter";
    case GMIME_WARN_UNENCODED_8BIT_HEADER: return "unencoded 8-bit header";
    case GMIME_WARN_INVALID_CONTENT_TYPE: return "invalid content type";
    case GMIME_WARN_INVALID_RFC2047_HEADER_VALUE: return "invalid encoded header";
    case GMIME_WARN_MALFORMED_MULTIPART: return "multipart without parts";
    case GMIME_WARN_TRUNCATED_MESSAGE: return "truncated message";
    case GMIME_WARN_MALFORMED_MESSAGE: return "malformed message";
    case GMIME_CRIT_INVALID_HEADER_NAME: return "invalid header name";
    case GMIME_CRIT_CONFLICTING_HEADER: return "conflicting header";
    case GMIME_CRIT_CONFLICTING_PARAMETER: return "conflicting header parameter";
    case GMIME_CRIT_MULTIPART_WITHOUT_BOUNDARY: return "multipart without boundary";
    case GMIME_WARN_INVALID_PARAMETER: return "invalid header parameter";
    case GMIME_WARN_INVALID_ADDRESS_LIST: return "invalid address list";
    case GMIME_CRIT_NESTING_OVERFLOW: return "MIME parts nested too deeply";
    case GMIME_WARN_PART_WITHOUT_CONTENT: return "part without content";
    case GMIME_CRIT_PART_WITHOUT_HEADERS_OR_CONTENT: return "part without headers or content";
    }
    return "malformed MIME";
}

void collectWarning(gint64, GMimeParserWarning code, const gchar* item, gpointer warnings)
{
    QString text = QString::fromLatin1(warningWhat(code));
    if (item && *item)
        text += QStringLiteral(": ") + decodeText(QByteArray(item).left(100)).simplified();
    static_cast<QStringList*>(warnings)->append(text);
}

// Mail from older programs holds raw 8-bit headers; UTF-8 is tried first, then the
// Windows code page that such mail is nearly always in (it decodes € and the
// typographic quotes where ISO-8859-1 gives control characters).
ParserOptionsPtr looseParserOptions(QStringList& warnings)
{
    ParserOptionsPtr options(g_mime_parser_options_new());
    g_mime_parser_options_set_rfc2047_compliance_mode(options.get(), GMIME_RFC_COMPLIANCE_LOOSE);
    g_mime_parser_options_set_address_compliance_mode(options.get(), GMIME_RFC_COMPLIANCE_LOOSE);
    g_mime_parser_options_set_parameter_compliance_mode(options.get(), GMIME_RFC_COMPLIANCE_LOOSE);
    const char* fallback[] = {"UTF-8", "windows-1252", nullptr};
    g_mime_parser_options_set_fallback_charsets(options.get(), fallback);
    g_mime_parser_options_set_warning_callback(options.get(), collectWarning, &warnings);
    return options;
}

GObjectPtr<GMimeMessage> constructMessage(const QByteArray& bytes, GMimeParserOptions* options)
{
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.constData(), size_t(bytes.size())));
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);
    return GObjectPtr<GMimeMessage>(g_mime_parser_construct_message(parser.get(), options));
}

QString utf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

QString lowerMimeType(GMimeObject* object)
{
    std::unique_ptr<char, GFree> type(g_mime_content_type_get_mime_type(g_mime_object_get_content_type(object)));
    return utf8(type.get()).toLower();
}

QString fileNameOf(GMimeObject* object)
{
    const char* name = g_mime_object_get_content_disposition_parameter(object, "filename");
    if (!name || !*name)
        name = g_mime_object_get_content_type_parameter(object, "name");
    return utf8(name).trimmed();
}

// The message's own fields and its top-level part's Content-* fields, which GMime
// keeps apart, back in the order they were written.
QList<QPair<QString, QString>> topLevelHeaders(GMimeMessage* message)
{
    QList<GMimeHeader*> fields;
    for (GMimeObject* object : {GMIME_OBJECT(message), g_mime_message_get_mime_part(message)}) {
        if (!object)
            continue;
        GMimeHeaderList* list = g_mime_object_get_header_list(object);
        for (int at = 0; at < g_mime_header_list_get_count(list); ++at)
            fields.append(g_mime_header_list_get_header_at(list, at));
    }
    std::stable_sort(fields.begin(), fields.end(), [](GMimeHeader* a, GMimeHeader* b) {
        return g_mime_header_get_offset(a) < g_mime_header_get_offset(b);
    });
    QList<QPair<QString, QString>> headers;
    for (GMimeHeader* field : fields) {
        QString value = decodeText(QByteArray(g_mime_header_get_raw_value(field)));
        value.remove(u'\r').remove(u'\n');
        headers.append({utf8(g_mime_header_get_raw_name(field)).trimmed(), value.trimmed()});
    }
    return headers;
}

void appendMailboxes(InternetAddressList* list, MailAddressList& mailboxes)
{
    for (int at = 0; list && at < internet_address_list_length(list); ++at) {
        InternetAddress* address = internet_address_list_get_address(list, at);
        if (INTERNET_ADDRESS_IS_GROUP(address))
            appendMailboxes(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(address)), mailboxes);
        else if (INTERNET_ADDRESS_IS_MAILBOX(address))
            mailboxes.append({utf8(internet_address_get_name(address)),
                              utf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address)))});
    }
}

// GMime gives nothing for `"ann@example.org" <>` or `Ann <ann at example.org>`;
// the name and whatever stands in the angle brackets are still what the sender
// wrote, and the sender checks want them.
MailAddressList salvagedMailbox(const QString& value)
{
    const qsizetype open = value.lastIndexOf(u'<');
    QString name = (open >= 0 ? value.left(open) : value).trimmed();
    const QString address = open >= 0 ? value.mid(open + 1).section(u'>', 0, 0).trimmed() : QString();
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        name = name.mid(1, name.size() - 2).trimmed();
    if (name.isEmpty() && address.isEmpty())
        return {};
    return {{name, address}};
}

MailAddressList mailboxesOf(GMimeMessage* message, GMimeAddressType type, const char* field)
{
    MailAddressList mailboxes;
    appendMailboxes(g_mime_message_get_addresses(message, type), mailboxes);
    if (mailboxes.isEmpty())
        mailboxes = salvagedMailbox(utf8(g_mime_object_get_header(GMIME_OBJECT(message), field)));
    return mailboxes;
}

QDateTime dateOf(GMimeMessage* message)
{
    GDateTime* date = g_mime_message_get_date(message);
    if (!date)
        return {};
    QTimeZone zone(int(g_date_time_get_utc_offset(date) / G_TIME_SPAN_SECOND));
    return QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(date), zone.isValid() ? zone : QTimeZone::utc());
}

QByteArray decodedContent(GMimeObject* object)
{
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new());
    if (GMIME_IS_PART(object)) {
        GMimeDataWrapper* content = g_mime_part_get_content(GMIME_PART(object));
        if (content)
            g_mime_data_wrapper_write_to_stream(content, stream.get());
    } else if (GMIME_IS_MESSAGE_PART(object)) {
        GMimeMessage* embedded = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
        if (embedded)
            g_mime_object_write_to_stream(GMIME_OBJECT(embedded), nullptr, stream.get());
    }
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream.get()));
    return QByteArray(reinterpret_cast<const char*>(bytes->data), qsizetype(bytes->len));
}

std::optional<QString> convertedWithIconv(const QByteArray& bytes, const char* charset)
{
    iconv_t converter = g_mime_iconv_open("UTF-8", charset);
    if (converter == iconv_t(-1))
        return std::nullopt;
    std::unique_ptr<char, GFree> text(g_mime_iconv_strndup(converter, bytes.constData(), size_t(bytes.size())));
    g_mime_iconv_close(converter);
    if (!text)
        return std::nullopt;
    return QString::fromUtf8(text.get());
}

// Text in the part's charset. No charset, UTF-8 or ASCII (often a lie) read as
// UTF-8 with each stray byte taken as Windows-1252; ISO-8859-1 is read as
// Windows-1252, its superset that mail labelled Latin-1 mostly is; a charset the
// system cannot convert, or text it cannot convert, falls back the same way.
QString textOf(GMimeObject* part)
{
    const QByteArray bytes = decodedContent(part);
    const QString charset = utf8(g_mime_object_get_content_type_parameter(part, "charset")).trimmed().toLower();
    if (charset.isEmpty() || charset == u"utf-8" || charset == u"utf8" || charset == u"us-ascii" ||
        charset == u"ascii")
        return decodeText(bytes);
    if (charset == u"iso-8859-1" || charset == u"latin1")
        return decodeWindows1252(bytes);
    if (std::optional<QString> converted = convertedWithIconv(bytes, charset.toLatin1().constData()))
        return *converted;
    return decodeText(bytes);
}

QStringList linesOf(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r?\n"));
    QStringList lines = text.split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Blanks at a line's end are the HTML source's layout, not text; a request line
// ("unsubscribe") must read the same from either kind of body.
QStringList htmlLines(const QString& html)
{
    QStringList lines = linesOf(QTextDocumentFragment::fromHtml(html).toPlainText());
    for (QString& line : lines) {
        qsizetype end = line.size();
        while (end > 0 && line[end - 1].isSpace())
            --end;
        line.truncate(end);
    }
    return lines;
}

bool isReturnedCopy(const QString& type)
{
    return type == u"message/rfc822" || type == u"message/global" || type == u"text/rfc822-headers" ||
           type == u"message/global-headers";
}

struct TextBody {
    QStringList lines;
    bool html = false;
    bool beforeReturnedCopy = false;
};

// One walk over the tree fills the message's structure, attachments and report
// and gathers the text bodies in order; the text inside a returned copy is the
// original's, never the message's own.
class PartWalk {
public:
    explicit PartWalk(MailMessage& message) : message_(message) {}

    void visit(GMimeObject* object, MimePart& node, bool insideReturnedCopy)
    {
        node.contentType = lowerMimeType(object);
        const QString fileName = fileNameOf(object);
        node.fileName = fileName.toLower();
        if (!fileName.isEmpty())
            message_.attachments.append({fileName, decodedContent(object)});
        if (isReturnedCopy(node.contentType))
            message_.hasReturnedMessage = true;

        if (GMIME_IS_MULTIPART(object)) {
            const QString reportType = utf8(g_mime_object_get_content_type_parameter(object, "report-type"));
            if (!insideReturnedCopy && node.contentType == u"multipart/report" &&
                reportType.compare(u"delivery-status", Qt::CaseInsensitive) == 0)
                message_.isDeliveryReport = true;
            GMimeMultipart* multipart = GMIME_MULTIPART(object);
            for (int at = 0; at < g_mime_multipart_get_count(multipart); ++at)
                visit(g_mime_multipart_get_part(multipart, at), node.children.emplaceBack(), insideReturnedCopy);
        } else if (GMIME_IS_MESSAGE_PART(object)) {
            GMimeMessage* embedded = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
            GMimeObject* body = embedded ? g_mime_message_get_mime_part(embedded) : nullptr;
            if (body)
                visit(body, node.children.emplaceBack(), insideReturnedCopy || isReturnedCopy(node.contentType));
        } else if (!insideReturnedCopy && (node.contentType == u"message/delivery-status" ||
                                           node.contentType == u"message/global-delivery-status")) {
            // A report inside a returned copy is about the original, not about this message.
            message_.deliveryStatus += parseDeliveryStatusText(decodeText(decodedContent(object)));
        } else if (!insideReturnedCopy && fileName.isEmpty() && !isAttachment(object) &&
                   (node.contentType == u"text/plain" || node.contentType == u"text/html")) {
            const bool html = node.contentType == u"text/html";
            texts_.append({html ? htmlLines(textOf(object)) : linesOf(textOf(object)), html,
                           !message_.hasReturnedMessage});
        }
    }

    // The first plain text, else the first HTML; the own text is every plain text
    // before a returned copy (else the HTML before it), or the body up to an inline
    // copy's marker line.
    void finish()
    {
        const auto firstOf = [this](bool html, bool beforeOnly) -> const TextBody* {
            for (const TextBody& text : texts_)
                if (text.html == html && (!beforeOnly || text.beforeReturnedCopy))
                    return &text;
            return nullptr;
        };
        const TextBody* plain = firstOf(false, false);
        const TextBody* body = plain ? plain : firstOf(true, false);
        message_.bodyLines = body ? body->lines : QStringList();
        if (!message_.hasReturnedMessage) {
            const qsizetype marker = returnedCopyMarkerLine(message_.bodyLines);
            message_.hasReturnedMessage = marker >= 0;
            message_.ownTextLines = marker >= 0 ? message_.bodyLines.first(marker) : message_.bodyLines;
            return;
        }
        for (const TextBody& text : texts_)
            if (!text.html && text.beforeReturnedCopy)
                message_.ownTextLines += text.lines;
        const TextBody* html = firstOf(true, true);
        if (message_.ownTextLines.isEmpty() && html)
            message_.ownTextLines = html->lines;
    }

private:
    static bool isAttachment(GMimeObject* object)
    {
        GMimeContentDisposition* disposition = g_mime_object_get_content_disposition(object);
        return disposition && g_mime_content_disposition_is_attachment(disposition);
    }

    MailMessage& message_;
    QList<TextBody> texts_;
};

}  // namespace

std::optional<QString> MailMessage::header(const QString& name) const
{
    for (const auto& [field, value] : headers)
        if (field.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

MailMessage parseMailMessage(const QByteArray& bytes)
{
    initGMimeOnce();
    MailMessage result;
    ParserOptionsPtr options = looseParserOptions(result.warnings);
    GObjectPtr<GMimeMessage> message = constructMessage(bytes, options.get());
    if (!message) {
        // Text without a header block (or with garbage where it should be) is still
        // text: read it as the body of a message without headers.
        result.warnings.append(QStringLiteral("no header block; the whole message read as its body"));
        message = constructMessage("\n" + bytes, options.get());
        if (!message)
            return result;
    }
    GMimeMessage* m = message.get();
    result.headers = topLevelHeaders(m);
    result.subject = utf8(g_mime_message_get_subject(m));
    result.date = dateOf(m);
    result.from = mailboxesOf(m, GMIME_ADDRESS_TYPE_FROM, "From");
    result.sender = mailboxesOf(m, GMIME_ADDRESS_TYPE_SENDER, "Sender");
    result.replyTo = mailboxesOf(m, GMIME_ADDRESS_TYPE_REPLY_TO, "Reply-To");
    result.to = mailboxesOf(m, GMIME_ADDRESS_TYPE_TO, "To");
    result.cc = mailboxesOf(m, GMIME_ADDRESS_TYPE_CC, "Cc");
    result.messageId = utf8(g_mime_message_get_message_id(m));
    QString returnPath = result.header(QStringLiteral("Return-Path")).value_or(QString());
    result.returnPath = returnPath.remove(u'<').remove(u'>').trimmed();
    PartWalk walk(result);
    if (GMimeObject* body = g_mime_message_get_mime_part(m))
        walk.visit(body, result.structure, false);
    walk.finish();
    return result;
}
