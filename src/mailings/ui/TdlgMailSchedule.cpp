#include "mailings/ui/TdlgMailSchedule.h"

#include "base/Ui.h"
#include "mailings/ScheduleItemActions.h"
#include "mailings/ScheduleTexts.h"
#include "util/ui/WindowRoutines.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <exception>

namespace {

constexpr int kHelpTopic = 15;

const QStringList kColumns = {"Index",           "Schedule Name",     "Creation Date",  "Status",
                              "Next Sending",    "Send Frequency",    "Recip. per Sending",
                              "Total # of Recip.", "# Already Sent To", "Sending Method", "Send File"};

QStringList cellsOf(const ScheduleRow& row)
{
    return {QString::number(row.Index),
            row.BatchName,
            scheduleDateTimeText(row.StartDate),
            scheduleStatusText(row.Status),
            scheduleNextSendingText(row.NextSend),
            scheduleFrequencyText(row.Frequency),
            scheduleRecipientsPerSendingText(row.SendCount),
            QString::number(row.RecipientTotal),
            QString::number(row.RecipientSent),
            scheduleMethodText(row.SendType),
            row.SendTableFile};
}

}  // namespace

TdlgMailSchedule::TdlgMailSchedule(Services services, QWidget* parent)
    : QDialog(parent), services_(std::move(services))
{
    setObjectName("dlgMailSchedule");
    setWindowTitle("Message Sending Schedule");
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    grdSchedule_ = named<QTableWidget>("grdSchedule", 0, int(kColumns.size()), this);
    grdSchedule_->setHorizontalHeaderLabels(kColumns);
    grdSchedule_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdSchedule_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdSchedule_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdSchedule_->verticalHeader()->hide();
    left->addWidget(grdSchedule_, 1);
    // The subject of the selected schedule, as the grid's preview line.
    edtSubject_ = named<QLineEdit>("edtSubject", this);
    edtSubject_->setReadOnly(true);
    left->addWidget(edtSubject_);
    chkHideCompleted_ = named<QCheckBox>("chkHideCompleted", "Hide Completed items", this);
    chkHideCompleted_->setChecked(true);
    left->addWidget(chkHideCompleted_);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    const auto button = [&](const char* name, const char* caption, auto action) {
        auto* b = named<QPushButton>(name, caption, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        buttons->addWidget(b);
        return b;
    };
    button("btnSendNow", "Send Now", [this] { change([this](ScheduleRow& r) { ScheduleSendNow(r, now()); }, true); });
    button("btnSendToAllNow", "Send to All Now",
           [this] { change([this](ScheduleRow& r) { ScheduleSendToAllNow(r, now()); }, true); });
    button("btnRecommence", "Recommence", [this] { change(ScheduleRecommence, false); });
    button("btnPutOnHold", "Put on Hold", [this] { change(SchedulePutOnHold, false); });
    button("btnEditItem", "Edit Item...", [this] { editItem(); });
    button("btnDeleteItem", "Delete Item", [this] { deleteItem(); });
    button("btnShowRecipients", "Show Recipients", [this] { showRecipients(); });
    buttons->addStretch();
    const auto& showHelp = services_.dialog.showHelp;
    button("btnHelp", "Help", [showHelp] { showHelp(kHelpTopic); })->setEnabled(bool(showHelp));
    button("btnClose", "Close", [this] { reject(); });
    layout->addLayout(buttons);

    connect(chkHideCompleted_, &QCheckBox::toggled, this, &TdlgMailSchedule::refresh);
    connect(grdSchedule_, &QTableWidget::itemSelectionChanged, this, &TdlgMailSchedule::showSubject);
    resize(ScaleForScreen(900, this), ScaleForScreen(420, this));
    refresh();
}

TdlgMailSchedule::Outcome TdlgMailSchedule::run(QWidget* parent, Services services)
{
    try {
        if (services.table.count() == 0)
            services.dialog.ui.inform("You do not have any items in your send schedule.  To start a new scheduled "
                                      "sending use the 'Send E-mail to List' function.");
    } catch (const std::exception&) {
        // The viewer itself says nothing of a table it cannot read either.
    }
    TdlgMailSchedule viewer(std::move(services), parent);
    return viewer.exec() == QDialog::Accepted ? SendRequested : Closed;
}

QDateTime TdlgMailSchedule::now() const
{
    return services_.now ? services_.now() : QDateTime::currentDateTime();
}

void TdlgMailSchedule::refresh()
{
    const std::optional<int> current = selectedIndex();
    QList<ScheduleRow> rows;
    try {
        rows = services_.table.rows(chkHideCompleted_->isChecked());
    } catch (const std::exception& error) {
        services_.dialog.ui.warn(QString::fromUtf8(error.what()));
    }
    grdSchedule_->setRowCount(0);
    grdSchedule_->setRowCount(int(rows.size()));
    int keep = rows.isEmpty() ? -1 : 0;
    for (int line = 0; line < rows.size(); ++line) {
        const QStringList cells = cellsOf(rows[line]);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, rows[line].Index);
            item->setData(Qt::UserRole + 1, rows[line].Subject);
            grdSchedule_->setItem(line, column, item);
        }
        if (rows[line].Index == current)
            keep = line;
    }
    grdSchedule_->resizeColumnsToContents();
    if (keep >= 0)
        grdSchedule_->selectRow(keep);
    showSubject();
}

