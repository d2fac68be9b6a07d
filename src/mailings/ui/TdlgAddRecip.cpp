#include "mailings/ui/TdlgAddRecip.h"

#include "base/Ui.h"
#include "util/TextFiles.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// True when something was selected, and so removed.
bool removeSelected(QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    qDeleteAll(selected);
    return !selected.isEmpty();
}

}  // namespace

TdlgAddRecip::TdlgAddRecip(Ui& ui, Options options, QWidget* parent)
    : QWidget(parent), ui_(ui), options_(std::move(options))
{
    setObjectName("dlgAddRecip");
    setWindowTitle("Message Recipients");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* recipients = named<QGroupBox>("grpRecipients", "Message Recipients", this);
    auto* choices = new QVBoxLayout(recipients);
    rdbAll_ = named<QRadioButton>("rdbAll", "Send to all entries in the mailing list", recipients);
    rdbSelection_ = named<QRadioButton>(
        "rdbSelection",
        options_.selectionAvailable ? options_.viewDescription : QString("Send to entries in the Selected Groups"),
        recipients);
    rdbSelection_->setEnabled(options_.selectionAvailable);
    rdbCustom_ = named<QRadioButton>("rdbCustom", "Send to the entries that I have specified below:", recipients);
    choices->addWidget(rdbAll_);
    choices->addWidget(rdbSelection_);
    choices->addWidget(rdbCustom_);
    memCustom_ = named<QPlainTextEdit>("memCustom", recipients);
    choices->addWidget(memCustom_);
    auto* customButtons = new QHBoxLayout;
    btnPaste_ = named<QPushButton>("btnPaste", "Paste", recipients);
    btnLoad_ = named<QPushButton>("btnLoad", "Load from File...", recipients);
    btnFromFolder_ = named<QPushButton>("btnFromFolder", "From Mail Folder...", recipients);
    chkIgnoreInvalid_ = named<QCheckBox>("chkIgnoreInvalid", "Ignore Invalid addresses", recipients);
    customButtons->addWidget(btnPaste_);
    customButtons->addWidget(btnLoad_);
    customButtons->addWidget(btnFromFolder_);
    customButtons->addWidget(chkIgnoreInvalid_);
    customButtons->addStretch();
    choices->addLayout(customButtons);
    memrejects_ = named<QPlainTextEdit>("memrejects", recipients);
    memrejects_->setReadOnly(true);
    memrejects_->hide();
    choices->addWidget(memrejects_);
    layout->addWidget(recipients);

    auto* extras = named<QGroupBox>("grpExtra", "Extra Recipients", this);
    auto* grid = new QGridLayout(extras);
    edtTo_ = named<QLineEdit>("edtTo", extras);
    edtCC_ = named<QLineEdit>("edtCC", extras);
    lbxTo_ = named<QListWidget>("lbxTo", extras);
    lbxCC_ = named<QListWidget>("lbxCC", extras);
    for (QListWidget* list : {lbxTo_, lbxCC_}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->installEventFilter(this);
    }
    auto* add = named<QPushButton>("btnAdd", "Add", extras);
    // Clicking it leaves the field's text in place, so the field's own adding on
    // leaving it does not run as well.
    add->setFocusPolicy(Qt::NoFocus);
    auto* remove = named<QPushButton>("btnRemove", "Remove", extras);
    grid->addWidget(named<QLabel>("lblTo", "To:", extras), 0, 0);
    grid->addWidget(edtTo_, 0, 1);
    grid->addWidget(named<QLabel>("lblCC", "CC:", extras), 0, 2);
    grid->addWidget(edtCC_, 0, 3);
    grid->addWidget(lbxTo_, 1, 1);
    grid->addWidget(lbxCC_, 1, 3);
    auto* extraButtons = new QVBoxLayout;
    extraButtons->addWidget(add);
    extraButtons->addWidget(remove);
    extraButtons->addStretch();
    grid->addLayout(extraButtons, 0, 4, 2, 1);
    layout->addWidget(extras);

    (options_.selectionAvailable ? rdbSelection_ : rdbAll_)->setChecked(true);
    choiceChanged();
    for (QRadioButton* button : {rdbAll_, rdbSelection_, rdbCustom_})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (!on)
                return;
            choiceChanged();
            emit recipientsChanged();
        });
    connect(memCustom_, &QPlainTextEdit::textChanged, this, &TdlgAddRecip::recipientsChanged);
    connect(chkIgnoreInvalid_, &QCheckBox::toggled, this, &TdlgAddRecip::recipientsChanged);
    connect(btnPaste_, &QPushButton::clicked, this, &TdlgAddRecip::btnPasteClick);
    connect(btnLoad_, &QPushButton::clicked, this, &TdlgAddRecip::btnLoadClick);
    connect(btnFromFolder_, &QPushButton::clicked, this, &TdlgAddRecip::btnFromFolderClick);
    connect(edtTo_, &QLineEdit::editingFinished, this, [this] { addTyped(edtTo_, lbxTo_); });
    connect(edtCC_, &QLineEdit::editingFinished, this, [this] { addTyped(edtCC_, lbxCC_); });
    connect(add, &QPushButton::clicked, this, &TdlgAddRecip::btnAddClick);
    connect(remove, &QPushButton::clicked, this, &TdlgAddRecip::btnRemoveClick);
}

