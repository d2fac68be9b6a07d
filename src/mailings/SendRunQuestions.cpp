#include "mailings/SendRunQuestions.h"

#include "base/Ui.h"
#include "sending/SmtpInternetCheck.h"
#include "settings/Settings.h"

#include <QFileInfo>

bool AskDefaultSendMethod(Settings& settings, Ui& ui)
{
    if (settings.EmailMethod == -1) {
        if (!ui.askOkCancel(QStringLiteral("Your preferred e-mail sending method has not been specified.  The default, "
                                           "MAPI transport, will be used.  You can change this under View|Options, "
                                           "Sending, if you prefer another method or encounter any problems."),
                            Ui::Icon::Information))
            return false;
        settings.EmailMethod = 0;
    }
    if (settings.AltSendMethod == -1)
        settings.AltSendMethod = settings.EmailMethod;
    return true;
}

bool ConfirmMessageContent(const QString& subject, const QString& body, Ui& ui)
{
    return (!subject.isEmpty() && body.size() > 2) ||
           ui.askYesNo(QStringLiteral("You have not entered a subject or a message for this e-mail.  Are you sure you "
                                      "want to continue?"));
}

bool InternetCheckPasses(const Settings& settings, int method, Ui& ui)
{
    if (!settings.Check4InternetConnection || (method != 3 && method != 4) || connectedToInternet(settings.SMTPHost))
        return true;
    return ui.message(Ui::Icon::Warning,
                      QStringLiteral("You do not appear to be connected to the Internet.  Please connect to the "
                                     "Internet and then click OK to proceed."),
                      Ui::Buttons::OkCancel) != Ui::Answer::Cancel;
}

std::optional<QStringList> AttachmentsToSend(QStringList files, Ui& ui)
{
    for (qsizetype i = files.size() - 1; i >= 0; --i) {
        if (QFileInfo(files[i]).isFile())
            continue;
        if (!ui.askYesNo("The attached file, " + files[i] + ", cannot be located.  Do you still want to send this "
                                                            "message?",
                         Ui::Icon::Warning))
            return std::nullopt;
        files.removeAt(i);
    }
    return files;
}
