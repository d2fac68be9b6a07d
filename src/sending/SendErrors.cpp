#include "sending/SendErrors.h"

#include "base/Ui.h"

void ShowSendError(Ui& ui, SendFlags& flags, const QString& text, const std::function<void()>& showRecipients)
{
    if (flags.HideSendErrors)
        return;
    bool hideFurther = false;
    const Ui::SendErrorChoice choice = ui.showSendError(
        text, hideFurther, [&ui] { return ui.askYesNo("Are you sure you want to abort sending of your message?"); },
        showRecipients);
    if (choice == Ui::SendErrorChoice::Abort)
        flags.CancelRequested = ui.askYesNo("Are you sure you want to cancel processing?");
    flags.HideSendErrors = hideFurther;
}
