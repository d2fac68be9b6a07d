#include "setup/ui/SettingBindings.h"

#include "settings/SettingsKeys.h"
#include "setup/ui/OptionsControls.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <stdexcept>

namespace {

// A control bound to a key that is missing or of another type is a mistake in
// the page, not something a user can cause: it must fail the first test that
// opens the page.
template <class Member> Member memberOf(const char* key)
{
    const SettingKey* found = settingKey(QString::fromLatin1(key));
    if (!found || !std::holds_alternative<Member>(found->binding))
        throw std::logic_error(std::string("no settings key of that type: ") + key);
    return std::get<Member>(found->binding);
}

}  // namespace

QCheckBox* SettingBindings::check(const char* key, const QString& caption, bool inverted)
{
    const auto member = memberOf<bool Settings::*>(key);
    auto* box = named<QCheckBox>(QLatin1String(key), caption);
    loaders_.push_back([=](const Settings& s) { box->setChecked((s.*member) != inverted); });
    storers_.push_back([=](Settings& s) { s.*member = box->isChecked() != inverted; });
    return box;
}

QLineEdit* SettingBindings::text(const char* key)
{
    const auto member = memberOf<QString Settings::*>(key);
    auto* edit = named<QLineEdit>(QLatin1String(key));
    loaders_.push_back([=](const Settings& s) { edit->setText(s.*member); });
    storers_.push_back([=](Settings& s) { s.*member = edit->text(); });
    return edit;
}

QSpinBox* SettingBindings::number(const char* key)
{
    const auto member = memberOf<int Settings::*>(key);
    auto* spin = named<QSpinBox>(QLatin1String(key));
    if (const auto usual = settingKey(QString::fromLatin1(key))->rule.usual)
        spin->setRange(usual->min, usual->max);
    else
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    loaders_.push_back([=](const Settings& s) { spin->setValue(s.*member); });
    storers_.push_back([=](Settings& s) { s.*member = spin->value(); });
    return spin;
}

QComboBox* SettingBindings::choice(const char* key, const QStringList& captions)
{
    const auto member = memberOf<int Settings::*>(key);
    auto* combo = named<QComboBox>(QLatin1String(key));
    combo->addItems(captions);
    loaders_.push_back([=](const Settings& s) {
        combo->setCurrentIndex(s.*member >= 0 && s.*member < combo->count() ? s.*member : -1);
    });
    storers_.push_back([=](Settings& s) {
        if (combo->currentIndex() >= 0)
            s.*member = combo->currentIndex();
    });
    return combo;
}

QComboBox* SettingBindings::textChoice(const char* key)
{
    const auto member = memberOf<QString Settings::*>(key);
    auto* combo = named<QComboBox>(QLatin1String(key));
    for (const char* spelling : settingKey(QString::fromLatin1(key))->rule.choices)
        combo->addItem(QLatin1String(spelling));
    loaders_.push_back([=](const Settings& s) {
        combo->setCurrentIndex(combo->findText(s.*member, Qt::MatchFixedString));
    });
    storers_.push_back([=](Settings& s) {
        if (combo->currentIndex() >= 0)
            s.*member = combo->currentText();
    });
    return combo;
}

QPlainTextEdit* SettingBindings::lines(const QString& name, QStringList Settings::*member)
{
    auto* edit = named<QPlainTextEdit>(name);
    loaders_.push_back([=](const Settings& s) { showLines(edit, s.*member); });
    storers_.push_back([=](Settings& s) { s.*member = linesOf(edit); });
    return edit;
}

void SettingBindings::load(const Settings& s) const
{
    for (const auto& load : loaders_)
        load(s);
}

void SettingBindings::store(Settings& s) const
{
    for (const auto& store : storers_)
        store(s);
}
