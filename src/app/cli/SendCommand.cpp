#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "sending/TdmMailSend.h"
#include "util/TextFiles.h"

#include <QFileInfo>
#include <QTextDocumentFragment>

namespace {

const QCommandLineOption kTo{"to", "A recipient: an address, or a name with the address in angle brackets. May be "
                                   "given more than once.",
                             "ADDR"};
const QCommandLineOption kCc{"cc", "A copy recipient, as for --to. May be given more than once.", "ADDR"};
const QCommandLineOption kSubject{"subject", "The subject line.", "S"};
const QCommandLineOption kBodyFile{"body-file", "The message text: a UTF-8 text file (HTML with --html).", "F"};
const QCommandLineOption kHtml{"html", "The body file holds HTML; a plain-text alternative is made from it."};
const QCommandLineOption kAttach{"attach", "A file to attach. May be given more than once.", "F"};
const QCommandLineOption kMethod{"method",
                                 "The send method: 0 the system's mail program, 1 the mail account (plain text), "
                                 "2 the mail account, 3 the SMTP server. Default: the one chosen in the options.",
                                 "N"};

int send(CliCall& call)
{
    const QCommandLineParser& options = call.parser();
    SendByMethodCall message;
    message.to = options.values(kTo);
    message.cc = options.values(kCc);
    message.subject = options.value(kSubject);
    message.attachments = options.values(kAttach);
    message.bodyIsHtml = options.isSet(kHtml);
    if (message.to.isEmpty()) {
        call.err << "send: give at least one recipient with --to" << Qt::endl;
        return 2;
    }
    for (const QString& file : std::as_const(message.attachments))
        if (!QFileInfo(file).isFile()) {
            call.err << "send: no such file to attach: " << file << Qt::endl;
            return 2;
        }
    if (options.isSet(kBodyFile)) {
        QString reason;
        const std::optional<QString> body = readText(options.value(kBodyFile), &reason);
        if (!body) {
            call.err << "send: " << cannotReadText(options.value(kBodyFile), reason) << Qt::endl;
            return 2;
        }
        message.body = *body;
    }
    if (message.bodyIsHtml)
        message.plainAlternative = QTextDocumentFragment::fromHtml(message.body).toPlainText();
    bool numeric = true;
    const int chosen = options.isSet(kMethod) ? options.value(kMethod).toInt(&numeric) : -2;
    if (!numeric || chosen < -2 || chosen > 3) {
        call.err << "send: the method is a number from 0 to 3, not " << options.value(kMethod) << Qt::endl;
        return 2;
    }
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    message.method = chosen >= 0 ? chosen : session->settings.EmailMethod;
    if (message.method < 0 || message.method > 4) {
        call.err << "send: no send method is chosen yet: give one with --method, or choose one in the options"
                 << Qt::endl;
        return 2;
    }
    if (message.method == 4) {
        call.err << "send: the relay server sends only whole mailings; give another method with --method" << Qt::endl;
        return 2;
    }
    message.connectForThisMessage = true;
    TdmMailSend& mailSend = session->CreatedmMailSend();
    mailSend.AddToSendLog(QString(), true);
    // A refusal reaches the console as the error dialog's text, in the server's words.
    if (!mailSend.SendByMethod(message))
        return 1;
    call.out << "sent" << Qt::endl;
    return 0;
}

}  // namespace

CliCommand sendCommand()
{
    return {"send",
            "Sends one message through the chosen send method, with the settings of this home.",
            {kTo, kCc, kSubject, kBodyFile, kHtml, kAttach, kMethod},
            {},
            send};
}
