// GMime before Qt (see GMimeHandles.h).
#include "sending/MessageBody.h"
#include "sending/MessageHeaders.h"

#include "sending/MessageBytes.h"

namespace {

struct FormatOptionsFree {
    void operator()(GMimeFormatOptions* options) const { g_mime_format_options_free(options); }
};

QByteArray wireBytes(GMimeMessage* mime, bool keepBccHeader)
{
    std::unique_ptr<GMimeFormatOptions, FormatOptionsFree> format(g_mime_format_options_new());
    g_mime_format_options_set_newline_format(format.get(), GMIME_NEWLINE_FORMAT_DOS);
    g_mime_format_options_set_param_encoding_method(format.get(), GMIME_PARAM_ENCODING_METHOD_RFC2231);
    if (!keepBccHeader)
        g_mime_format_options_add_hidden_header(format.get(), "Bcc");
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new());
    g_mime_object_write_to_stream(GMIME_OBJECT(mime), format.get(), stream.get());
    GByteArray* written = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream.get()));
    QByteArray bytes(reinterpret_cast<const char*>(written->data), qsizetype(written->len));
    if (!bytes.endsWith("\r\n"))
        bytes += "\r\n";
    return bytes;
}

}  // namespace

BuiltMessage buildMessageBytes(const OutgoingMessage& message, const MessageBuildOptions& options)
{
    ensureGMime();
    BuiltMessage result;
    GObjectPtr<GMimeMessage> mime(g_mime_message_new(TRUE));
    if (!setMessageHeaders(mime.get(), message, options, result))
        return result;
    GObjectPtr<GMimeObject> body = messageBody(message, result.error);
    if (!body)
        return result;
    g_mime_message_set_mime_part(mime.get(), body.get());
    result.bytes = wireBytes(mime.get(), options.keepBccHeader);
    return result;
}
