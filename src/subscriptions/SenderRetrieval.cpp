#include "subscriptions/SenderRetrieval.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "mail/SenderAddress.h"
#include "settings/Settings.h"
#include "subscriptions/RequestWords.h"

namespace {

// What the dialog says when a method fails, and what it offers instead.
struct Offer {
    QString method;
    QString alternative;
    bool unstable;
    int alternativeValue;
};

const Offer kFromFailed{"From Header", "Dynamic", false, 1};
const Offer kReplyAddressFailed{"Reply Address", "Reply-To Header", false, 3};
const Offer kReplyToInDynamicFailed{"Reply-To Header", "Reply Address", false, 2};
const Offer kReplyToFailed{"Reply-To Header", "Envelope Sender", true, 4};
const Offer kEnvelopeFailed{"Envelope Sender", {}, false, 0};

const Offer* offerFor(int configured, int tried)
{
    switch (tried) {
    case 5: return &kFromFailed;
    case 2: return &kReplyAddressFailed;
    case 3: return configured == 1 ? &kReplyToInDynamicFailed : &kReplyToFailed;
    case 4: return &kEnvelopeFailed;
    default: return nullptr;  // method 0 fails silently
    }
}

}  // namespace

bool SenderRetrieval::tryMethod(const MailMessage& message, int method, Sender& sender)
{
    if (const std::optional<MailAddress> found = senderByMethod(message, method)) {
        sender = {GetAddress(found->address, found->name), found->name};
        if (!sender.address.isEmpty()) {
            failures_ = 0;
            return true;
        }
    }
    sender = {};
    if (method == 5)
        logs_.debug("ProcessOLE", "Redemption Error: no sender address in the message headers");
    if (const Offer* offer = offerFor(settings_.SenderAddressMethod, method))
        ShowSenderRetrievalError(offer->method, offer->alternative, offer->unstable, offer->alternativeValue);
    return false;
}

SenderRetrieval::Sender SenderRetrieval::retrieve(const MailMessage& message)
{
    Sender sender;
    switch (const int method = settings_.SenderAddressMethod) {
    case 5:
        logs_.debug("ProcessOLE", "Using ExtendedMAPI");
        tryMethod(message, 5, sender);
        break;
    case 1:
        if (!tryMethod(message, 2, sender))
            tryMethod(message, 3, sender);
        break;
    default:
        tryMethod(message, method, sender);
        break;
    }
    return sender;
}

void SenderRetrieval::ShowSenderRetrievalError(const QString& method, const QString& alternative,
                                               bool unstable, int alternativeValue)
{
    ++failures_;
    const QString phrase = alternative.isEmpty()
                               ? QString("disable retrieval of the sender address")
                               : "change to the " + alternative + " method for retrieval of the sender address";
    const QString opening =
        failures_ <= 10
            ? "An error was encountered retrieving the sender address of an e-mail.\n\nThis is probably due to "
              "a malformed e-mail, however it may be because the "
            : "CVN is experiencing problems with every attempt to retrieve the sender address of an e-mail.\n\n"
              "You may be low on memory or it may be because the ";
    const QString text = opening + method
                         + " Method is not supported on your system (see Advanced Options).\n\n"
                           "If this problem occurs with every message you should "
                         + phrase + "." + (unstable ? "  NOTE: May be unstable!\n\n" : "")
                         + "  Do you want to change to this method now?";
    if (!settings_.AlwaysShowSenderError)
        return;
    bool alwaysShow = settings_.AlwaysShowSenderError;
    const Ui::SenderChoice choice = ui_.askSenderMethod(text, alwaysShow);
    settings_.AlwaysShowSenderError = alwaysShow;
    if (choice == Ui::SenderChoice::ChangeMethod)
        settings_.SenderAddressMethod = alternativeValue;
    else if (choice == Ui::SenderChoice::CancelProcessing)
        cancelled_ = true;
}
