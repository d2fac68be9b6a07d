#include "mailings/ui/TdlgScheduleSend.h"

#include "base/Ui.h"
#include "mailings/ScheduleTexts.h"
#include "sending/ui/GetSendingMethod.h"
#include "sending/ui/TdlgSendMethod.h"
#include "util/ui/WindowRoutines.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 14;

QLabel* wrapped(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = named<QLabel>(name, text, parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

TdlgScheduleSend::TdlgScheduleSend(Services services, QWidget* parent)
    : QDialog(parent), services_(std::move(services))
{
    setObjectName("dlgScheduleSend");
    setWindowTitle("Schedule Sending of this Message");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wrapped("lblIntro",
                              "This function allows you to send a message at a later date, or to send your mailing in "
                              "batches (e.g. to minimize your server load you might only want to send messages to 5000 "
                              "recipients per day)",
                              this));
    layout->addWidget(wrapped("lblNote",
                              "Note:  Scheduled sending will not occur while CVN is not running.  If a scheduled "
                              "sending is missed because CVN is closed, then the schedule will recommence the next "
                              "time you run CVN",
                              this));
    layout->addWidget(named<QLabel>("lblBatchName", "Specify a name for this Mailing:", this));
    edtBatchName_ = named<QLineEdit>("edtBatchName", this);
    edtBatchName_->setMaxLength(50);
    layout->addWidget(edtBatchName_);
    buildStart(layout);
    buildBatches(layout);
    buildMethod(layout);

    auto* buttons = new QHBoxLayout;
    btnExample_ = named<QPushButton>("btnExampleSchedule", "View an Example Schedule", this);
    auto* help = named<QPushButton>("btnHelp", "Help", this);
    auto* ok = named<QPushButton>("btnOK", "OK", this);
    auto* cancel = named<QPushButton>("btnCancel", "Cancel", this);
    ok->setDefault(true);
    for (QPushButton* button : {btnExample_, help}) {
        button->setEnabled(bool(services_.showHelp));
        connect(button, &QPushButton::clicked, this, [this] { services_.showHelp(kHelpTopic); });
    }
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(btnExample_);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    layout->addLayout(buttons);

    setSettings({}, false);
}

void TdlgScheduleSend::buildStart(QVBoxLayout* layout)
{
    auto* grid = new QGridLayout;
    rdbStartAtDate_ = named<QRadioButton>("rdbStartAtDate", "Start at the date:", this);
    edtStartDate_ = named<QDateEdit>("edtStartDate", this);
    edtStartDate_->setCalendarPopup(true);
    edtStartTime_ = named<QTimeEdit>("edtStartTime", this);
    rdbStartNow_ = named<QRadioButton>("rdbStartNow", "Start Now", this);
    rdbStartManual_ =
        named<QRadioButton>("rdbStartManual", "Do not begin until I start it under View|Scheduled Mail Messages...", this);
    startGroup_ = new QButtonGroup(this);
    for (QRadioButton* button : {rdbStartAtDate_, rdbStartNow_, rdbStartManual_})
        startGroup_->addButton(button);
    grid->addWidget(rdbStartAtDate_, 0, 0);
    grid->addWidget(edtStartDate_, 0, 1);
    grid->addWidget(edtStartTime_, 0, 2);
    grid->addWidget(rdbStartNow_, 1, 0, 1, 3);
    grid->addWidget(rdbStartManual_, 2, 0, 1, 3);
    layout->addLayout(grid);
}

void TdlgScheduleSend::buildBatches(QVBoxLayout* layout)
{
    auto* grid = new QGridLayout;
    rdbAllRecipients_ =
        named<QRadioButton>("rdbAllRecipients", "Send messages to all recipients (at the date above) ", this);
    rdbBatchRecipients_ = named<QRadioButton>("rdbBatchRecipients", "Send messages to ", this);
    spnBatchSize_ = named<QSpinBox>("spnBatchSize", this);
    spnBatchSize_->setRange(1, 1'000'000);
    countGroup_ = new QButtonGroup(this);
    countGroup_->addButton(rdbAllRecipients_);
    countGroup_->addButton(rdbBatchRecipients_);
    grid->addWidget(rdbAllRecipients_, 0, 0, 1, 4);
    grid->addWidget(rdbBatchRecipients_, 1, 0);
    grid->addWidget(spnBatchSize_, 1, 1);
    grid->addWidget(named<QLabel>("lblRecipients", "recipients", this), 1, 2, 1, 2);

    rdbBatchDelay_ = named<QRadioButton>("rdbBatchDelay", "With a", this);
    spnDelay_ = named<QSpinBox>("spnDelay", this);
    spnDelay_->setRange(1, 24);
    cmbDelayUnit_ = named<QComboBox>("cmbDelayUnit", this);
    cmbDelayUnit_->addItems({"minutes", "hours", "days"});
    rdbBatchManual_ = named<QRadioButton>(
        "rdbBatchManual", "Do not begin each batch until I start it under View|Scheduled Mail...", this);
    delayGroup_ = new QButtonGroup(this);
    delayGroup_->addButton(rdbBatchDelay_);
    delayGroup_->addButton(rdbBatchManual_);
    grid->addWidget(rdbBatchDelay_, 2, 0);
    grid->addWidget(spnDelay_, 2, 1);
    grid->addWidget(cmbDelayUnit_, 2, 2);
    grid->addWidget(named<QLabel>("lblDelay", "delay between each batch", this), 2, 3);
    grid->addWidget(rdbBatchManual_, 3, 0, 1, 4);
    layout->addLayout(grid);

    connect(spnBatchSize_, &QSpinBox::valueChanged, this, [this] { rdbBatchRecipients_->setChecked(true); });
    connect(spnDelay_, &QSpinBox::valueChanged, this, [this] { rdbBatchDelay_->setChecked(true); });
    connect(cmbDelayUnit_, &QComboBox::currentIndexChanged, this, [this] { rdbBatchDelay_->setChecked(true); });
    connect(countGroup_, &QButtonGroup::buttonToggled, this, &TdlgScheduleSend::followChoices);
}

void TdlgScheduleSend::buildMethod(QVBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    lblSendingMethod_ = named<QLabel>("lblSendingMethod", "Sending Method:", this);
    lblMethod_ = named<QLabel>("lblMethod", this);
    btnChangeMethod_ = named<QPushButton>("btnChangeMethod", "Change...", this);
    connect(btnChangeMethod_, &QPushButton::clicked, this, &TdlgScheduleSend::changeMethod);
    row->addWidget(lblSendingMethod_);
    row->addWidget(lblMethod_, 1);
    row->addWidget(btnChangeMethod_);
    layout->addLayout(row);
}

void TdlgScheduleSend::followChoices()
{
    // The delay between batches means something only when there are batches.
    const bool batches = rdbBatchRecipients_->isChecked();
    for (QWidget* widget : std::initializer_list<QWidget*>{rdbBatchDelay_, spnDelay_, cmbDelayUnit_, rdbBatchManual_})
        widget->setEnabled(batches);
}

void TdlgScheduleSend::changeMethod()
{
    method_ = GetSendingMethod(this, services_.ui, services_.logs, services_.settings, method_,
                               services_.relaySettings);
    lblMethod_->setText(TdlgSendMethod::MethodCaption(method_));
}

void TdlgScheduleSend::setSettings(const ScheduleSettings& settings, bool editing)
{
    const QDateTime now = QDateTime::currentDateTime();
    edtBatchName_->setText(settings.name.isEmpty() ? "Mail-Out " + scheduleDateTimeText(now) : settings.name);
    // A schedule may start late, but not before yesterday.
    edtStartDate_->setMinimumDate(now.date().addDays(-1));
    const QDateTime startAt = settings.startAt.isValid() ? settings.startAt : now;
    edtStartDate_->setDate(startAt.date());
    edtStartTime_->setTime(startAt.time());
    switch (settings.start) {
    case ScheduleSettings::Start::AtDate: rdbStartAtDate_->setChecked(true); break;
    case ScheduleSettings::Start::Now: rdbStartNow_->setChecked(true); break;
    case ScheduleSettings::Start::Manual: rdbStartManual_->setChecked(true); break;
    }
    // The numbers first: setting them selects their options.
    spnBatchSize_->setValue(settings.batchSize);
    spnDelay_->setValue(settings.delay);
    cmbDelayUnit_->setCurrentIndex(int(settings.unit));
    (settings.allRecipients ? rdbAllRecipients_ : rdbBatchRecipients_)->setChecked(true);
    (settings.batchesByHand ? rdbBatchManual_ : rdbBatchDelay_)->setChecked(true);
    followChoices();

    method_ = settings.method;
    lblMethod_->setText(TdlgSendMethod::MethodCaption(method_));
    for (QWidget* widget : std::initializer_list<QWidget*>{lblSendingMethod_, lblMethod_, btnChangeMethod_})
        widget->setVisible(editing);
    btnExample_->setVisible(!editing);
}

ScheduleSettings TdlgScheduleSend::settings() const
{
    ScheduleSettings settings;
    settings.name = edtBatchName_->text();
    settings.start = rdbStartNow_->isChecked()      ? ScheduleSettings::Start::Now
                     : rdbStartManual_->isChecked() ? ScheduleSettings::Start::Manual
                                                    : ScheduleSettings::Start::AtDate;
    settings.startAt = QDateTime(edtStartDate_->date(), edtStartTime_->time());
    settings.allRecipients = !rdbBatchRecipients_->isChecked();
    settings.batchSize = spnBatchSize_->value();
    settings.batchesByHand = rdbBatchManual_->isChecked();
    settings.delay = spnDelay_->value();
    settings.unit = ScheduleSettings::Unit(cmbDelayUnit_->currentIndex());
    settings.method = method_;
    return settings;
}

void TdlgScheduleSend::accept()
{
    if (edtBatchName_->text().trimmed().isEmpty()) {
        services_.ui.warn("You have not specified a name for this delivery.");
        FocusIfPossible(edtBatchName_);
        return;
    }
    QDialog::accept();
}

std::optional<ScheduleSettings> TdlgScheduleSend::askNew(QWidget* parent, Services services)
{
    TdlgScheduleSend dialog(std::move(services), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}

std::optional<ScheduleSettings> TdlgScheduleSend::askEdit(QWidget* parent, Services services,
                                                          const ScheduleSettings& current)
{
    TdlgScheduleSend dialog(std::move(services), parent);
    dialog.setSettings(current, true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}
