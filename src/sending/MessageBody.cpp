#include "sending/MessageBody.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

namespace {

// GMime writes each "\n" as CR LF; a lone CR would reach the wire bare.
QByteArray utf8Lines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (!lines.endsWith(u'\n'))
        lines += u'\n';
    return lines.toUtf8();
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

void setContent(GMimePart* part, const QByteArray& bytes)
{
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.constData(), size_t(bytes.size())));
    GObjectPtr<GMimeDataWrapper> content(
        g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part, content.get());
}

GObjectPtr<GMimeObject> textPart(const char* subtype, const QString& text)
{
    const QByteArray bytes = utf8Lines(text);
    GMimeTextPart* part = g_mime_text_part_new_with_subtype(subtype);
    g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "charset", isAscii(bytes) ? "us-ascii" : "utf-8");
    setContent(GMIME_PART(part), bytes);
    // 7bit when every line is ASCII and short enough, else quoted-printable or
    // base64, whichever GMime finds shorter.
    g_mime_object_encode(GMIME_OBJECT(part), GMIME_ENCODING_CONSTRAINT_7BIT);
    return GObjectPtr<GMimeObject>(GMIME_OBJECT(part));
}

GObjectPtr<GMimeObject> multipart(const char* subtype, std::initializer_list<GMimeObject*> parts)
{
    GMimeMultipart* multipart = g_mime_multipart_new_with_subtype(subtype);
    for (GMimeObject* part : parts)
        g_mime_multipart_add(multipart, part);
    return GObjectPtr<GMimeObject>(GMIME_OBJECT(multipart));
}

GObjectPtr<GMimeObject> attachmentPart(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Error attaching the file, ") + path + QStringLiteral(": ") + file.errorString();
        return nullptr;
    }
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    GMimePart* part = g_mime_part_new_with_type(type.section(u'/', 0, 0).toLatin1().constData(),
                                                type.section(u'/', 1).toLatin1().constData());
    setContent(part, file.readAll());
    g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_BASE64);
    g_mime_object_set_disposition(GMIME_OBJECT(part), GMIME_DISPOSITION_ATTACHMENT);
    g_mime_part_set_filename(part, QFileInfo(path).fileName().toUtf8().constData());
    return GObjectPtr<GMimeObject>(GMIME_OBJECT(part));
}

GObjectPtr<GMimeObject> textOf(const OutgoingMessage& message)
{
    if (message.htmlBody.isEmpty())
        return textPart("plain", message.plainBody);
    GObjectPtr<GMimeObject> html = textPart("html", message.htmlBody);
    // An empty plain alternative would show as an empty message in a mail program
    // set to prefer plain text.
    if (message.attachmentPaths.isEmpty() || message.plainBody.isEmpty())
        return html;
    GObjectPtr<GMimeObject> plain = textPart("plain", message.plainBody);
    return multipart("alternative", {plain.get(), html.get()});
}

}  // namespace

GObjectPtr<GMimeObject> messageBody(const OutgoingMessage& message, QString& error)
{
    GObjectPtr<GMimeObject> text = textOf(message);
    if (message.attachmentPaths.isEmpty())
        return text;
    GObjectPtr<GMimeObject> mixed = multipart("mixed", {text.get()});
    for (const QString& path : message.attachmentPaths) {
        GObjectPtr<GMimeObject> attachment = attachmentPart(path, error);
        if (!attachment)
            return nullptr;
        g_mime_multipart_add(GMIME_MULTIPART(mixed.get()), attachment.get());
    }
    return mixed;
}
