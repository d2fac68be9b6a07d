#pragma once

#include "base/Ui.h"

// Answers every question with Yes and shows nothing: the bench runs unattended.
class YesUi : public Ui {
public:
    Answer message(Icon, const QString&, Buttons buttons) override
    {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    std::optional<QString> inputText(const QString&, const QString&, const QString& value) override
    {
        return value;
    }
    void showProgress(const QString&, int, bool) override {}
    void setProgress(int) override {}
    void hideProgress() override {}
    bool cancelRequested() override { return false; }
    void resetCancel() override {}
    void processEvents() override {}
    void setBusy(bool) override {}
    std::optional<QString> chooseDatabaseFolder(const QString& current) override { return current; }
};
