#include "setup/ui/OptionsSendingMailPage.h"

#include "addresses/AddressSyntax.h"
#include "base/Ui.h"
#include "settings/Settings.h"
#include "setup/ui/OptionsControls.h"
#include "setup/ui/OptionsServices.h"
#include "setup/ui/SendMethodField.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kOnePerMessage = 1;
constexpr int kRecipientStep = 25;

}  // namespace

OptionsSendingMailPage::OptionsSendingMailPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Sending Mail", dialog, services)
{
    DefaultToAddress_ = bindings().text("DefaultToAddress");
    DefaultToAddress_->installEventFilter(this);
    auto* to = new QGroupBox("Always add the following e-mail address to the To: line of sent mail:", this);
    (new QVBoxLayout(to))->addWidget(DefaultToAddress_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(methods());
    layout->addWidget(recipients());
    layout->addWidget(to);
    layout->addWidget(bindings().check("SendLog", "Save a log file when sending e-mail"));
    layout->addStretch();
}

QWidget* OptionsSendingMailPage::methods()
{
    EmailMethod_ = new SendMethodField("EmailMethod", &Settings::EmailMethod, dialog(), services());
    AltSendMethod_ = new SendMethodField("AltSendMethod", &Settings::AltSendMethod, dialog(), services());
    auto* box = new QGroupBox("E-mail Sending Method", this);
    auto* layout = new QFormLayout(box);
    layout->addRow("Messages to your mailing list:", EmailMethod_);
    layout->addRow("Acknowledgements and forwarded user messages:", AltSendMethod_);
    return box;
}

QWidget* OptionsSendingMailPage::recipients()
{
    auto* box = new QGroupBox("Recipients", this);
    rdbSeparateMessages_ = named<QRadioButton>(
        "rdbSeparateMessages", "Send a separate message to each e-mail address (using the To: field)", box);
    rdbHiddenRecipients_ =
        named<QRadioButton>("rdbHiddenRecipients", "Add multiple addresses (hidden) to each e-mail", box);
    MessageRecipientCount_ = bindings().number("MessageRecipientCount");
    MessageRecipientCount_->setSingleStep(kRecipientStep);
    auto* countLabel = new QLabel("Maximum number of recipients per message:", box);
    auto* count = new QHBoxLayout;
    count->addWidget(countLabel);
    count->addWidget(MessageRecipientCount_);
    count->addStretch();
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(rdbSeparateMessages_);
    layout->addWidget(rdbHiddenRecipients_);
    layout->addLayout(count);
    enableWhenChecked(rdbHiddenRecipients_, {countLabel, MessageRecipientCount_});
    return box;
}

void OptionsSendingMailPage::load(const Settings& s)
{
    OptionsPage::load(s);
    EmailMethod_->load(s);
    AltSendMethod_->load(s);
    const bool separate = s.MessageRecipientCount == kOnePerMessage;
    (separate ? rdbSeparateMessages_ : rdbHiddenRecipients_)->setChecked(true);
    // One per message leaves the count to offer when hidden copies are chosen.
    if (separate)
        MessageRecipientCount_->setValue(Settings().MessageRecipientCount);
}

void OptionsSendingMailPage::store(Settings& s) const
{
    OptionsPage::store(s);
    EmailMethod_->store(s);
    AltSendMethod_->store(s);
    if (rdbSeparateMessages_->isChecked())
        s.MessageRecipientCount = kOnePerMessage;
}

// Leaving the field for another control of the dialog is when the address is
// looked at; switching to another window, or the dialog closing, is not leaving it.
bool OptionsSendingMailPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DefaultToAddress_ && event->type() == QEvent::FocusOut && window()->isVisible()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            checkDefaultToAddress();
    }
    return OptionsPage::eventFilter(watched, event);
}

void OptionsSendingMailPage::checkDefaultToAddress()
{
    const QString address = DefaultToAddress_->text();
    int code = AddressError::None;
    if (address.isEmpty() || CheckAddressSyntax(address, code))
        return;
    if (!services().ui.askYesNo("The To: address that you specified, " + address
                                + ", does not appear to be valid.  Are you sure you want to use it?"))
        DefaultToAddress_->clear();
}
