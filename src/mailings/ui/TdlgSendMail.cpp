#include "mailings/ui/TdlgSendMail.h"

#include "base/Ui.h"
#include "util/ui/WindowRoutines.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TdlgSendMail::TdlgSendMail(MessageComposer::Services services, QWidget* parent)
    : QDialog(parent), ui_(services.ui)
{
    setObjectName("dlgSendMail");
    setWindowTitle("Send message to your mailing list");
    auto* layout = new QVBoxLayout(this);
    const auto showHelp = services.showHelp;
    composer_ = new MessageComposer(std::move(services), this);
    layout->addWidget(composer_, 1);
    runArea_ = new QVBoxLayout;
    layout->addLayout(runArea_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* help = buttons->addButton("&Help", QDialogButtonBox::HelpRole);
    help->setObjectName("btnHelp");
    help->setEnabled(bool(showHelp));
    connect(help, &QPushButton::clicked, this, [showHelp] { showHelp(306); });
    QPushButton* close = buttons->addButton("Close", QDialogButtonBox::RejectRole);
    close->setObjectName("btnClose");
    connect(close, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    layout->addWidget(buttons);
    resize(ScaleForScreen(760, this), ScaleForScreen(620, this));
}

void TdlgSendMail::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_)
        return;
    started_ = true;
    composer_->startNewMessage();
}

void TdlgSendMail::keyPressEvent(QKeyEvent* event)
{
    // Escape asks first: a message can be long work to lose. Closing from outside (a
    // session ending) goes through reject() and does not ask.
    if (event->key() == Qt::Key_Escape) {
        if (ui_.askYesNo("Are you sure that you want to close and loose the current message?"))
            done(QDialog::Rejected);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TdlgSendMail::done(int result)
{
    composer_->finish();
    QDialog::done(result);
}
