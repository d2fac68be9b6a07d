#include "exchange/ImportRules.h"

#include "addresses/AddressSyntax.h"
#include "addresses/NameAndAddress.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/TdmML.h"
#include "subscriptions/GroupList.h"
#include "subscriptions/ListContext.h"

namespace {

// Whether guessing would change the name or the contact fields: then the line
// goes through insertentry, which owns that guess.
bool wouldGuess(const Settings& settings, const QString& name, const TCVNAddress& contact)
{
    if (!settings.GuessSalutation)
        return false;
    if (name.split(' ', Qt::SkipEmptyParts).isEmpty())
        return !contact.FirstName.isEmpty() || !contact.Surname.isEmpty();
    return contact.FirstName.isEmpty() || contact.Surname.isEmpty();
}

}  // namespace

ImportRules::ImportRules(const ListContext& ctx) : ctx_(ctx) {}

QString ImportRules::key(const QString& address, const QString& group) const
{
    const QString folded = address.toCaseFolded();
    return ctx_.settings.MultipleCategorySupport ? folded + QChar(0x1f) + group.toCaseFolded() : folded;
}

bool ImportRules::onList(const QString& address, const QString& group) const
{
    SqliteConnection& db = ctx_.db.database().connection();
    Statement& s = ctx_.settings.MultipleCategorySupport
                       ? db.cached(QStringLiteral("SELECT 1 FROM mailist WHERE Item = ? AND Category = ? LIMIT 1"))
                       : db.cached(QStringLiteral("SELECT 1 FROM mailist WHERE Item = ? LIMIT 1"));
    s.bind(1, address);
    if (ctx_.settings.MultipleCategorySupport)
        s.bind(2, group);
    const bool found = s.step();
    s.reset();
    return found;
}

bool ImportRules::blocked(const QString& address)
{
    // The blocked list does not change while addresses are added; it is looked
    // up as a set instead of line by line.
    if (blockedSize_ != ctx_.settings.Never.size()) {
        blocked_.clear();
        for (const QString& item : std::as_const(ctx_.settings.Never))
            blocked_.insert(item.toCaseFolded());
        blockedSize_ = ctx_.settings.Never.size();
    }
    return blocked_.contains(address.toLower().toCaseFolded());
}

ImportRules::Verdict ImportRules::judge(const ImportRequest& request)
{
    Verdict v;
    if (request.address.isEmpty() || !request.address.contains('@')) {
        v.rejection = ImportRejection::NotAnAddress;
        return v;
    }
    v.address = request.address;
    v.name = request.name;
    v.contact = request.contact;
    v.group = request.group;
    if (v.group.contains(',')) {
        // Each group is a request of its own; the first piece stands for the line.
        v.needsFullRules = true;
        v.group = v.group.section(',', 0, 0).trimmed();
    }
    SplitNameAndAddress(v.address, v.name);
    v.needsFullRules = v.needsFullRules || wouldGuess(ctx_.settings, v.name, v.contact);

    if (!v.group.isEmpty() && !SupportedGroup(ctx_.settings, v.group)) {
        if (ctx_.settings.WrongCategory == 1) {
            v.group = ctx_.settings.AlternativeCategory;
        } else {
            // The confirm choice asks whether to add the group; only insertentry asks.
            v.needsFullRules = v.needsFullRules || ctx_.settings.WrongCategory == 2;
            v.rejection = ImportRejection::UnsupportedGroup;
            return v;
        }
    }
    if (v.group.isEmpty())
        v.group = ctx_.settings.defaultcategory;

    if (added_.contains(key(v.address, v.group))) {
        v.rejection = ImportRejection::DuplicateInFile;
        return v;
    }
    if (onList(v.address, v.group)) {
        v.rejection = ImportRejection::AlreadyOnList;
        return v;
    }
    int code = 0;
    if (!validemailaddress(v.address, true, ctx_.settings, code)) {
        v.rejection = code == AddressError::ExceptionText ? ImportRejection::Excepted : ImportRejection::NotAnAddress;
        return v;
    }
    if (blocked(v.address))
        v.rejection = ImportRejection::Blocked;
    return v;
}

void ImportRules::remember(const Verdict& verdict) { added_.insert(key(verdict.address, verdict.group)); }

bool ImportRules::addedBefore(const Verdict& verdict) const
{
    return added_.contains(key(verdict.address, verdict.group));
}
