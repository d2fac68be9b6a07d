#pragma once

#include <QString>
#include <functional>

class Ui;

// What a send run shares with the error dialog and the progress display: a
// confirmed cancel stops the loops at the next recipient; hidden errors are only
// logged until the next run or test send clears the flag.
struct SendFlags {
    bool CancelRequested = false;
    bool HideSendErrors = false;
};

// The "Sending Error" dialog for one failed message, unless errors are hidden. An
// Abort that is confirmed twice cancels the run; the dialog's box decides whether
// later errors are shown. showRecipients is the run's recipient list, when it has one.
void ShowSendError(Ui& ui, SendFlags& flags, const QString& text, const std::function<void()>& showRecipients = {});
