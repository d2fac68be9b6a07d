#pragma once

#include <QString>
#include <QStringList>
#include <QStringList>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
struct Settings;

// The controls of a page that each show one Settings.ini key, made from the key's
// name: the key table gives the member and the bounds, so a page names a control
// once and can never store a value that the reader of Settings.ini would refuse.
// Each control's object name is the key's name.
class SettingBindings {
public:
    // A boolean key; inverted shows the opposite of the stored value.
    QCheckBox* check(const char* key, const QString& caption, bool inverted = false);
    QLineEdit* text(const char* key);
    // A whole-number key, within the values its rule calls usual.
    QSpinBox* number(const char* key);
    // A whole-number key whose value is the position of its caption. A value that
    // names no caption (not chosen yet) selects nothing and is kept until one is chosen.
    QComboBox* choice(const char* key, const QStringList& captions);
    // A text key offering the spellings its rule allows.
    QComboBox* textChoice(const char* key);

    // A text list of the settings, one item a line, under the list's own name.
    QPlainTextEdit* lines(const QString& name, QStringList Settings::*member);

    void load(const Settings& s) const;
    void store(Settings& s) const;

private:
    std::vector<std::function<void(const Settings&)>> loaders_;
    std::vector<std::function<void(Settings&)>> storers_;
};
