#include "reports/ui/ColumnSelector.h"

#include "reports/GridColumns.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

ColumnSelector::ColumnSelector(const QList<bool>& shown, QWidget* parent) : QDialog(parent)
{
    setObjectName("dlgColumnSelector");
    setWindowTitle("Column Selector");
    auto* layout = new QVBoxLayout(this);
    auto* list = new QListWidget(this);
    list->setObjectName("lbxColumns");
    for (int c = 0; c < gridColumnCount(); ++c) {
        auto* item = new QListWidgetItem(QString::fromLatin1(gridColumns()[c].heading), list);
        item->setCheckState(shown.value(c) ? Qt::Checked : Qt::Unchecked);
    }
    connect(list, &QListWidget::itemChanged, this, [this, list](QListWidgetItem* item) {
        emit columnToggled(list->row(item), item->checkState() == Qt::Checked);
    });
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
