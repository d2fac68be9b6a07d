#include "setup/ui/OptionsUserSendingPage.h"

#include "settings/Settings.h"
#include "setup/ui/MailFolderField.h"
#include "setup/ui/OptionsControls.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

OptionsUserSendingPage::OptionsUserSendingPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("User Sending", dialog, services), ForwardToWhom_(this)
{
    QCheckBox* on = bindings().check("UserSending", "Allows users to send to mailing list");
    UserSendingFolder_ = new MailFolderField(
        bindings(), "UserSendingFolder", "btnSelectUserSendingFolder",
        "Please select the mail folder that CVN should scan for messages from users to forward to your mailing "
        "list",
        services);
    auto* folderLabel = new QLabel("User Message Folder:", this);
    QWidget* messages = whichMessages();
    QWidget* group = whichGroup();
    QCheckBox* mustBelong =
        bindings().check("MustBelongToGroup", "User must belong to the group they are sending to");
    QCheckBox* checkUser = bindings().check("CheckUser", "Check user exists in database and has sending rights");
    QCheckBox* notUntilAccepted =
        bindings().check("DefaultNoUserSend", "Do not allow users to send to the list until accepted");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(on);
    layout->addWidget(folderLabel);
    layout->addWidget(UserSendingFolder_);
    layout->addWidget(messages);
    layout->addWidget(group);
    layout->addWidget(mustBelong);
    layout->addWidget(checkUser);
    layout->addWidget(notUntilAccepted);
    layout->addStretch();
    enableWhenChecked(on, {folderLabel, UserSendingFolder_, messages, group, mustBelong, checkUser,
                           notUntilAccepted});
}

QWidget* OptionsUserSendingPage::whichMessages()
{
    auto* box = named<QGroupBox>("ForwardAll", "Forward", this);
    rdbForwardAll_ = named<QRadioButton>("rdbForwardAll", "All messages in the above folder", box);
    rdbForwardSubject_ =
        named<QRadioButton>("rdbForwardSubject", "Messages with the text [GROUP_NAME] in the subject", box);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(rdbForwardAll_);
    layout->addWidget(rdbForwardSubject_);
    return box;
}

QWidget* OptionsUserSendingPage::whichGroup()
{
    auto* box = named<QGroupBox>("ForwardToWhom", "Send to the group", this);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(
        ForwardToWhom_.add("rdbForwardToSender", "Use the Group that the sender belongs to", "Sender"));
    layout->addWidget(
        ForwardToWhom_.add("rdbForwardToSubject", "From the Subject, e.g. '[GROUP_NAME] My Feedback'", "Subject"));
    layout->addWidget(ForwardToWhom_.add(
        "rdbForwardToEmail", "From the address it was sent to, e.g. 'GROUP_NAME@yourdomain.com'", "Email"));
    layout->addWidget(
        ForwardToWhom_.add("rdbForwardToAll", "Ignore Group, send to all users in the database", "All"));
    return box;
}

void OptionsUserSendingPage::load(const Settings& s)
{
    OptionsPage::load(s);
    UserSendingFolder_->showRetrieval(s);
    // The default inbox also holds the requests: forwarding all of it would send them to the list.
    const bool all = s.ForwardAll && !defaultInboxOnly(s);
    (all ? rdbForwardAll_ : rdbForwardSubject_)->setChecked(true);
    ForwardToWhom_.select(s.ForwardToWhom);
}

void OptionsUserSendingPage::store(Settings& s) const
{
    OptionsPage::store(s);
    s.ForwardAll = rdbForwardAll_->isChecked();
    // With no choice ticked the stored rule stays as it was.
    if (const QString chosen = ForwardToWhom_.selected(); !chosen.isEmpty())
        s.ForwardToWhom = chosen;
}
