#include "setup/ui/ChoiceButtons.h"

#include "util/ui/WindowRoutines.h"

#include <QButtonGroup>
#include <QRadioButton>

ChoiceButtons::ChoiceButtons(QObject* parent) : group_(new QButtonGroup(parent)) {}

QRadioButton* ChoiceButtons::add(const QString& name, const QString& caption, const QString& value)
{
    auto* button = named<QRadioButton>(name, caption);
    group_->addButton(button, int(values_.size()));
    values_ << value;
    return button;
}

void ChoiceButtons::select(const QString& value)
{
    if (QRadioButton* b = button(value)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group keeps one button ticked; clearing needs it loosened for a moment.
    group_->setExclusive(false);
    for (QAbstractButton* b : group_->buttons())
        b->setChecked(false);
    group_->setExclusive(true);
}

QString ChoiceButtons::selected() const
{
    const int id = group_->checkedId();
    return id >= 0 ? values_[id] : QString();
}

QRadioButton* ChoiceButtons::button(const QString& value) const
{
    for (qsizetype id = 0; id < values_.size(); ++id)
        if (values_[id].compare(value, Qt::CaseInsensitive) == 0)
            return static_cast<QRadioButton*>(group_->button(int(id)));
    return nullptr;
}
