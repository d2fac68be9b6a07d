#include "exchange/ui/ManuallyEnter.h"

#include "exchange/ui/TdlgEnterMore.h"
#include "store/Database.h"
#include "store/TdmML.h"
#include "subscriptions/ListContext.h"

bool ManuallyEnter(QWidget* parent, const ListContext& ctx, const ImportHooks& hooks, const QString& pasted)
{
    TdlgEnterMore dialog(ctx, hooks, parent);
    if (!pasted.isEmpty())
        dialog.setEntriesText(pasted);
    const bool processed = dialog.exec() == QDialog::Accepted;
    ctx.db.database().flush();
    return processed;
}
