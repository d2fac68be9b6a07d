#pragma once

#include <QString>
#include <QStringList>

struct MailMessage;

// The message being processed, as the retrieval window carries it between the
// check run, classification, the entry rules and forwarding. The request fields
// (edtemail, edtname, edtcategory, chkdoadd) keep their values from one message
// to the next unless a step sets them.
struct CurrentMessage {
    QString edtsubject;
    QString edtdate;        // date-time text; the time of reading when the message has none
    QString edtsender;      // sender address as retrieved (may be empty)
    QString edtsendername;
    QString edtemail;       // the address a request acts on; preset from the sender
    QString edtname;
    QString edtcategory;
    bool chkdoadd = false;  // true = subscribe
    QString edtFirstRecipient;  // "Name <address>" or a bare address
    QStringList Memo1;          // body lines; classification inserts the subject as line 0
    QStringList lbxAttach;      // saved attachments, in a forwarding pass
    bool chkScanListChanges = false;
    bool chkScanUserEmails = false;

    // The message as parsed, for the rules that read its header fields and MIME
    // parts; null when a message is given only as the fields above.
    const MailMessage* mail = nullptr;
};
