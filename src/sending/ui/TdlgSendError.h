#pragma once

#include "base/Ui.h"

#include <QDialog>
#include <functional>

class QCheckBox;

// "Sending Error": one failed message's text, with OK, Abort (confirmed first),
// "Show Recipients" and "Do not show further errors". Escape is OK.
class TdlgSendError : public QDialog {
    Q_OBJECT
public:
    TdlgSendError(const QString& text, bool hideFurther, std::function<bool()> confirmAbort,
                  std::function<void()> showRecipients, QWidget* parent = nullptr);

    static Ui::SendErrorChoice ask(QWidget* parent, const QString& text, bool& hideFurther,
                                   const std::function<bool()>& confirmAbort,
                                   const std::function<void()>& showRecipients);

protected:
    void reject() override;

private:
    QCheckBox* chkNoErrors_;
    std::function<bool()> confirmAbort_;
    bool aborted_ = false;
};
