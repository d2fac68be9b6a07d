#include "setup/ui/MailFolderField.h"

#include "base/Ui.h"
#include "setup/ui/OptionsControls.h"
#include "setup/ui/OptionsServices.h"
#include "setup/ui/SettingBindings.h"
#include "util/ui/WindowRoutines.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

MailFolderField::MailFolderField(SettingBindings& bindings, const char* key, const QString& buttonName,
                                 QString prompt, OptionsServices& services)
    : edit_(bindings.text(key)),
      button_(named<QPushButton>(buttonName, "Select...")),
      prompt_(std::move(prompt)),
      services_(services)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
    layout->addWidget(button_);
    button_->setEnabled(bool(services_.pickFolder));
    connect(button_, &QPushButton::clicked, this, &MailFolderField::pick);
}

void MailFolderField::showRetrieval(const Settings& s)
{
    defaultInboxOnly_ = defaultInboxOnly(s);
    if (defaultInboxOnly_)
        edit_->setText(kDefaultFolderText);
    else if (edit_->text() == kDefaultFolderText)
        edit_->clear();
}

void MailFolderField::enableForRetrieval(const Settings& s)
{
    defaultInboxOnly_ = defaultInboxOnly(s);
    setEnabled(!defaultInboxOnly_);
}

void MailFolderField::pick()
{
    if (defaultInboxOnly_) {
        services_.ui.inform("You are not using the Mail Account Integration option, so only the default folder "
                            "can be scanned.");
        return;
    }
    const QString folder = services_.pickFolder(prompt_);
    if (!folder.isEmpty())
        edit_->setText(folder);
}
