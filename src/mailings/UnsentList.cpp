#include "mailings/UnsentList.h"

#include "addresses/NameAndAddress.h"
#include "base/Ui.h"
#include "store/SendListTable.h"

#include <QSaveFile>
#include <exception>

namespace {

// The reason of a failure, empty when the file was replaced.
QString writeUnsent(const SendListTable& table, const QString& path)
{
    // Streamed, since a table may hold a million rows; the rename at the end is
    // what replaces the old file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    bool written = true;
    table.walk([&](const SendListRow& row) {
        written = file.write((FormatNameAndAddress(row.Name, row.Item) + '\n').toUtf8()) >= 0;
        return written;
    }, SendListTable::Rows::NotAccepted);
    if (!written || !file.commit())
        return file.errorString();
    return {};
}

}  // namespace

bool SaveUnsentList(const SendListTable& table, const QString& path, Ui& ui)
{
    QString reason;
    try {
        reason = writeUnsent(table, path);
    } catch (const std::exception& e) {
        reason = QString::fromUtf8(e.what());
    }
    if (reason.isEmpty())
        return true;
    ui.warn("An error was encountered exporting your list: " + reason);
    return false;
}
