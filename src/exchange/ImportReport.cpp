#include "exchange/ImportReport.h"

#include "util/TextFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

QString importRejectionText(ImportRejection reason)
{
    switch (reason) {
    case ImportRejection::NotAnAddress: return QStringLiteral("not an address");
    case ImportRejection::Blocked: return QStringLiteral("on the blocked list");
    case ImportRejection::Excepted: return QStringLiteral("in the exception list");
    case ImportRejection::UnsupportedGroup: return QStringLiteral("unsupported group");
    case ImportRejection::DuplicateInFile: return QStringLiteral("duplicate within the file");
    case ImportRejection::AlreadyOnList: return QStringLiteral("already on the list");
    }
    return {};
}

void ImportReport::reject(int lineNumber, ImportRejection reason, const QString& line)
{
    ++counts_[int(reason)];
    lines_ << "Line " + QString::number(lineNumber) + ": " + importRejectionText(reason) + ": " + line;
}

void ImportReport::unclosedQuote(int lineNumber)
{
    lines_ << "Line " + QString::number(lineNumber)
                  + ": a quote that does not close; the line was cut at every separator";
}

QString ImportReport::text() const
{
    QStringList out;
    if (!title_.isEmpty())
        out << title_;
    out << lines_;
    if (!stopped_.isEmpty())
        out << stopped_;
    out << "Added: " + QString::number(added_);
    for (int i = 0; i < kImportRejectionCount; ++i)
        out << importRejectionText(ImportRejection(i)) + ": " + QString::number(counts_[i]);
    return out.join('\n') + '\n';
}

QString ImportReport::writeBeside(const QString& folder, QString* reason) const
{
    const QString stem = QDir(folder).filePath(
        "Import-" + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = stem + ".txt";
    for (int n = 2; QFile::exists(path); ++n)
        path = stem + "-" + QString::number(n) + ".txt";
    if (!writeTextFileAtomically(path, text().toUtf8(), reason))
        return {};
    return path;
}
