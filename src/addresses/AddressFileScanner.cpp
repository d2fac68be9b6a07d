#include "addresses/AddressFileScanner.h"

#include "addresses/AddressExtractor.h"
#include "addresses/TextChunkReader.h"

std::optional<QStringList> extractAddressesFromFile(const QString& path, const QStringList& exceptList,
                                                    QString& error)
{
    return extractAddressesFromFile(path, exceptList, TextChunkReader(), error);
}

std::optional<QStringList> extractAddressesFromFile(const QString& path, const QStringList& exceptList,
                                                    const TextChunkReader& reader, QString& error)
{
    QStringList found;
    const auto scan = [&](QStringView text) { scanTextForAddresses(text, exceptList, found); };
    TextChunkReader::Status status = reader.read(path, TextChunkReader::Encoding::Utf8, scan, error);
    if (status == TextChunkReader::Status::NotUtf8) {
        // What was found before the invalid bytes is found again, decoded the other way.
        found.clear();
        status = reader.read(path, TextChunkReader::Encoding::Windows1252, scan, error);
    }
    if (status != TextChunkReader::Status::Complete)
        return std::nullopt;
    return found;
}
