#pragma once

#include <QList>
#include <QString>

class QButtonGroup;
class QObject;
class QRadioButton;

// Radio buttons that together show one text setting, each standing for one of
// its values.
class ChoiceButtons {
public:
    explicit ChoiceButtons(QObject* parent);

    QRadioButton* add(const QString& name, const QString& caption, const QString& value);
    // Ticks the button of the value, matched in any letter case; none when no button has it.
    void select(const QString& value);
    // The value of the ticked button; empty when none is.
    QString selected() const;
    QRadioButton* button(const QString& value) const;

private:
    QButtonGroup* group_;
    QList<QString> values_;  // by button id
};
