#include "sending/ui/TdlgSpelling.h"

#include "util/ui/WindowRoutines.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

TdlgSpelling::TdlgSpelling(const QString& word, const QStringList& suggestions, QWidget* parent) : QDialog(parent)
{
    setObjectName("dlgSpelling");
    setWindowTitle("Spelling");
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Not in Dictionary:", this), 0, 0);
    layout->addWidget(named<QLabel>("lblWord", word, this), 0, 1);
    layout->addWidget(new QLabel("Change To:", this), 1, 0);
    edtChangeTo_ = named<QLineEdit>("edtChangeTo", suggestions.value(0, word), this);
    layout->addWidget(edtChangeTo_, 1, 1);
    layout->addWidget(new QLabel("Suggestions:", this), 2, 0, Qt::AlignTop);
    lbxSuggestions_ = named<QListWidget>("lbxSuggestions", this);
    lbxSuggestions_->addItems(suggestions);
    if (!suggestions.isEmpty())
        lbxSuggestions_->setCurrentRow(0);
    connect(lbxSuggestions_, &QListWidget::currentTextChanged, edtChangeTo_, &QLineEdit::setText);
    connect(lbxSuggestions_, &QListWidget::itemDoubleClicked, this, [this] { decide(SpellDecision::Change); });
    layout->addWidget(lbxSuggestions_, 2, 1, 4, 1);
    const auto button = [this, layout](const char* name, const char* caption, int row, SpellDecision::Kind kind) {
        auto* pushButton = named<QPushButton>(name, caption, this);
        connect(pushButton, &QPushButton::clicked, this, [this, kind] { decide(kind); });
        layout->addWidget(pushButton, row, 2);
        return pushButton;
    };
    button("btnChange", "&Change", 1, SpellDecision::Change)->setDefault(true);
    button("btnIgnore", "&Ignore", 2, SpellDecision::Ignore);
    button("btnIgnoreAll", "Ignore &All", 3, SpellDecision::IgnoreAll);
    button("btnCancel", "Cancel", 4, SpellDecision::Cancel);
}

void TdlgSpelling::decide(SpellDecision::Kind kind)
{
    decision_ = {kind, kind == SpellDecision::Change ? edtChangeTo_->text() : QString()};
    if (kind == SpellDecision::Cancel)
        reject();
    else
        accept();
}

SpellDecide TdlgSpelling::asker(QWidget* parent)
{
    return [parent](const QString& word, const QStringList& suggestions) {
        TdlgSpelling dialog(word, suggestions, parent);
        dialog.exec();
        return dialog.decision();
    };
}
