#include "exchange/ui/TdlgImport.h"

#include "base/Ui.h"
#include "exchange/ui/Tdlgimport2.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/TdmML.h"
#include "subscriptions/GroupChoice.h"
#include "subscriptions/ListContext.h"
#include "util/TextFiles.h"
#include "util/ui/WindowRoutines.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TdlgImport::TdlgImport(const ListContext& ctx, ImportHooks hooks, QWidget* parent)
    : QDialog(parent), ctx_(ctx), hooks_(std::move(hooks))
{
    setObjectName("TdlgImport");
    setWindowTitle("Import E-mail Addresses");
    mapping_.separator = QStringLiteral(",");
    mappingDialog_ = new Tdlgimport2(mapping_, ctx_.ui, this);
    auto* layout = new QVBoxLayout(this);

    rdbSingle_ = new QRadioButton("File only contains a single column of e-mail addresses");
    rdbSingle_->setObjectName("rdbSingle");
    rdbSingle_->setChecked(true);
    auto* rdbMultiple = new QRadioButton("File contains multiple columns");
    rdbMultiple->setObjectName("rdbMultiple");
    btnEditSettings_ = named<QPushButton>("btnEditSettings", "Edit Settings..");
    connect(btnEditSettings_, &QPushButton::clicked, mappingDialog_, &QDialog::exec);
    connect(rdbSingle_, &QRadioButton::toggled, this, &TdlgImport::formChanged);
    auto* multipleRow = new QHBoxLayout;
    multipleRow->addWidget(rdbMultiple, 1);
    multipleRow->addWidget(btnEditSettings_);
    layout->addWidget(rdbSingle_);
    layout->addLayout(multipleRow);

    cmbGroup_ = new QComboBox;
    cmbGroup_->setObjectName("cmbGroup");
    cmbGroup_->setEditable(true);
    cmbGroup_->addItems(ctx_.settings.Cats);
    cmbGroup_->setCurrentText(ctx_.settings.AlternativeCategory);
    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(new QLabel("Add to Group:"));
    groupRow->addWidget(cmbGroup_, 1);
    layout->addLayout(groupRow);

    edtFileName_ = new QLineEdit;
    edtFileName_->setObjectName("edtFileName");
    edtFileName_->setReadOnly(true);
    auto* btnBrowse = named<QPushButton>("btnBrowse", "Browse..");
    connect(btnBrowse, &QPushButton::clicked, this, &TdlgImport::btnBrowseClick);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(edtFileName_, 1);
    fileRow->addWidget(btnBrowse);
    layout->addLayout(fileRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    btnOK_ = buttons->button(QDialogButtonBox::Ok);
    btnOK_->setObjectName("btnOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
    btnCheckOnly_ = named<QPushButton>("btnCheckOnly", "Check only");
    btnCheckOnly_->setToolTip("Run the import without changing the list and show what it would turn down");
    buttons->addButton(btnCheckOnly_, QDialogButtonBox::ActionRole);
    connect(btnCheckOnly_, &QPushButton::clicked, this, [this] { runImport(true); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (runImport(false))
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    formChanged();
}

void TdlgImport::btnBrowseClick()
{
    const QString chosen =
        QFileDialog::getOpenFileName(this, {}, edtFileName_->text(), "Comma-delimited Files (*.csv *.txt)");
    if (!chosen.isEmpty())
        setFileName(chosen);
}

void TdlgImport::setFileName(const QString& path)
{
    edtFileName_->setText(path);
    mappingDialog_->setFileName(path);
    formChanged();
}

void TdlgImport::formChanged()
{
    const bool single = rdbSingle_->isChecked();
    const bool haveFile = !edtFileName_->text().isEmpty();
    btnEditSettings_->setEnabled(!single);
    cmbGroup_->setEnabled(single);
    btnOK_->setEnabled(haveFile);
    btnCheckOnly_->setEnabled(haveFile);
}

bool TdlgImport::runImport(bool dryRun)
{
    const bool single = rdbSingle_->isChecked();
    QString group = cmbGroup_->currentText();
    if (single) {
        // An empty group is refused before the group check, which would only ask about a nameless group.
        if (group.trimmed().isEmpty()) {
            ctx_.ui.inform("You have not entered a group to add these addresses to!");
            return false;
        }
        // A check-only run leaves the group list alone: the report names an unknown group.
        if (!dryRun && !CheckGroup_Tcombo(ctx_, group, false))
            return false;
        cmbGroup_->setCurrentText(group);
    }
    const QString path = edtFileName_->text();
    const auto lines = single ? readTextLines(path) : readDelimitedLines(path);
    if (!lines) {
        ctx_.ui.warn("Error encountered opening your import file!");
        return true;
    }
    ImportOptions options;
    options.acknowledge = ctx_.settings.AckManualEntries;
    options.showCompletion = single && !dryRun;
    options.note = importNote(path);
    options.dryRun = dryRun;
    options.keepReport = true;
    ImportReport report(options.note);
    if (single)
        hooks_.importLines(*lines, true, options, QStringLiteral(","), false, group, false, report);
    else
        hooks_.importColumns(*lines, mapping_, options, report);
    if (dryRun)
        showReport(report.text());
    return true;
}

void TdlgImport::showReport(const QString& text)
{
    if (!memReport_) {
        auto* dialog = new QDialog(this);
        dialog->setObjectName("dlgImportReport");
        dialog->setWindowTitle("Import Check");
        auto* layout = new QVBoxLayout(dialog);
        memReport_ = new QPlainTextEdit;
        memReport_->setObjectName("memReport");
        memReport_->setReadOnly(true);
        memReport_->setLineWrapMode(QPlainTextEdit::NoWrap);
        layout->addWidget(memReport_);
        auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
        connect(close, &QDialogButtonBox::rejected, dialog, &QDialog::hide);
        layout->addWidget(close);
        dialog->resize(560, 380);
    }
    memReport_->setPlainText(text);
    memReport_->window()->show();
    memReport_->window()->raise();
}

void importMailingListEntries(QWidget* parent, const ListContext& ctx, const ImportHooks& hooks)
{
    TdlgImport dialog(ctx, hooks, parent);
    dialog.exec();
    ctx.db.database().flush();
}
