#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;
class SettingBindings;
struct OptionsServices;
struct Settings;

// A mail-folder setting on a page: its text, bound to the key, and its "Select..."
// button with the folder picker. While only the default inbox is read, the button
// explains that instead of picking.
class MailFolderField : public QWidget {
    Q_OBJECT
public:
    MailFolderField(SettingBindings& bindings, const char* key, const QString& buttonName, QString prompt,
                    OptionsServices& services);

    QLineEdit* edit() const { return edit_; }

    // After the key was loaded, for a folder that is read: with the default inbox only
    // it shows the default folder's name; otherwise that name stands for no choice.
    void showRetrieval(const Settings& s);
    // For a folder that is only written to: usable only when folders other than the
    // default inbox can be named.
    void enableForRetrieval(const Settings& s);

private:
    void pick();

    QLineEdit* edit_;
    QPushButton* button_;
    QString prompt_;
    OptionsServices& services_;
    bool defaultInboxOnly_ = false;
};
