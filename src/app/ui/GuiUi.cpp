#include "app/ui/GuiUi.h"

#include "app/ui/TdlgSplash.h"
#include "sending/ui/TdlgSendError.h"
#include "store/ui/TdlgOpenDB.h"
#include "subscriptions/ui/TdlgChangeAddress.h"
#include "subscriptions/ui/TdlgSenderMethod.h"
#include "subscriptions/ui/TdlgChooseCategory.h"

#include <QApplication>
#include <QDebug>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

namespace {
const QString kCaption = "Corvanel";

QMessageBox::Icon boxIcon(Ui::Icon icon)
{
    switch (icon) {
    case Ui::Icon::Information: return QMessageBox::Information;
    case Ui::Icon::Warning: return QMessageBox::Warning;
    case Ui::Icon::Error: return QMessageBox::Critical;
    case Ui::Icon::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The buttons of each choice; the last one is what Escape means.
QList<QMessageBox::StandardButton> boxButtons(Ui::Buttons buttons)
{
    switch (buttons) {
    case Ui::Buttons::Ok: return {QMessageBox::Ok};
    case Ui::Buttons::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case Ui::Buttons::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case Ui::Buttons::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    }
    return {QMessageBox::Ok};
}

Ui::Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok: return Ui::Answer::Ok;
    case QMessageBox::Yes: return Ui::Answer::Yes;
    case QMessageBox::No: return Ui::Answer::No;
    default: return Ui::Answer::Cancel;
    }
}
}  // namespace

GuiUi::GuiUi() = default;
GuiUi::~GuiUi() = default;

Ui::Answer GuiUi::message(Icon icon, const QString& text, Buttons buttons)
{
    const auto list = boxButtons(buttons);
    if (dismissed_) {
        // Nobody is there to read it; the log output keeps it.
        qWarning().noquote() << text;
        return answerOf(list.back());
    }
    hideSplash();  // a splash on top would hide the question
    QMessageBox box(boxIcon(icon), kCaption, text, QMessageBox::NoButton, parent_);
    for (auto b : list)
        box.addButton(b);
    box.setDefaultButton(list.front());
    box.setEscapeButton(list.back());
    const int pressed = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return answerOf(pressed);
}

std::optional<QString> GuiUi::inputText(const QString& title, const QString& prompt,
                                        const QString& value)
{
    if (dismissed_)
        return std::nullopt;
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, value, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void GuiUi::showProgress(const QString& caption, int total, bool cancellable)
{
    total_ = total;
    if (total == 1 || dismissed_)
        return;
    if (!progress_) {
        progress_ = new QProgressDialog(parent_);
        progress_->setObjectName("ProgressWindow");
        progress_->setWindowTitle(kCaption);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        progress_->setMinimumDuration(0);
        // Cancel asks first instead of closing the window at once.
        QObject::disconnect(progress_, &QProgressDialog::canceled, progress_,
                            &QProgressDialog::cancel);
        QObject::connect(progress_, &QProgressDialog::canceled, progress_,
                         [this] { progressCancelled(); });
    }
    progress_->setLabelText(caption);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setCancelButtonText(cancellable ? QObject::tr("Cancel") : QString());
    progress_->show();
}

void GuiUi::setProgress(int position)
{
    if (!progress_ || !progress_->isVisible() || total_ <= 0)
        return;
    progress_->setValue(int(qint64(position) * 100 / total_));
}

void GuiUi::setProgressText(const QString& caption)
{
    if (progress_ && progress_->isVisible())
        progress_->setLabelText(caption);
}

void GuiUi::hideProgress()
{
    if (progress_)
        progress_->hide();
}

bool GuiUi::progressVisible() const
{
    return progress_ && progress_->isVisible();
}

void GuiUi::progressCancelled()
{
    if (askYesNo("Are you sure you want to cancel processing?"))
        cancel_ = true;
}

void GuiUi::processEvents()
{
    QApplication::processEvents();
}

void GuiUi::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

std::optional<QString> GuiUi::chooseDatabaseFolder(const QString& current)
{
    if (dismissed_)
        return std::nullopt;
    hideSplash();
    return TdlgOpenDB::choose(*this, current, parent_);
}

void GuiUi::showSplash()
{
    if (dismissed_)
        return;
    if (!splash_)
        splash_ = std::make_unique<TdlgSplash>();
    splash_->showNow();
}

void GuiUi::hideSplash()
{
    splash_.reset();
}

void GuiUi::dismissAll()
{
    dismissed_ = true;
    cancel_ = true;
    hideSplash();
    hideProgress();
    // Each dialog leaves its own event loop once control is back in it; hiding one
    // takes it off the stack of modal windows, so the next one shows up here.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        // One that refuses to be cancelled, or is no dialog, still goes.
        modal->hide();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

std::optional<QString> GuiUi::chooseGroup(const QString& heading, const QStringList& groups,
                                          const QString& initial,
                                          const std::function<bool(QString& group)>& accept)
{
    if (dismissed_)
        return std::nullopt;
    hideSplash();
    return TdlgChooseCategory::choose(parent_, heading, groups, initial, accept);
}

Ui::SenderChoice GuiUi::askSenderMethod(const QString& text, bool& alwaysShow)
{
    if (dismissed_)
        return SenderChoice::DoNotChange;
    hideSplash();
    return TdlgSenderMethod::ask(parent_, text, alwaysShow);
}

Ui::SendErrorChoice GuiUi::showSendError(const QString& text, bool& hideFurther,
                                         const std::function<bool()>& confirmAbort,
                                         const std::function<void()>& showRecipients)
{
    if (dismissed_)
        return SendErrorChoice::Ok;
    hideSplash();
    return TdlgSendError::ask(parent_, text, hideFurther, confirmAbort, showRecipients);
}

std::optional<Ui::AddressChange> GuiUi::askAddressChange(const QString& oldAddress,
                                                         const QString& newAddress,
                                                         bool showIgnoreRules)
{
    if (dismissed_)
        return std::nullopt;
    hideSplash();
    return TdlgChangeAddress::ask(parent_, oldAddress, newAddress, showIgnoreRules);
}
