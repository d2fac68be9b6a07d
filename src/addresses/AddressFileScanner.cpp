#include "addresses/AddressFileScanner.h"

#include "util/TextStreamReader.h"

bool scanAddressFile(const QString& path, const QStringList& exceptList, const AddressScanner::Found& found,
                     QString& error, const std::function<void()>& pieceScanned)
{
    TextStreamReader reader;
    if (!reader.open(path)) {
        error = reader.errorString();
        return false;
    }
    AddressScanner scanner(exceptList, found);
    while (const std::optional<QString> text = reader.next()) {
        scanner.feed(*text);
        if (pieceScanned)
            pieceScanned();
    }
    if (!reader.errorString().isEmpty()) {
        error = reader.errorString();
        return false;
    }
    scanner.finish();
    return true;
}

std::optional<QStringList> extractAddressesFromFile(const QString& path, const QStringList& exceptList,
                                                    QString& error)
{
    QStringList found;
    if (!scanAddressFile(path, exceptList, [&](const QString& address) { found.append(address); }, error))
        return std::nullopt;
    return found;
}
