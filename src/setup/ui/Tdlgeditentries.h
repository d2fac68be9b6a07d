#pragma once

#include "setup/ui/EntryListRules.h"

#include <QDialog>
#include <optional>

class QPlainTextEdit;
class Ui;

// "Edit Entries": the items of a list as plain text, one item per line.
class Tdlgeditentries : public QDialog {
    Q_OBJECT
public:
    explicit Tdlgeditentries(const QStringList& items, QWidget* parent = nullptr);

    QStringList lines() const;

private:
    QPlainTextEdit* memEntries;
};

// The editor over the items; on OK the list the typed lines make under the list's
// form (EditedEntries), nullopt on Cancel.
std::optional<QStringList> EditEntries(QWidget* parent, Ui& ui, const QStringList& items,
                                       const EntryListForm& form);
