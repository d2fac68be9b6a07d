#include "sending/ui/GetSendingMethod.h"

#include "logs/Logs.h"
#include "sending/ui/TdlgSendMethod.h"

int GetSendingMethod(QWidget* parent, Ui& ui, Logs& logs, Settings& settings, int current,
                     const std::function<bool()>& relaySettings)
{
    logs.debug("GetSendingMethod", "Commence");
    int chosen = current;
    {
        TdlgSendMethod dialog(ui, settings, relaySettings, parent);
        dialog.SetSelectedMethod(current);
        logs.debug("GetSendingMethod", "Show Form");
        const bool ok = dialog.exec() == QDialog::Accepted;
        if (ok)
            chosen = dialog.SelectedMethod();
        logs.debug("GetSendingMethod", "Free form");
        if (!ok)
            return chosen;
    }
    logs.debug("GetSendingMethod", "End");
    return chosen;
}
