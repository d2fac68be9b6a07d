#pragma once

#include "base/Ui.h"

#include <QDialog>

class QCheckBox;

// "Error retrieving Sender Address": why the sender could not be read and what
// to do about it; Escape answers "Do not Change".
class TdlgSenderMethod : public QDialog {
    Q_OBJECT
public:
    TdlgSenderMethod(const QString& text, bool alwaysShow, QWidget* parent = nullptr);

    Ui::SenderChoice choice() const { return choice_; }
    bool alwaysShow() const;

    static Ui::SenderChoice ask(QWidget* parent, const QString& text, bool& alwaysShow);

private:
    QCheckBox* chkAlwaysShow;
    Ui::SenderChoice choice_ = Ui::SenderChoice::DoNotChange;
};
