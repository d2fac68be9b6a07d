#include "exchange/ImportRun.h"

#include "settings/Settings.h"
#include "store/TdmML.h"
#include "subscriptions/Bounces.h"
#include "subscriptions/InsertEntry.h"
#include "subscriptions/ListContext.h"

#include <exception>

namespace {

const QString kEntered = QStringLiteral("Entered Successfully");

}  // namespace

ImportRun::ImportRun(const ListContext& ctx, ImportMode mode, ImportReport& report)
    : ctx_(ctx), mode_(std::move(mode)), report_(report), rules_(ctx),
      batch_(ctx, mode_.note, mode_.note, ctx.settings.LogManualEntries, mode_.batchLines)
{
}

bool ImportRun::recordStatistics() const { return ctx_.settings.LogManualEntries; }

void ImportRun::process(const ImportRequest& r)
{
    if (!mode_.dryRun)
        batch_.begin();
    if (mode_.asBounce) {
        batch_.flush([this](const ImportRules::Verdict& v) { retry(v); });
        processbounce(ctx_, r.address, {});
        return;
    }
    if (!mode_.add) {
        batch_.flush([this](const ImportRules::Verdict& v) { retry(v); });
        insertentry(ctx_, false, r.address, recordStatistics(), mode_.acknowledge, false, {}, mode_.note,
                    r.contact, r.name, r.group);
        return;
    }
    const ImportRules::Verdict v = rules_.judge(r);
    if (mode_.dryRun) {
        if (v.rejection) {
            report_.reject(r.lineNumber, *v.rejection, r.line);
        } else {
            rules_.remember(v);
            ++added_;
        }
        return;
    }
    if (!v.rejection && !v.needsFullRules && !mode_.acknowledge) {
        batch_.addNew(v);
        rules_.remember(v);
        ++added_;
        return;
    }
    addThroughRules(r, v);
}

void ImportRun::addThroughRules(const ImportRequest& r, const ImportRules::Verdict& v)
{
    // insertentry must see every row gathered so far, and its log line follows theirs.
    batch_.flush([this](const ImportRules::Verdict& gathered) { retry(gathered); });
    const QStringList results = insertentry(ctx_, true, r.address, recordStatistics(), mode_.acknowledge, false,
                                            {}, mode_.note, r.contact, r.name, r.group);
    if (results.isEmpty())
        report_.reject(r.lineNumber, ImportRejection::NotAnAddress, r.line);
    for (const QString& result : results) {
        if (result == kEntered) {
            rules_.remember(v);
            ++added_;
        } else if (result == QLatin1String("Entry already exists!")) {
            report_.reject(r.lineNumber,
                           v.rejection == ImportRejection::DuplicateInFile ? ImportRejection::DuplicateInFile
                                                                           : ImportRejection::AlreadyOnList,
                           r.line);
        } else if (result == QLatin1String("Not Added: Invalid Group!")) {
            report_.reject(r.lineNumber, ImportRejection::UnsupportedGroup, r.line);
        } else if (result.startsWith(QLatin1String("Not Added: Invalid E-mail Address"))) {
            report_.reject(r.lineNumber,
                           v.rejection == ImportRejection::Excepted ? ImportRejection::Excepted
                                                                    : ImportRejection::NotAnAddress,
                           r.line);
        } else if (result.startsWith(QLatin1String("Not Added: E-mail Address is listed"))) {
            report_.reject(r.lineNumber, ImportRejection::Blocked, r.line);
        }
    }
}

// A gathered line whose bulk write failed: insertentry gives it its own outcome.
void ImportRun::retry(const ImportRules::Verdict& v)
{
    const QStringList results = insertentry(ctx_, true, v.address, recordStatistics(), mode_.acknowledge, false,
                                            {}, mode_.note, v.contact, v.name, v.group);
    if (!results.contains(kEntered))
        --added_;
}

void ImportRun::lineDone(int lineNumber)
{
    if (!mode_.dryRun)
        batch_.lineDone(lineNumber, [this](const ImportRules::Verdict& v) { retry(v); });
}

void ImportRun::finish(int lineNumber)
{
    if (mode_.dryRun)
        return;
    try {
        batch_.commit(lineNumber, [this](const ImportRules::Verdict& v) { retry(v); });
    } catch (const std::exception&) {
        // The batch rolled back: the count is taken from the table again.
        ctx_.db.recountEntries();
        throw;
    }
}
