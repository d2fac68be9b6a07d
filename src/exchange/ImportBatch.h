#pragma once

#include "exchange/ImportRules.h"
#include "store/Database.h"
#include "store/Entry.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

struct ListContext;

// The writes of an import, committed in batches of lines: a crash keeps every
// finished batch, and after each commit the activity log says how far the file
// has been taken. New addresses are gathered and written together, in address
// order through the entries table's bulk insert, with their statistics and their
// activity-log lines as insertentry writes them.
class ImportBatch {
public:
    static constexpr int kDefaultLines = 5000;

    // note: the comment of every entry and log line; label names the import in the
    // log's commit lines.
    ImportBatch(const ListContext& ctx, QString note, QString label, bool recordStatistics, int lines);
    // Without commit(), the lines since the last commit are rolled back.
    ~ImportBatch();
    ImportBatch(const ImportBatch&) = delete;
    ImportBatch& operator=(const ImportBatch&) = delete;

    // A new address for the list, written at the next flush.
    void addNew(const ImportRules::Verdict& verdict);
    // Writes what was gathered. Should the bulk write fail, each gathered line goes
    // through retry (insertentry) instead, so every line still gets its own outcome.
    void flush(const std::function<void(const ImportRules::Verdict&)>& retry);
    // The line is done; every `lines` lines the batch commits.
    void lineDone(int lineNumber, const std::function<void(const ImportRules::Verdict&)>& retry);
    // Commits what is done and says so in the activity log.
    void commit(int lineNumber, const std::function<void(const ImportRules::Verdict&)>& retry);

    // A batch is open (a transaction the lines' own writes nest in).
    void begin();

private:
    Entry entryOf(const ImportRules::Verdict& verdict, const QDateTime& now) const;

    const ListContext& ctx_;
    QString note_;
    QString label_;
    bool recordStatistics_;
    int lines_;
    int linesInBatch_ = 0;
    std::optional<Transaction> transaction_;
    QList<ImportRules::Verdict> pending_;
};
