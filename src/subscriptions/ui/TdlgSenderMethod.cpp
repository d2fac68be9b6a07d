#include "subscriptions/ui/TdlgSenderMethod.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TdlgSenderMethod::TdlgSenderMethod(const QString& text, bool alwaysShow, QWidget* parent) : QDialog(parent)
{
    setObjectName("dlgSenderMethod");
    setWindowTitle("Error retrieving Sender Address");
    auto* layout = new QVBoxLayout(this);
    auto* message = new QLabel(text, this);
    message->setObjectName("lblMessage");
    message->setWordWrap(true);
    layout->addWidget(message);
    chkAlwaysShow = new QCheckBox("Always display error when cannot retrieve a sender address", this);
    chkAlwaysShow->setObjectName("chkAlwaysShow");
    chkAlwaysShow->setChecked(alwaysShow);
    layout->addWidget(chkAlwaysShow);
    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const char* name, const QString& caption, Ui::SenderChoice choice) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, [this, choice] {
            choice_ = choice;
            accept();
        });
        buttons->addWidget(button);
        return button;
    };
    addButton("btnChange", "Change Method", Ui::SenderChoice::ChangeMethod)->setDefault(true);
    addButton("btnNoChange", "Do not Change", Ui::SenderChoice::DoNotChange);
    addButton("btnCancelProcessing", "Cancel Processing", Ui::SenderChoice::CancelProcessing);
    layout->addLayout(buttons);
}

bool TdlgSenderMethod::alwaysShow() const { return chkAlwaysShow->isChecked(); }

Ui::SenderChoice TdlgSenderMethod::ask(QWidget* parent, const QString& text, bool& alwaysShow)
{
    TdlgSenderMethod dialog(text, alwaysShow, parent);
    const bool answered = dialog.exec() == QDialog::Accepted;
    alwaysShow = dialog.alwaysShow();
    return answered ? dialog.choice() : Ui::SenderChoice::DoNotChange;
}
