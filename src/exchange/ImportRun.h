#pragma once

#include "exchange/ImportBatch.h"
#include "exchange/ImportReport.h"
#include "exchange/ImportRequest.h"
#include "exchange/ImportRules.h"

#include <QString>

struct ListContext;

// How an import treats its lines.
struct ImportMode {
    bool add = true;
    bool acknowledge = false;
    bool asBounce = false;
    bool dryRun = false;  // every rule, nothing written: the report says what would be turned down
    QString note;
    int batchLines = ImportBatch::kDefaultLines;
};

// The lines of one import, one request at a time: additions the rules settle
// without asking are gathered and written set-wise by ImportBatch, with the
// outcome one insertentry per line would have; every other line (removals,
// bounces, acknowledged or guessed requests, refused or duplicate addresses,
// groups the rules ask about) goes through insertentry or processbounce itself,
// inside the same batch. The report collects every line turned down.
class ImportRun {
public:
    ImportRun(const ListContext& ctx, ImportMode mode, ImportReport& report);

    // Throws on a failure the caller asks about; the line is then not done.
    void process(const ImportRequest& request);
    // The line is done (counted); may commit the batch.
    void lineDone(int lineNumber);
    // Commits the rest (also after a cancel: what was done stays done).
    void finish(int lineNumber);
    qint64 added() const { return added_; }

private:
    void addThroughRules(const ImportRequest& request, const ImportRules::Verdict& verdict);
    void retry(const ImportRules::Verdict& verdict);
    bool recordStatistics() const;

    const ListContext& ctx_;
    ImportMode mode_;
    ImportReport& report_;
    ImportRules rules_;
    ImportBatch batch_;
    qint64 added_ = 0;
};
