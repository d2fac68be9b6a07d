#pragma once

#include "setup/ui/ChoiceButtons.h"
#include "setup/ui/OptionsPage.h"

class MailFolderField;
class QRadioButton;

// "User Sending": members' messages found in a folder are forwarded to a group of
// the list, and who may send them.
class OptionsUserSendingPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsUserSendingPage(Tdlgoptions& dialog, OptionsServices& services);

    void load(const Settings& s) override;
    void store(Settings& s) const override;

private:
    QWidget* whichMessages();
    QWidget* whichGroup();

    MailFolderField* UserSendingFolder_;
    QRadioButton* rdbForwardAll_;
    QRadioButton* rdbForwardSubject_;
    ChoiceButtons ForwardToWhom_;
};
