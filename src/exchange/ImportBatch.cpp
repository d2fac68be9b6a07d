#include "exchange/ImportBatch.h"

#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/EntriesTable.h"
#include "store/StatisticsRecorder.h"
#include "store/TdmML.h"
#include "store/UnicodeCollation.h"
#include "subscriptions/EntryRequest.h"
#include "subscriptions/ListContext.h"

#include <QMap>
#include <algorithm>
#include <exception>

ImportBatch::ImportBatch(const ListContext& ctx, QString note, QString label, bool recordStatistics, int lines)
    : ctx_(ctx), note_(std::move(note)), label_(std::move(label)), recordStatistics_(recordStatistics),
      lines_(std::max(1, lines))
{
}

ImportBatch::~ImportBatch() = default;

void ImportBatch::begin()
{
    if (!transaction_)
        transaction_.emplace(ctx_.db.database().connection());
}

// The row insertentry makes for a new address.
Entry ImportBatch::entryOf(const ImportRules::Verdict& v, const QDateTime& now) const
{
    EntryRequest request;
    request.address = v.address;
    request.group = v.group;
    request.name = v.name;
    request.contact = v.contact;
    request.comment = note_;
    request.date = now;
    return newEntry(ctx_, request);
}

void ImportBatch::addNew(const ImportRules::Verdict& verdict) { pending_.append(verdict); }

void ImportBatch::flush(const std::function<void(const ImportRules::Verdict&)>& retry)
{
    if (pending_.isEmpty())
        return;
    begin();
    const QList<ImportRules::Verdict> gathered = std::move(pending_);
    pending_.clear();
    const QDateTime now = QDateTime::currentDateTime();
    QList<Entry> rows;
    rows.reserve(gathered.size());
    for (const ImportRules::Verdict& v : gathered)
        rows.append(entryOf(v, now));
    QList<const Entry*> order;
    order.reserve(rows.size());
    for (const Entry& row : std::as_const(rows))
        order.append(&row);
    // In the table's order, as the bulk load writes: neighbouring index pages.
    std::stable_sort(order.begin(), order.end(),
                     [](const Entry* a, const Entry* b) { return unicodeNoCase(a->Item, b->Item) < 0; });
    try {
        Transaction rowsOnly(ctx_.db.database().connection());
        ctx_.entries().insert(order);
        rowsOnly.commit();
    } catch (const std::exception&) {
        for (const ImportRules::Verdict& v : gathered)
            retry(v);
        return;
    }
    ctx_.changeEntryCount(rows.size());
    // As insertentry records each line, but one statement per group and one write
    // of the log for the whole batch.
    QMap<QString, int> perGroup;
    QStringList logLines;
    logLines.reserve(gathered.size());
    for (const ImportRules::Verdict& v : gathered) {
        ++perGroup[v.group];
        ++ctx_.statistics.counters.movement;
        logLines << "ADD " + v.address + " " + v.group + "  (" + note_ + ")  ->  Entered Successfully";
    }
    if (recordStatistics_)
        for (auto group = perGroup.cbegin(); group != perGroup.cend(); ++group)
            ctx_.statistics.AddStatRecords(StatSubscribe, group.key(), group.value());
    ctx_.logs.AddToLog(logLines);
    ctx_.statistics.UpdateWeeklyStatsDisplay();
}

void ImportBatch::lineDone(int lineNumber, const std::function<void(const ImportRules::Verdict&)>& retry)
{
    if (++linesInBatch_ >= lines_)
        commit(lineNumber, retry);
}

void ImportBatch::commit(int lineNumber, const std::function<void(const ImportRules::Verdict&)>& retry)
{
    flush(retry);
    if (transaction_) {
        transaction_->commit();
        transaction_.reset();
        ctx_.logs.AddToLog(label_ + ": committed up to line " + QString::number(lineNumber));
    }
    linesInBatch_ = 0;
}
