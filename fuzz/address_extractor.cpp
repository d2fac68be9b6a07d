// Scanning a text as a whole finds exactly what scanning it line by line finds, and
// what scanning it in pieces finds, and every address found is one the syntax check
// accepts.
#include "FuzzSupport.h"
#include "addresses/AddressExtractor.h"
#include "addresses/AddressSyntax.h"

#include <QRegularExpression>
#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    QStringList whole;
    scanTextForAddresses(text, {}, whole);
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList byLine;
    extractemailaddresses(text.split(lineEnd), {}, byLine);
    FUZZ_REQUIRE(whole == byLine);
    QStringList inPieces;
    AddressScanner scanner({}, [&](const QString& address) { inPieces.append(address); });
    const qsizetype piece = size > 0 ? 1 + data[0] % 7 : 1;
    for (qsizetype at = 0; at < text.size(); at += piece)
        scanner.feed(QStringView(text).sliced(at, std::min(piece, text.size() - at)));
    scanner.finish();
    FUZZ_REQUIRE(whole == inPieces);
    for (const QString& address : whole) {
        int code = 0;
        FUZZ_REQUIRE(address.size() < ExtractedAddressLimit && text.contains(address));
        FUZZ_REQUIRE(validemailaddress(address, true, QStringList(), code));
    }
    return 0;
}
