#pragma once

#include "base/Ui.h"

#include <QTextStream>

// The Ui of the command line: every message is printed (notices to standard
// output, warnings and errors to standard error) and every question gets the
// same answer: No / Cancel, or Yes / Ok when constructed with answerYes.
// A warning or error that is only told, not asked, means something did not
// happen as it should; they are counted so the command cannot claim success.
class ConsoleUi : public Ui {
public:
    ConsoleUi(bool answerYes, QTextStream& out, QTextStream& err);

    Answer message(Icon icon, const QString& text, Buttons buttons) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& value) override;
    void showProgress(const QString& caption, int total, bool cancellable) override;
    void setProgress(int) override {}
    void hideProgress() override {}
    bool cancelRequested() override { return false; }
    void resetCancel() override {}
    void processEvents() override {}
    void setBusy(bool) override {}
    std::optional<QString> chooseDatabaseFolder(const QString& current) override;

    int problemsTold() const { return problemsTold_; }

private:
    Answer answerFor(Buttons buttons) const;
    void print(QTextStream& stream, const QString& text);

    bool answerYes_;
    QTextStream& out_;
    QTextStream& err_;
    int problemsTold_ = 0;
};
