#include "mailings/ui/TdlgStaggerDelay.h"

#include "base/Ui.h"
#include "util/ui/WindowRoutines.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TdlgStaggerDelay::TdlgStaggerDelay(Ui& ui, QWidget* parent, int tickMs)
    : QDialog(parent), ui_(ui), tmrDelay_(new QTimer(this))
{
    setObjectName("dlgStaggerDelay");
    setWindowTitle("Send Delay");
    tmrDelay_->setObjectName("tmrDelay");
    tmrDelay_->setInterval(tickMs);
    // A coarse timer may fire early, which would shorten the pause the person set.
    tmrDelay_->setTimerType(Qt::PreciseTimer);
    connect(tmrDelay_, &QTimer::timeout, this, &TdlgStaggerDelay::tmrDelayTimer);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        named<QLabel>("lblStagger", "You have set the option to stagger the sending of your messages", this));
    auto* countdown = new QHBoxLayout;
    countdown->addWidget(named<QLabel>("lblNextEmail", "The next e-mail will be sent in", this));
    lblSeconds_ = named<QLabel>("lblSeconds", QString(), this);
    QFont bold = lblSeconds_->font();
    bold.setBold(true);
    lblSeconds_->setFont(bold);
    countdown->addWidget(lblSeconds_);
    countdown->addWidget(named<QLabel>("lblSecondsUnit", "seconds", this));
    countdown->addStretch();
    layout->addLayout(countdown);

    auto* buttons = new QHBoxLayout;
    auto* skip = named<QPushButton>("btnSkipDelay", "Skip this Delay", this);
    skip->setDefault(true);
    connect(skip, &QPushButton::clicked, this, [this] { finish(Result::Continue); });
    auto* skipAll = named<QPushButton>("btnSkipAllDelays", "Skip All Delays", this);
    connect(skipAll, &QPushButton::clicked, this, [this] { finish(Result::SkipAll); });
    auto* cancel = named<QPushButton>("btnCancel", "Cancel", this);
    connect(cancel, &QPushButton::clicked, this, &TdlgStaggerDelay::btnCancelClick);
    buttons->addWidget(skip);
    buttons->addWidget(skipAll);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

StaggerPause::Result TdlgStaggerDelay::pause(int seconds)
{
    remaining_ = seconds;
    result_ = Result::Continue;
    lblSeconds_->setNum(remaining_);
    tmrDelay_->start();
    exec();
    tmrDelay_->stop();
    return result_;
}

void TdlgStaggerDelay::tmrDelayTimer()
{
    if (--remaining_ < 0) {
        finish(Result::Continue);
        return;
    }
    lblSeconds_->setNum(remaining_);
}

void TdlgStaggerDelay::btnCancelClick()
{
    // The countdown waits for the answer, so the pause cannot end under the question.
    tmrDelay_->stop();
    if (ui_.askYesNo("Are you sure you want to cancel processing?")) {
        finish(Result::Cancel);
        return;
    }
    tmrDelay_->start();
}

void TdlgStaggerDelay::reject()
{
    finish(Result::Continue);
}

void TdlgStaggerDelay::finish(Result result)
{
    tmrDelay_->stop();
    result_ = result;
    done(QDialog::Accepted);
}
