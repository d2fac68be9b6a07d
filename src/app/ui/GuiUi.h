#pragma once

#include "base/Ui.h"

#include <QPointer>
#include <functional>
#include <memory>

#include <QProgressDialog>
class QWidget;
class TdlgSplash;

// The Ui of the desktop program: message boxes captioned "Corvanel", input boxes,
// the progress window, the wait cursor, the open-database dialog and the splash.
class GuiUi : public Ui {
public:
    GuiUi();
    ~GuiUi() override;

    // The window dialogs are centred over (the main window once it exists).
    void setParentWindow(QWidget* window) { parent_ = window; }

    Answer message(Icon icon, const QString& text, Buttons buttons) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& value) override;
    void showProgress(const QString& caption, int total, bool cancellable) override;
    void setProgress(int position) override;
    void setProgressText(const QString& caption) override;
    void hideProgress() override;
    bool cancelRequested() override { return cancel_; }
    void resetCancel() override { cancel_ = false; }
    void processEvents() override;
    void setBusy(bool busy) override;
    std::optional<QString> chooseDatabaseFolder(const QString& current) override;
    std::optional<QString> chooseGroup(const QString& heading, const QStringList& groups,
                                       const QString& initial,
                                       const std::function<bool(QString& group)>& accept) override;
    std::optional<AddressChange> askAddressChange(const QString& oldAddress,
                                                  const QString& newAddress,
                                                  bool showIgnoreRules) override;
    SenderChoice askSenderMethod(const QString& text, bool& alwaysShow) override;
    SendErrorChoice showSendError(const QString& text, bool& hideFurther, const std::function<bool()>& confirmAbort,
                                  const std::function<void()>& showRecipients) override;

    void showSplash();
    void hideSplash() override;

    // As at a session logout nothing may wait for a person: the open dialogs are
    // cancelled, innermost first, the splash and the progress window go, long work
    // is told to cancel, and from now on every message is answered as its Escape
    // button would answer it and every dialog as cancelled, without showing them.
    void dismissAll();

    bool progressVisible() const;
    QProgressDialog* progressWindow() const { return progress_; }
    // Cancel of the progress window: asks, and sets the cancel flag on Yes.
    void progressCancelled();

private:
    QPointer<QWidget> parent_;
    QPointer<QProgressDialog> progress_;
    std::unique_ptr<TdlgSplash> splash_;
    int total_ = 0;
    bool cancel_ = false;
    bool dismissed_ = false;
};
