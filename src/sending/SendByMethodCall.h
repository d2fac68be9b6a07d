#pragma once

#include <QString>
#include <QStringList>

// One composed message as SendByMethod takes it: its fifteen parameters, in
// their order, named. Each method reads the ones it uses and ignores the rest.
struct SendByMethodCall {
    bool personalise = false;  // relay server: personalise each recipient's copy
    bool displayOnly = false;  // show the message instead of sending it (test messages)
    QStringList to;
    QStringList cc;
    QStringList bcc;
    QString subject;
    QString body;              // HTML when bodyIsHtml, else plain text
    QString plainAlternative;  // SMTP: the plain part beside an HTML body
    bool bodyIsHtml = false;
    QStringList attachments;   // full file paths
    bool showErrors = true;    // clear: failures are only logged
    int method = 0;            // SendMethod
    bool showSummary = false;  // relay server: the summary at its end
    int recipientLimit = -1;   // relay server: -1 for all
    bool connectForThisMessage = false;  // SMTP: connect before and disconnect after
};
