#include "subscriptions/GroupChoice.h"

#include "base/Ui.h"
#include "settings/Settings.h"
#include "subscriptions/GroupList.h"
#include "subscriptions/ListContext.h"

#include <QStringList>

namespace {

QString checkGroupHeading(const QString& group, int kind)
{
    switch (kind) {
    case GroupForAddedEntry:
        return "An entry being added to your database specifies an unsupported Group Name, \"" + group
               + "\".  Do you want to add it to your Group List?";
    case GroupForRemovedEntry:
        return "An entry being removed from your database specifies an unsupported Group Name, \""
               + group + "\".  Which group should they be removed from?\n"
               + "(Clear field to remove user from all groups)";
    default:
        return "You have specified an unsupported Group Name, " + group
               + ".  Do you want to add it to your Group List?";
    }
}

}  // namespace

bool CheckGroup(const ListContext& ctx, QString& group, int kind)
{
    if (SupportedGroup(ctx.settings, group))
        return true;
    const auto chosen = GetGroup_bool(ctx, checkGroupHeading(group, kind), group,
                                      kind == GroupForRemovedEntry, false);
    if (!chosen)
        return false;
    group = *chosen;
    if (kind != GroupForRemovedEntry)
        AddToGroupList(ctx, group);
    return true;
}

bool CheckGroup_Tcombo(const ListContext& ctx, QString& text, bool allowSeveral)
{
    if (!text.contains(',')) {
        QString group = text;
        if (!CheckGroup(ctx, group, GroupTyped))
            return false;
        text = group;
        return true;
    }
    if (!allowSeveral) {
        ctx.ui.inform("Group names cannot contain commas!");
        return false;
    }
    QStringList accepted;
    for (const QString& piece : text.split(',')) {
        QString group = piece.trimmed();
        if (group.isEmpty())
            continue;
        if (!CheckGroup(ctx, group, GroupTyped))
            return false;
        accepted << group;
    }
    text = accepted.join(',');
    return true;
}

std::optional<QString> GetGroup_bool(const ListContext& ctx, const QString& heading,
                                     const QString& initial, bool allowBlank, bool checkSupported)
{
    const auto accept = [&](QString& group) {
        if (!allowBlank && group.isEmpty()) {
            ctx.ui.inform("You have not specified a group.");
            return false;
        }
        if (!CheckGroupFormatting(ctx.ui, group))
            return false;
        return !checkSupported || CheckGroup_Tcombo(ctx, group, true);
    };
    return ctx.ui.chooseGroup(heading, ctx.settings.Cats, initial, accept);
}

std::optional<QString> GetGroup(const ListContext& ctx, const QString& heading,
                                const QString& initial, bool checkSupported)
{
    return GetGroup_bool(ctx, heading, initial, false, checkSupported);
}
