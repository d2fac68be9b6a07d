#include "subscriptions/WebForm.h"

#include "logs/Logs.h"
#include "settings/Settings.h"
#include "subscriptions/CurrentMessage.h"
#include "subscriptions/InsertEntry.h"
#include "subscriptions/ListContext.h"

#include <array>

namespace {

// The grid's rows in order: which value each prefix fills.
QString* valueOfRow(WebFormValues& form, qsizetype row)
{
    TCVNAddress& c = form.contact;
    const std::array<QString*, 12> rows = {&form.action, &form.email, &form.group, &form.name,
                                           &c.FirstName, &c.Surname,  &c.Company,  &c.Address,
                                           &c.City,      &c.State,    &c.ZIP,      &c.Country};
    return row < qsizetype(rows.size()) ? rows[row] : nullptr;
}

}  // namespace

bool WebFormValues::add() const
{
    return action.isEmpty()
           || !(action.contains("REMO", Qt::CaseInsensitive) || action.contains("UN", Qt::CaseInsensitive));
}

WebFormValues readWebForm(const Settings& settings, const QStringList& lines)
{
    WebFormValues form;
    if (lines.size() < 2) {
        form.error = "Web Submission Message contains no body";
        return form;
    }
    for (qsizetype i = 1; i < lines.size(); ++i)
        for (qsizetype row = 0; row < settings.WebForms.size(); ++row) {
            const QString& prefix = settings.WebForms[row];
            QString* value = valueOfRow(form, row);
            const qsizetype at = prefix.isEmpty() ? -1 : lines[i].indexOf(prefix, 0, Qt::CaseInsensitive);
            if (value && at >= 0)
                *value = lines[i].mid(at + prefix.size()).trimmed();
        }
    if (form.email.isEmpty())
        form.error = "No E-mail address was found";
    return form;
}

bool ProcessForm(const ListContext& ctx, const CurrentMessage& message)
{
    const WebFormValues form = readWebForm(ctx.settings, message.Memo1);
    if (!form.error.isEmpty()) {
        ctx.logs.AddToLog("Processing Form Message Error:" + form.error);
        return !form.email.isEmpty();
    }
    insertentry(ctx, form.add(), form.email, true, true, false, message.edtdate,
                "Change enacted by web form sent by " + form.email, form.contact, form.name, form.group);
    return true;
}
