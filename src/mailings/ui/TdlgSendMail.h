#pragma once

#include "sending/ui/MessageComposer.h"

#include <QDialog>

class QVBoxLayout;

// "Send message to your mailing list": the composer, with room below it for the
// recipients and the send buttons of the send run.
class TdlgSendMail : public QDialog {
    Q_OBJECT
public:
    TdlgSendMail(MessageComposer::Services services, QWidget* parent = nullptr);

    MessageComposer& composer() { return *composer_; }
    // Where the send run puts its recipient choice and buttons.
    QVBoxLayout* runArea() { return runArea_; }

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Ui& ui_;
    MessageComposer* composer_;
    QVBoxLayout* runArea_;
    bool started_ = false;
};
