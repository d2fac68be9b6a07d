#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// Why a line of an import was not added.
enum class ImportRejection {
    NotAnAddress,
    Blocked,
    Excepted,
    UnsupportedGroup,
    DuplicateInFile,
    AlreadyOnList,
};
inline constexpr int kImportRejectionCount = 6;

// "not an address", "on the blocked list", ...
QString importRejectionText(ImportRejection reason);

// Every line an import turned down, with its line number (from 1) and reason,
// the lines whose quote never closed, and how far the run got: what a check-only
// run shows and what a real import leaves beside the activity log.
class ImportReport {
public:
    explicit ImportReport(QString title = {}) : title_(std::move(title)) {}

    void reject(int lineNumber, ImportRejection reason, const QString& line);
    void unclosedQuote(int lineNumber);
    void setAdded(qint64 added) { added_ = added; }
    void setStopped(const QString& how) { stopped_ = how; }

    int count(ImportRejection reason) const { return counts_[int(reason)]; }
    qint64 added() const { return added_; }
    const QStringList& lines() const { return lines_; }

    // The title, each line of the report, then a count per reason.
    QString text() const;

    // Writes the text as "Import-YYYYMMDD-HHMMSS.txt" in the folder ("-2", "-3", ...
    // for a second report within the same second); the file's path, empty when it
    // could not be written (reason says why).
    QString writeBeside(const QString& folder, QString* reason = nullptr) const;

private:
    QString title_;
    QStringList lines_;
    std::array<int, kImportRejectionCount> counts_{};
    qint64 added_ = 0;
    QString stopped_;
};
