#pragma once

#include "mailings/StaggerPause.h"

#include <QDialog>

class QLabel;
class QTimer;
class Ui;

// "Send Delay": the countdown a staggered run shows before each message but its
// first. One dialog serves every pause of a run.
class TdlgStaggerDelay : public QDialog, public StaggerPause {
    Q_OBJECT
public:
    // tickMs is the length of one counted second.
    explicit TdlgStaggerDelay(Ui& ui, QWidget* parent = nullptr, int tickMs = 1000);

    Result pause(int seconds) override;

protected:
    // Escape and the window's close button skip this delay.
    void reject() override;

private:
    void tmrDelayTimer();
    void btnCancelClick();
    void finish(Result result);

    Ui& ui_;
    QTimer* tmrDelay_;
    QLabel* lblSeconds_;
    int remaining_ = 0;
    Result result_ = Result::Continue;
};
