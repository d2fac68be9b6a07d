#include "setup/ui/EntryListBox.h"

#include "setup/ui/Tdlgeditentries.h"
#include "util/ui/WindowRoutines.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

EntryListBox::EntryListBox(const QString& name, const QString& caption, QStringList Settings::*member,
                           const EntryListForm& form, Ui& ui, QWidget* parent)
    : QWidget(parent), member_(member), form_(form), ui_(ui)
{
    list_ = named<QListWidget>(name, this);
    edit_ = named<QPushButton>("btnEdit" + name, "Edit...", this);
    connect(edit_, &QPushButton::clicked, this, &EntryListBox::edit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(edit_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!caption.isEmpty())
        layout->addWidget(new QLabel(caption, this));
    layout->addWidget(list_);
    layout->addLayout(buttons);
}

void EntryListBox::load(const Settings& s)
{
    showItems(s.*member_);
}

void EntryListBox::store(Settings& s) const
{
    s.*member_ = items();
}

QStringList EntryListBox::items() const
{
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        out << list_->item(i)->text();
    return out;
}

void EntryListBox::edit()
{
    if (const std::optional<QStringList> edited = EditEntries(window(), ui_, items(), form_)) {
        showItems(*edited);
        emit this->edited();
    }
}

void EntryListBox::showItems(const QStringList& items)
{
    list_->clear();
    list_->addItems(items);
}
