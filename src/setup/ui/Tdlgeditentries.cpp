#include "setup/ui/Tdlgeditentries.h"

#include "util/ui/WindowRoutines.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

Tdlgeditentries::Tdlgeditentries(const QStringList& items, QWidget* parent) : QDialog(parent)
{
    setObjectName("dlgeditentries");
    setWindowTitle("Edit Entries");
    memEntries = named<QPlainTextEdit>("memEntries", this);
    memEntries->setLineWrapMode(QPlainTextEdit::NoWrap);
    memEntries->setPlainText(items.join(u'\n'));
    auto* buttons =
        named<QDialogButtonBox>("buttonBox", QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memEntries);
    layout->addWidget(buttons);
    resize(ScaleForScreen(320, parent), ScaleForScreen(360, parent));
}

QStringList Tdlgeditentries::lines() const
{
    return memEntries->toPlainText().split(u'\n');
}

std::optional<QStringList> EditEntries(QWidget* parent, Ui& ui, const QStringList& items,
                                       const EntryListForm& form)
{
    Tdlgeditentries dialog(items, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return EditedEntries(ui, dialog.lines(), form);
}
