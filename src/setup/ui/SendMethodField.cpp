#include "setup/ui/SendMethodField.h"

#include "sending/ui/GetSendingMethod.h"
#include "sending/ui/TdlgSMTPSettings.h"
#include "sending/ui/TdlgSendMethod.h"
#include "settings/Settings.h"
#include "setup/ui/OptionsServices.h"
#include "setup/ui/Tdlgoptions.h"
#include "util/ui/WindowRoutines.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kSmtp = 3;
constexpr int kRelay = 4;

}  // namespace

SendMethodField::SendMethodField(const QString& name, int Settings::*method, Tdlgoptions& dialog,
                                 OptionsServices& services)
    : member_(method),
      dialog_(dialog),
      services_(services),
      edit_(named<QLineEdit>("edt" + name)),
      btnSettings_(named<QPushButton>("btn" + name + "Settings", "Settings..."))
{
    edit_->setReadOnly(true);
    auto* btnSelect = named<QPushButton>("btnSelect" + name, "Select...");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
    layout->addWidget(btnSelect);
    layout->addWidget(btnSettings_);
    connect(btnSelect, &QPushButton::clicked, this, &SendMethodField::select);
    connect(btnSettings_, &QPushButton::clicked, this, &SendMethodField::editMethodSettings);
}

void SendMethodField::load(const Settings& s)
{
    method_ = s.*member_;
    edit_->setText(TdlgSendMethod::MethodCaption(method_));
    btnSettings_->setEnabled(method_ == kSmtp || (method_ == kRelay && services_.relaySettings));
}

void SendMethodField::store(Settings& s) const
{
    s.*member_ = method_;
}

// The method dialog may ask for the SMTP or relay settings too: they go into the
// dialog's copy with the method.
void SendMethodField::select()
{
    dialog_.editDraft([this](Settings& s) {
        std::function<bool()> relay;
        if (services_.relaySettings)
            relay = [this, &s] { return services_.relaySettings(s); };
        s.*member_ = GetSendingMethod(this, services_.ui, services_.logs, s, s.*member_, relay);
    });
}

void SendMethodField::editMethodSettings()
{
    dialog_.editDraft([this](Settings& s) {
        if (method_ == kSmtp)
            TdlgSMTPSettings::edit(this, services_.ui, s);
        else if (method_ == kRelay)
            services_.relaySettings(s);
    });
}
