#include "reports/EntrySearch.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "reports/ViewFilters.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqlFilter.h"
#include "store/TdmML.h"
#include "store/UnicodeCollation.h"
#include "subscriptions/ListContext.h"

namespace {
struct SearchField {
    const char* caption;
    const char* field;
};

constexpr SearchField kFields[] = {
    {"E-mail", "Item"},       {"Group", "Category"}, {"Full Name", "Name"}, {"First Name", "Salutation"},
    {"Surname", "Surname"},   {"Company", "Company"}, {"Address", "Address"}, {"City", "City"},
    {"State", "State"},       {"ZIP", "ZIP"},         {"Country", "Country"}, {"Comments", "Comments"},
};

// Whether the field holds the text; the field's name comes from the fixed list
// above, the text only ever as a parameter.
SqlFilter containsText(const QString& field, const QString& text, bool matchCase)
{
    if (text.isEmpty())
        return {QStringLiteral("coalesce(%1, '') = ''").arg(field), {}};
    if (matchCase)
        return {QStringLiteral("instr(%1, ?) > 0").arg(field), {text}};
    return {QStringLiteral("instr(%1(%2), %1(?)) > 0").arg(QLatin1String(kUnicodeUpper), field), {text}};
}

void debug(const ListContext& ctx, const QString& text) { ctx.logs.debug(QStringLiteral("btnSearchClick"), text); }
}  // namespace

const QStringList& searchFieldCaptions()
{
    static const QStringList captions = [] {
        QStringList c;
        for (const SearchField& f : kFields)
            c << QString::fromLatin1(f.caption);
        return c;
    }();
    return captions;
}

QString searchField(int choice)
{
    return choice >= 0 && choice < int(std::size(kFields)) ? QString::fromLatin1(kFields[choice].field) : QString();
}

bool btnSearchClick(const ListContext& ctx, const SearchRequest& request, const std::function<qint64()>& showHits)
{
    const QString field = searchField(request.field);
    if (field.isEmpty())
        return false;
    if (ctx.db.database().isExclusive()) {
        ctx.ui.inform(QStringLiteral("You cannot perform a search because database access is set to exclusive.  "
                                     "Disable this setting under View|Options, Other, Advanced, and restart CVN "
                                     "in order to perform searches."));
        return false;
    }
    debug(ctx, QStringLiteral("Commence"));
    bool searched = false;
    try {
        const BusyCursor busy(ctx.ui);
        EntriesTable& entries = ctx.entries();
        const SqlFilter holds = containsText(field, request.text, request.matchCase);
        if (request.withinResults) {
            // Only hits lose their flag, so the hits narrow.
            const QString sql =
                QStringLiteral("UPDATE mailist SET SearchHit = 0 WHERE SearchHit = 1 AND NOT coalesce((%1), 0)")
                    .arg(holds.where);
            debug(ctx, QStringLiteral("SQL=") + sql);
            debug(ctx, QStringLiteral("Performing Search"));
            entries.execute(sql, holds.params);
        } else {
            debug(ctx, QStringLiteral("SQL=UPDATE mailist SET SearchHit = coalesce((%1), 0)").arg(holds.where));
            debug(ctx, QStringLiteral("Performing Search"));
            entries.markSearchHits(holds);
        }
        debug(ctx, QStringLiteral("Unfiltered Count: %1").arg(entries.count()));
        debug(ctx, QStringLiteral("Filtered Count: %1").arg(entries.count(parseFilter(kSearchHitFilter))));
        searched = true;
        debug(ctx, QStringLiteral("Called dmml.tblml.enablecontrols"));
        const qint64 shown = showHits ? showHits() : 0;
        debug(ctx, QStringLiteral("Refreshed dxDBGrid1, count is: %1").arg(shown));
    } catch (const std::exception& e) {
        const QString error = QString::fromUtf8(e.what());
        debug(ctx, QStringLiteral("Search Error: ") + error);
        ctx.ui.inform(QStringLiteral("An error was encountered performing your search: ") + error);
    }
    debug(ctx, QStringLiteral("End"));
    return searched;
}
