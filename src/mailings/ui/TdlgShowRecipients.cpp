#include "mailings/ui/TdlgShowRecipients.h"

#include "base/Ui.h"
#include "mailings/SendListModel.h"
#include "mailings/UnsentList.h"
#include "store/SendListTable.h"
#include "util/ui/WindowRoutines.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>

namespace {

bool hasRefusedRows(const SendListTable& table)
{
    try {
        return table.tally().refused > 0;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

TdlgShowRecipients::TdlgShowRecipients(const SendListTable& table, Ui& ui, Hooks hooks, QWidget* parent)
    : QDialog(parent), table_(table), ui_(ui), hooks_(std::move(hooks))
{
    setObjectName("dlgShowRecipients");
    setWindowTitle("Messages Recipients");
    resize(ScaleForScreen(640, this), ScaleForScreen(420, this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(named<QLabel>("lblRecipients", "List of recipients of the current message:", this));

    auto* grid = named<QTableView>("tblRecipients", this);
    grid->setModel(new SendListModel(table_, grid));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    // Fixed row heights, so the view never measures a million rows.
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(SendListModel::Email, ScaleForScreen(200, this));
    grid->setColumnWidth(SendListModel::FullName, ScaleForScreen(150, this));
    layout->addWidget(grid);

    auto* buttons = new QHBoxLayout;
    auto* save = named<QPushButton>("btnSaveUnsent", "Save Unsent List to File...", this);
    connect(save, &QPushButton::clicked, this, &TdlgShowRecipients::btnSaveUnsentClick);
    auto* resend = named<QPushButton>("btnResendRefused", "Resend to Refused", this);
    resend->setEnabled(bool(hooks_.resendToRefused) && hasRefusedRows(table_));
    connect(resend, &QPushButton::clicked, this, &TdlgShowRecipients::btnResendRefusedClick);
    auto* close = named<QPushButton>("btnClose", "Close", this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(save);
    buttons->addWidget(resend);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void TdlgShowRecipients::btnSaveUnsentClick()
{
    // The main window's confirmation asks about an existing file, once.
    const QString file = QFileDialog::getSaveFileName(this, "Save Unsent List to File", {}, "Text File (*.txt)",
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty() || (hooks_.confirmOverwrite && !hooks_.confirmOverwrite(file)))
        return;
    BusyCursor busy(ui_);
    SaveUnsentList(table_, file, ui_);
}

void TdlgShowRecipients::btnResendRefusedClick()
{
    // Closed first: the resend is a run of its own with windows of its own.
    accept();
    hooks_.resendToRefused();
}
