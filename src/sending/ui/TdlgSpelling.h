#pragma once

#include "sending/SpellCheck.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

// "Spelling": one misspelt word, its suggestions and what to do with it.
class TdlgSpelling : public QDialog {
    Q_OBJECT
public:
    TdlgSpelling(const QString& word, const QStringList& suggestions, QWidget* parent = nullptr);

    // The decide step of a spell check, one dialog per word; closing it cancels.
    static SpellDecide asker(QWidget* parent);

    SpellDecision decision() const { return decision_; }

private:
    void decide(SpellDecision::Kind kind);

    QLineEdit* edtChangeTo_;
    QListWidget* lbxSuggestions_;
    SpellDecision decision_{SpellDecision::Cancel, {}};
};
