#include "sending/ui/TdlgSendMethod.h"

#include "base/Ui.h"
#include "sending/ui/TdlgSMTPSettings.h"
#include "settings/Settings.h"
#include "util/ui/WindowRoutines.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <iterator>

namespace {

struct MethodText {
    const char* name;
    const char* caption;
    const char* advantages;
    const char* what;
};

// By method number. The mail account stands where Outlook and MAPI were.
const MethodText kMethods[] = {
    {"rdbMAPI", "Use sendmail to send via your system's mail software",
     "Advantages: Supports most e-mail software\nDisadvantages: Doesn't support HTML messages",
     "CVN will hand its messages to your system's mail software (sendmail).  Your mail software is used for "
     "sending the messages"},
    {"rdbCDO", "Use your mail account to send (plain text only)",
     "Advantages: None\nDisadvantages: Only works with your mail account, doesn't support HTML messages",
     "CVN will send its messages through your mail account's server and keep a copy in its Sent folder."},
    {"rdbOLE", "Use your mail account to send (keeps a copy in Sent)",
     "Advantages: Supports HTML messages\nDisadvantages: Only works with your mail account",
     "CVN will send its messages through your mail account's server and keep a copy in its Sent folder."},
    {"rdbSMTP", "Use SMTP to send via your Mail Server", "Advantages: Fastest method, supports HTML messages\nDisadvantages: None",
     "CVN communicates via the mail server of your company or ISP to send the messages.  You will need to be "
     "connected to the Internet when sending."},
    {"rdbServer", "Use CVN's own Mail Relay Server to send directly to users", "",
     "CVN will use it's own mail relay server to send messages directly to the mail system of your users.  Your "
     "ISP or company's mail server is not used."},
};

// The order SelectedMethod looks in: MAPI, CDO, OLE, SMTP, relay server.
constexpr int kSmtp = 3;
constexpr int kRelay = 4;
constexpr int kNone = 255;

}  // namespace

QString TdlgSendMethod::MethodCaption(int method)
{
    return method >= 0 && method < int(std::size(kMethods)) ? QString(kMethods[method].caption) : QString();
}

TdlgSendMethod::TdlgSendMethod(Ui& ui, Settings& settings, std::function<bool()> relaySettings, QWidget* parent)
    : QDialog(parent), ui_(ui), settings_(settings), relaySettings_(std::move(relaySettings))
{
    setObjectName("dlgSendMethod");
    setWindowTitle("E-mail Sending Method");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        named<QLabel>("lblHeading", "Please select your preferred method for sending your e-mails:", this));
    auto* grid = new QGridLayout;
    btnSMTPSettings_ = named<QPushButton>("btnSMTPSettings", "Settings...", this);
    btnServerSettings_ = named<QPushButton>("btnServerSettings", "Settings...", this);
    // The mail account's own methods need the mail account as the e-mail software.
    const bool account = settings.EmailSoftware == 1;
    int row = 0;
    for (int method = 0; method < 5; ++method) {
        const MethodText& text = kMethods[method];
        auto* button = named<QRadioButton>(text.name, text.caption, this);
        buttons_ << button;
        connect(button, &QRadioButton::toggled, this, &TdlgSendMethod::followChoice);
        grid->addWidget(button, row, 0);
        if (method == kSmtp)
            grid->addWidget(btnSMTPSettings_, row, 1);
        if (method == kRelay)
            grid->addWidget(btnServerSettings_, row, 1);
        ++row;
        for (const char* line : {text.advantages, text.what}) {
            if (*line == 0)
                continue;
            auto* label = named<QLabel>(QString(text.name) + (line == text.what ? "What" : "Advantages"), line, this);
            label->setWordWrap(true);
            label->setIndent(20);
            grid->addWidget(label, row++, 0, 1, 2);
            label->setEnabled(method == 1 || method == 2 ? account : true);
        }
        button->setEnabled(method == 1 || method == 2 ? account : true);
    }
    layout->addLayout(grid);
    connect(btnSMTPSettings_, &QPushButton::clicked, this, [this] { TdlgSMTPSettings::edit(this, ui_, settings_); });
    btnServerSettings_->setEnabled(false);
    connect(btnServerSettings_, &QPushButton::clicked, this, [this] {
        if (relaySettings_)
            relaySettings_();
    });
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->setObjectName("btnsSendMethod");
    connect(box, &QDialogButtonBox::accepted, this, &TdlgSendMethod::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
    followChoice();
}

void TdlgSendMethod::SetSelectedMethod(int method)
{
    buttons_[method >= 1 && method <= 4 ? method : 0]->setChecked(true);
}

int TdlgSendMethod::SelectedMethod() const
{
    for (int method = 0; method < buttons_.size(); ++method)
        if (buttons_[method]->isChecked() && buttons_[method]->isEnabled())
            return method;
    return kNone;
}

void TdlgSendMethod::followChoice()
{
    btnSMTPSettings_->setEnabled(buttons_.size() > kSmtp && buttons_[kSmtp]->isChecked());
    btnServerSettings_->setEnabled(buttons_.size() > kRelay && buttons_[kRelay]->isChecked() && relaySettings_);
}

void TdlgSendMethod::accept()
{
    const int method = SelectedMethod();
    if (method == kNone) {
        ui_.inform("Please select one of the available sending options.");
        return;
    }
    if (method == kSmtp && (settings_.SMTPHost.isEmpty() || settings_.SMTPEmail.isEmpty())) {
        ui_.inform("You have selected the SMTP sending method.  Please enter your SMTP settings!");
        if (!TdlgSMTPSettings::edit(this, ui_, settings_))
            return;
    }
    if (method == kRelay && settings_.SMTPEmail.isEmpty()) {
        ui_.inform("You have selected the SMTP Server method.  Please enter your SMTP Server settings!");
        if (!relaySettings_ || !relaySettings_())
            return;
    }
    QDialog::accept();
}
