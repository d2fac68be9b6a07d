#include "sending/MessageComposition.h"

#include "addresses/NameAndAddress.h"
#include "base/Ui.h"
#include "sending/FieldCodes.h"
#include "sending/InsertCodes.h"
#include "settings/Settings.h"
#include "store/SendListTable.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The send methods of SendByMethod; the first two cannot carry HTML.
constexpr int kSystemMailProgram = 0;
constexpr int kAccountPlain = 1;
constexpr int kAccountHtml = 2;
constexpr int kSmtp = 3;
constexpr int kMailAccountSoftware = 1;  // EmailSoftware

}  // namespace

MessageComposition::MessageComposition(Settings& settings)
    : RecipientsPerMessage(settings.MessageRecipientCount), settings_(settings)
{
}

MessageComposition::~MessageComposition() { deleteTemporaryFiles(); }

void MessageComposition::takeRecipientsPerMessage() { RecipientsPerMessage = settings_.MessageRecipientCount; }

QString MessageComposition::Personalise(const QString& text, const QString& fullName, const QString& firstName,
                                        const QString& surname, const QString& company,
                                        const QString& address) const
{
    if (!MessageIsPersonalised)
        return text;
    return ReplaceFieldCodes(text, {fullName, firstName, surname, company, address}, settings_);
}

QString MessageComposition::PersonaliseForAddress(const QString& text, const QString& address,
                                                  const SendListTable& sendList) const
{
    QString bare = address;
    QString name;
    SplitNameAndAddress(bare, name);
    const auto row = sendList.find(bare);
    if (!row)
        return text;
    return Personalise(text, row->Name, row->Salutation, row->Surname, row->Company, bare);
}

QStringList MessageComposition::trueAttachments() const { return lbxAttachments + lbxUsedImages; }

QString MessageComposition::insertImage(const QString& path)
{
    lbxImageSource.append(path);
    return imageCode(int(lbxImageSource.size()));
}

QString MessageComposition::insertLink(const QString& type, const QString& link, const QString& text)
{
    lbxLinks.append(type + link);
    return linkCode(int(lbxLinks.size()), text);
}

QString MessageComposition::ConvertImageTags(const QString& html, bool forPreview, const QString& tempFolder)
{
    ReplacedInsertCodes replaced = replaceInsertCodes(html, lbxImageSource, lbxLinks);
    lbxUsedImages = replaced.usedImages;
    if (forPreview) {
        for (const QString& image : lbxUsedImages) {
            const QString copy = QDir(tempFolder).filePath(QFileInfo(image).fileName());
            if (QFileInfo(copy) == QFileInfo(image))
                continue;  // the image itself lies there: never ours to delete
            if (QFile::exists(copy)) {
                // An earlier preview's copy is refreshed; anyone else's file is left alone.
                if (!lbxDeleteFiles.contains(copy) || !QFile::remove(copy))
                    continue;
            }
            if (QFile::copy(image, copy) && !lbxDeleteFiles.contains(copy))
                lbxDeleteFiles.append(copy);
        }
    }
    return replaced.html;
}

QString MessageComposition::switchHtmlOff(const QString& text)
{
    lbxImageSource.clear();
    lbxLinks.clear();
    lbxUsedImages.clear();
    return withoutInsertCodes(text);
}

bool MessageComposition::GetSalutationCheck(bool recompute, const QString& body, const QString& subject, Ui& ui)
{
    if (recompute)
        MessageIsPersonalised = HasFieldCodes(body) || HasFieldCodes(subject);
    if (RecipientsPerMessage == 1 || !MessageIsPersonalised)
        return true;
    if (!ui.askYesNo("You are currently using the option of sending messages to multiple recipients, but you "
                     "have entered custom salutation fields into your message.  To use this functionality "
                     "separate e-mails need to be sent to each recipient.  Do you want to enable this now?"))
        return false;
    RecipientsPerMessage = 1;
    return true;
}

bool MessageComposition::CheckSendingFormat(bool html, Ui& ui, const std::function<bool()>& confirmSmtpSettings)
{
    if (!html || (settings_.EmailMethod != kSystemMailProgram && settings_.EmailMethod != kAccountPlain))
        return true;
    const bool mailAccount = settings_.EmailSoftware == kMailAccountSoftware;
    if (!ui.askOkCancel("You are currently using an e-mail sending method which does not support HTML, however "
                        "your current message is formatted with HTML (Rich Text formatting).  Do you CVN to "
                        "change to the "
                        + QString(mailAccount ? "mail account" : "SMTP") + " method instead?" + "\n\n"
                        + "Note:  You can change this setting later under View|Options, Sending."))
        return false;
    if (mailAccount) {
        settings_.EmailMethod = kAccountHtml;
        return true;
    }
    if (!confirmSmtpSettings())
        return false;
    settings_.EmailMethod = kSmtp;
    return true;
}

void MessageComposition::deleteTemporaryFiles()
{
    for (const QString& file : std::as_const(lbxDeleteFiles))
        QFile::remove(file);
    lbxDeleteFiles.clear();
}