RecipientChoice TdlgAddRecip::choice() const
{
    if (rdbCustom_->isChecked())
        return RecipientChoice::Custom;
    return rdbSelection_->isChecked() ? RecipientChoice::Selection : RecipientChoice::All;
}

void TdlgAddRecip::setChoice(RecipientChoice choice)
{
    switch (choice) {
    case RecipientChoice::All: rdbAll_->setChecked(true); break;
    case RecipientChoice::Selection:
        if (rdbSelection_->isEnabled())
            rdbSelection_->setChecked(true);
        break;
    case RecipientChoice::Custom: rdbCustom_->setChecked(true); break;
    }
}

QStringList TdlgAddRecip::customLines() const
{
    QStringList lines = memCustom_->toPlainText().split('\n');
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    return lines;
}

bool TdlgAddRecip::ignoreInvalid() const
{
    return chkIgnoreInvalid_->isChecked();
}

QStringList TdlgAddRecip::extraTo() const
{
    return itemsOf(lbxTo_);
}

QStringList TdlgAddRecip::extraCC() const
{
    return itemsOf(lbxCC_);
}

void TdlgAddRecip::setRejects(const QStringList& rejects)
{
    memrejects_->setPlainText(rejects.join('\n'));
    memrejects_->setVisible(!rejects.isEmpty());
}

void TdlgAddRecip::setSendingMethod(bool relayServer, bool oneMessagePerRecipient)
{
    options_.relayServer = relayServer;
    options_.oneMessagePerRecipient = oneMessagePerRecipient;
}

void TdlgAddRecip::addDefaultTo(const QString& address)
{
    addToList(lbxTo_, address.trimmed());
}

bool TdlgAddRecip::eventFilter(QObject* watched, QEvent* event)
{
    auto* list = qobject_cast<QListWidget*>(watched);
    if (list && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (removeSelected(list))
            emit extrasChanged();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TdlgAddRecip::choiceChanged()
{
    const bool custom = rdbCustom_->isChecked();
    for (QWidget* widget : std::initializer_list<QWidget*>{memCustom_, btnPaste_, btnLoad_, chkIgnoreInvalid_})
        widget->setEnabled(custom);
    btnFromFolder_->setEnabled(custom && bool(options_.fromMailFolder));
}

void TdlgAddRecip::btnPasteClick()
{
    if (QGuiApplication::clipboard()->text().isEmpty()) {
        ui_.inform("Clipboard does not contain text!");
        return;
    }
    memCustom_->paste();
}

void TdlgAddRecip::btnLoadClick()
{
    const QString chosen = QFileDialog::getOpenFileName(this, {}, {}, "Text Files (*.csv *.txt)");
    if (chosen.isEmpty())
        return;
    const std::optional<QString> text = readText(chosen);
    if (!text) {
        ui_.warn("Load Error");
        return;
    }
    memCustom_->setPlainText(*text);
}

void TdlgAddRecip::btnFromFolderClick()
{
    const QStringList found = options_.fromMailFolder();
    if (!found.isEmpty())
        memCustom_->appendPlainText(found.join('\n'));
}

void TdlgAddRecip::btnAddClick()
{
    if (edtTo_->text().trimmed().isEmpty() && edtCC_->text().trimmed().isEmpty() && lbxTo_->count() == 0 &&
        lbxCC_->count() == 0) {
        ui_.inform("Please enter the e-mail address that you want to add.");
        return;
    }
    addTyped(edtTo_, lbxTo_);
    addTyped(edtCC_, lbxCC_);
}

void TdlgAddRecip::btnRemoveClick()
{
    const bool fromTo = removeSelected(lbxTo_);
    const bool fromCC = removeSelected(lbxCC_);
    if (fromTo || fromCC)
        emit extrasChanged();
}

void TdlgAddRecip::addTyped(QLineEdit* field, QListWidget* list)
{
    const QString address = field->text().trimmed();
    if (address.isEmpty())
        return;
    if (options_.relayServer) {
        ui_.inform("Extra addresses cannot be added when using the SMTP Server delivery option.");
        return;
    }
    if (list == lbxTo_ && options_.oneMessagePerRecipient) {
        ui_.inform("You have selected the option to send a separate e-mail to each user.  If you wish to add an "
                   "extra address to all outgoing messages, use the CC field.");
        return;
    }
    field->clear();
    addToList(list, address);
}

void TdlgAddRecip::addToList(QListWidget* list, const QString& address)
{
    // An address already there adds nothing to a message.
    if (address.isEmpty() || itemsOf(list).contains(address, Qt::CaseInsensitive))
        return;
    list->addItem(address);
    emit extrasChanged();
}
