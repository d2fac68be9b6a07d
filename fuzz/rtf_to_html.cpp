// Whatever the rich text, the converter ends, writes a finished document in valid
// UTF-8, and leaves no tag of its own half written.
#include "FuzzSupport.h"
#include "util/RtfToHtmlConverter.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray rtf = fuzzBytes(data, size);
    QBuffer in(&rtf);
    in.open(QIODevice::ReadOnly);
    QByteArray html;
    QBuffer out(&html);
    out.open(QIODevice::WriteOnly);
    RtfToHtmlConverter converter(in, out, {});
    FUZZ_REQUIRE(converter.convert({}, {}).isEmpty());
    FUZZ_REQUIRE(html.startsWith("<HTML>\n<BODY ") && html.endsWith("\n</BODY>\n</HTML>\n"));
    FUZZ_REQUIRE(QString::fromUtf8(html).toUtf8() == html);
    return 0;
}
