#pragma once

#include "exchange/ImportReport.h"
#include "exchange/ImportRequest.h"

#include <QSet>
#include <QString>
#include <optional>

struct ListContext;

// The list's admission rules for an added address, decided without writing and
// without asking, in the order insertentry applies them: the group rules, an
// entry already there (added earlier in this import, or on the list), the address
// check with the exception list, the blocked list. What an import adds is
// remembered, so a later line with the same address (and group, with several
// groups per address) counts as a duplicate within the file.
class ImportRules {
public:
    struct Verdict {
        std::optional<ImportRejection> rejection;
        // The request as insertentry would settle it, for a line that is added.
        QString address;
        QString group;
        QString name;
        TCVNAddress contact;
        // The line needs insertentry itself: the group text names several groups,
        // the group rules would ask, or the name and contact fields would be guessed.
        bool needsFullRules = false;
    };

    explicit ImportRules(const ListContext& ctx);

    Verdict judge(const ImportRequest& request);
    // The line's address (and group) joined the list in this import.
    void remember(const Verdict& verdict);
    bool addedBefore(const Verdict& verdict) const;

private:
    QString key(const QString& address, const QString& group) const;
    bool onList(const QString& address, const QString& group) const;
    bool blocked(const QString& address);

    const ListContext& ctx_;
    QSet<QString> added_;
    QSet<QString> blocked_;
    qsizetype blockedSize_ = -1;
};
