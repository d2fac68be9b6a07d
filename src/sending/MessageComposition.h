#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <functional>

class SendListTable;
class Ui;
struct Settings;

// What the send dialog knows about the message being written, apart from its
// widgets: the images, links and attachments, whether it is personalised and how
// many recipients share one copy. The lists are plain text lists the user never
// sees.
class MessageComposition {
public:
    // RecipientsPerMessage starts as the setting MessageRecipientCount.
    explicit MessageComposition(Settings& settings);
    ~MessageComposition();  // deletes the temporary files
    MessageComposition(const MessageComposition&) = delete;
    MessageComposition& operator=(const MessageComposition&) = delete;

    QStringList lbxImageSource;  // full paths; entry n belongs to "%IMAGE" + n + "%"
    QStringList lbxLinks;        // targets with their prefix; entry n belongs to "%LINK" + n + "%"
    QStringList lbxUsedImages;   // the images whose code is in the current HTML body
    QStringList lbxAttachments;  // as the user chose them
    QStringList lbxDeleteFiles;  // temporary files, deleted when the composing ends
    bool MessageIsPersonalised = false;
    int RecipientsPerMessage;  // 1: one message per recipient
    bool CustomHTMLLoaded = false;
    bool UseBodyAsIs = false;

    // After the sending options changed, the copy follows the setting again.
    void takeRecipientsPerMessage();

    // The text for one recipient, unchanged unless the message is personalised.
    QString Personalise(const QString& text, const QString& fullName, const QString& firstName,
                        const QString& surname, const QString& company, const QString& address) const;
    // Personalise with the row of the recipient text's address in the run's send
    // list (letter case aside); unchanged when the address is not there.
    QString PersonaliseForAddress(const QString& text, const QString& address, const SendListTable& sendList) const;

    // What is actually sent: the chosen attachments, then the used images.
    QStringList trueAttachments() const;

    // The code to put into the editor for a new image or link; the image path and
    // the link target (type "http://" or "mailto:" followed by the link) are kept.
    QString insertImage(const QString& path);
    QString insertLink(const QString& type, const QString& link, const QString& text);

    // The HTML with the image and link codes replaced; lbxUsedImages becomes the
    // images it refers to. For a preview each used image is copied into tempFolder
    // under its file name, so the previewed page finds it.
    QString ConvertImageTags(const QString& html, bool forPreview, const QString& tempFolder = QDir::tempPath());

    // HTML is switched off: the editor text without the image and link codes (link
    // texts stay); images and links are forgotten.
    QString switchHtmlOff(const QString& text);

    // Before a send or test: false when the user declines one message per
    // recipient for a personalised message. recompute first decides from the body
    // and subject whether it is personalised.
    bool GetSalutationCheck(bool recompute, const QString& body, const QString& subject, Ui& ui);

    // Before a send: false when an HTML message would go by a method that cannot
    // carry HTML and the user declines another. confirmSmtpSettings shows the SMTP
    // settings dialog and says whether it was confirmed.
    bool CheckSendingFormat(bool html, Ui& ui, const std::function<bool()>& confirmSmtpSettings);

    // Errors are ignored: a file that cannot go now is only a leftover.
    void deleteTemporaryFiles();

private:
    Settings& settings_;
};
