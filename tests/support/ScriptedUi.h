#pragma once

#include "base/Ui.h"

#include <QList>
#include <deque>

// Records every text the core shows and answers from a queue, so a test can
// assert the exact messages of a flow. An empty queue answers No / Cancel
// (Ok for plain notices) and counts the question as unanswered.
class ScriptedUi : public Ui {
public:
    struct Shown {
        Icon icon;
        Buttons buttons;
        QString text;
    };

    QList<Shown> shown;
    QStringList progressCaptions;
    QList<int> progressPositions;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> inputs;
    int unanswered = 0;
    int busyDepth = 0;
    int maxBusyDepth = 0;
    int cancelAt = -1;  // cancel once this many progress positions were reported
    bool cancelled = false;
    int splashHidden = 0;

    void answer(Answer a) { answers.push_back(a); }
    void input(std::optional<QString> text) { inputs.push_back(std::move(text)); }
    QStringList texts() const;
    bool sawText(const QString& text) const { return texts().contains(text); }

    Answer message(Icon icon, const QString& text, Buttons buttons) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& value) override;
    void showProgress(const QString& caption, int total, bool cancellable) override;
    void setProgress(int position) override;
    void hideProgress() override {}
    bool cancelRequested() override { return cancelled; }
    void resetCancel() override { cancelled = false; }
    void processEvents() override {}
    void setBusy(bool busy) override;
    void hideSplash() override { ++splashHidden; }
    // Answers of the open-database dialog, in order; empty: cancelled.
    std::deque<std::optional<QString>> chosenFolders;
    std::optional<QString> chooseDatabaseFolder(const QString&) override;
    // Texts typed into the group chooser, in order: one that the chooser's OK check
    // refuses is followed by the next, as a person trying again; nullopt: cancelled.
    std::deque<std::optional<QString>> chosenGroups;
    QStringList groupChoiceLists;  // the chooser's list each time, joined by ","
    std::optional<QString> chooseGroup(const QString& heading, const QStringList& groups,
                                       const QString& initial,
                                       const std::function<bool(QString&)>& accept) override;
    // Answers of the address-change dialog, in order; empty or nullopt: cancelled.
    std::deque<std::optional<AddressChange>> addressChanges;
    QList<bool> ignoreRulesShown;
    std::optional<AddressChange> askAddressChange(const QString& oldAddress,
                                                  const QString& newAddress,
                                                  bool showIgnoreRules) override;
    // Answers of the send-error dialog, in order: the button pressed and the state of
    // "Do not show further errors". Empty: OK with the box as it was. Abort is
    // pressed once its confirmation agrees, else the answer is OK.
    struct SendErrorAnswer {
        SendErrorChoice choice = SendErrorChoice::Ok;
        bool hideFurther = false;
    };
    std::deque<SendErrorAnswer> sendErrorAnswers;
    QStringList sendErrors;
    SendErrorChoice showSendError(const QString& text, bool& hideFurther, const std::function<bool()>& confirmAbort,
                                  const std::function<void()>& showRecipients) override;
};
