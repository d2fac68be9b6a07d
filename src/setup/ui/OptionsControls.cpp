#include "setup/ui/OptionsControls.h"

#include "settings/Settings.h"

#include <QAbstractButton>
#include <QPlainTextEdit>

bool defaultInboxOnly(const Settings& s)
{
    constexpr int kDefaultInboxOnly = 1;
    return s.RetrieveMethod == kDefaultInboxOnly;
}

void enableWhenChecked(QAbstractButton* box, const QList<QWidget*>& dependents)
{
    const auto follow = [dependents](bool on) {
        for (QWidget* w : dependents)
            w->setEnabled(on);
    };
    QObject::connect(box, &QAbstractButton::toggled, box, follow);
    follow(box->isChecked());
}

void showLines(QPlainTextEdit* edit, const QStringList& lines)
{
    edit->setPlainText(lines.join('\n'));
}

QStringList linesOf(const QPlainTextEdit* edit)
{
    const QString text = edit->toPlainText();
    return text.isEmpty() ? QStringList() : text.split('\n');
}
