#include "sending/ui/TdlgSendError.h"

#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TdlgSendError::TdlgSendError(const QString& text, bool hideFurther, std::function<bool()> confirmAbort,
                             std::function<void()> showRecipients, QWidget* parent)
    : QDialog(parent), confirmAbort_(std::move(confirmAbort))
{
    setObjectName("dlgSendError");
    setWindowTitle("Sending Error");
    auto* layout = new QVBoxLayout(this);
    auto* heading = named<QLabel>("lblHeading", "Send Error!", this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    // A server's reply can run to several lines; it stays readable and can be copied.
    auto* message = named<QPlainTextEdit>("memError", text, this);
    message->setReadOnly(true);
    layout->addWidget(message);
    chkNoErrors_ = named<QCheckBox>("chkNoErrors", "Do not show further errors", this);
    chkNoErrors_->setChecked(hideFurther);
    layout->addWidget(chkNoErrors_);
    auto* buttons = new QHBoxLayout;
    auto* ok = named<QPushButton>("btnOK", "OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* abort = named<QPushButton>("btnAbort", "Abort", this);
    connect(abort, &QPushButton::clicked, this, [this] {
        if (confirmAbort_ && !confirmAbort_())
            return;
        aborted_ = true;
        accept();
    });
    auto* recipients = named<QPushButton>("btnShowRecipients", "Show Recipients", this);
    recipients->setEnabled(bool(showRecipients));
    connect(recipients, &QPushButton::clicked, this, [showRecipients] {
        if (showRecipients)
            showRecipients();
    });
    buttons->addWidget(ok);
    buttons->addWidget(abort);
    buttons->addStretch();
    buttons->addWidget(recipients);
    layout->addLayout(buttons);
}

void TdlgSendError::reject()
{
    // Escape closes it as OK would: the run goes on.
    accept();
}

Ui::SendErrorChoice TdlgSendError::ask(QWidget* parent, const QString& text, bool& hideFurther,
                                       const std::function<bool()>& confirmAbort,
                                       const std::function<void()>& showRecipients)
{
    TdlgSendError dialog(text, hideFurther, confirmAbort, showRecipients, parent);
    dialog.exec();
    hideFurther = dialog.chkNoErrors_->isChecked();
    return dialog.aborted_ ? Ui::SendErrorChoice::Abort : Ui::SendErrorChoice::Ok;
}