void TdlgMailSchedule::showSubject()
{
    const QList<QTableWidgetItem*> items = grdSchedule_->selectedItems();
    edtSubject_->setText(items.isEmpty() ? QString() : items.first()->data(Qt::UserRole + 1).toString());
}

std::optional<int> TdlgMailSchedule::selectedIndex() const
{
    const QList<QTableWidgetItem*> items = grdSchedule_->selectedItems();
    if (items.isEmpty())
        return std::nullopt;
    return items.first()->data(Qt::UserRole).toInt();
}

std::optional<ScheduleRow> TdlgMailSchedule::selected()
{
    const std::optional<int> index = selectedIndex();
    if (!index)
        return std::nullopt;
    try {
        return services_.table.read(*index);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void TdlgMailSchedule::change(const std::function<void(ScheduleRow&)>& edit, bool closeToSend)
{
    std::optional<ScheduleRow> row = selected();
    if (!row)
        return;
    edit(*row);
    try {
        services_.table.update(*row);
    } catch (const std::exception& error) {
        services_.dialog.ui.warn(QString::fromUtf8(error.what()));
        return;
    }
    if (closeToSend) {
        accept();
        return;
    }
    refresh();
}

void TdlgMailSchedule::editItem()
{
    if (!selectedIndex())
        return;
    std::optional<ScheduleRow> row = selected();
    if (!row) {
        services_.dialog.ui.warn("Error displaying Schedule settings!");
        return;
    }
    const QDateTime shownAt = now();
    const auto chosen = TdlgScheduleSend::askEdit(this, services_.dialog, ShowScheduleSettings(*row, shownAt));
    if (!chosen)
        return;
    // A completed schedule says so itself; any other refusal is a failure to store.
    if (!SaveScheduleSettings(services_.table, *row, *chosen, now(), true, services_.dialog.ui)
        && row->Status != ScheduleStatus::Completed)
        services_.dialog.ui.warn("Error saving schedule settings");
    refresh();
}

void TdlgMailSchedule::deleteItem()
{
    const std::optional<ScheduleRow> row = selected();
    if (!row)
        return;
    DeleteScheduleItem(services_.table, *row, services_.databaseFolder, services_.dialog.ui);
    refresh();
}

void TdlgMailSchedule::showRecipients()
{
    const std::optional<ScheduleRow> row = selected();
    if (!row)
        return;
    if (row->SendTableFile.isEmpty() || !services_.showRecipients) {
        QApplication::beep();
        return;
    }
    services_.showRecipients(row->SendTableFile);
}
