#include "subscriptions/GroupList.h"

#include "base/Ui.h"
#include "settings/Settings.h"
#include "store/TdmML.h"
#include "subscriptions/ListContext.h"

bool SupportedGroup(const Settings& settings, const QString& group)
{
    return settings.Cats.contains(group.toLower(), Qt::CaseInsensitive);
}

void AddToGroupList(const ListContext& ctx, const QString& group)
{
    if (group.isEmpty() || SupportedGroup(ctx.settings, group))
        return;
    ctx.settings.Cats << group.toLower();
    if (ctx.db.groupsChanged)
        ctx.db.groupsChanged();
}

bool CheckGroupFormatting(Ui& ui, const QString& group)
{
    if (group.isEmpty())
        return true;
    if (group.contains(',')) {
        ui.inform("The group you have entered contains a comma.  Commas are not permitted in group "
                  "names.");
        return false;
    }
    if (group.contains(' '))
        return ui.message(Ui::Icon::Confirmation,
                          "The group you have entered contains a space.  Are you sure you want to "
                          "continue?",
                          Ui::Buttons::YesNo)
               != Ui::Answer::No;
    return true;
}
