#include "exchange/ui/ManuallyEnter.h"

#include "exchange/ui/TdlgEnterMore.h"

bool ManuallyEnter(QWidget* parent, const ListContext& ctx, const ImportHooks& hooks, const QString& pasted)
{
    TdlgEnterMore dialog(ctx, hooks, parent);
    if (!pasted.isEmpty())
        dialog.setEntriesText(pasted);
    return dialog.exec() == QDialog::Accepted;
}
