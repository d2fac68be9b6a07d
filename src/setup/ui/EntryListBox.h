#pragma once

#include "settings/Settings.h"
#include "setup/ui/EntryListRules.h"

#include <QWidget>

class QListWidget;
class QPushButton;
class Ui;

// One text list of the settings in a list box with its "Edit..." button: the list
// changes only through "Edit Entries", so it always holds the list's form. The
// list box is named name, the button "btnEdit" + name.
class EntryListBox : public QWidget {
    Q_OBJECT
public:
    EntryListBox(const QString& name, const QString& caption, QStringList Settings::*member,
                 const EntryListForm& form, Ui& ui, QWidget* parent = nullptr);

    void load(const Settings& s);
    void store(Settings& s) const;
    QStringList items() const;

signals:
    // The editor was left with OK and the list box shows the new list.
    void edited();

private:
    void edit();
    void showItems(const QStringList& items);

    QStringList Settings::*member_;
    EntryListForm form_;
    Ui& ui_;
    QListWidget* list_;
    QPushButton* edit_;
};
